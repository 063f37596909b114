// startup-floor: the least a Qt Widgets window of the calculator's size and
// make-up costs to start. One main window, 250 pixels wide, with a menu bar
// (File with Exit, About, and one more entry), a line edit and 24 push
// buttons in fixed places, in Qt's own style, fonts and colours; nothing
// else. The start-up benchmark compares the calculator with it.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include <array>

namespace {

constexpr int kClientWidth = 250;
constexpr int kClientHeight = 198;

} // namespace

int main(int argc, char* argv[]) {
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
    window.show();
    return QApplication::exec();
}
