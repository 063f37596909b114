#include "start_up.h"

#include "main_window.h"
#include "splash_window.h"
#include "window_kind.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace rurozovizera::ui {

namespace {

// Runs an action once a window has drawn its first frame and handed it to
// the window system: the frame is handed over in the same turn of the event
// loop as the window's Paint event, so the action runs in the next one.
class AfterFirstFrame : public QObject {
public:
    AfterFirstFrame(QWidget* window, std::function<void()> action)
        : QObject(window), action_(std::move(action)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(action_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

void afterFirstFrame(QWidget* window, std::function<void()> action) {
    new AfterFirstFrame(window, std::move(action));
}

} // namespace

void startUp(MainWindow& calculator) {
    // While the window system puts up the splash window, the calculator makes
    // ready what its own first drawing would wait for longest.
    calculator.prepareFirstDrawing();
    const QPointer<SplashWindow> splash = calculator.splash();
    if (windowsMapBeforeDrawing()) {
        // X11: a window is on screen once mapped, drawn or not, and the
        // splash window was mapped first. The calculator comes up in front
        // at once; the splash window draws its content only after the
        // calculator's first frame, so that the window the user works in is
        // not kept waiting for it.
        calculator.showAtStart();
        afterFirstFrame(&calculator, [splash] {
            if (splash)
                splash->showContent();
        });
    } else {
        // Wayland: a window reaches the screen only with its first frame. The
        // splash window draws at once, and the calculator comes up once that
        // frame is handed over: second, in front, and given the focus.
        splash->showContent();
        afterFirstFrame(splash, [&calculator] { calculator.showAtStart(); });
    }
}

} // namespace rurozovizera::ui
