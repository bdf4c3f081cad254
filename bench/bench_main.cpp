// jex_bench: the performance figures of the control and the discussion server, each beside its
// floor. bench/run.sh builds it, generates the orders and turns its JSON output into one table.
//   jex_bench --db <generated orders> --scratch <directory> [Google Benchmark flags]

#include <curl/curl.h>

#include <iostream>
#include <string_view>

#include "bench_support.h"
#include "benchmarks.h"

namespace {

constexpr const char* kUsage =
    "usage: jex_bench --db <file> --scratch <directory> [--benchmark_...]\n";

// The arguments Google Benchmark left; false when one is unknown or a path is missing.
bool parsePaths(int argc, char** argv, jex::bench::Paths& paths) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        if (name == "--db") {
            paths.database = argv[i + 1];
        } else if (name == "--scratch") {
            paths.scratch = argv[i + 1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !paths.database.empty() && !paths.scratch.empty();
}

}  // namespace

namespace jex::bench {

benchmark::internal::Benchmark* timed(benchmark::internal::Benchmark* benchmark) {
    return benchmark->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

}  // namespace jex::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!parsePaths(argc, argv, jex::bench::paths())) {
        std::cerr << kUsage;
        return 2;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    jex::bench::registerLoadBenchmarks();
    jex::bench::registerClickBenchmarks();
    jex::bench::registerSaveBenchmarks();
    jex::bench::registerServerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
