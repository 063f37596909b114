#include "display_check.h"

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

// The platform plugins the toolkit can choose from, by the platform names
// they declare, found where the toolkit looks: the folder that
// QT_QPA_PLATFORM_PLUGIN_PATH names, then "platforms" in each plugin folder.
// A file that is no plugin declares nothing and is not listed.
std::multimap<QString, QString> platformPlugins() {
    QStringList folders;
    if (const char* own = variable("QT_QPA_PLATFORM_PLUGIN_PATH"))
        folders << QString::fromLocal8Bit(own);
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

QString availablePlatforms() {
    QStringList names;
    for (const auto& [name, file] : platformPlugins())
        if (!names.contains(name))
            names << name;
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
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
