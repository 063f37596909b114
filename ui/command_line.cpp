#include "command_line.h"

#include "rurozovizera/version.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

namespace rurozovizera::ui {

namespace {

// The toolkit's options that take the next argument as their value: its
// platform's, its applications' and X11's. Their values are never read as
// options, so that a window title "--help" stays a title.
constexpr std::string_view kToolkitOptionsWithValue[] = {"-platform",
                                                         "-platformpluginpath",
                                                         "-platformtheme",
                                                         "-plugin",
                                                         "-qwindowgeometry",
                                                         "-geometry",
                                                         "-qwindowtitle",
                                                         "-title",
                                                         "-qwindowicon",
                                                         "-icon",
                                                         "-session",
                                                         "-style",
                                                         "-stylesheet",
                                                         "-display",
                                                         "-name",
                                                         "-visual"};

// One argument of the command line that is an option: as given, as the
// toolkit reads it ("--name" as "-name"), and the argument after it when
// that is its value.
struct Option {
    std::string_view text;
    std::string_view name;
    const char* value;
};

// Calls visit with each option of the command line in order, until it
// returns false.
template <typename Visit>
void forEachOption(int argc, char* argv[], Visit visit) {
    for (int i = 1; i < argc; ++i) {
        if (!argv[i] || argv[i][0] != '-')
            continue;
        Option option{argv[i], argv[i], nullptr};
        if (option.name.starts_with("--"))
            option.name.remove_prefix(1);
        if (std::ranges::find(kToolkitOptionsWithValue, option.name) !=
                std::end(kToolkitOptionsWithValue) &&
            i + 1 < argc)
            option.value = argv[++i];
        if (!visit(option))
            return;
    }
}

std::string usage() {
    std::string text =
        "Usage: rurozovizera [--help | --version | QT-OPTION...]\n"
        "A small winter-themed desktop calculator. It opens its windows on the\n"
        "desktop, and of its arguments it reads only these:\n"
        "  --help              print this help and exit\n"
        "  --version           print the version and exit\n"
        "\n"
        "Qt, its windowing toolkit, takes its own options, among them:\n"
        "  -platform NAME      the windowing platform, instead of QT_QPA_PLATFORM's\n"
#ifndef _WIN32
        "                      or the desktop's: xcb (X11), wayland, offscreen...\n"
        "  -platformpluginpath FOLDER\n"
        "                      a folder to look in first for the platform's plugin\n"
        "  -display DISPLAY    the X11 display, instead of DISPLAY's\n"
#endif
        "  -style NAME         the widget style, such as Fusion or Windows\n"
        "Any other argument is ignored.\n";
#ifndef _WIN32
    text += "\nThe manual page tells more: man rurozovizera\n";
#endif
    return text;
}

std::string versionLine() {
    return "rurozovizera " + std::to_string(version::major) + '.' + std::to_string(version::minor) +
           '.' + std::to_string(version::revision) + '\n';
}

int print(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "rurozovizera: cannot write standard output: %s\n",
                     std::strerror(errno));
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> answerOwnOptions(int argc, char* argv[]) {
    std::optional<int> status;
    forEachOption(argc, argv, [&](const Option& option) {
        if (option.text == "--help")
            status = print(usage());
        else if (option.text == "--version")
            status = print(versionLine());
        return !status;
    });
    return status;
}

std::optional<std::string_view> toolkitOption(int argc, char* argv[], std::string_view name) {
    std::optional<std::string_view> value;
    forEachOption(argc, argv, [&](const Option& option) {
        if (option.value && option.name.substr(1) == name)
            value = option.value;
        return true;
    });
    return value;
}

} // namespace rurozovizera::ui
