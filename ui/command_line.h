// The calculator's command line: its own two options, answered before the
// windowing toolkit starts so that they need no display and open no window,
// and the toolkit's options, which the toolkit takes itself.
#pragma once

#include <optional>
#include <string_view>

namespace rurozovizera::ui {

// Answers --help or --version, whichever comes first on the command line,
// on standard output. Returns the exit status when the program is to stop
// there; any other argument is left to the toolkit, which takes its own
// options, and the rest is ignored.
[[nodiscard]] std::optional<int> answerOwnOptions(int argc, char* argv[]);

// The value given to the last of the toolkit's option NAME ("-NAME value"
// or "--NAME value", as the toolkit reads them), if the command line has it.
[[nodiscard]] std::optional<std::string_view> toolkitOption(int argc, char* argv[],
                                                            std::string_view name);

} // namespace rurozovizera::ui
