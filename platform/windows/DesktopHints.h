#pragma once
// What the window manager is told of our top-level windows, and asked,
// before they show.
//
// SetDesktopModal: how the desktop learns that a window is modal to its
// owner.  Our modal loop disables the other forms itself, and key input
// goes to the window that has our focus, so the desktop only needs to be
// told, for its stacking and focus rules.  Qt's own window modality would
// do more: it drops every key the desktop still delivers to a window that
// a modal window blocks, and a window manager may leave the keyboard with
// the owner for a while after the modal window has shown, while typed-
// ahead keys (a scanner, an auto-type tool) keep coming.
// Linux/X11 equivalent of the classic modal owner: the EWMH state
// _NET_WM_STATE_MODAL, set on the window while it is unmapped (Qt merges
// it into the state it sets as it maps the window).  Without X11 (Wayland,
// the offscreen platform of the tests) Qt's window modality says it.
//
// AskedFrameExtents: the frame the window manager will draw round a window
// not shown yet, so that the first window placed on the screen is placed
// with its real frame.  Linux/X11 equivalent of the classic non-client
// metrics: EWMH's _NET_REQUEST_FRAME_EXTENTS, answered in the window's
// _NET_FRAME_EXTENTS.
#include <QMargins>
#include <optional>

class QWidget;

// Window must not be shown; what it says holds from its next showing.
void SetDesktopModal(QWidget* Window, bool Modal);
// Left, top, right, bottom; nullopt where the desktop cannot say (no X11,
// a window manager without the request, no answer within a moment).
std::optional<QMargins> AskedFrameExtents(QWidget* Window);
