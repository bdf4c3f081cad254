// jexhost: hosts one control without a display and drives it from JSON Lines, one request per
// line on standard input and one answer per line on standard output.
#include <iostream>
#include <string>

#include "host_session.h"
#include "platform/program_about.h"

namespace {

constexpr const char* kUsage =
    "usage: jexhost\n"
    "       Hosts one control without a display: one JSON request per line on standard input,\n"
    "       one JSON answer per line on standard output, until the input ends.\n"
    "       jexhost --help | --version\n";

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto answered = jex::answerAbout(argc, argv, "jexhost", kUsage)) return *answered;
    jex::host::HostSession session;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (isBlank(line)) continue;
        // Flushed at once: the other side may wait for this answer before it writes more.
        std::cout << session.handle(line) << '\n' << std::flush;
    }
    session.release();
    return 0;
}
