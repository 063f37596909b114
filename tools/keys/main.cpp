// rurozovizera-keys: drives the calculator from standard input, one command
// a line, and reports its state after each command as a line of JSON.
// Exit status 0 at the end of input, 2 at the first line that is not a
// command.
#include "json_text.h"
#include "key_driver.h"

#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>

int main() {
    // Take the user's locale as the windowed program does; the calculator's
    // number rules must not depend on it.
    std::setlocale(LC_ALL, "");
    std::ios::sync_with_stdio(false);

    rurozovizera::keys::KeyDriver driver;
    std::string line;
    for (long number = 1; std::getline(std::cin, line); ++number) {
        if (line.empty())
            continue;
        const auto output = driver.run(line);
        if (!output) {
            std::cerr << "rurozovizera-keys: line " << number
                      << " is not a command: " << rurozovizera::keys::encodeJsonString(line)
                      << '\n';
            return 2;
        }
        std::cout << *output << '\n' << std::flush;
    }
    return 0;
}
