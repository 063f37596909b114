#include "window_setup.h"

#include "accessible_view.h"
#include "look.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace rurozovizera::ui {

void placeWindow(QWidget* window, QSize clientSize, QPoint storedPosition) {
    QPoint position = storedPosition;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        position.setX(
            std::clamp(position.x(), available.left(),
                       std::max(available.left(), available.right() - clientSize.width())));
        position.setY(
            std::clamp(position.y(), available.top(),
                       std::max(available.top(), available.bottom() - clientSize.height())));
    }
    // The stored position is the client area's: placed by its own area, not
    // by the frame a window manager adds around it.
    window->setGeometry(QRect(position, clientSize));
}

void setUpWindow(QWidget* window, const WindowSpec& spec) {
    offerToScreenReaders(window, QAccessible::Window);
    window->setObjectName(QString::fromLatin1(spec.name));
    if (spec.title)
        window->setWindowTitle(QString::fromUtf8(spec.title));
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QRect client = spec.clientArea.toPixels();
    const QPoint frame(spec.frameWidth, spec.frameWidth);
    placeWindow(window, client.size() + 2 * QSize(frame.x(), frame.y()), client.topLeft() - frame);
    setGround(window, kDarkNavy);
}

void setGround(QWidget* widget, std::uint32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, fromBgr(bgr));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void showInFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace rurozovizera::ui
