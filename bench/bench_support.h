#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "control/headless_services.h"
#include "discussion_server.h"

// What every figure shares: the generated orders, a server on loopback, a control on a headless
// host, and plain transfers for the floors.
namespace jex::bench {

// One of the orders bench/run.sh generates into the database.
struct Order {
    const char* name;  // as the figures name it
    const char* id;
    int issues;
    int comments;
};

inline constexpr Order kSmall{"small", "POSMALL", 5, 20};
inline constexpr Order kLarge{"large", "POLARGE", 200, 5000};
inline constexpr Order kMaximal{"maximal", "POMAXIMAL", 1000, 32000};

// Where the benchmarks read and write, set once from the command line.
struct Paths {
    std::filesystem::path database;  // the generated orders; never written
    std::filesystem::path scratch;   // a directory for copies that saves change
};
Paths& paths();

// The discussion server in this process on a free loopback port.
struct LocalServer {
    // Throws std::runtime_error when the file can't be served.
    explicit LocalServer(const std::filesystem::path& database);
    server::DiscussionServer server;
    std::string base;  // the control's ServerName: "http://127.0.0.1:<port>/"
};

// The server on the generated database, started on first use and shared by the reading figures.
const std::string& generatedBase();

// The address the control's LoadData reads the order from.
std::string loadUrl(const std::string& base, const char* orderId);

// A control on a headless host, used by a corporate user (who may edit every stored comment).
struct HeadlessControl {
    HeadlessControl();
    // Loads the order; throws std::runtime_error with the first message box's text when the
    // control reported anything.
    void load(const std::string& base, const char* orderId);
    // Throws std::runtime_error with the first message box's text when one was shown.
    void requireNoMessage(const std::string& what) const;

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

// The batches of the next save, as FormatData writes them (the closing empty entry left out);
// their marks are cleared as a save clears them.
std::vector<std::string> pendingBatches(JEXPODiscussionsXML& control);

// The form body SaveData posts for the batches.
std::string formBody(JEXPODiscussionsXML& control, const std::vector<std::string>& batches);

// A plain libcurl GET or form POST on a fresh handle: the answer's body. Throws
// std::runtime_error when the transfer fails or the answer is an HTTP error.
std::string curlGet(const std::string& url);
std::string curlPost(const std::string& url, const std::string& body);

// Replaces `to` with a copy of `from`; no connection may be open on `to`.
void copyDatabase(const std::filesystem::path& from, const std::filesystem::path& to);
// A fresh copy of the generated database in the scratch directory, under `name`.
std::filesystem::path scratchCopy(const std::string& name);

}  // namespace jex::bench
