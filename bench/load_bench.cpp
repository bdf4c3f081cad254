// Loading an order: the control's LoadData against a plain GET of the same page and a parse of
// the document, which any loader has to do.

#include <memory>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>

#include "bench_support.h"
#include "benchmarks.h"

namespace jex::bench {

namespace {

void requireLoaded(const HeadlessControl& session, const Order& order) {
    session.requireNoMessage(std::string("loading ") + order.id);
    if (session.control.state().CommentTable->recordCount() != order.comments) {
        throw std::runtime_error(std::string(order.id) + " loaded with another comment count");
    }
}

// Into a fresh control each time, as a host shows an order.
void loadData(benchmark::State& state, const Order& order) {
    const std::string& base = generatedBase();
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<HeadlessControl>();
        state.ResumeTiming();

        session->control.LoadData(base, order.id);

        state.PauseTiming();
        requireLoaded(*session, order);
        session.reset();
        state.ResumeTiming();
    }
}

void loadFloor(benchmark::State& state, const Order& order) {
    const std::string url = loadUrl(generatedBase(), order.id);
    for (auto _ : state) {
        const std::string body = curlGet(url);
        pugi::xml_document document;
        if (!document.load_buffer(body.data(), body.size())) {
            throw std::runtime_error("the document of " + std::string(order.id) + " is no XML");
        }
        benchmark::DoNotOptimize(document.first_child());
    }
}

}  // namespace

void registerLoadBenchmarks() {
    for (const Order& order : {kSmall, kLarge, kMaximal}) {
        timed(benchmark::RegisterBenchmark((std::string("LoadData/") + order.name).c_str(),
                                           loadData, order));
        timed(benchmark::RegisterBenchmark((std::string("LoadFloor/") + order.name).c_str(),
                                           loadFloor, order));
    }
}

}  // namespace jex::bench
