// frmSplash: the greeting card shown beside the calculator at start-up. A
// click on its margin, its frame or "(Click To Close)", or any key that
// types a character, closes it for good.
#pragma once

#include <QWidget>

#include <functional>

namespace rurozovizera::ui {

class SplashWindow : public QWidget {
public:
    // With `drawnFirst`, the card is on screen at once but draws nothing
    // until that window has first been drawn; right after, it builds its
    // content and draws. The calculator window, which the user works in, so
    // reaches the screen first and is not kept waiting by the card.
    explicit SplashWindow(QWidget* drawnFirst = nullptr);

    // Runs `action` once the card has drawn its first frame and handed it to
    // the window system (at once if it has).
    void whenDrawn(std::function<void()> action);

    // Width in pixels of the fixed dialog frame drawn around the client area.
    static constexpr int kDialogFrameWidth = 3;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame with the pictures and labels, and the version caption.
    void buildContent();

    QWidget* clientArea_;
    bool drawn_ = false;
    std::function<void()> whenDrawn_;
};

} // namespace rurozovizera::ui
