#include "bench/BenchArgs.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

bool InitializeBenchmarks(int argc, char** argv, const char* DefaultMinTime)
{
    std::vector<char*> Args(argv, argv + argc);
    bool HasMinTime = false;
    for (int I = 1; I < argc; ++I)
        HasMinTime = HasMinTime || std::strncmp(argv[I], "--benchmark_min_time", 20) == 0;
    // Google Benchmark keeps pointers into the arguments: the text must live on.
    static std::string MinTime;
    MinTime = std::string("--benchmark_min_time=") + DefaultMinTime;
    if (!HasMinTime)
        Args.push_back(MinTime.data());
    int Count = int(Args.size());
    Args.push_back(nullptr);
    benchmark::Initialize(&Count, Args.data());
    return !benchmark::ReportUnrecognizedArguments(Count, Args.data());
}
