#pragma once
// The process's own memory figures, for the benchmarks that measure memory
// in a child process of their own.
#include <QtGlobal>

// A figure of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when unknown.
qint64 StatusKiB(const char* Key);
// Starts a new peak: the kernel sets the high-water mark back to the current
// resident set, so the growth measured from here is this step's alone.
// Returns the resident set (or, where the peak cannot be reset, the peak).
qint64 ResetPeakKiB();
