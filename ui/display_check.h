// Telling the user plainly why the windows cannot be shown: no display to
// show them on, or a windowing toolkit that cannot start, instead of letting
// the toolkit abort the program.
#pragma once

namespace rurozovizera::ui {

#ifdef _WIN32
// Windows always has its desktop to show the windows on, and its platform
// starts without a display to open.
inline bool namesUnknownPlatform(int, char*[]) { return false; }
inline void reportUnknownPlatform(int, char*[]) {}
inline bool mayHaveDisplay(int, char*[]) { return true; }
inline void reportMissingDisplay() {}
class PlatformStartWatch {};
#else
// Whether the platform chosen by hand (the last -platform on the command
// line, or else QT_QPA_PLATFORM) names none that the toolkit has a plugin
// for. A plugin found is the toolkit's to load, or to fail to.
[[nodiscard]] bool namesUnknownPlatform(int argc, char* argv[]);

// Prints what is set and the platforms available, in two lines.
void reportUnknownPlatform(int argc, char* argv[]);

// Whether there may be a display: a platform chosen by hand, an X11
// display (DISPLAY or -display), or a Wayland display whose socket exists.
[[nodiscard]] bool mayHaveDisplay(int argc, char* argv[]);

// Prints what is missing and how to run the calculator, in two lines.
void reportMissingDisplay();

// Watches the windowing platform start while it lives, around the
// application object's construction. A platform that cannot start is a
// fatal error to the toolkit, which would abort the program with a core;
// this reports it plainly and exits with status 1 instead. When the display
// cannot be reached, the report says so; any other failure passes on the
// toolkit's own messages, which name its platform plugin, and adds one line
// naming the cause. The toolkit's messages meanwhile are held back and
// passed on when the platform has started, so a failed start for want of a
// display prints nothing but the report.
class PlatformStartWatch {
public:
    PlatformStartWatch();
    ~PlatformStartWatch();
    PlatformStartWatch(const PlatformStartWatch&) = delete;
    PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;
};
#endif

} // namespace rurozovizera::ui
