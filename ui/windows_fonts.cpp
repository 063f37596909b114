#include "windows_fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QString>

#include <cstring>
#include <map>
#include <string>

namespace rurozovizera::ui {

namespace {

bool installed(const char* family) {
    // The answer does not change while the program runs; asking the font
    // database each time would search it for every control.
    static std::map<std::string, bool> known;
    const auto [entry, fresh] = known.try_emplace(family, false);
    if (fresh)
        entry->second = QFontDatabase::hasFamily(QString::fromLatin1(family));
    return entry->second;
}

} // namespace

const char* windowsFamily(const char* family) {
    if (std::strcmp(family, "MS Sans Serif") == 0)
        family = "Microsoft Sans Serif";
    return installed(family) ? family : nullptr;
}

void loadShippedStandIns() {
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    const QStringList files = folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")},
                                               QDir::Files, QDir::Name);
    for (const QString& file : files)
        QFontDatabase::addApplicationFont(folder.filePath(file));
}

} // namespace rurozovizera::ui
