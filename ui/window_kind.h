// Telling the desktop what kind of window the splash window is, so that
// every window manager and compositor shows it as one: no title bar, no
// frame of the desktop's, no way to resize, maximise or minimise it, and
// beneath the calculator window rather than kept above it.
#pragma once

class QWidget;

namespace rurozovizera::ui {

// Gives `window`, a top-level window not yet shown, the kind the desktop
// shows undecorated: on X11 a toolbar of no window group, elsewhere a
// frameless splash screen.
void setUndecoratedKind(QWidget* window);

// Whether a window is on screen as soon as it is shown, drawn or not, as on
// X11, rather than only once it has drawn its first frame, as on Wayland.
[[nodiscard]] bool windowsMapBeforeDrawing();

} // namespace rurozovizera::ui
