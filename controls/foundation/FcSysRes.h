#pragma once
// What the resource pane reads of the system (unit FcSysRes).  The "free
// system resources" of the old 9x family of Windows do not exist here, so
// that figure is always 0 and the pane shows memory instead: free physical
// memory plus free swap out of all of both, swap standing in for the page
// file.  The memory status comes through a replaceable hook so tests can
// script it.
#include "sysinfo/SiMemory.h"

#include <functional>

// The free-resources percentage of the 9x family: 0, as on every other
// system.
int GetFreeSystemResources(int Kind);

using TFcMemoryStatusHook = std::function<TSiMemoryStatus()>;
// Installs a hook (tests); an empty one puts the system's figures back.
void SetFcMemoryStatusHook(TFcMemoryStatusHook Hook);
TSiMemoryStatus FcMemoryStatus();
