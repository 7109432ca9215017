#pragma once
// TFcMemo: the multi-line member of the framed-control family: the memo
// with the framed edit's state colours, flat frame, hot tracking, frame
// controller and Enter as Tab, plus the caret's line and column (1-based,
// counted in display lines as the memo shows them, from the editor's own
// cursor also while it has no focus) with an event when they may have
// changed, an event telling whether there is a selection and text to
// paste, and its own wheel scrolling.  Line and column values outside the
// text are ignored.
//
// TFcMemoControl<TBase> is all of that over any memo class, so that the
// data-aware memo gets the same behaviour over the platform's TDBMemo.
#include "controls/lists/FcFramedControl.h"
#include "platform/stdctrls/Memo.h"

using TLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TClipboardChangeEvent = std::function<void(TObject* Sender, bool HasSelection, bool HasText)>;

// The caret and scrolling of a memo's window, shared by every framed memo.
namespace FcMemoCaret {
int Line(TCustomMemo* Memo);
// False when the value lies outside the text (nothing moves).
bool SetLine(TCustomMemo* Memo, int Value);
int Column(TCustomMemo* Memo);
bool SetColumn(TCustomMemo* Memo, int Value);
// Whether the clipboard holds text.
bool ClipboardHasText();
// Scrolls by the system's wheel lines (or pages) for WheelDelta.
void ScrollByWheel(TCustomMemo* Memo, int WheelDelta);
} // namespace FcMemoCaret

template <typename TBase>
class TFcMemoControl : public TFcFramedControl<TBase> {
public:
    explicit TFcMemoControl(TComponent* AOwner) : TFcFramedControl<TBase>(AOwner)
    {
        this->FControlStyle.Exclude(csSetCaption);
    }

    void SetReadOnly(bool Value) override
    {
        if (this->ReadOnly() == Value)
            return;
        TFcFramedControl<TBase>::SetReadOnly(Value);
        this->UpdateColors();
    }
    int Line() { return FcMemoCaret::Line(this); }
    void SetLine(int Value)
    {
        if (Value >= 1 && this->HandleAllocated() && FcMemoCaret::SetLine(this, Value))
            LineColChange();
    }
    int Column() { return FcMemoCaret::Column(this); }
    void SetColumn(int Value)
    {
        if (Value >= 1 && this->HandleAllocated() && FcMemoCaret::SetColumn(this, Value))
            LineColChange();
    }

    DECLARE_EVENT(TLineColChangeEvent, OnLineColChange)
    DECLARE_EVENT(TClipboardChangeEvent, OnClipboardChange)

protected:
    void CreateWnd() override
    {
        TFcFramedControl<TBase>::CreateWnd();
        LineColChange();
    }
    void Change() override
    {
        TFcFramedControl<TBase>::Change();
        LineColChange();
    }
    void Click() override
    {
        TFcFramedControl<TBase>::Click();
        LineColChange();
    }
    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        TFcFramedControl<TBase>::KeyDown(Key, Shift);
        LineColChange();
    }
    void KeyUp(WORD& Key, TShiftState Shift) override
    {
        TFcFramedControl<TBase>::KeyUp(Key, Shift);
        LineColChange();
    }
    void KeyPress(QChar& Key) override
    {
        if (this->TabOnEnterKey(Key))
            return;
        TFcFramedControl<TBase>::KeyPress(Key);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TFcFramedControl<TBase>::MouseUp(Button, Shift, X, Y);
        ClipboardChange();
    }
    // The memo scrolls itself unless the application handles the wheel.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override
    {
        if (this->OnMouseWheel())
            return TFcFramedControl<TBase>::DoMouseWheel(Shift, WheelDelta, MousePos);
        FcMemoCaret::ScrollByWheel(this, WheelDelta);
        return true;
    }
    bool ColorReadOnly() override { return this->ReadOnly(); }

    // OnLineColChange with the caret's line and column, then ClipboardChange.
    virtual void LineColChange()
    {
        if (FOnLineColChange)
            FOnLineColChange(this, Line(), Column());
        ClipboardChange();
    }
    // OnClipboardChange: whether text is selected and the clipboard has text.
    virtual void ClipboardChange()
    {
        if (FOnClipboardChange)
            FOnClipboardChange(this, this->HandleAllocated() && this->SelLength() != 0,
                               FcMemoCaret::ClipboardHasText());
    }
};

class TFcMemo : public TFcMemoControl<TMemo> {
public:
    explicit TFcMemo(TComponent* AOwner) : TFcMemoControl<TMemo>(AOwner) {}
};

// What every framed memo publishes after the memo's own properties.
#define FC_PUBLISHED_MEMO_PROPERTIES                                                                                   \
    FC_PUBLISHED_COLOR                                                                                                 \
    FC_PUBLISHED_FRAME_PROPERTIES                                                                                      \
    PUBLISHED(ReadOnly, false)                                                                                         \
    FC_PUBLISHED_FRAMING(fcpReadOnlyColor, ReadOnlyColor, clInfoBk)                                                    \
    FC_PUBLISHED_FRAMING(fcpReadOnlyColorOnFocus, ReadOnlyColorOnFocus, false)                                         \
    PUBLISHED(TabOnEnter, false)                                                                                       \
    PUBLISHED_EVENT(OnLineColChange)                                                                                   \
    PUBLISHED_EVENT(OnClipboardChange)                                                                                 \
    PUBLISHED_EVENT(OnMouseWheel)                                                                                      \
    PUBLISHED_EVENT(OnMouseWheelUp)                                                                                    \
    PUBLISHED_EVENT(OnMouseWheelDown)
