#include "controls/foundation/FcSysRes.h"

namespace {

TFcMemoryStatusHook& MemoryStatusHook()
{
    static TFcMemoryStatusHook H;
    return H;
}

} // namespace

int GetFreeSystemResources(int Kind)
{
    (void)Kind;
    return 0;
}

void SetFcMemoryStatusHook(TFcMemoryStatusHook H)
{
    MemoryStatusHook() = std::move(H);
}

TSiMemoryStatus FcMemoryStatus()
{
    return MemoryStatusHook() ? MemoryStatusHook()() : GetSiMemoryStatus();
}
