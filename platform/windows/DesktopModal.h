#pragma once
// How the desktop learns that a top-level window is modal to its owner.
//
// Our modal loop disables the other forms itself, and key input goes to
// the window that has our focus, so the desktop only needs to be told,
// for its stacking and focus rules.  Qt's own window modality would do
// more: it drops every key the desktop still delivers to a window that a
// modal window blocks, and a window manager may leave the keyboard with
// the owner for a while after the modal window has shown, while typed-
// ahead keys (a scanner, an auto-type tool) keep coming.
//
// Linux/X11 equivalent of the classic modal owner: the EWMH state
// _NET_WM_STATE_MODAL, set on the window while it is unmapped (Qt merges
// it into the state it sets as it maps the window).  Without X11 (Wayland,
// the offscreen platform of the tests) Qt's window modality says it.
class QWidget;

// Window must not be shown; what it says holds from its next showing.
void SetDesktopModal(QWidget* Window, bool Modal);
