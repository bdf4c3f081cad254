#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "discussion_server.h"
#include "support/temp_path.h"

namespace jex::test {

// The discussion server on a fresh demo database of its own, listening on a free port.
struct DemoServer {
    explicit DemoServer(const std::string& stem)
        : database(stem),
          server(database.path()),
          url("http://127.0.0.1:" + std::to_string(server.start())) {}

    TempPath database;
    server::DiscussionServer server;
    std::string url;
};

// A suite whose tests share one demo server, started before the first of them.
struct DemoSuite : ::testing::Test {
    static void SetUpTestSuite() { s_demo = std::make_unique<DemoServer>("demo-suite"); }
    static void TearDownTestSuite() { s_demo.reset(); }
    static const std::string& demoUrl() { return s_demo->url; }

    static inline std::unique_ptr<DemoServer> s_demo;
};

}  // namespace jex::test
