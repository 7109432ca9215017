#pragma once
// TFcMemo: the multi-line member of the framed-control family: the memo
// with the framed edit's state colours, flat frame, hot tracking, frame
// controller and Enter as Tab, plus the caret's line and column (1-based,
// counted in display lines as the memo shows them, from the editor's own
// cursor also while it has no focus) with an event when they may have
// changed, an event telling whether there is a selection and text to
// paste, and its own wheel scrolling.  Line and column values outside the
// text are ignored.
#include "controls/lists/FcFramedControl.h"
#include "platform/stdctrls/Memo.h"

using TLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TClipboardChangeEvent = std::function<void(TObject* Sender, bool HasSelection, bool HasText)>;

class TFcMemo : public TFcFramedControl<TMemo> {
public:
    explicit TFcMemo(TComponent* AOwner);

    void SetReadOnly(bool Value) override;
    int Line();
    void SetLine(int Value);
    int Column();
    void SetColumn(int Value);

    DECLARE_EVENT(TLineColChangeEvent, OnLineColChange)
    DECLARE_EVENT(TClipboardChangeEvent, OnClipboardChange)

protected:
    void CreateWnd() override;
    void Change() override;
    void Click() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool ColorReadOnly() override { return ReadOnly(); }

    // OnLineColChange with the caret's line and column, then ClipboardChange.
    virtual void LineColChange();
    // OnClipboardChange: whether text is selected and the clipboard has text.
    virtual void ClipboardChange();

private:
    int CaretIndex();
    int LineIndex(int Line);
};
