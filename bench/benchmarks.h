#pragma once

#include <benchmark/benchmark.h>

// The figures, each registered with its floor. The names are what bench/report.py reads.
namespace jex::bench {

// Real time in milliseconds, the median of a few runs: the server works on threads of its own,
// and a median shrugs off a disturbed run.
benchmark::internal::Benchmark* timed(benchmark::internal::Benchmark* benchmark);

void registerLoadBenchmarks();    // LoadData/<order>, LoadFloor/<order>
void registerClickBenchmarks();   // IssueClick/<order>, IssueClickFloor/<order>
void registerSaveBenchmarks();    // FormatUrlEncode/<1x|2x>, SaveData/1x, SaveFloor/1x
void registerServerBenchmarks();  // ServerLoads, ServerLoadsFloor, ServerSaves, ServerSavesFloor

}  // namespace jex::bench
