// One issue click: the comment list is redrawn from the whole comment table, against a plain
// walk of that table comparing one field, which is the least a redraw has to do.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "benchmarks.h"

namespace jex::bench {

namespace {

constexpr int kSequenceColumn = 10;

// A loaded order and two issues with comments, clicked in turn so that every click changes the
// selection as a user's does.
struct ClickedOrder {
    HeadlessControl session;
    int rows[2] = {};
    std::string sequences[2];
    int commentsShown = 0;
};

std::unique_ptr<ClickedOrder> loadForClicks(const Order& order) {
    auto loaded = std::make_unique<ClickedOrder>();
    loaded->session.load(generatedBase(), order.id);
    ui::ListView& issues = loaded->session.ui.lstDiscussions;
    int found = 0;
    for (int row = issues.count() / 2; row <= issues.count() && found < 2; ++row) {
        issues.userClickItem(row);
        if (loaded->session.ui.lstComments.count() == 0) continue;
        loaded->rows[found] = row;
        loaded->sequences[found] = issues.item(row)->column(kSequenceColumn);
        loaded->commentsShown += loaded->session.ui.lstComments.count();
        ++found;
    }
    if (found < 2) throw std::runtime_error(std::string(order.id) + " has too few comments");
    return loaded;
}

ClickedOrder& clickedOrder(const Order& order) {
    static std::map<std::string, std::unique_ptr<ClickedOrder>> loaded;
    auto& entry = loaded[order.id];
    if (!entry) entry = loadForClicks(order);
    return *entry;
}

void issueClick(benchmark::State& state, const Order& order) {
    ClickedOrder& loaded = clickedOrder(order);
    ui::ListView& issues = loaded.session.ui.lstDiscussions;
    int turn = 0;
    for (auto _ : state) issues.userClickItem(loaded.rows[turn++ & 1]);
    loaded.session.requireNoMessage("clicking issues");
    state.counters["comments"] = loaded.commentsShown / 2.0;
}

void issueClickFloor(benchmark::State& state, const Order& order) {
    ClickedOrder& loaded = clickedOrder(order);
    RecordTable& comments = *loaded.session.control.state().CommentTable;
    int turn = 0;
    for (auto _ : state) {
        const std::string& sequence = loaded.sequences[turn++ & 1];
        int matches = 0;
        for (comments.moveFirst(); !comments.atEnd(); comments.moveNext()) {
            if (comments.field("DiscussionSequence").toText() == sequence) ++matches;
        }
        benchmark::DoNotOptimize(matches);
    }
}

}  // namespace

void registerClickBenchmarks() {
    for (const Order& order : {kLarge, kMaximal}) {
        timed(benchmark::RegisterBenchmark((std::string("IssueClick/") + order.name).c_str(),
                                           issueClick, order));
        timed(benchmark::RegisterBenchmark((std::string("IssueClickFloor/") + order.name).c_str(),
                                           issueClickFloor, order));
    }
}

}  // namespace jex::bench
