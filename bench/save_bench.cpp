// Saving a change set of the large order: building and encoding the batches (at two sizes, to
// show that the work grows with the rows), and SaveData end to end against the same statements
// run straight in SQLite.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "benchmarks.h"
#include "change_set.h"
#include "direct_statements.h"
#include "sqlite_connection.h"

namespace jex::bench {

namespace {

// 1x: 1,000 new comments over 100 new issues and 1,000 changed stored comments.
constexpr ChangeShape kChangeSetUnit{100, 1000, 1000};

ChangeShape scaled(int times) {
    return {kChangeSetUnit.newIssues * times, kChangeSetUnit.newComments * times,
            kChangeSetUnit.changedComments * times};
}

// The large order, changed, on a server of its own whose database file saves may change.
struct ChangedOrder {
    explicit ChangedOrder(int times, const std::string& stem = "save")
        : database(scratchCopy(stem + "-" + std::to_string(times) + "x.db")), server(database) {
        session.load(server.base, kLarge.id);
        marks = makeChanges(session, scaled(times));
    }
    // Puts the rows of the change set back into the state the screen left them in.
    void markAgain() {
        marks.markAgain(*session.control.state().DiscussionTable,
                        *session.control.state().CommentTable);
    }

    std::filesystem::path database;
    LocalServer server;
    HeadlessControl session;
    SaveMarks marks;
};

ChangedOrder& changedOrder(int times) {
    static std::map<int, std::unique_ptr<ChangedOrder>> changed;
    auto& entry = changed[times];
    if (!entry) entry = std::make_unique<ChangedOrder>(times);
    return *entry;
}

std::int64_t storedComments(const std::filesystem::path& database) {
    server::SqliteConnection opened(database, false);
    const auto query =
        opened.prepare("SELECT count(*) FROM OrderDiscussionComment WHERE OrderID = $1");
    query->bind(1, std::string(kLarge.id));
    query->step();
    return std::get<std::int64_t>(query->column(0));
}

// FormatData (through SaveDataToIIS, its one public road) and urlEncode of every batch into the
// form body, as SaveData builds it.
void formatUrlEncode(benchmark::State& state, int times) {
    ChangedOrder& order = changedOrder(times);
    JEXPODiscussionsXML& control = order.session.control;
    std::size_t bodySize = 0;
    for (auto _ : state) {
        state.PauseTiming();
        order.markAgain();
        state.ResumeTiming();

        const std::string body = formBody(control, pendingBatches(control));

        bodySize = body.size();
    }
    order.session.requireNoMessage("formatting the batches");
    state.counters["body_bytes"] = static_cast<double>(bodySize);
}

// A save gives the new rows the numbers the database stored them under, so every run makes the
// change set afresh on a fresh copy of the database (outside the timing).
void saveData(benchmark::State& state) {
    std::unique_ptr<ChangedOrder> order;
    for (auto _ : state) {
        state.PauseTiming();
        order.reset();
        order = std::make_unique<ChangedOrder>(1, "save-data");
        state.ResumeTiming();

        order->session.control.SaveData();
    }
    order->session.requireNoMessage("saving");
    const ChangeShape shape = scaled(1);
    if (storedComments(order->database) != kLarge.comments + shape.newComments) {
        throw std::runtime_error("SaveData did not store the change set");
    }
}

// The server's part of SaveData alone: the 1x form body posted to a server on a fresh copy of the
// database, without the control's re-read of the order that numbers its new rows.
void serverSave(benchmark::State& state) {
    ChangedOrder& order = changedOrder(1);
    order.markAgain();
    const std::string body = formBody(order.session.control, pendingBatches(order.session.control));
    const std::filesystem::path database = scratchCopy("server-save.db");
    for (auto _ : state) {
        state.PauseTiming();
        copyDatabase(paths().database, database);
        LocalServer server(database);
        state.ResumeTiming();

        if (!curlPost(server.base + "PODiscussion.asp", body).empty())
            throw std::runtime_error("the server refused the change set");
    }
}

// The statements are captured once from the server's batch runner on a copy of the database.
void saveFloor(benchmark::State& state) {
    ChangedOrder& order = changedOrder(1);
    const std::filesystem::path database = scratchCopy("save-floor.db");
    order.markAgain();
    const std::vector<std::string> statements =
        executedStatements(database, pendingBatches(order.session.control));
    for (auto _ : state) {
        state.PauseTiming();
        copyDatabase(paths().database, database);
        state.ResumeTiming();

        runInOneTransaction(database, statements);
    }
    state.counters["statements"] = static_cast<double>(statements.size());
}

}  // namespace

void registerSaveBenchmarks() {
    timed(benchmark::RegisterBenchmark("FormatUrlEncode/1x", formatUrlEncode, 1));
    timed(benchmark::RegisterBenchmark("FormatUrlEncode/2x", formatUrlEncode, 2));
    timed(benchmark::RegisterBenchmark("SaveData/1x", saveData))->Iterations(2);
    timed(benchmark::RegisterBenchmark("ServerSave/1x", serverSave));
    timed(benchmark::RegisterBenchmark("SaveFloor/1x", saveFloor));
}

}  // namespace jex::bench
