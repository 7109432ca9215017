#pragma once
// The program's answer to being told to stop by the system rather than by
// its user: SIGTERM (the desktop session ends, the machine shuts down),
// SIGHUP (the terminal that started it went) and SIGINT (Ctrl+C there)
// end it through Application->EndSession, so that the main form's close
// writes what is open, as the classic desktop's WM_QUERYENDSESSION and
// WM_ENDSESSION do.  Without this the default action of those signals
// ends the process at once and everything not yet written is lost.
#include <functional>

// Installs the handlers; each signal then calls OnSignal on the UI thread,
// from the event loop (by default Application->EndSession).  A signal
// handler itself only writes a byte to a pipe, the one thing it may do.
void InstallEndSessionSignals(std::function<void()> OnSignal = {});
// Gives the signals their default action again.
void RemoveEndSessionSignals();
