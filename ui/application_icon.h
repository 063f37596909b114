#pragma once

#include <QIcon>

namespace rurozovizera::ui {

// The application icon, 16 and 32 pixels square (and 64 for scaled
// screens); shared by the main, About and help-example windows.
QIcon applicationIcon();

} // namespace rurozovizera::ui
