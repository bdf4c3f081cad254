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

// A suite whose tests share one demo server on a SQLite file, started before the first of them.
struct DemoSuite : ::testing::Test {
    static void SetUpTestSuite() { s_demo = std::make_unique<DemoServer>("demo-suite"); }
    static void TearDownTestSuite() { s_demo.reset(); }
    static const std::string& demoUrl() { return s_demo->url; }

    static inline std::unique_ptr<DemoServer> s_demo;
};

}  // namespace jex::test
