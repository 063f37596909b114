// The few kinds of control the windows are built from, made from stored
// layout data: labels, pictures and the keys drawn in the calculator's
// pale-cyan face.
#pragma once

#include "look.h"
#include "twips.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
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

// A picture as the build made it ready at the given size (see
// add_stretched_pictures), in the format Qt holds it in as a pixmap; a null
// image where the build made none.
QImage readyPicture(const QString& source, QSize size);

struct PictureSpec {
    const char* name;
    TwipsRect box;
};

// A picture stretched to its box. The picture is read when first needed,
// from its double-size version on a screen scaled beyond 1, and the
// stretched copy is made once per picture, size and device pixel ratio, and
// shared by every box that shows the same picture at that size.
class PictureBox : public QWidget {
public:
    PictureBox(QWidget* parent, const char* name, const QString& resource, TwipsRect box);

    // Makes the stretched copy for the box's present size now, rather than
    // when the box is next drawn.
    void prepare();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void stretch(QSize target, qreal ratio);

    QString resource_;
    QPixmap stretched_;
};

// A push button drawn in the classic raised style with a flat face colour,
// as the calculator's keys are.
class KeyButton : public QPushButton {
public:
    KeyButton(QWidget* parent, const char* name, const QString& caption, TwipsRect box,
              const FontSpec& font);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The application icon, 16 and 32 pixels square (and 64 for scaled
// screens); shared by the main, About and help-example windows.
QIcon applicationIcon();

// Gives a window its stored client size and places it at its stored
// position, moved in where that would leave it partly off the screen.
void placeWindow(QWidget* window, QSize clientSize, QPoint storedPosition);

// A secondary window as stored.
struct WindowSpec {
    const char* name;
    const char* title; // null for a window that shows no caption
    TwipsRect clientArea;
    int frameWidth = 0; // in pixels: a frame the window draws itself around its client area
};

// Names and titles a secondary window, grounds it in dark navy, sizes it and
// places its client area where it was stored. The window is destroyed when
// closed.
void setUpWindow(QWidget* window, const WindowSpec& spec);

// Fills a window or frame with a plain ground colour.
void setGround(QWidget* widget, std::uint32_t bgr);

// Shows a window modeless, or brings it to the front if it is on screen.
void showInFront(QWidget* window);

} // namespace rurozovizera::ui
