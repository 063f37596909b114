// Labels made from stored layout data.
#pragma once

#include "look.h"
#include "twips.h"

#include <QLabel>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace rurozovizera::ui {

struct LabelSpec {
    const char* name;
    const char* caption; // UTF-8, shown exactly as written
    TwipsRect box;
    FontSpec font = kDefaultFont;
    std::uint32_t foreColor = kBlack;
    std::optional<std::uint32_t> backColor = std::nullopt; // none: transparent
    Qt::Alignment alignment = Qt::AlignLeft;
    bool autoSize = false; // takes the size of its caption
    bool border = false;
};

// A label as stored: plain text, top-aligned, wrapped within its box unless
// it sizes itself to its caption. A self-sizing right-aligned label keeps its
// right edge where it was stored.
QLabel* createLabel(QWidget* parent, const LabelSpec& spec);

// Sets a self-sizing label's caption and resizes it to fit.
void setAutoSizedCaption(QLabel* label, const QString& caption);

} // namespace rurozovizera::ui
