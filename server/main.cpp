// jexdiscussions-server: serves the discussion page of an order database until SIGINT or SIGTERM.

#include <signal.h>

#include <charconv>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "discussion_server.h"

namespace {

struct Options {
    std::string database;
    std::string host = "127.0.0.1";
    int port = 0;
};

constexpr const char* kUsage = "usage: jexdiscussions-server --db <file> [--port N] [--host H]\n";

std::optional<int> parsePort(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (port < 0 || port > 65535) return std::nullopt;
    return port;
}

// The options, or nothing when an argument is unknown, lacks its value or is malformed.
std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const std::string_view value = argv[++i];
        if (name == "--db") {
            options.database = value;
        } else if (name == "--host") {
            options.host = value;
        } else if (name == "--port") {
            const auto port = parsePort(value);
            if (!port) return std::nullopt;
            options.port = *port;
        } else {
            return std::nullopt;
        }
    }
    if (options.database.empty()) return std::nullopt;
    return options;
}

// Blocks the stop signals in this thread and in every thread started after it, so that only
// waitForStopSignal() receives them.
sigset_t blockStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

void waitForStopSignal(const sigset_t& signals) {
    int received = 0;
    sigwait(&signals, &received);
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    const sigset_t stopSignals = blockStopSignals();
    try {
        jex::server::DiscussionServer server(options->database);
        const int port = server.start(options->host, options->port);
        std::cout << "listening on http://" << options->host << ":" << port << "/" << std::endl;
        waitForStopSignal(stopSignals);
        server.stop();
    } catch (const std::exception& error) {
        std::cerr << "jexdiscussions-server: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
