#include "platform/stdctrls/Memo.h"

#include "platform/classes/TypInfo.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/MemoWindow.h"

#include <optional>

REGISTER_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)

REGISTER_COMPONENT(TCustomMemo, TCustomEdit)
    PUBLISHED_STORED(Text, String(), false)
    PUBLISHED(AutoSize, false)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED_OBJECT(Lines)
    PUBLISHED(ScrollBars, ssNone)
    PUBLISHED(WantReturns, true)
    PUBLISHED(WantTabs, false)
    PUBLISHED(WordWrap, true)
END_REGISTER

REGISTER_COMPONENT(TMemo, TCustomMemo)
END_REGISTER

namespace {

QStringList SplitLines(const String& Text)
{
    if (Text.isEmpty())
        return {};
    QStringList Lines = WithClassicLineBreaks(Text).split(MemoLineBreak);
    // A line break at the end ends the last line; it starts no new one.
    if (Lines.last().isEmpty())
        Lines.removeLast();
    return Lines;
}

// The memo's text as lines.  Outside an update every change goes straight
// into the memo's text as one replacement; inside one the lines collect
// here and the text is set once at the end.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetText(const String& Value) override;

protected:
    String Get(int Index) const override;
    int GetCount() const override { return int(Current().size()); }
    void Put(int Index, const String& S) override;
    void SetUpdateState(bool Updating) override;

private:
    QStringList Current() const { return FPending ? *FPending : SplitLines(FMemo->Text()); }
    static int LineStart(const QStringList& Lines, int Index);
    void Replace(int Start, int End, const String& Text);
    void CheckIndex(int Index, int Count) const;

    TCustomMemo* FMemo;
    std::optional<QStringList> FPending;
};

int TMemoStrings::LineStart(const QStringList& Lines, int Index)
{
    int Start = 0;
    for (int I = 0; I < Index; ++I)
        Start += int(Lines.at(I).size()) + 2;
    return Start;
}

void TMemoStrings::CheckIndex(int Index, int Count) const
{
    if (Index < 0 || Index >= Count)
        Error(QStringLiteral("List index out of bounds (%d)"), Index);
}

void TMemoStrings::Replace(int Start, int End, const String& Text)
{
    // Through the window's own replace, so that the caret, the scroll
    // position and the undo list stay with the text.
    if (FMemo->HandleAllocated()) {
        FMemo->Perform(EM_SETSEL, WPARAM(Start), End);
        FMemo->Perform(EM_REPLACESEL, 0, PtrToLParam(&Text));
        return;
    }
    const String Old = FMemo->Text();
    FMemo->SetText(Old.left(Start) + Text + Old.mid(End));
}

String TMemoStrings::Get(int Index) const
{
    const QStringList Lines = Current();
    CheckIndex(Index, int(Lines.size()));
    return Lines.at(Index);
}

void TMemoStrings::Put(int Index, const String& S)
{
    if (FPending) {
        CheckIndex(Index, int(FPending->size()));
        (*FPending)[Index] = S;
        return;
    }
    const QStringList Lines = SplitLines(FMemo->Text());
    CheckIndex(Index, int(Lines.size()));
    const int Start = LineStart(Lines, Index);
    Replace(Start, Start + int(Lines.at(Index).size()), S);
}

void TMemoStrings::Insert(int Index, const String& S)
{
    if (FPending) {
        if (Index < 0 || Index > FPending->size())
            Error(QStringLiteral("List index out of bounds (%d)"), Index);
        FPending->insert(Index, S);
        return;
    }
    const String Text = FMemo->Text();
    const QStringList Lines = SplitLines(Text);
    if (Index < 0 || Index > Lines.size())
        Error(QStringLiteral("List index out of bounds (%d)"), Index);
    if (Index < Lines.size()) {
        const int Start = LineStart(Lines, Index);
        Replace(Start, Start, S + MemoLineBreak);
    } else if (Text.isEmpty() || Text.endsWith(MemoLineBreak)) {
        Replace(int(Text.size()), int(Text.size()), S);
    } else {
        Replace(int(Text.size()), int(Text.size()), MemoLineBreak + S);
    }
}

void TMemoStrings::Delete(int Index)
{
    if (FPending) {
        CheckIndex(Index, int(FPending->size()));
        FPending->removeAt(Index);
        return;
    }
    const String Text = FMemo->Text();
    const QStringList Lines = SplitLines(Text);
    CheckIndex(Index, int(Lines.size()));
    const int Start = LineStart(Lines, Index);
    if (Index + 1 < Lines.size() || Text.endsWith(MemoLineBreak))
        Replace(Start, LineStart(Lines, Index + 1), String());
    else if (Index == 0)
        Replace(0, int(Text.size()), String());
    else
        // The last line takes the line break before it along.
        Replace(Start - 2, int(Text.size()), String());
}

void TMemoStrings::Clear()
{
    if (FPending)
        FPending->clear();
    else
        FMemo->SetText(String());
}

void TMemoStrings::SetText(const String& Value)
{
    if (FPending)
        FPending = SplitLines(Value);
    else
        FMemo->SetText(Value);
}

void TMemoStrings::SetUpdateState(bool Updating)
{
    if (Updating) {
        FPending = SplitLines(FMemo->Text());
        return;
    }
    const QStringList Lines = FPending ? *FPending : QStringList();
    FPending.reset();
    FMemo->SetText(Lines.join(MemoLineBreak));
}

} // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    FWidth = 185;
    FHeight = 89;
    SetAutoSize(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* Value)
{
    FLines->Assign(Value);
}

void TCustomMemo::SetAlignment(TAlignment Value)
{
    if (AssignIfChanged(FAlignment, Value))
        RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    if (AssignIfChanged(FScrollBars, Value))
        ApplyScrolling();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    if (AssignIfChanged(FWordWrap, Value))
        ApplyScrolling();
}

void TCustomMemo::ApplyScrolling()
{
    if (HandleAllocated())
        SetMemoScrolling(FHandle, FScrollBars == ssHorizontal || FScrollBars == ssBoth,
                         FScrollBars == ssVertical || FScrollBars == ssBoth, FWordWrap);
}

TPoint TCustomMemo::CaretPos()
{
    if (!HandleAllocated())
        return {0, 0};
    const int Line = int(Perform(EM_LINEFROMCHAR, WPARAM(-1), 0));
    const int LineStart = int(Perform(EM_LINEINDEX, WPARAM(-1), 0));
    const int LineEnd = LineStart + int(Perform(EM_LINELENGTH, WPARAM(LineStart), 0));
    const int End = SelStart() + SelLength();
    const int Caret = End >= LineStart && End <= LineEnd ? End : SelStart();
    return {Caret - LineStart, Line};
}

void TCustomMemo::SetCaretPos(TPoint Value)
{
    if (!HandleAllocated())
        return;
    const int LineStart = int(Perform(EM_LINEINDEX, WPARAM(std::max(Value.Y, 0)), 0));
    if (LineStart < 0)
        return;
    const int Length = int(Perform(EM_LINELENGTH, WPARAM(LineStart), 0));
    const int Pos = LineStart + std::clamp(Value.X, 0, Length);
    Perform(EM_SETSEL, WPARAM(Pos), Pos);
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    Params.Style |= ES_MULTILINE;
    if (FAlignment == taRightJustify)
        Params.Style |= ES_RIGHT;
    else if (FAlignment == taCenter)
        Params.Style |= ES_CENTER;
    Params.WindowClass.lpfnWndProc = [this](TMessage& M) { MemoWndProc(FHandle, M); };
}

QWidget* TCustomMemo::CreateHostedWidget()
{
    const HWND Wnd = FHandle;
    const std::uint64_t Serial = WindowSerial(Wnd);
    return CreateMemoWidget(Wnd, [this, Wnd, Serial](WORD Code) {
        if (IsWindowSerial(Wnd, Serial))
            Perform(CN_COMMAND, MAKEWPARAM(0, Code), PtrToLParam(Wnd));
    });
}

void TCustomMemo::CreateWnd()
{
    TCustomEdit::CreateWnd();
    ApplyScrolling();
}

void TCustomMemo::SetTextBuf(const String& Value)
{
    TCustomEdit::SetTextBuf(WithClassicLineBreaks(Value));
}

void TCustomMemo::KeyPress(QChar& Key)
{
    TCustomEdit::KeyPress(Key);
    if (Key == QChar(13) && !FWantReturns)
        Key = QChar();
}

void TCustomMemo::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
        // Enter types a line break while WantReturns; Escape stays the
        // form's (its Cancel button).
        if (Message.WParam == VK_RETURN && FWantReturns) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_GETDLGCODE:
        TCustomEdit::WndProc(Message);
        Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
        if (FWantTabs)
            Message.Result |= DLGC_WANTTAB;
        else
            Message.Result &= ~LRESULT(DLGC_WANTTAB);
        return;
    default:
        break;
    }
    TCustomEdit::WndProc(Message);
}
