// jexhost: hosts one control without a display and drives it from JSON Lines, one request per
// line on standard input and one answer per line on standard output.
#include <iostream>
#include <string>

#include "host_session.h"

namespace {

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

int main() {
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
