#pragma once
// Platform questions the framed controls ask: the form designer, the
// Windows version, monitors and their work areas, and the pause after
// which an incremental search in a list starts afresh.
#include "platform/windows/Controls.h"
#include "platform/forms/Screen.h"

// Milliseconds after the last typed character before the incremental
// search of the combo and list boxes starts over.
inline unsigned SearchTimeout = 1500;

// Tells the form designer that Control changed.  This platform has no form
// designer (no control is ever being designed), so there is no one to tell.
void NotifyDesignerModified(TControl* Control);

// Whether a given Windows version runs (0 Windows 95, 1 NT before 2000,
// 2 Windows 98, 3 Me, 4 2000, 5 XP, 6 Server 2003, 7 Vista).  None does
// here, so it is false for every code and the modern paths run.
bool IsWindowsVersion(int Code);

// The work area of the monitor nearest to the control's window (the
// primary monitor's for a control without one).
void GetWorkAreaOfControl(TControl* Control, TRect& R);
int GetWorkAreaWidth(TControl* Control);
void GetMonitorWorkArea(TMonitor* Monitor, TRect& R);
void GetMonitorBounds(TMonitor* Monitor, TRect& R);
// The first monitor, in the screen's order, whose bounds hold P; nullptr
// when none does.
TMonitor* FindMonitorAtPoint(TPoint P);
