#pragma once
// TPageScroller: a frame around one control (Control, usually a toolbar)
// that is longer than the room it has.  The control keeps its length along
// Orientation and fills the other way (less Margin on each side); when it
// does not fit, two arrow buttons at the ends (ButtonSize wide, outside the
// client area) scroll it, step by step while held.  Position is how far it
// is scrolled.  Toolbars inside a page scroller never size themselves.
#include "platform/windows/WinControl.h"

enum TPageScrollerOrientation { soHorizontal, soVertical };
enum TPageScrollerButton { sbFirst, sbLast };
using TPageScrollEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y,
                                            TPageScrollerOrientation Orientation, int& Delta)>;

class TPageScroller : public TWinControl {
public:
    explicit TPageScroller(TComponent* AOwner);
    ~TPageScroller() override;

    // Kept for the form: hovering does not scroll here.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value) { FAutoScroll = Value; }
    bool DragScroll() const { return FDragScroll; }
    void SetDragScroll(bool Value) { FDragScroll = Value; }
    int ButtonSize() const { return FButtonSize; }
    void SetButtonSize(int Value);
    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    TPageScrollerOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPageScrollerOrientation Value);
    // Within 0 and how far the control reaches past the room.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // Whether the control is longer than the room, so the buttons show.
    bool ButtonsShown() const { return FButtonsShown; }
    // How much one step of a held button scrolls before OnScroll's say.
    static constexpr int ScrollStep = 12;
    DECLARE_EVENT(TPageScrollEvent, OnScroll)

    void AlignControls(TControl* AControl, TRect& Rect) override;

protected:
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    bool Horizontal() const { return FOrientation == soHorizontal; }
    int ControlLength() const;
    int MaxPosition();
    void UpdateLayout();
    TRect ButtonRect(TPageScrollerButton Button) const;
    void PaintButtons();
    bool ButtonEnabled(TPageScrollerButton Button);
    void StepButton();
    void NonClientMessage(TMessage& Message);

    bool FAutoScroll = false;
    bool FDragScroll = true;
    int FButtonSize = 12;
    TWinControl* FControl = nullptr;
    int FMargin = 0;
    TPageScrollerOrientation FOrientation = soHorizontal;
    int FPosition = 0;
    bool FButtonsShown = false;
    bool FLayingOut = false;
    int FPressed = -1;
};
