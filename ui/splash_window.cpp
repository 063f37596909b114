#include "splash_window.h"

#include "accessible_view.h"
#include "label.h"
#include "picture_box.h"
#include "rurozovizera/version.h"
#include "window_kind.h"
#include "window_setup.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace rurozovizera::ui {

namespace {

constexpr WindowSpec kWindow{
    "frmSplash", nullptr, {3930, 6540, 7380, 4245}, SplashWindow::kDialogFrameWidth};
constexpr TwipsRect kFrame{120, 120, 7080, 4050};

const QString kSnowflakes = QStringLiteral(":/pictures/snowflakes.bmp");

constexpr FontSpec kArial{"Arial", 8.25};

// The same snowflakes on either side of the product name.
constexpr PictureSpec kPictures[] = {{"Image3", {240, 480, 1290, 1590}},
                                     {"Image2", {5640, 480, 1290, 1590}}};

// Every label: white on the dark navy ground. Positions are within Frame1.
constexpr LabelSpec label(const char* name, const char* caption, TwipsRect box, FontSpec font,
                          Qt::Alignment alignment = Qt::AlignLeft, bool autoSize = false) {
    return {name, caption, box, font, kWhite, kDarkNavy, alignment, autoSize};
}

// clang-format off
const LabelSpec kLabels[] = {
    label("Label2", "Have A Good Winter!", {240, 2040, 3015, 1335}, {"Roman", 27.75, true}),
    label("LblStyle", "The Calculator With Style.", {2040, 1200, 3615, 495}, {"MS Sans Serif", 13.5, true}),
    label("Label1", "(Click To Close)", {3000, 3480, 1215, 375}, kDefaultFont),
    label("lblCopyright", "Copyright \u00A9 2026 Frost Works", {4560, 3060, 2415, 255}, kArial),
    label("lblCompany", "Made by Frost Works", {4560, 3270, 2415, 255}, kArial),
    label("lblVersion", "Version", {3300, 2700, 3585, 285}, {"Arial", 12, true}, Qt::AlignRight, true),
    label("lblPlatform", "RuRozovizera", {4830, 2340, 2025, 360}, {"Arial", 15.75, true}, Qt::AlignRight, true),
    label("lblLicenseTo", "", {120, 120, 6855, 375}, kArial, Qt::AlignRight),
    label("lblCompanyProduct", "RURozovizera", {2640, 705, 2310, 435}, {"Arial", 18, true}, Qt::AlignLeft, true),
};
// clang-format on

// Only "(Click To Close)" passes its clicks on to the frame, which closes the
// window; the other labels and the pictures swallow theirs.
constexpr const char* kClickToClose = "Label1";

} // namespace

SplashWindow::SplashWindow() {
    setUpWindow(this, kWindow);
    // A splash window: desktops give such a window no title bar, no caption
    // and no way to resize, maximise or minimise it, yet it still takes
    // clicks and the keyboard focus. It draws its own fixed dialog frame
    // around the client area.
    setFixedSize(size());
    setUndecoratedKind(this);
    // It shows no caption; a screen reader still needs a name for it.
    setAccessibleName(QStringLiteral("RuRozovizera greeting"));
    // The window takes every key press itself; none of its controls takes
    // the focus.
    setFocusPolicy(Qt::StrongFocus);

    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("clientArea"));
    clientArea_->setGeometry(
        QRect(QPoint(kDialogFrameWidth, kDialogFrameWidth), kWindow.clientArea.toPixels().size()));
    // Until its content is asked for, the window system shows the window
    // without content.
    setUpdatesEnabled(false);
    clientArea_->hide();
}

void SplashWindow::showContent() {
    if (updatesEnabled())
        return;
    buildContent();
    clientArea_->show();
    setUpdatesEnabled(true);
}

void SplashWindow::buildContent() {
    auto* frame = new QFrame(clientArea_);
    // Screen readers meet the frame as a group of the splash window's content, without
    // the empty lblLicenseTo; the toolkit would offer it as a frame, which
    // screen readers take for a window.
    offerToScreenReaders(frame, QAccessible::Grouping);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(kFrame.toPixels());

    for (const PictureSpec& spec : kPictures) {
        auto* picture = new PictureBox(frame, spec.name, kSnowflakes, spec.box);
        picture->setAttribute(Qt::WA_NoMousePropagation);
        picture->setAccessibleName(QStringLiteral("snowflakes"));
    }
    for (const LabelSpec& spec : kLabels) {
        QLabel* created = createLabel(frame, spec);
        if (qstrcmp(spec.name, kClickToClose) != 0)
            created->setAttribute(Qt::WA_NoMousePropagation);
    }

    // The version caption is built with the content, before it is first
    // drawn, from the running program's version numbers.
    setAutoSizedCaption(frame->findChild<QLabel*>(QStringLiteral("lblVersion")),
                        QStringLiteral("Version %1.%2.%3")
                            .arg(version::major)
                            .arg(version::minor)
                            .arg(version::revision));
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    // The client area's margin and Frame1 close the window (clicks on the
    // frame and on "(Click To Close)" come here through them); the dialog
    // frame around the client area does not.
    if (clientArea_->geometry().contains(event->position().toPoint()))
        close();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    // The fixed dialog frame: a raised double edge and a line of the face
    // colour, as window managers draw around dialogs.
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
    painter.setPen(palette().color(QPalette::Button));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that type a character close the window, Enter, Escape and
    // Backspace among them; arrows, function keys and lone modifiers do not.
    const int key = event->key();
    const bool typesCharacter = !event->text().isEmpty() || key == Qt::Key_Escape ||
                                key == Qt::Key_Return || key == Qt::Key_Enter ||
                                key == Qt::Key_Backspace;
    if (typesCharacter)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace rurozovizera::ui
