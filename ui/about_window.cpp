#include "about_window.h"

#include "key_button.h"
#include "label.h"
#include "picture_box.h"
#include "window_setup.h"

#include <QKeyEvent>
#include <QPainter>

namespace rurozovizera::ui {

namespace {

constexpr WindowSpec kWindow{"FrmAbout", "About", {9690, 660, 5505, 3540}};

// The labels: white on navy, with a thin border, except the slogan.
constexpr LabelSpec boxed(const char* name, const char* caption, TwipsRect box) {
    return {name, caption, box, kDefaultFont, kWhite, kNavy, Qt::AlignLeft, false, true};
}

// clang-format off
const LabelSpec kLabels[] = {
    {"LblHalloween", "Wrap Up Warm!!", {960, 2760, 3015, 615}, {"Modern", 20.25, true}, kWhite, kNavy},
    boxed("lblDisclaimer", "RU Rozovizera is freeware. V.2.0.0  Share it with friends.  ",
          {165, 2520, 3870, 945}),
    boxed("lblVersion", "Version 2.0(Frost Figures)", {840, 660, 4095, 345}),
    boxed("lblDescription",
          "RU Rozovizera is a winter calculator made by Frost Works. Incorporating the seasons "
          "and special times of year, to keep your desktop up to date and fresh. Next release "
          "due December 1st, \"Merry Christmas! \".",
          {840, 1125, 4095, 1170}),
    boxed("Lbltitle", "RU Rozovizera", {840, 240, 4095, 345}),
};
// clang-format on

// The separator above the freeware note: a white line two pixels wide with
// a grey one-pixel line 15 twips above it.
struct SeparatorLine {
    int x1, y1, x2, y2;
    std::uint32_t color;
    int width;
};
constexpr SeparatorLine kLines[] = {{15, 2460, 5564, 2460, kWhite, 2},
                                    {0, 2445, 5564, 2445, kGrey, 1}};

} // namespace

AboutWindow::AboutWindow() {
    setUpWindow(this, kWindow);

    auto* snowflakes = new PictureBox(this, "Image1", QStringLiteral(":/pictures/snowflakes.bmp"),
                                      {0, 0, 810, 2415});
    snowflakes->setAccessibleName(QStringLiteral("snowflakes"));
    // Stored front to back; create back to front so the slogan overlaps the
    // freeware note.
    for (auto spec = std::rbegin(kLabels); spec != std::rend(kLabels); ++spec)
        createLabel(this, *spec);

    cmdOK_ =
        new KeyButton(this, "cmdOK", QStringLiteral("OK"), {4155, 2520, 1260, 345}, kDefaultFont);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QWidget::hide);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // OK is both the default and the cancel button.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: cmdOK_->click(); break;
    default: QWidget::keyPressEvent(event);
    }
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const SeparatorLine& line : kLines) {
        painter.setPen(QPen(fromBgr(line.color), line.width));
        painter.drawLine(pixels(line.x1), pixels(line.y1), pixels(line.x2), pixels(line.y2));
    }
}

} // namespace rurozovizera::ui
