// rurozovizera: the calculator's windows.
#include "display_check.h"
#include "look.h"
#include "main_window.h"
#include "rurozovizera/version.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    using namespace rurozovizera::ui;
    if (!mayHaveDisplay()) {
        reportMissingDisplay();
        return 1;
    }
    auto watch = std::make_unique<PlatformStartWatch>();
    QApplication application(argc, argv);
    watch.reset();
    QApplication::setApplicationName(QStringLiteral("RuRozovizera"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(rurozovizera::version::applicationId));
    QApplication::setFont(kDefaultFont.toFont());

    MainWindow window;
    window.showAtStart();
    return QApplication::exec();
}
