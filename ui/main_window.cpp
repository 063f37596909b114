#include "main_window.h"

#include "about_window.h"
#include "accessible_view.h"
#include "display_box.h"
#include "help_window.h"
#include "key_button.h"
#include "keypad_layout.h"
#include "label.h"
#include "picture_box.h"
#include "splash_window.h"
#include "window_setup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>

#include <algorithm>
#include <map>

namespace rurozovizera::ui {

namespace {

constexpr TwipsRect kClientArea{5370, 3480, 3750, 2970};
constexpr TwipsRect kBackground{-240, -120, 4185, 3135};
constexpr LabelSpec kNote{.name = "lblREM",
                          .caption = "NOTE: Press Equals  after every sum.",
                          .box = {360, 360, 3015, 255},
                          .font = {"Comic Sans MS", 8.25}};
// Opaque in the default colours, and always covered by a display box.
constexpr LabelSpec kInfo{.name = "LblInfo", .caption = "", .box = {1080, 0, 1575, 255}};

const QString kTitle = QStringLiteral("RuRozovizera");

std::size_t indexOf(Key key) { return static_cast<std::size_t>(key); }

DisplayBox* createDisplay(QWidget* parent, const char* name) {
    auto* display = new DisplayBox(parent);
    display->setObjectName(QString::fromLatin1(name));
    display->setGeometry(kDisplayBox.toPixels());
    // The two boxes take turns on screen; either is the display.
    display->setAccessibleName(QStringLiteral("display"));
    QPalette face = display->palette();
    face.setColor(QPalette::Base, fromBgr(kKeyFace));
    display->setPalette(face);
    return display;
}

} // namespace

MainWindow::MainWindow() {
    setObjectName(QStringLiteral("FrmRURozovizera"));
    setWindowTitle(QStringLiteral("RuRozovizera(Frost Figures)"));
    // The default resizable frame with all its buttons: window managers
    // differ on whether a resizable window may lose its maximise button,
    // so the frame keeps it. The layout does not follow the window's size.

    buildClientArea();
    buildMenu();
    setTabOrder();
    const QRect client = kClientArea.toPixels();
    // The stored place is the client area's, below the menu bar; the menu
    // bar, which the toolkit draws within the window, goes above it, where
    // the menu bar of the desktop the layouts come from would be.
    const int menuHeight = menuBarHeightAt(client.width());
    const QSize windowSize = client.size() + QSize(0, menuHeight);
    // The keys keep their places whatever the window's size: it may grow,
    // but never shrink over them.
    setMinimumSize(windowSize);
    placeWindow(this, windowSize, client.topLeft() - QPoint(0, menuHeight));

    // The load step: the splash window comes up first, then the calculator
    // takes its start state.
    splash_ = new SplashWindow;
    showInFront(splash_);
    showState();
}

int MainWindow::menuBarHeightAt(int width) {
    // The height the window's layout gives the menu bar, which some styles
    // (Windows' own among them) make a pixel taller than its size hint. The
    // layout leaves no room for a menu bar that is hidden, as every control
    // is until its window is first shown.
    menuBar()->setVisible(true);
    resize(width, height());
    layout()->activate();
    return menuBar()->height();
}

MainWindow::~MainWindow() {
    delete splash_;
    delete about_;
    delete help_;
}

SplashWindow* MainWindow::splash() const { return splash_; }
AboutWindow* MainWindow::about() const { return about_; }
HelpWindow* MainWindow::help() const { return help_; }

void MainWindow::buildClientArea() {
    auto* client = new QWidget(this);
    offerToScreenReaders(client, QAccessible::Client); // without the empty LblInfo
    setCentralWidget(client);

    // Pictures and labels lie beneath the display boxes and keys.
    hills_ =
        new PictureBox(client, "Image2", QStringLiteral(":/pictures/background.bmp"), kBackground);
    hills_->setAccessibleName(QStringLiteral("snowy hills"));
    createLabel(client, kInfo)->setAutoFillBackground(true);
    createLabel(client, kNote);

    primaryDisplay_ = createDisplay(client, "TxtDisplay");
    secondaryDisplay_ = createDisplay(client, "txtdisplay2");
    // The user's own typing goes into the engine's state at once, so the next
    // key reads it. Only the box on view takes typing, and the engine puts
    // typing into the display on view.
    for (DisplayBox* box : {primaryDisplay_, secondaryDisplay_}) {
        connect(box, &DisplayBox::textEdited, this,
                [this](const QString& text) { calculator_.type(text.toStdString()); });
    }

    for (const KeyPlacement& placement : kKeyPlacements) {
        const KeySpec& spec = keySpec(placement.key);
        auto* button = new KeyButton(
            client, placement.name,
            QString::fromLatin1(spec.caption.data(), static_cast<int>(spec.caption.size())),
            placement.box, placement.font);
        button->setAccessibleName(QString::fromLatin1(placement.spokenName));
        connect(button, &QPushButton::clicked, this,
                [this, key = placement.key] { pressKey(key); });
        keys_[indexOf(placement.key)] = button;
    }
    helpKey_ = new KeyButton(client, kHelpKeyName, QStringLiteral("?"), kHelpKeyBox,
                             {"Comic Sans MS", 8.25});
    helpKey_->setAccessibleName(QString::fromLatin1(kHelpKeySpokenName));
    connect(helpKey_, &QPushButton::clicked, this, &MainWindow::showHelpExample);
    // The keyboard stays with the display: a click on a key leaves the focus
    // where it was, so that typing after a click goes on into the display;
    // only Tab brings the focus onto a key.
    for (QPushButton* key : client->findChildren<QPushButton*>())
        key->setFocusPolicy(Qt::TabFocus);
}

void MainWindow::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = mnuFile->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("MnuExit"));
    connect(exit, &QAction::triggered, this, &MainWindow::endApplication);

    // "About" and "Frost Figures!" act at once, with no list to open.
    QAction* about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("MnuAbout"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    QAction* winter = menuBar()->addAction(QStringLiteral("Frost Figures!"));
    winter->setObjectName(QStringLiteral("mnuWinter"));
}

void MainWindow::setTabOrder() {
    std::map<int, QWidget*> byTabIndex{{kPrimaryDisplayTabIndex, primaryDisplay_},
                                       {kSecondaryDisplayTabIndex, secondaryDisplay_},
                                       {kHelpKeyTabIndex, helpKey_}};
    for (const KeyPlacement& placement : kKeyPlacements)
        byTabIndex.emplace(placement.tabIndex, keys_[indexOf(placement.key)]);
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : byTabIndex) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::prepareFirstDrawing() {
    // What the first drawing would wait for longest: a font for each size and
    // weight of the captions, and the stretched background.
    for (const QWidget* control : centralWidget()->findChildren<QWidget*>())
        QFontMetrics(control->font()).height();
    hills_->prepare();
}

void MainWindow::showAtStart() {
    showInFront(this);
    primaryDisplay_->setFocus();
}

void MainWindow::pressKey(Key key) {
    const PressResult outcome = press(calculator_, key);
    if (key == Key::Clear && splash_)
        splash_->hide();
    // A failed key changed nothing: the displays still show what they showed
    // before it while the report is up, and the calculator goes on after it.
    if (outcome.error)
        reportError(*outcome.error);
    showState();
}

void MainWindow::showState() {
    const bool primaryOnView = calculator_.primary().visible;
    DisplayBox* onView = primaryOnView ? primaryDisplay_ : secondaryDisplay_;
    DisplayBox* offView = primaryOnView ? secondaryDisplay_ : primaryDisplay_;
    QPushButton* equals = keys_[indexOf(Key::Equals)];
    // A control hidden or disabled under the keyboard focus hands it on to
    // the next control in the tab order: a key, which typing does not reach
    // and the next Enter or Space would click. When an operation key hides
    // the display that has the focus, or Equals disables itself after a
    // result, the display on view takes the focus first.
    QWidget* focused = focusWidget();
    const bool focusGoes =
        focused == offView || (focused == equals && !calculator_.equalsEnabled());

    const auto showText = [](DisplayBox* box, const Display& display) {
        const QString text = QString::fromStdString(display.text);
        if (box->text() != text)
            box->setKeysText(text);
    };
    showText(primaryDisplay_, calculator_.primary());
    showText(secondaryDisplay_, calculator_.secondary());
    onView->show();
    if (focusGoes)
        onView->setFocus();
    offView->hide();
    equals->setEnabled(calculator_.equalsEnabled());
}

void MainWindow::reportError(CalcError error) {
    const std::string_view name = describe(error);
    QString named = QString::fromLatin1(name.data(), static_cast<int>(name.size()));
    named[0] = named[0].toUpper();
    // Two short lines in one text: the message box sizes itself to its
    // longest line, which leaves room for the title, where a second, wrapped
    // text would shrink it to its longest word.
    const QString text =
        named + QStringLiteral(".\nThe key was not carried out; the calculator is as it was.");
    QMessageBox report(QMessageBox::Critical, kTitle, text, QMessageBox::Ok, this);
    report.setObjectName(QStringLiteral("errorReport"));
    report.setTextFormat(Qt::PlainText);
    report.exec();
}

void MainWindow::showHelpExample() {
    if (!help_)
        help_ = new HelpWindow;
    showInFront(help_);
}

void MainWindow::showAbout() {
    if (!about_)
        about_ = new AboutWindow;
    showInFront(about_);
}

void MainWindow::endApplication() {
    // Every window goes at once and no window's closing handler runs.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    endApplication();
}

} // namespace rurozovizera::ui
