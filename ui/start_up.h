// The order the windows come up in at start, on every platform: the splash
// window is the first window on screen, and the calculator window comes up
// after it, in front, active, with the caret in its display.
#pragma once

namespace rurozovizera::ui {

class MainWindow;

// Brings up a calculator window whose load step has just shown its splash
// window.
void startUp(MainWindow& calculator);

} // namespace rurozovizera::ui
