// rurozovizera-keys: drives the calculator from standard input, one command
// a line, and reports its state after each command as a line of JSON.
//
// A line ends at "\n" or "\r\n" (scripts saved on Windows), and a UTF-8
// byte-order mark at the start of the input is skipped. Exit status 0 at
// the end of input, 2 at the first line that is not a command (or an
// argument that is not an option), and 1 when the input cannot be read or
// any output cannot be written: a driver whose report was lost never says
// it succeeded.
#include "json_text.h"
#include "key_driver.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>
#include <optional>
#include <rurozovizera/version.h>
#include <string>
#include <string_view>
#include <unistd.h>
#ifdef _WIN32
#include <algorithm>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr std::string_view kProgram = "rurozovizera-keys: ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// How much of a bad line its message quotes.
constexpr std::size_t kQuotedCharacters = 80;

// Writes the whole text to standard output, taking up again after a short
// write. False when a write fails, with errno saying why.
bool writeAll(std::string_view text) {
    while (!text.empty()) {
#ifdef _WIN32
        // Windows' write takes an unsigned int count and returns an int.
        const long written =
            ::_write(STDOUT_FILENO, text.data(),
                     static_cast<unsigned>(std::min<std::size_t>(text.size(), INT_MAX)));
#else
        const ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
#endif
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int fail(std::string_view what, int error) {
    std::cerr << kProgram << what << ": " << std::strerror(error) << '\n';
    return 1;
}

std::string usage() {
    std::string keys;
    for (const rurozovizera::KeySpec& spec : rurozovizera::kKeypad)
        keys.append(" ").append(spec.caption);
    return "Usage: rurozovizera-keys [--help | --version]\n"
           "Drives the calculator from standard input, one command a line, and writes\n"
           "its whole state after each command as one line of JSON.\n"
           "\n"
           "A command is a key, written as its caption:\n"
           " " +
           keys +
           "\n"
           "or type and one JSON string literal, the user's typing, which replaces\n"
           "the text of the display on view:\n"
           "  type \"1 2\"\n"
           "Empty lines are skipped; a line ends at \\n or \\r\\n.\n"
           "\n"
           "Each report holds key, primary, primary_visible, secondary,\n"
           "secondary_visible, equals_enabled, pending_key and memory (exactly, as\n"
           "C's %a writes them), error (null, or the error of a key that failed and\n"
           "so changed nothing) and ignored (the Equals key while disabled).\n"
           "\n"
           "Exit status: 0 at the end of the input; 2 at a line that is not a\n"
           "command, or an unknown option; 1 when the input cannot be read or the\n"
           "output cannot be written.\n";
}

// Answers --help and --version; anything else is refused. Returns the exit
// status when the program is to stop at once.
std::optional<int> takeArguments(int argc, char* argv[]) {
    if (argc < 2)
        return std::nullopt;
    const std::string_view argument = argv[1];
    if (argument == "--help") {
        std::cout << usage() << std::flush;
        return std::cout ? 0 : fail("cannot write standard output", errno);
    }
    if (argument == "--version") {
        std::cout << "rurozovizera-keys " << rurozovizera::version::major << '.'
                  << rurozovizera::version::minor << '.' << rurozovizera::version::revision << '\n'
                  << std::flush;
        return std::cout ? 0 : fail("cannot write standard output", errno);
    }
    std::cerr << kProgram
              << (argument.starts_with('-') ? "unknown option " : "takes no arguments, not ")
              << rurozovizera::keys::encodeJsonString(argument)
              << ": the commands come on standard input (see --help)\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    // Take the user's locale as the windowed program does; the calculator's
    // number rules must not depend on it.
    std::setlocale(LC_ALL, "");
#ifdef _WIN32
    // Scripts and reports are bytes, the same as on Linux: a "\n" is
    // neither read from "\r\n" nor written as "\r\n", and a Ctrl-Z does
    // not end the input.
    for (FILE* stream : {stdin, stdout, stderr})
        _setmode(_fileno(stream), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    if (const auto status = takeArguments(argc, argv))
        return *status;
    // Someone at a terminal sees at once what the silence is waiting for.
    if (::isatty(STDIN_FILENO))
        std::cerr << kProgram << "reading commands from the terminal, one a line "
                  << "(--help lists them); Ctrl+D ends" << std::endl;

    rurozovizera::keys::KeyDriver driver;
    std::string line;
    for (long number = 1; std::getline(std::cin, line); ++number) {
        // getline stops at "\n"; a "\r" before it belongs to the line end.
        // A "\r" that ends the input without a "\n" is part of the line.
        if (line.ends_with('\r') && !std::cin.eof())
            line.pop_back();
        if (number == 1 && line.starts_with(kByteOrderMark))
            line.erase(0, kByteOrderMark.size());
        if (line.empty())
            continue;
        auto output = driver.run(line);
        if (!output) {
            std::cerr << kProgram << "line " << number << " is not a command: "
                      << rurozovizera::keys::quoteStart(line, kQuotedCharacters) << ": "
                      << rurozovizera::keys::refusal(line) << '\n';
            return 2;
        }
        output->push_back('\n');
        if (!writeAll(*output))
            return fail("cannot write standard output", errno);
    }
    if (std::cin.bad())
        return fail("cannot read standard input", errno);
    // Where writes are only checked when the file is closed (on some
    // network file systems), the close reports the failure. Standard output
    // closed from the start is fine when nothing was written to it.
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF)
        return fail("cannot write standard output", errno);
    return 0;
}
