#include "display_check.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace rurozovizera::ui {

namespace {

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// A Wayland display names a socket, by its path or within the runtime
// folder.
bool waylandSocketExists(const char* name) {
    std::string path = name;
    if (path.front() != '/') {
        const char* runtime = variable("XDG_RUNTIME_DIR");
        if (!runtime)
            return false;
        path = std::string(runtime) + '/' + path;
    }
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// One message the toolkit sent while the platform started, to pass on.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler toolkitHandler = nullptr;
std::vector<HeldMessage>* held = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        reportMissingDisplay();
        std::fflush(stderr);
        std::_Exit(1);
    }
    held->push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

bool mayHaveDisplay() {
    if (variable("QT_QPA_PLATFORM") || variable("DISPLAY"))
        return true;
    const char* wayland = variable("WAYLAND_DISPLAY");
    return wayland && waylandSocketExists(wayland);
}

void reportMissingDisplay() {
    const auto shown = [](const char* name) {
        const char* value = variable(name);
        return value ? QStringLiteral("%1=\"%2\"")
                           .arg(QLatin1String(name), QString::fromLocal8Bit(value))
                     : QStringLiteral("%1 not set").arg(QLatin1String(name));
    };
    std::fprintf(stderr,
                 "rurozovizera: no display to show the calculator on (%s, %s, %s).\n"
                 "Start it in a desktop session, or set DISPLAY or WAYLAND_DISPLAY to a running "
                 "display; QT_QPA_PLATFORM, if set, must be xcb or wayland.\n",
                 qPrintable(shown("DISPLAY")), qPrintable(shown("WAYLAND_DISPLAY")),
                 qPrintable(shown("QT_QPA_PLATFORM")));
}

PlatformStartWatch::PlatformStartWatch() {
    held = new std::vector<HeldMessage>;
    toolkitHandler = qInstallMessageHandler(holdMessage);
}

PlatformStartWatch::~PlatformStartWatch() {
    qInstallMessageHandler(toolkitHandler);
    for (const HeldMessage& message : *held) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        toolkitHandler(message.type, context, message.text);
    }
    delete held;
    held = nullptr;
}

} // namespace rurozovizera::ui
