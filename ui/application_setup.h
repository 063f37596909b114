// The application-wide settings every window relies on.
#pragma once

namespace rurozovizera::ui {

// Gives the running application its name and desktop entry, the default
// text font the layouts assume, a light palette whatever the desktop's, and
// the application icon, which every window without an icon of its own shows.
// The program applies these at start, and the window tests to theirs, so
// that both see the same windows.
void configureApplication();

} // namespace rurozovizera::ui
