#pragma once

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

}  // namespace jex::test
