// frmSplash: the splash window shown beside the calculator at start-up. A
// click on its margin, its frame or "(Click To Close)", or any key that
// types a character, closes it for good.
#pragma once

#include <QWidget>

namespace rurozovizera::ui {

class SplashWindow : public QWidget {
public:
    // The window draws nothing until its content is asked for: shown, it
    // stands on screen empty meanwhile.
    SplashWindow();

    // Builds the pictures, the labels and the version caption, and draws
    // them; once only.
    void showContent();

    // Width in pixels of the fixed dialog frame drawn around the client area.
    static constexpr int kDialogFrameWidth = 3;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The frame with the pictures and labels, and the version caption.
    void buildContent();

    QWidget* clientArea_;
};

} // namespace rurozovizera::ui
