// The keys, drawn in the calculator's pale-cyan face.
#pragma once

#include "look.h"
#include "twips.h"

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace rurozovizera::ui {

// A push button drawn in the classic raised style with a flat face colour,
// as the calculator's keys are.
class KeyButton : public QPushButton {
public:
    KeyButton(QWidget* parent, const char* name, const QString& caption, TwipsRect box,
              const FontSpec& font);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace rurozovizera::ui
