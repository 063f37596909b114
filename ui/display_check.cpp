#include "display_check.h"

#include "command_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace rurozovizera::ui {

namespace {

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

QString environmentPluginFolder() {
    return QString::fromLocal8Bit(variable("QT_QPA_PLATFORM_PLUGIN_PATH"));
}

// The platforms chosen by hand, as the toolkit takes them (the last
// -platform on the command line before QT_QPA_PLATFORM), where they were set,
// for messages, and the folder of plugins the toolkit is to look in first
// (-platformpluginpath before QT_QPA_PLATFORM_PLUGIN_PATH).
struct PlatformChoice {
    QString names;
    QString setting; // empty when nothing was chosen
    QString pluginFolder = environmentPluginFolder();
};

PlatformChoice platformChoice(int argc, char* argv[]) {
    PlatformChoice choice;
    if (const auto folder = toolkitOption(argc, argv, "platformpluginpath"))
        choice.pluginFolder = QString::fromLocal8Bit(*folder);
    if (const auto option = toolkitOption(argc, argv, "platform")) {
        choice.names = QString::fromLocal8Bit(*option);
        choice.setting = QStringLiteral("-platform \"%1\"").arg(choice.names);
    } else if (const char* names = variable("QT_QPA_PLATFORM")) {
        choice.names = QString::fromLocal8Bit(names);
        choice.setting = QStringLiteral("QT_QPA_PLATFORM=\"%1\"").arg(choice.names);
    }
    return choice;
}

// The platforms the toolkit has a plugin for, by name in small letters (the
// toolkit matches names in any case), each with the file of the first plugin
// that declares it where the toolkit looks: the folder of its own that the
// program is given, then "platforms" in each plugin folder.
std::map<QString, QString> platformPlugins(const QString& ownFolder) {
    QStringList folders;
    if (!ownFolder.isEmpty())
        folders << ownFolder;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    std::map<QString, QString> plugins;
    for (const QDir folder : folders) {
        for (const QString& name : folder.entryList(QDir::Files)) {
            const QString file = folder.absoluteFilePath(name);
            const QJsonValue data = QPluginLoader(file).metaData()[QStringLiteral("MetaData")];
            for (const auto& key : data[QStringLiteral("Keys")].toArray())
                plugins.emplace(key.toString().toLower(), file);
        }
    }
    return plugins;
}

QString availablePlatforms(const QString& ownFolder) {
    QStringList names;
    for (const auto& [name, file] : platformPlugins(ownFolder))
        names << name;
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// The platforms the toolkit is to try, in turn: those of the list chosen by
// hand that are installed (names separated by ";", each perhaps followed by
// ":" and the platform's arguments), or else X11 and Wayland where a display
// of theirs is set.
QStringList platformsToTry(int argc, char* argv[], const PlatformChoice& choice) {
    QStringList names;
    if (choice.setting.isEmpty()) {
        if (variable("DISPLAY") || toolkitOption(argc, argv, "display"))
            names << QStringLiteral("xcb");
        if (variable("WAYLAND_DISPLAY"))
            names << QStringLiteral("wayland");
        return names;
    }
    const auto plugins = platformPlugins(choice.pluginFolder);
    for (const QString& entry : choice.names.split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0, QString::SectionSkipEmpty).toLower();
        if (plugins.contains(name))
            names << name;
    }
    return names;
}

// Whether the Wayland compositor's socket accepts a connection: the one
// WAYLAND_DISPLAY names, by its path or within the runtime folder. A socket
// handed over in WAYLAND_SOCKET is connected already.
bool waylandAnswers() {
    if (variable("WAYLAND_SOCKET"))
        return true;
    const char* name = variable("WAYLAND_DISPLAY");
    const char* runtime = variable("XDG_RUNTIME_DIR");
    std::string path = name ? name : "wayland-0";
    if (path.front() != '/' && runtime)
        path = std::string(runtime) + '/' + path;
    sockaddr_un address{AF_UNIX, {}};
    if (path.front() != '/' || path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool answers =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return answers;
}

// Whether the display that the platform would show the windows on answers:
// for X11, a server that takes a connection on -display's display or else
// DISPLAY's. A platform of neither X11 nor Wayland has no display to ask.
bool displayAnswers(const QString& platform, int argc, char* argv[]) {
    if (platform == QLatin1String("xcb")) {
        const auto display = toolkitOption(argc, argv, "display");
        xcb_connection_t* connection =
            xcb_connect(display ? std::string(*display).c_str() : nullptr, nullptr);
        const bool answers = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return answers;
    }
    return platform.startsWith(QLatin1String("wayland")) ? waylandAnswers() : true;
}

QtMessageHandler toolkitHandler = nullptr;
std::string failureLine;

// Passes each message on as it is; after a fatal one, adds the failure when
// it is known and exits with status 1, where the toolkit would abort.
void passOn(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    toolkitHandler(type, context, message);
    if (type != QtFatalMsg)
        return;
    std::fputs(failureLine.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

PlatformCheck checkPlatforms(int argc, char* argv[]) {
    const PlatformChoice choice = platformChoice(argc, argv);
    const QStringList platforms = platformsToTry(argc, argv, choice);
    PlatformCheck check;
    if (!choice.setting.isEmpty() && platforms.isEmpty()) {
        check.unknownPlatform = true;
        return check;
    }
    for (const QString& platform : platforms) {
        if (displayAnswers(platform, argc, argv))
            return check;
    }
    // No display answers. A plugin that cannot be loaded stops the toolkit
    // before any display is tried, though: the toolkit is left to say so, and
    // its plugin loader, asked to load the same file, tells why.
    const auto plugins = platformPlugins(choice.pluginFolder);
    for (const QString& platform : platforms) {
        if (!plugins.contains(platform))
            continue;
        QPluginLoader loader(plugins.at(platform));
        if (!loader.load()) {
            check.pluginFailure = QStringLiteral("its platform plugin \"%1\" cannot be loaded: %2")
                                      .arg(platform, loader.errorString());
            return check;
        }
    }
    check.noDisplay = true;
    return check;
}

void reportUnknownPlatform(int argc, char* argv[]) {
    const PlatformChoice choice = platformChoice(argc, argv);
    std::fprintf(stderr,
                 "rurozovizera: %s names no windowing platform that is installed.\n"
                 "It must name one of the platforms available: %s.\n",
                 qPrintable(choice.setting), qPrintable(availablePlatforms(choice.pluginFolder)));
}

void reportMissingDisplay() {
    const auto shown = [](const char* name) {
        const char* value = variable(name);
        return std::string(name) + (value ? "=\"" + std::string(value) + '"' : " not set");
    };
    std::fprintf(stderr,
                 "rurozovizera: no display to show the calculator on (%s, %s, %s).\n"
                 "Start it in a desktop session, or set DISPLAY or WAYLAND_DISPLAY to a running "
                 "display; QT_QPA_PLATFORM, if set, must be one of the platforms available: "
                 "%s.\n",
                 shown("DISPLAY").c_str(), shown("WAYLAND_DISPLAY").c_str(),
                 shown("QT_QPA_PLATFORM").c_str(),
                 qPrintable(availablePlatforms(environmentPluginFolder())));
}

PlatformStartWatch::PlatformStartWatch(const QString& pluginFailure) {
    if (!pluginFailure.isEmpty())
        failureLine = "rurozovizera: the windowing toolkit cannot start: " +
                      pluginFailure.toLocal8Bit().toStdString() + ".\n";
    toolkitHandler = qInstallMessageHandler(passOn);
}

PlatformStartWatch::~PlatformStartWatch() { qInstallMessageHandler(toolkitHandler); }

} // namespace rurozovizera::ui
