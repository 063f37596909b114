// Telling the user plainly that there is no display to show the windows on,
// instead of letting the windowing toolkit abort the program.
#pragma once

namespace rurozovizera::ui {

#ifdef _WIN32
// Windows always has its desktop to show the windows on, and its platform
// starts without a display to open.
inline bool mayHaveDisplay() { return true; }
inline void reportMissingDisplay() {}
class PlatformStartWatch {};
#else
// Whether there may be a display: a platform chosen by hand, an X11
// display, or a Wayland display whose socket exists.
[[nodiscard]] bool mayHaveDisplay();

// Prints what is missing and how to run the calculator, in two lines.
void reportMissingDisplay();

// Watches the windowing platform start while it lives, around the
// application object's construction. A display that cannot be opened is a
// fatal error to the toolkit, which would abort the program with a core;
// this reports it plainly and exits with status 1 instead. The toolkit's
// other messages meanwhile are held back and passed on when the platform
// has started, so a failed start prints nothing but the report.
class PlatformStartWatch {
public:
    PlatformStartWatch();
    ~PlatformStartWatch();
    PlatformStartWatch(const PlatformStartWatch&) = delete;
    PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;
};
#endif

} // namespace rurozovizera::ui
