#include "controls/foundation/FcSysRes.h"

namespace {

TFcMemoryStatusHook& Hook()
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
    Hook() = std::move(H);
}

TSiMemoryStatus FcMemoryStatus()
{
    return Hook() ? Hook()() : GetSiMemoryStatus();
}
