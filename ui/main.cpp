// rurozovizera: the calculator's windows.
#include "look.h"
#include "main_window.h"
#include "rurozovizera/version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Whether there is a screen to show the windows on: a platform chosen by
// hand, or an X11 or Wayland display.
bool haveDisplay() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!haveDisplay()) {
        std::fputs("rurozovizera: no display to show the calculator on "
                   "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RuRozovizera"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(rurozovizera::version::applicationId));
    QApplication::setFont(rurozovizera::ui::kDefaultFont.toFont());

    rurozovizera::ui::MainWindow window;
    window.showAtStart();
    return QApplication::exec();
}
