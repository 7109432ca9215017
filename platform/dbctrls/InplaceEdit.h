#pragma once
// TInplaceEdit: the masked edit a grid puts over its current cell while the
// user types into it.  The grid decides what it shows (text, edit mask,
// length limit) and whether it may change (CanEditModify: the data grid
// puts its record into edit mode then).  Keys that move between cells or
// records, and Enter, Escape and F2, are the grid's: the editor hands them
// on, as it hands on Left and Right at the ends of its text.
#include "platform/stdctrls/MaskEdit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
public:
    explicit TInplaceEdit(TCustomGrid* Grid);

    TCustomGrid* Grid() const { return FGrid; }
    // Takes the current cell's text, mask and limit afresh (nothing typed).
    void UpdateContents();

protected:
    void CreateParams(TCreateParams& Params) override;
    bool EditCanModify() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;

private:
    bool CaretAtStart();
    bool CaretAtEnd();
    // Whether the key belongs to the grid rather than to the text.
    bool IsGridKey(WORD Key, TShiftState Shift);

    TCustomGrid* FGrid;
};
