#pragma once
// The control messages the framed control libraries' classes exchange, on
// the UI thread, besides the platform's own.
#include "platform/windows/Messages.h"

enum : UINT {
    // Blinking list -> each registered control: answer 1 when blinking.
    CM_QUERYBLINKING = CM_BASE + 1000,
    // Blinking list -> blinking controls: wParam is the new phase (1 on, 0 off).
    CM_BLINKSTATE = CM_BASE + 1001,
    // Toolbar -> its child controls.
    CM_TOOLBARSHOWCAPTIONCHANGED = CM_BASE + 1002,
    CM_TOOLBARBUTTONLAYOUTCHANGED = CM_BASE + 1003,
    CM_TOOLBARBUTTONSIZECHANGED = CM_BASE + 1004,
    CM_TOOLBARVISUALSTYLECHANGED = CM_BASE + 1005,
    // Group item, group bar's parent -> group, group bars.
    CM_GROUPITEMSELECTED = CM_BASE + 1007,
    // Push button of a toggle group -> its parent's controls.
    CM_GROUPBUTTONPRESSED = 0x2421,
    // Popup panel -> its popup window.
    PM_CLOSEPOPUP = 0x2423,
    // Group bar -> itself, after loading.
    CM_GROUPBARLOADED = 0x2424,
    // Data-aware edit -> itself: take the field's alignment (posted, as
    // making the window again cannot happen in the middle of painting it).
    CM_APPLYFIELDALIGNMENT = CM_BASE + 1010,
};
