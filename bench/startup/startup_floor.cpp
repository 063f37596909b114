// startup-floor: the least a Qt Widgets window of the calculator's size and
// make-up costs to start. One main window, 250 pixels wide, with a menu bar
// (File with Exit, About, and one more entry), a line edit and 24 push
// buttons in fixed places, in Qt's own style, fonts and colours; nothing
// else. The start-up benchmark compares the calculator with it.
//
//   startup-floor [--splash-first]
//
// With --splash-first the same window comes up as the calculator's does:
// a frameless splash-type window of the splash window's size, with a dark
// ground and one label, is created and shown first, and the main window is
// then shown in front of it and made active.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include <array>
#include <cstring>
#include <memory>

namespace {

constexpr int kClientWidth = 250;
constexpr int kClientHeight = 198;

// The splash window's client area and the frame it draws around it, and
// where its client area is stored, in pixels.
constexpr int kSplashClientWidth = 492;
constexpr int kSplashClientHeight = 283;
constexpr int kSplashFrame = 3;
constexpr int kSplashLeft = 262;
constexpr int kSplashTop = 436;

void showInFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

std::unique_ptr<QWidget> createSplash() {
    auto splash = std::make_unique<QWidget>(nullptr, Qt::SplashScreen);
    QPalette ground = splash->palette();
    ground.setColor(QPalette::Window, QColor::fromRgb(0, 0, 64));
    ground.setColor(QPalette::WindowText, Qt::white);
    splash->setPalette(ground);
    splash->setAutoFillBackground(true);
    splash->setGeometry(kSplashLeft - kSplashFrame, kSplashTop - kSplashFrame,
                        kSplashClientWidth + 2 * kSplashFrame,
                        kSplashClientHeight + 2 * kSplashFrame);
    auto* label = new QLabel(QStringLiteral("Start-up Floor"), splash.get());
    label->move(2 * kSplashFrame + 8, 2 * kSplashFrame + 8);
    return splash;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool splashFirst = argc > 1 && std::strcmp(argv[1], "--splash-first") == 0;
    QApplication application(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Start-up Floor"));

    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    QObject::connect(exit, &QAction::triggered, &application, &QApplication::quit);
    window.menuBar()->addAction(QStringLiteral("About"));
    window.menuBar()->addAction(QStringLiteral("Help"));

    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    auto* display = new QLineEdit(client);
    display->setGeometry(8, 0, 233, 25);

    // Six columns of four keys.
    constexpr std::array<const char*, 24> kCaptions = {
        "MC", "MRC", "M+", "Sqrt", "%", "C", "7", "8", "9", "/", "*", "^",
        "4",  "5",   "6",  "-",    "+", "=", "1", "2", "3", "0", ".", "TT"};
    for (int i = 0; i < static_cast<int>(kCaptions.size()); ++i) {
        auto* key =
            new QPushButton(QString::fromLatin1(kCaptions[static_cast<std::size_t>(i)]), client);
        key->setGeometry(8 + 40 * (i % 6), 40 + 32 * (i / 6), 33, 25);
    }

    window.resize(kClientWidth, kClientHeight + window.menuBar()->sizeHint().height());

    std::unique_ptr<QWidget> splash;
    if (splashFirst) {
        splash = createSplash();
        showInFront(splash.get());
        showInFront(&window);
    } else {
        window.show();
    }
    return QApplication::exec();
}
