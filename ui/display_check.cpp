#include "display_check.h"

#include "command_line.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <optional>
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

QString environmentPluginFolder() {
    return QString::fromLocal8Bit(variable("QT_QPA_PLATFORM_PLUGIN_PATH"));
}

// The platform plugins the toolkit can choose from, by the platform names
// they declare, found where the toolkit looks: the folder of its own that the
// program is given (-platformpluginpath, or else QT_QPA_PLATFORM_PLUGIN_PATH),
// then "platforms" in each plugin folder. A file that is no plugin declares
// nothing and is not listed.
std::multimap<QString, QString>
platformPlugins(const QString& ownFolder = environmentPluginFolder()) {
    QStringList folders;
    if (!ownFolder.isEmpty())
        folders << ownFolder;
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    std::multimap<QString, QString> plugins;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files)) {
            const QString file = dir.absoluteFilePath(name);
            const QJsonObject data =
                QPluginLoader(file).metaData().value(QStringLiteral("MetaData")).toObject();
            for (const auto& key : data.value(QStringLiteral("Keys")).toArray())
                plugins.emplace(key.toString(), file);
        }
    }
    return plugins;
}

QString availablePlatforms(const QString& ownFolder = environmentPluginFolder()) {
    QStringList names;
    for (const auto& [name, file] : platformPlugins(ownFolder))
        if (!names.contains(name))
            names << name;
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// The platforms chosen by hand, as the toolkit takes them: the last
// -platform on the command line before QT_QPA_PLATFORM; where they were set,
// for messages; and the folder of plugins the toolkit is to look in first.
struct PlatformChoice {
    QString names;
    QString setting;
    QString pluginFolder;
};

std::optional<PlatformChoice> platformChoice(int argc, char* argv[]) {
    const auto text = [](std::string_view value) {
        return QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size()));
    };
    QString pluginFolder = environmentPluginFolder();
    if (const auto folder = toolkitOption(argc, argv, "platformpluginpath"))
        pluginFolder = text(*folder);
    if (const auto names = toolkitOption(argc, argv, "platform"))
        return PlatformChoice{text(*names), QStringLiteral("-platform \"%1\"").arg(text(*names)),
                              pluginFolder};
    if (const char* names = variable("QT_QPA_PLATFORM"))
        return PlatformChoice{
            text(names), QStringLiteral("QT_QPA_PLATFORM=\"%1\"").arg(text(names)), pluginFolder};
    return std::nullopt;
}

// The display named could not be reached: the X11 platform found no server,
// or the Wayland platform no compositor.
bool displayUnreachable(const std::vector<HeldMessage>& messages) {
    for (const HeldMessage& message : messages) {
        if (message.text.startsWith(QLatin1String("could not connect to display")) ||
            message.text.startsWith(QLatin1String("Failed to create wl_display")))
            return true;
    }
    return false;
}

// Why the platform that the toolkit's messages name did not start, in the
// program's own words.
QString platformFailure(const std::vector<HeldMessage>& messages) {
    static const QRegularExpression named(QStringLiteral("platform plugin \"([^\"]+)\""));
    QString platform;
    for (const HeldMessage& message : messages) {
        if (const auto match = named.match(message.text); match.hasMatch()) {
            platform = match.captured(1);
            break;
        }
    }
    if (platform.isEmpty())
        return QStringLiteral("its windowing platform did not start (see above)");
    const auto plugins = platformPlugins();
    const auto [first, last] = plugins.equal_range(platform);
    if (first == last)
        return QStringLiteral("there is no platform \"%1\"; the platforms available are %2")
            .arg(platform, availablePlatforms());
    // The toolkit keeps why a plugin failed to load to itself; the loader
    // says it again, naming the library that is missing or broken.
    for (auto plugin = first; plugin != last; ++plugin) {
        if (!dlopen(QFile::encodeName(plugin->second).constData(), RTLD_LAZY | RTLD_LOCAL))
            return QStringLiteral("its platform plugin \"%1\" cannot be loaded: %2")
                .arg(platform, QString::fromLocal8Bit(dlerror()));
    }
    return QStringLiteral("its platform \"%1\" did not start (see above)").arg(platform);
}

void passOn(const HeldMessage& message, QtMsgType type) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    toolkitHandler(type, context, message.text);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    held->push_back({type, context.file, context.line, context.function, context.category, text});
    if (type != QtFatalMsg)
        return;
    if (displayUnreachable(*held)) {
        reportMissingDisplay();
    } else {
        // The toolkit's fatal message is passed on as a critical one, which
        // does not abort.
        for (const HeldMessage& message : *held)
            passOn(message, message.type == QtFatalMsg ? QtCriticalMsg : message.type);
        std::fprintf(stderr, "rurozovizera: the windowing toolkit cannot start: %s.\n",
                     qPrintable(platformFailure(*held)));
    }
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

bool namesUnknownPlatform(int argc, char* argv[]) {
    const auto choice = platformChoice(argc, argv);
    if (!choice)
        return false;
    const auto plugins = platformPlugins(choice->pluginFolder);
    // The toolkit tries each name of a list separated by ";" in turn; a name
    // may be followed by ":" and the platform's arguments.
    for (const QString& entry : choice->names.split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(u':', Qt::SkipEmptyParts);
        if (parts.isEmpty())
            continue;
        for (const auto& [name, file] : plugins) {
            if (name.compare(parts.first(), Qt::CaseInsensitive) == 0)
                return false;
        }
    }
    return true;
}

void reportUnknownPlatform(int argc, char* argv[]) {
    const auto choice = platformChoice(argc, argv);
    if (!choice)
        return;
    std::fprintf(stderr,
                 "rurozovizera: %s names no windowing platform that is installed.\n"
                 "It must name one of the platforms available: %s.\n",
                 qPrintable(choice->setting), qPrintable(availablePlatforms(choice->pluginFolder)));
}

bool mayHaveDisplay(int argc, char* argv[]) {
    if (platformChoice(argc, argv) || variable("DISPLAY") || toolkitOption(argc, argv, "display"))
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
                 "display; QT_QPA_PLATFORM, if set, must be one of the platforms available: "
                 "%s.\n",
                 qPrintable(shown("DISPLAY")), qPrintable(shown("WAYLAND_DISPLAY")),
                 qPrintable(shown("QT_QPA_PLATFORM")), qPrintable(availablePlatforms()));
}

PlatformStartWatch::PlatformStartWatch() {
    held = new std::vector<HeldMessage>;
    toolkitHandler = qInstallMessageHandler(holdMessage);
}

PlatformStartWatch::~PlatformStartWatch() {
    qInstallMessageHandler(toolkitHandler);
    for (const HeldMessage& message : *held)
        passOn(message, message.type);
    delete held;
    held = nullptr;
}

} // namespace rurozovizera::ui
