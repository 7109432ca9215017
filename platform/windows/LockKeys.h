#pragma once
// The lock keys (Caps Lock, Num Lock, Scroll Lock) as the desktop has them.
// The key table behind GetKeyState flips a lock at each press it sees, and
// asks the desktop whenever a lock may have changed: at the start, after a
// lock key was pressed anywhere in the program (Qt's own dialogs too), and
// each time the program becomes active again.  So a lock already on when
// the program starts is on from the start.
//
// Linux/X11 equivalent of the classic toggle state: XkbGetNamedIndicator.
// (The XKB indicators "Caps Lock", "Num Lock", "Scroll Lock", as `xset q`
// shows them; without X11 the kernel's keyboard LEDs stand in, and the
// offscreen platform of the tests has no desktop to ask.)
#include <cstdint>
#include <functional>
#include <optional>

// Whether the lock of VirtKey (VK_CAPITAL, VK_NUMLOCK, VK_SCROLL) is on;
// nullopt where the desktop cannot say.
using TLockKeyStateHook = std::function<std::optional<bool>(int VirtKey)>;
// Installs a hook (tests script the desktop with it); an empty one puts
// the desktop's back.  Either way the key table asks again.
void SetLockKeyStateHook(TLockKeyStateHook Hook);
std::optional<bool> DesktopLockKeyState(int VirtKey);

// The locks may have changed where the program could not see (it became
// active again): the next UpdateLockKeys asks the desktop.
void LockKeysMayHaveChanged();
// Puts the desktop's lock states into a key table (toggle bit 0x01) if
// they may have changed since it last did; the window layer's key table
// calls it before it answers GetKeyState.
void UpdateLockKeys(std::uint8_t* Keys);
