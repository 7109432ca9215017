#pragma once
// TCustomMemo and TMemo: the multi-line edit on a Qt plain-text edit
// (MemoWindow).  Lines is the text as a list of lines with the classic line
// semantics: the text is the lines joined by CR LF, the last line without
// one; a text that ends with a line break has no empty last line in Lines.
// Lines added, inserted, changed or deleted edit the text in place (the
// caret, scroll position and undo list stay); inside BeginUpdate/EndUpdate
// the changes collect and the text is set once at the end.
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/Edit.h"

#include <memory>

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // The caret: X the column, Y the line, both from 0.
    TPoint CaretPos();
    void SetCaretPos(TPoint Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    QWidget* CreateHostedWidget() override;
    void SetTextBuf(const String& Value) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;

private:
    void ApplyScrolling();

    std::unique_ptr<TStrings> FLines;
    TAlignment FAlignment = taLeftJustify;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
