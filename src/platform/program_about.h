#pragma once

#include <iostream>
#include <optional>
#include <string_view>

// The two questions every program of the project answers alone on its command line: --help
// prints usage to standard output, --version the program's name and the project's version. The
// exit status to end with, or nothing when the command line asks neither.
namespace jex {

inline std::optional<int> answerAbout(int argc, char** argv, std::string_view program,
                                      std::string_view usage) {
    if (argc != 2) return std::nullopt;
    const std::string_view flag = argv[1];
    if (flag == "--help")
        std::cout << usage;
    else if (flag == "--version")
        std::cout << program << ' ' << JEX_VERSION << '\n';
    else
        return std::nullopt;
    return 0;
}

}  // namespace jex
