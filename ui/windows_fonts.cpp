#include "windows_fonts.h"

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
    // Windows' Roman and Modern are stroke fonts, which Qt lists but its
    // font engines, drawing outlines and bitmaps, draw as nothing: the
    // headings set in them would come out empty. Their look-alikes always
    // stand in.
    if (std::strcmp(family, "Roman") == 0 || std::strcmp(family, "Modern") == 0)
        return nullptr;
    // MS Sans Serif is a bitmap font in a few sizes only; its outline twin
    // draws every size the layouts ask for.
    if (std::strcmp(family, "MS Sans Serif") == 0)
        family = "Microsoft Sans Serif";
    return installed(family) ? family : nullptr;
}

void loadShippedStandIns() {
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    // The look-alikes are in the program's own resources.
    const QDir folder(QStringLiteral(":/fonts"));
    for (const QString& file : folder.entryList(QDir::Files, QDir::Name))
        QFontDatabase::addApplicationFont(folder.filePath(file));
}

} // namespace rurozovizera::ui
