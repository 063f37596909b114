// The fonts of the windows on Windows: the layouts' own fonts where Windows
// has them and Qt draws them, and the look-alikes the program carries where
// it lacks one (Comic Sans MS is not on every Windows, nor anywhere under
// Wine) or has it only as a stroke font (Roman, Modern).
#pragma once

namespace rurozovizera::ui {

// The name under which Windows has a font the layouts name: the name itself,
// or for MS Sans Serif its outline successor, Microsoft Sans Serif. Null
// when it has neither, and always for Roman and Modern, Windows' stroke
// fonts, which the toolkit does not draw.
[[nodiscard]] const char* windowsFamily(const char* family);

// Makes the look-alike fonts in the program's resources known to this
// process, once; they are installed nowhere.
void loadShippedStandIns();

} // namespace rurozovizera::ui
