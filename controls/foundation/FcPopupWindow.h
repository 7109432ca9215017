#pragma once
// TFcPopup (unit FcPopups): the temporary top-level window a popup panel
// drops down as.  It is owned by the panel's form but never takes
// activation; while it is shown its own message loop (RunLoop) decides
// what ends it.  Keys go to the first control inside that can take them
// (Escape ends the popup first); PM_CLOSEPOPUP frees the window.
#include "controls/foundation/FcPopups.h"

class TFcPopup : public TFcCustomPopup {
public:
    // Made for Panel, which owns it; it takes the panel's colour, font and
    // hint and sits over the panel's form.
    explicit TFcPopup(TFcPopupPanel* Panel);
    ~TFcPopup() override;

    TFcPopupPanel* PopupPanel() const { return FPanel; }
    // The control inside that receives the keys (nullptr: the window).
    TWinControl* KeyTarget() const { return FKeyTarget; }
    // Moves the panel's controls in (last first) and picks the key target.
    void TakeContent();
    // Hides the window and gives the controls back to the panel (in the
    // opposite order).
    void HideAndReturnContent();
    // The local loop; true when ClosePopup ended it.
    bool RunLoop();
    bool StillOpen() const { return FStillOpen; }
    void SetStillOpen(bool Value) { FStillOpen = Value; }
    // Posts PM_CLOSEPOPUP once.
    void PostClose();

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

private:
    bool HandleLoopMessage(MSG& Msg, bool& Ended);
    void EndWithClose();

    TFcPopupPanel* FPanel;
    TWinControl* FKeyTarget = nullptr;
    bool FStillOpen = false;
    bool FClosePosted = false;
    bool FContentTaken = false;
};
