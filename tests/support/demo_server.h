#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "discussion_server.h"
#include "support/temp_path.h"

namespace jex::test {

// The discussion server on a demo store of its own, listening on a free port.
struct DemoServer {
    // On a fresh SQLite demo database, a file named after stem.
    explicit DemoServer(const std::string& stem) : DemoServer(stem, {}) {}
    // On the store connection names (as --db takes it), or on a fresh SQLite file named after stem
    // when connection is empty.
    DemoServer(const std::string& stem, const std::string& connection)
        : database(stem),
          server(connection.empty() ? database.path().string() : connection),
          url("http://127.0.0.1:" + std::to_string(server.start())) {}

    TempPath database;  // the SQLite file, when the server runs on one
    server::DiscussionServer server;
    std::string url;
};

// The store a demo suite runs on by default: a SQLite file of its own.
struct SqliteDemoStore {
    static std::string connection() { return {}; }
};

// A suite whose tests share one demo server, started before the first of them, on the store
// Store::connection() names.
template <class Store = SqliteDemoStore>
struct DemoSuiteOn : ::testing::Test {
    static void SetUpTestSuite() {
        s_demo = std::make_unique<DemoServer>("demo-suite", Store::connection());
    }
    static void TearDownTestSuite() { s_demo.reset(); }
    static const std::string& demoUrl() { return s_demo->url; }

    static inline std::unique_ptr<DemoServer> s_demo;
};

using DemoSuite = DemoSuiteOn<>;

}  // namespace jex::test
