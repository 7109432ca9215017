#include "bench/BenchArgs.h"

#include <benchmark/benchmark.h>

#include <cstdio>
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

void TRatioReporter::ReportRuns(const std::vector<Run>& Reports)
{
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& R : Reports) {
        if (R.run_type != Run::RT_Iteration || R.error_occurred || R.iterations == 0)
            continue;
        // "operation/ours" or "operation/qt" (or "/sqlite"), perhaps with
        // "/iterations:n".
        const std::string Name = R.benchmark_name() + "/";
        std::size_t Side = Name.find("/ours/");
        const bool Ours = Side != std::string::npos;
        if (!Ours)
            Side = Name.find("/qt/");
        if (!Ours && Side == std::string::npos)
            Side = Name.find("/sqlite/");
        if (Side == std::string::npos)
            continue;
        const std::string Operation = Name.substr(0, Side);
        if (FPairs.find(Operation) == FPairs.end())
            FOrder.push_back(Operation);
        // Of repeated runs the best counts: the machine is shared.
        double& Best = Ours ? FPairs[Operation].Ours : FPairs[Operation].Qt;
        const double Seconds = R.real_accumulated_time / double(R.iterations);
        if (Best < 0 || Seconds < Best)
            Best = Seconds;
    }
}

void TRatioReporter::PrintRatios(const char* Title, const std::map<std::string, int>& Per)
{
    std::printf("\n%s\n", Title);
    std::printf("%-28s %12s %12s %8s\n", "operation", "ours", "Qt", "ratio");
    for (const std::string& Operation : FOrder) {
        const TPair& P = FPairs[Operation];
        const auto It = Per.find(Operation);
        const double Divide = It != Per.end() && It->second > 0 ? It->second : 1;
        if (P.Qt > 0)
            std::printf("%-28s %9.3f ms %9.3f ms %8.2f\n", Operation.c_str(), P.Ours * 1e3 / Divide,
                        P.Qt * 1e3 / Divide, P.Ours / P.Qt);
        else
            std::printf("%-28s %9.3f ms %12s %8s\n", Operation.c_str(), P.Ours * 1e3 / Divide, "-", "-");
    }
}
