// Telling the user plainly why the windows cannot be shown: a platform chosen
// that is not installed, or no display to show them on, both asked before the
// windowing toolkit starts; and a platform that the toolkit cannot start
// ending the program with status 1 instead of an abort.
#pragma once

#include <QString>

namespace rurozovizera::ui {

// What the platforms that the toolkit is to try have, asked before it starts.
struct PlatformCheck {
    // The platform chosen by hand (the last -platform on the command line, or
    // else QT_QPA_PLATFORM) names none that the toolkit has a plugin for.
    bool unknownPlatform = false;
    // None of the platforms has a display that answers, and each one's
    // plugin loads: the windows have nowhere to go.
    bool noDisplay = false;
    // Why a platform's plugin cannot be loaded, in the plugin loader's words,
    // when no display answers and one cannot; the toolkit is then left to try
    // it and say so itself.
    QString pluginFailure;
};

#ifdef _WIN32
// Windows always has its desktop to show the windows on, and its platform
// starts without a display to open.
inline PlatformCheck checkPlatforms(int, char*[]) { return {}; }
inline void reportUnknownPlatform(int, char*[]) {}
inline void reportMissingDisplay() {}
class PlatformStartWatch {
public:
    explicit PlatformStartWatch(const QString&) {}
};
#else
// Asks which platforms the toolkit is to try (those chosen by hand that are
// installed, or else X11 and Wayland where a display of theirs is set) and
// whether the display of one of them answers: an X server that takes a
// connection, a Wayland socket that accepts one. A platform of neither kind
// has no display to ask. When none answers, asks the plugin loader whether
// each platform's plugin loads.
[[nodiscard]] PlatformCheck checkPlatforms(int argc, char* argv[]);

// Prints what is set and the platforms available, in two lines.
void reportUnknownPlatform(int argc, char* argv[]);

// Prints what is missing and how to run the calculator, in two lines.
void reportMissingDisplay();

// Watches the toolkit start its platform while it lives, around the
// application object's construction. The toolkit's messages pass on
// unchanged; a fatal one, with which the toolkit would abort the program
// with a core, is followed by a line naming the plugin's failure, when one
// is known, and the program exits with status 1.
class PlatformStartWatch {
public:
    explicit PlatformStartWatch(const QString& pluginFailure);
    ~PlatformStartWatch();
    PlatformStartWatch(const PlatformStartWatch&) = delete;
    PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;
};
#endif

} // namespace rurozovizera::ui
