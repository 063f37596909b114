// Colours and fonts as the window layouts store them.
#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

namespace rurozovizera::ui {

// Stored colours are 0x00BBGGRR: blue in the high byte.
inline QColor fromBgr(std::uint32_t bgr) {
    return QColor::fromRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                           static_cast<int>((bgr >> 16) & 0xFF));
}

inline constexpr std::uint32_t kKeyFace = 0x00FFFFC0;  // pale cyan: keys and displays
inline constexpr std::uint32_t kDarkNavy = 0x00400000; // window grounds
inline constexpr std::uint32_t kNavy = 0x00800000;     // the About window's labels
inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kBlack = 0x00000000;
inline constexpr std::uint32_t kRed = 0x000000FF;
inline constexpr std::uint32_t kGrey = 0x00808080;

// A font as a layout names it. The layouts name fonts that free desktops
// lack; toFont() gives the freely licensed look-alike from the distribution
// that stands in for it, so the windows look the same on every machine.
struct FontSpec {
    const char* family;
    double points;
    bool bold = false;
    bool italic = false;

    [[nodiscard]] QFont toFont() const;
};

// The toolkit's default text font, used where a layout names none.
inline constexpr FontSpec kDefaultFont{"MS Sans Serif", 8.25};

} // namespace rurozovizera::ui
