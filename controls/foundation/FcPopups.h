#pragma once
// Unit FcPopups: any panel of controls can drop down like a menu.  A
// TFcPopupPanel holds the controls in the form definition (it is hidden
// while the program runs); Popup moves them into a temporary popup window
// (TFcPopup, FcPopupWindow.h) next to an anchor control, runs a local
// message loop until the user clicks outside, presses Escape, switches to
// another program or the content calls ClosePopup, then moves the
// controls back.  The window frees itself afterwards.
#include "controls/foundation/FcPanel.h"

class TFcPopup;

// The look both share: a raised popup frame with a band of 2 inside it,
// the client area always inside the frame, a themed edit border while
// themes are on.
class TFcCustomPopup : public TFcCustomPanel {
public:
    explicit TFcCustomPopup(TComponent* AOwner);

protected:
    bool ClientRectExcludesBorders() override { return true; }
    bool PaintCoversBackground() override;
    void Paint() override;
};

class TFcPopupPanel : public TFcCustomPopup {
public:
    explicit TFcPopupPanel(TComponent* AOwner);
    ~TFcPopupPanel() override;

    // Popup(Control, -1, -1).
    bool Popup(TControl* Control);
    // Drops the panel down under Control (or at (X, Y) from Control's
    // top-left corner when either is not -1) and returns when it has
    // closed: true when ClosePopup closed it, false for every other way.
    // False at once while it is already shown.
    bool Popup(TControl* Control, int X, int Y);
    // Ends a popup that is shown; its Popup then returns true.
    void ClosePopup();
    bool IsPopupShown() const { return FPopup != nullptr; }
    // The popup window while shown.
    TFcPopup* PopupWindow() const { return FPopup; }
    TControl* Anchor() const { return FAnchor; }

    DECLARE_EVENT(TNotifyEvent, OnClose)
    DECLARE_EVENT(TNotifyEvent, OnPopup)

protected:
    void DestroyWnd() override;

private:
    friend class TFcPopup;
    void FitContent();
    bool ShowPopupAt(TControl* Control, TAlignment Alignment, int X, int Y);

    TControl* FAnchor = nullptr;
    TFcPopup* FPopup = nullptr;
};
