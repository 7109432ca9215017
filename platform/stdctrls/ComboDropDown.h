#pragma once
// The drop-down list of a combo box: an owned popup window that never takes
// activation, showing the combo box's items (its TListEngine) below the
// combo box, or above it where the screen has no room below.  While it is
// open it holds the mouse: moving over it lights an item, releasing the
// button over an item chooses it, a press outside the list (swallowed)
// closes it, and its scroll bar and the wheel scroll it.  Owner-drawn items
// are painted by the combo box (CN_DRAWITEM), with the same canvas as its
// face.
#include "platform/windows/CustomControl.h"

class TCustomComboBox;
class TListEngine;

class TComboDropDownList : public TCustomControl {
public:
    explicit TComboDropDownList(TCustomComboBox* Combo);

    // Sizes the list for the items, places it at the combo box and shows it.
    void Place();
    // The items changed: the size, the lit item and the scroll bar follow.
    void ItemsChanged();
    // The lit item (-1: none); Show scrolls it into view.
    int Hot() const { return FHot; }
    void SetHot(int Index, bool Show);
    void ScrollBy(int Items);
    TSize ListClient();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

private:
    TListEngine& Engine();
    int VisibleItems();
    void UpdateScrollBar();
    void PaintItem(int Index, const TRect& R);
    void MouseMessage(TMessage& Message);
    void PressOutside(TPoint Screen);

    TCustomComboBox* FCombo;
    int FHot = -1;
    bool FPressedInside = false;
    bool FMovedInside = false;
    bool FScrolling = false;
    bool FPainting = false;
    bool FChangedWhilePainting = false;
};
