// Window layouts are stored in twips, 1/1440 inch: 15 twips make one pixel
// at 96 dots per inch. Converting to Qt's device-independent pixels lets Qt's
// high-DPI scaling keep the windows sharp on a scaled screen.
#pragma once

#include <QRect>

namespace rurozovizera::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) { return twips / kTwipsPerPixel; }

// A control's box as stored: Left, Top, Width, Height in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    [[nodiscard]] QRect toPixels() const {
        return {pixels(left), pixels(top), pixels(width), pixels(height)};
    }
};

} // namespace rurozovizera::ui
