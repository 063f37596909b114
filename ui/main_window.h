// FrmRURozovizera: the calculator window and the application's start-up
// window. Each key's click presses that key on the engine and the window
// then shows the engine's state; the window itself computes nothing. It
// owns the three other windows, each created on first use.
#pragma once

#include "calculator.h"
#include "keypad.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QPushButton;

namespace rurozovizera::ui {

class AboutWindow;
class DisplayBox;
class HelpWindow;
class PictureBox;
class SplashWindow;

class MainWindow : public QMainWindow {
public:
    // Creates the window and runs its load step: the splash window is
    // created and shown, and the calculator takes its start state.
    MainWindow();
    ~MainWindow() override;

    // Makes ready what the window's first drawing would wait for longest.
    void prepareFirstDrawing();
    // Shows the window in front of the others, active, with the caret in the
    // primary display (startUp() calls it in its turn).
    void showAtStart();

    [[nodiscard]] const Calculator& calculator() const { return calculator_; }
    // The secondary windows, or null while not created (or closed).
    [[nodiscard]] SplashWindow* splash() const;
    [[nodiscard]] AboutWindow* about() const;
    [[nodiscard]] HelpWindow* help() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildClientArea();
    void buildMenu();
    void setTabOrder();
    // The menu bar's height as the window lays it out at the given width.
    int menuBarHeightAt(int width);

    void pressKey(Key key);
    void showState();
    void reportError(CalcError error);
    void showHelpExample();
    void showAbout();
    void endApplication();

    Calculator calculator_;
    DisplayBox* primaryDisplay_ = nullptr;
    DisplayBox* secondaryDisplay_ = nullptr;
    std::array<QPushButton*, kKeyCount> keys_{}; // by Key
    QPushButton* helpKey_ = nullptr;
    PictureBox* hills_ = nullptr;

    QPointer<SplashWindow> splash_;
    QPointer<AboutWindow> about_;
    QPointer<HelpWindow> help_;
};

} // namespace rurozovizera::ui
