// frmSplash: the greeting card shown beside the calculator at start-up. A
// click on its margin, its frame or "(Click To Close)", or any key that
// types a character, closes it for good.
#pragma once

#include <QWidget>

namespace rurozovizera::ui {

class SplashWindow : public QWidget {
public:
    SplashWindow();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rurozovizera::ui
