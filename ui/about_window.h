// FrmAbout: the About window. Its OK button, Enter and Escape hide it; the
// main window's next "About" shows it again as it was.
#pragma once

#include <QWidget>

class QPushButton;

namespace rurozovizera::ui {

class AboutWindow : public QWidget {
public:
    AboutWindow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* cmdOK_;
};

} // namespace rurozovizera::ui
