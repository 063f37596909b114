#include "window_kind.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef RUROZOVIZERA_HAVE_XCB
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#endif

namespace rurozovizera::ui {

namespace {

#ifdef RUROZOVIZERA_HAVE_XCB
xcb_intern_atom_cookie_t askForAtom(xcb_connection_t* connection, const char* name) {
    return xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atom(xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

// The splash window names itself a toolbar to the window manager, a kind of window
// that every common window manager shows without a title bar or frame when
// asked (the toolkit asks for none), places where the program says, and lets
// no one resize, maximise or minimise. The splash kind would name it better,
// but KDE's window manager keeps a splash window above every other window of
// its program, the calculator window included; the toolkit's own splash
// window is moreover transient for the whole program, which does the same
// under any window manager.
//
// The splash window also leaves the program's window group: window managers keep a
// window of this kind that belongs to a group above the group's other
// windows.
bool setX11ToolbarKind(QWidget* window) {
    // Other platforms may offer the interface too, without a connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection)
        return false;
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    const auto id = static_cast<xcb_window_t>(window->winId());

    // Every question is sent before any answer is awaited: one round trip
    // to the X server at start, not three.
    const xcb_intern_atom_cookie_t typeCookie = askForAtom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_intern_atom_cookie_t toolbarCookie =
        askForAtom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR");
    // WM_HINTS: nine 32-bit fields, the flags first; the toolkit keeps the
    // other fields when it changes them later.
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9);

    const xcb_atom_t type = atom(connection, typeCookie);
    const xcb_atom_t toolbar = atom(connection, toolbarCookie);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1,
                        &toolbar);
    constexpr std::uint32_t kWindowGroupHint = 1U << 6;
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
            auto* fields = static_cast<std::uint32_t*>(xcb_get_property_value(reply));
            fields[0] &= ~kWindowGroupHint;
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS,
                                XCB_ATOM_WM_HINTS, 32, reply->value_len, fields);
        }
        std::free(reply);
    }
    xcb_flush(connection);
    return true;
}
#endif

} // namespace

void setUndecoratedKind(QWidget* window) {
#ifdef RUROZOVIZERA_HAVE_XCB
    if (setX11ToolbarKind(window))
        return;
#endif
    // Frameless, so that a Wayland compositor is asked for no decoration of
    // its own either.
    window->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
}

bool windowsMapBeforeDrawing() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace rurozovizera::ui
