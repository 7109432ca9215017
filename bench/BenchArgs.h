#pragma once
// Command-line handling every benchmark program shares.

// Google Benchmark's Initialize with a short default run: `make bench`
// passes no arguments, so without a --benchmark_min_time of the caller's
// each benchmark runs for DefaultMinTime (e.g. "0.1") seconds.  False when
// an argument is not understood (it has been reported).
bool InitializeBenchmarks(int argc, char** argv, const char* DefaultMinTime);
