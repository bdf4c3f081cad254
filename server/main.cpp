// jexdiscussions-server: serves the discussion page of an order database until SIGINT or SIGTERM,
// or (with --generate) writes a generated order into the database and exits.

#include <signal.h>

#include <charconv>
#include <chrono>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "basic_auth.h"
#include "discussion_server.h"
#include "order_generator.h"
#include "platform/program_about.h"

namespace {

struct Options {
    std::string database;
    std::string host = "127.0.0.1";
    int port = 0;
    int readTimeoutSeconds = static_cast<int>(jex::server::kDefaultReadTimeout.count());
    std::string authFile;              // empty: no credentials asked
    jex::server::StoreOptions store;   // how a new store is set up
    jex::server::OrderShape generate;  // an order ID asks for generation instead of serving
};

constexpr const char* kUsage =
    "usage: jexdiscussions-server --db <file | postgresql://...> [--port N] [--host H]\n"
    "                             [--read-timeout SECONDS] [--auth-file F] [--grant-to ROLE]\n"
    "         F: one line user:password; ROLE: given the rights a server needs (PostgreSQL)\n"
    "       jexdiscussions-server --db <file | postgresql://...> --generate <order> --issues N\n"
    "                             --comments M\n"
    "       jexdiscussions-server --help | --version\n";

std::optional<int> parseNumber(std::string_view text, int max) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (number < 0 || number > max) return std::nullopt;
    return number;
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
            const auto port = parseNumber(value, 65535);
            if (!port) return std::nullopt;
            options.port = *port;
        } else if (name == "--read-timeout") {
            const auto seconds = parseNumber(value, 3600);
            if (!seconds || *seconds == 0) return std::nullopt;
            options.readTimeoutSeconds = *seconds;
        } else if (name == "--auth-file") {
            options.authFile = value;
        } else if (name == "--grant-to") {
            options.store.grantTo = value;
        } else if (name == "--generate") {
            options.generate.orderId = value;
        } else if (name == "--issues" || name == "--comments") {
            const auto count = parseNumber(value, 32767);
            if (!count) return std::nullopt;
            (name == "--issues" ? options.generate.issues : options.generate.comments) = *count;
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

// The owner's start that sets the database up for the servers' role, and ends: a server serving
// as the owner could do all that the role may not.
int setUp(const Options& options) {
    try {
        const auto store = jex::server::openOrderStore(options.database, options.store);
        std::cout << "set up " << store->description() << " for " << options.store.grantTo
                  << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "jexdiscussions-server: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

int generate(const Options& options) {
    try {
        const auto store = jex::server::openOrderStore(options.database, options.store);
        jex::server::generateOrder(*store->connect(), options.generate);
    } catch (const std::exception& error) {
        std::cerr << "jexdiscussions-server: " << error.what() << '\n';
        return 1;
    }
    std::cout << "generated " << options.generate.orderId << ": " << options.generate.issues
              << " issues, " << options.generate.comments << " comments" << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto answered = jex::answerAbout(argc, argv, "jexdiscussions-server", kUsage))
        return *answered;
    const auto options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    if (!options->generate.orderId.empty()) return generate(*options);
    if (!options->store.grantTo.empty()) return setUp(*options);
    const sigset_t stopSignals = blockStopSignals();
    try {
        jex::server::DiscussionServer server(options->database, options->store);
        server.setReadTimeout(std::chrono::seconds(options->readTimeoutSeconds));
        if (!options->authFile.empty()) {
            server.requireCredentials(jex::server::readCredentialsFile(options->authFile));
        }
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
