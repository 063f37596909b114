// The fonts of the windows on Windows: the layouts' own fonts where Windows
// has them, and the look-alikes shipped beside the program where it lacks
// one (Comic Sans MS is not on every Windows, nor anywhere under Wine).
#pragma once

namespace rurozovizera::ui {

// The name under which Windows has a font the layouts name: the name itself,
// or for MS Sans Serif its outline successor, Microsoft Sans Serif (the old
// one is a bitmap font the toolkit does not draw). Null when it has neither.
[[nodiscard]] const char* windowsFamily(const char* family);

// Makes the look-alike fonts in the fonts folder beside the program known
// to this process, once; they are installed nowhere.
void loadShippedStandIns();

} // namespace rurozovizera::ui
