// The calculator's command line: its own two options, answered before the
// windowing toolkit starts so that they need no display and open no window.
#pragma once

#include <optional>

namespace rurozovizera::ui {

// Answers --help or --version, whichever comes first on the command line,
// on standard output. Returns the exit status when the program is to stop
// there; any other argument is left to the toolkit, which takes its own
// options, and the rest is ignored.
[[nodiscard]] std::optional<int> answerOwnOptions(int argc, char* argv[]);

} // namespace rurozovizera::ui
