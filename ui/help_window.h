// FrmExp1: the help example, a static window that shows how to chain
// additions. It has no handlers; the user closes it with its frame.
#pragma once

#include <QWidget>

namespace rurozovizera::ui {

class HelpWindow : public QWidget {
public:
    HelpWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace rurozovizera::ui
