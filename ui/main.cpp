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
    const PlatformCheck check = checkPlatforms(argc, argv);
    if (check.unknownPlatform) {
        reportUnknownPlatform(argc, argv);
        return 1;
    }
    if (check.noDisplay) {
        reportMissingDisplay();
        return 1;
    }
    auto watch = std::make_unique<PlatformStartWatch>(check.pluginFailure);
    QApplication application(argc, argv);
    watch.reset();
    configureApplication();

    MainWindow window;
    startUp(window);
    return QApplication::exec();
}
