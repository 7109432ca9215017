#pragma once
// The thin system queries of the system-information library, each answered
// at the moment of the call from the system, Qt or the platform layer.
//
// On this desktop: the user and the registered owner come from the password
// database (the owner is the user's full name, the organisation is empty);
// the computer name is the host name in the classic NetBIOS form (first
// label, upper case, at most 15 characters); free system resources follow
// the NT-family rule (0); there is no screen saver the library can see.
// Nothing here changes a system setting.
#include "platform/rtl/System.h"

#include <cstdint>

class TStrings;

// The one text every failed query returns.
String SiUnknownText();

// --- display and keyboard ---
// Bits per pixel times planes of the screen's device context.
std::uint8_t GetColorDepth();
// Minutes; 0 without a screen saver.
int GetScreenSaverDelay();
bool GetScreenSaveActive();
// The toggle state the platform keeps for Num Lock, Caps Lock and Scroll Lock.
bool GetNumLockState();
bool GetCapsLockState();
bool GetScrollLockState();
// The classic keyboard settings: delay 0 (250 ms) to 3 (1 s), speed 0
// (about 2.5 repeats a second) to 31 (about 30).
int GetKeyboardDelay();
int GetKeyboardSpeed();
// The classic system parameters, as this desktop has them.
bool GetWindowAnimation();
bool GetWarningBeep();
bool GetFontSmoothing();
bool GetDragFullWindows();
bool GetSnapToDefaultButton();

// --- the system ---
// "Win32s", "Windows 95" or "Windows NT" by the version record's platform.
String GetPlatformName();
int GetProcessorCount();
// The classic processor type names; every x86 processor is a Pentium-class
// one, as a 32-bit program saw it, other machines give their own name.
String GetProcessorTypeName();
// The classic name of a processor type number (386, 486, 586, the Alpha
// and MIPS numbers); other numbers as text.
String SiProcessorTypeName(unsigned Type);
// 0 to 100; always 0 outside the 9x family.  Kind 0 system, 1 GDI, 2 user.
int GetFreeResources(int Kind);
// The platform's temporary folder, with its trailing delimiter.
String GetSiTempPath();
// Every "name=value" of the process environment; List is cleared first.
void GetEnvironmentList(TStrings* List);
String GetRegisteredOrganization();
String GetRegisteredOwner();
String GetComputerNameText();
String GetCurrentUserName();

// --- time zone ---
// The standard name of the system's time zone ("Central European Standard
// Time") and its bias, UTC minus local standard time in minutes.
String GetTimeZoneName();
int GetTimeZoneBias();
