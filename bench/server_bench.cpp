// The server's throughput: loads of the large order and saves of a small change set, each from
// two clients at once, against the same work done in this process without HTTP.

#include <memory>
#include <stdexcept>
#include <string>

#include "batch_runner.h"
#include "bench_support.h"
#include "benchmarks.h"
#include "discussion_document.h"
#include "sqlite_connection.h"

namespace jex::bench {

namespace {

constexpr int kClients = 2;

// One new comment and one changed stored comment on the small order: a few statements.
struct SmallSave {
    SmallSave() : database(scratchCopy("small-saves.db")), server(database) {
        HeadlessControl session;
        session.load(server.base, kSmall.id);
        DiscussionScreen& ui = session.ui;
        ui.lstDiscussions.userClickItem(1);
        ui.cmdAddComment.userClick();
        ui.cboCommentType.userSelect(1);
        ui.txtCommentDescription.userType("Vendor confirmed the corrected invoice is on its way.");
        ui.cmdAddComment.userClick();
        ui.lstComments.userClickItem(1);
        ui.cmdCancelComment.userClick();
        ui.cboCommentType.userSelect(2);
        ui.cmdAddComment.userClick();
        session.requireNoMessage("changing the small order");
        batches = pendingBatches(session.control);
        body = formBody(session.control, batches);
        url = server.base + "PODiscussion.asp";
    }

    std::filesystem::path database;
    LocalServer server;
    std::vector<std::string> batches;
    std::string body;
    std::string url;
};

SmallSave& smallSave() {
    static SmallSave shared;
    return shared;
}

void serverLoads(benchmark::State& state) {
    const std::string url = loadUrl(generatedBase(), kLarge.id);
    for (auto _ : state) benchmark::DoNotOptimize(curlGet(url).size());
    state.SetItemsProcessed(state.iterations());
}

// What the server does for a load, opening the file as each request does.
void serverLoadsFloor(benchmark::State& state) {
    for (auto _ : state) {
        server::SqliteConnection database(paths().database, false);
        benchmark::DoNotOptimize(server::discussionDocument(database, kLarge.id).size());
    }
    state.SetItemsProcessed(state.iterations());
}

void serverSaves(benchmark::State& state) {
    SmallSave& save = smallSave();
    for (auto _ : state) {
        if (!curlPost(save.url, save.body).empty()) throw std::runtime_error("a save failed");
    }
    state.SetItemsProcessed(state.iterations());
}

void serverSavesFloor(benchmark::State& state) {
    SmallSave& save = smallSave();
    const std::filesystem::path file = scratchCopy("small-saves-floor.db");
    for (auto _ : state) {
        server::SqliteConnection database(file, false);
        const server::BatchResult result = server::BatchRunner(database).run(save.batches);
        if (result.outcome != server::BatchOutcome::Stored) throw std::runtime_error(result.error);
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

void registerServerBenchmarks() {
    timed(benchmark::RegisterBenchmark("ServerLoads/large", serverLoads))->Threads(kClients);
    timed(benchmark::RegisterBenchmark("ServerLoadsFloor/large", serverLoadsFloor));
    timed(benchmark::RegisterBenchmark("ServerSaves/small", serverSaves))->Threads(kClients);
    timed(benchmark::RegisterBenchmark("ServerSavesFloor/small", serverSavesFloor));
}

}  // namespace jex::bench
