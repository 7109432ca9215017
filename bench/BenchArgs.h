#pragma once
// Command-line handling and the ours / Qt summary the benchmark programs
// share.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Google Benchmark's Initialize with a short default run: `make bench`
// passes no arguments, so without a --benchmark_min_time of the caller's
// each benchmark runs for DefaultMinTime (e.g. "0.1") seconds.  False when
// an argument is not understood (it has been reported).
bool InitializeBenchmarks(int argc, char** argv, const char* DefaultMinTime);

// The console report, with each "operation/ours" and "operation/qt" pair
// kept (the peer may also be "operation/sqlite"; it counts as the Qt side) (seconds per iteration, the best of repeated runs, in the order they
// ran) for a summary of ours / Qt ratios; an operation without a Qt side
// shows ours alone.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    struct TPair {
        double Ours = -1;
        double Qt = -1;
    };
    void ReportRuns(const std::vector<Run>& Reports) override;
    const std::vector<std::string>& Order() const { return FOrder; }
    const TPair& Pair(const std::string& Operation) { return FPairs[Operation]; }
    // One line per operation: both times in milliseconds (each divided by
    // its Per count, e.g. keys per iteration) and the ratio.
    void PrintRatios(const char* Title, const std::map<std::string, int>& Per = {});

private:
    std::map<std::string, TPair> FPairs;
    std::vector<std::string> FOrder;
};
