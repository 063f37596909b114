// rurozovizera: the calculator's windows.
#include "application_setup.h"
#include "command_line.h"
#include "display_check.h"
#include "main_window.h"
#include "start_up.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    using namespace rurozovizera::ui;
    if (const auto status = answerOwnOptions(argc, argv))
        return *status;
    if (namesUnknownPlatform(argc, argv)) {
        reportUnknownPlatform(argc, argv);
        return 1;
    }
    if (!mayHaveDisplay(argc, argv)) {
        reportMissingDisplay();
        return 1;
    }
    auto watch = std::make_unique<PlatformStartWatch>();
    QApplication application(argc, argv);
    watch.reset();
    configureApplication();

    MainWindow window;
    startUp(window);
    return QApplication::exec();
}
