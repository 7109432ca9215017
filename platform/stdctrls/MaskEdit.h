#pragma once
// TCustomMaskEdit and TMaskEdit: an edit whose text follows an edit mask
// (platform/rtl/MaskUtils.h).  With a mask, every position of the text is
// always there: typing overwrites the position at the caret and moves on
// over literals, Delete and Backspace blank positions instead of closing up
// the text, and the caret never rests on a literal.  EditText is what the
// edit shows; Text is the value (literals only when the mask saves them,
// blanks as spaces).  Without a mask it is a plain edit.
//
// On leaving the edit, and whenever a caller asks (ValidateEdit), a changed
// text that the mask does not accept raises EDBEditError "Invalid input
// value.  Use escape key to abandon changes" with the caret on the first
// wrong position; Escape gives back the text the edit had before.
#include "platform/rtl/MaskUtils.h"
#include "platform/stdctrls/Edit.h"

using TEditMask = String;
using TMaskedText = String;

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    TEditMask EditMask() const { return FEditMask; }
    void SetEditMask(const TEditMask& Value);
    bool IsMasked() const { return FLayout.IsMasked(); }
    const TMaskLayout& MaskLayout() const { return FLayout; }
    // The text as shown: every position of the mask.
    String EditText();
    void SetEditText(const String& Value);
    // Raises the mask error when the user changed the text and the mask
    // does not accept it.
    virtual void ValidateEdit();
    // The text the edit had when it was entered or last set, back again.
    virtual void Reset();

protected:
    void CreateParams(TCreateParams& Params) override;
    void DestroyWnd() override;
    String GetText() override;
    void SetTextBuf(const String& Value) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    // Whether the user may change the text now (the data-aware edit asks
    // its data link); read-only edits never may.
    virtual bool EditCanModify();
    // Beeps and raises EDBEditError with the classic message.
    virtual void ValidateError();
    // The caret, moved off literals onto the next input position.
    void SetCursor(int Pos);
    void CheckCursor();

private:
    bool CanModify();
    void InputChar(QChar C);
    void DeleteKeys(bool Backspace);
    void ReplaceRange(int Start, int End, const String& Replacement, int Caret);
    String BlankRange(int Start, int End);
    void PasteMasked(const String& Text);
    bool IsMaskLiteral(QChar C) const;
    void CutMasked(bool Copy);
    void MoveCaret(WORD Key);

    TEditMask FEditMask;
    TMaskLayout FLayout;
    String FOldValue;
    bool FReEnter = false;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
