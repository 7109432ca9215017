// The libFuzzer entry point of one target: QV_FUZZ_CHECK names the check
// (FuzzChecks.h) it feeds.  A problem the check reports is a finding: it is
// printed and the run stops, so that libFuzzer keeps the input.
#include "tests/fuzz/FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const QString Problem = QV_FUZZ_CHECK(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    if (!Problem.isEmpty()) {
        std::fprintf(stderr, "finding: %s\n", Problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
