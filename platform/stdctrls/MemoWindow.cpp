#include "platform/stdctrls/MemoWindow.h"

#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/MessageArgs.h"
#include "platform/stdctrls/ReadOnlyInputEditor.h"

#include <QMouseEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

class TQtMemo : public TReadOnlyInputEditor<QPlainTextEdit> {
public:
    explicit TQtMemo(TEditNotify ANotify) : Notify(std::move(ANotify)) {}
    int Limit = 0;
    // Wheel steps smaller than a notch, kept until they make one.
    int WheelRest = 0;
    TEditNotify Notify;

protected:
    // No text leaves a memo by dragging: a press in the selection starts a
    // new selection there, as in the classic memo.  Qt would start dragging
    // the selected text instead, and from an editable memo move it out of
    // the record into whatever program it is dropped on.
    void mousePressEvent(QMouseEvent* E) override
    {
        if (E->button() == Qt::LeftButton && !E->modifiers().testFlag(Qt::ShiftModifier) && textCursor().hasSelection())
            setTextCursor(cursorForPosition(E->position().toPoint()));
        QPlainTextEdit::mousePressEvent(E);
    }
};

TQtMemo* QtMemo(HWND Wnd)
{
    return dynamic_cast<TQtMemo*>(GetWindowHostedWidget(Wnd));
}

String QtText(const String& Classic)
{
    String S = Classic;
    S.replace(MemoLineBreak, QStringLiteral("\n"));
    S.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return S;
}

// --- classic character positions (CR LF counts two) against Qt's (one) --------------------

int ToClassic(const QTextDocument* Doc, int QtPos)
{
    const QTextBlock B = Doc->findBlock(QtPos);
    return QtPos + (B.isValid() ? B.blockNumber() : std::max(0, Doc->blockCount() - 1));
}

int ToQt(const QTextDocument* Doc, int Classic)
{
    if (Classic < 0)
        return 0;
    for (QTextBlock B = Doc->begin(); B.isValid(); B = B.next()) {
        const int Start = B.position() + B.blockNumber();
        const int Length = B.length() - 1;
        // Inside the block, at its end, or between the CR and LF after it.
        if (Classic <= Start + Length + 1)
            return B.position() + std::min(Classic - Start, Length);
    }
    return Doc->characterCount() - 1;
}

// --- display lines: a wrapped line counts as the lines it shows on ----------------------------

// Every block laid out at the memo's width, so that each knows how many
// display lines it takes.
void LayOut(const TQtMemo* E)
{
    auto* Layout = qobject_cast<QPlainTextDocumentLayout*>(E->document()->documentLayout());
    if (Layout == nullptr)
        return;
    for (QTextBlock B = E->document()->begin(); B.isValid(); B = B.next())
        Layout->ensureBlockLayout(B);
}

int BlockLines(const QTextBlock& B)
{
    const QTextLayout* L = B.layout();
    return std::max(L != nullptr ? L->lineCount() : 0, 1);
}

int DisplayLineCount(const TQtMemo* E)
{
    LayOut(E);
    int N = 0;
    for (QTextBlock B = E->document()->begin(); B.isValid(); B = B.next())
        N += BlockLines(B);
    return N;
}

// The display line that shows the Qt position Pos.
int DisplayLineOf(const TQtMemo* E, int Pos)
{
    LayOut(E);
    const QTextDocument* Doc = E->document();
    QTextBlock Block = Doc->findBlock(Pos);
    if (!Block.isValid())
        Block = Doc->lastBlock();
    int Line = 0;
    for (QTextBlock B = Doc->begin(); B.isValid() && B != Block; B = B.next())
        Line += BlockLines(B);
    const QTextLayout* L = Block.layout();
    const QTextLine In = L != nullptr ? L->lineForTextPosition(Pos - Block.position()) : QTextLine();
    return Line + (In.isValid() ? In.lineNumber() : 0);
}

// Where display line Line starts (Qt position) and how long it is; false
// beyond the last line.
bool DisplayLineSpan(const TQtMemo* E, int Line, int& Start, int& Length)
{
    if (Line < 0)
        return false;
    LayOut(E);
    for (QTextBlock B = E->document()->begin(); B.isValid(); B = B.next()) {
        const int Lines = BlockLines(B);
        if (Line >= Lines) {
            Line -= Lines;
            continue;
        }
        const QTextLayout* L = B.layout();
        if (L == nullptr || L->lineCount() == 0) {
            Start = B.position();
            Length = B.length() - 1;
        } else {
            const QTextLine In = L->lineAt(Line);
            Start = B.position() + In.textStart();
            Length = In.textLength();
        }
        return true;
    }
    return false;
}

// The caret's display line (-1 as a line or character argument).
int CaretLine(const TQtMemo* E)
{
    return DisplayLineOf(E, E->textCursor().position());
}

// The line of a classic character index; -1: the caret's line.
int LineOfChar(const TQtMemo* E, int Classic)
{
    if (Classic < 0)
        return CaretLine(E);
    return DisplayLineOf(E, ToQt(E->document(), Classic));
}

std::pair<int, int> Selection(const TQtMemo* E)
{
    const QTextCursor C = E->textCursor();
    return {ToClassic(E->document(), C.selectionStart()), ToClassic(E->document(), C.selectionEnd())};
}

void SetSelection(TQtMemo* E, int Start, int End)
{
    QTextCursor C = E->textCursor();
    if (Start < 0) {
        C.clearSelection();
    } else {
        const int Last = E->document()->characterCount() - 1;
        C.setPosition(std::min(ToQt(E->document(), Start), Last));
        C.setPosition(End < 0 ? Last : std::min(ToQt(E->document(), End), Last), QTextCursor::KeepAnchor);
    }
    E->setTextCursor(C);
}

// --- scrolling ---------------------------------------------------------------------------------

int ScrollLines(TQtMemo* E, int Lines)
{
    QScrollBar* Bar = E->verticalScrollBar();
    const int Before = Bar->value();
    Bar->setValue(Before + Lines);
    return Bar->value() - Before;
}

LRESULT Scroll(TQtMemo* E, WPARAM Code)
{
    const int Page = std::max(1, E->verticalScrollBar()->pageStep());
    int Moved = 0;
    switch (LOWORD(Code)) {
    case SB_LINEUP:
        Moved = ScrollLines(E, -1);
        break;
    case SB_LINEDOWN:
        Moved = ScrollLines(E, 1);
        break;
    case SB_PAGEUP:
        Moved = ScrollLines(E, -Page);
        break;
    case SB_PAGEDOWN:
        Moved = ScrollLines(E, Page);
        break;
    default:
        return 0;
    }
    return MAKELPARAM(std::abs(Moved), TRUE);
}

void Wheel(TQtMemo* E, int Delta)
{
    E->WheelRest += Delta;
    const int Notches = E->WheelRest / WHEEL_DELTA;
    E->WheelRest -= Notches * WHEEL_DELTA;
    if (Notches == 0)
        return;
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    const int Page = std::max(1, E->verticalScrollBar()->pageStep());
    ScrollLines(E, -Notches * (Lines == WHEEL_PAGESCROLL ? Page : int(Lines)));
}

// --- editing ------------------------------------------------------------------------------------

void ReplaceSelection(TQtMemo* E, const String& Text)
{
    QTextCursor C = E->textCursor();
    C.insertText(QtText(Text));
    E->setTextCursor(C);
}

void Paste(TQtMemo* E, WPARAM Source)
{
    if (E->isReadOnly())
        return;
    const String Text = QtText(PasteText(Source));
    E->textCursor().insertText(
        FitToLimit(Text, E->Limit, E->document()->characterCount() - 1, int(E->textCursor().selectedText().size())));
}

// Whether typing Units code units over the selection would take the text
// beyond the limit; typing that does not make the text longer always fits.
bool FullForTyping(const TQtMemo* E, int Units)
{
    const int Selected = int(E->textCursor().selectedText().size());
    return E->Limit > 0 && Units > Selected && E->document()->characterCount() - 1 - Selected + Units > E->Limit;
}

// The code units a typed WM_CHAR asks room for: a character of two comes as
// its high half first, which asks for both; its low half asked nothing more
// (it is typed with the high one, or dropped without it).
int TypedUnits(QChar C)
{
    if (C.isHighSurrogate())
        return 2;
    return C.isPrint() || C == QChar(13) || C == QChar(9) || C == QChar(10) ? 1 : 0;
}

bool HandleChar(TQtMemo* E, TMessage& M)
{
    const QChar C(char16_t(M.WParam));
    if (C == QChar(27))
        return true;
    if (const int Units = TypedUnits(C); Units > 0 && FullForTyping(E, Units)) {
        MessageBeep(MB_OK_BEEP);
        return true;
    }
    // Ctrl+Enter types a line break as Enter does.
    if (C == QChar(10)) {
        if (!E->isReadOnly())
            E->textCursor().insertText(QStringLiteral("\n"));
        return true;
    }
    return false;
}

bool HandleLineMessage(TQtMemo* E, TMessage& M)
{
    QTextDocument* Doc = E->document();
    switch (M.Msg) {
    case EM_GETLINECOUNT:
        M.Result = DisplayLineCount(E);
        return true;
    case EM_LINEINDEX: {
        const int Line = IndexArg(M) < 0 ? CaretLine(E) : IndexArg(M);
        int Start = 0, Length = 0;
        M.Result = DisplayLineSpan(E, Line, Start, Length) ? ToClassic(Doc, Start) : -1;
        return true;
    }
    case EM_LINELENGTH: {
        int Start = 0, Length = 0;
        M.Result = DisplayLineSpan(E, LineOfChar(E, IndexArg(M)), Start, Length) ? Length : 0;
        return true;
    }
    case EM_LINEFROMCHAR:
        M.Result = LineOfChar(E, IndexArg(M));
        return true;
    case EM_GETLINE: {
        int Start = 0, Length = 0;
        String Line;
        if (DisplayLineSpan(E, IndexArg(M), Start, Length)) {
            const QTextBlock B = Doc->findBlock(Start);
            Line = B.text().mid(Start - B.position(), Length);
        }
        if (M.LParam != 0)
            *LParamToPtr<String>(M.LParam) = Line;
        M.Result = Line.size();
        return true;
    }
    case EM_CHARFROMPOS: {
        const TPoint P = LParamToPoint(M.LParam);
        const QTextCursor C = E->cursorForPosition(E->viewport()->mapFrom(E, QPoint(P.X, P.Y)));
        M.Result = MAKELPARAM(ToClassic(Doc, C.position()), DisplayLineOf(E, C.position()));
        return true;
    }
    case QV_EM_GETCARETINDEX:
        M.Result = ToClassic(Doc, E->textCursor().position());
        return true;
    case EM_POSFROMCHAR: {
        QTextCursor C(Doc);
        C.setPosition(std::min(ToQt(Doc, int(M.WParam)), Doc->characterCount() - 1));
        const QPoint P = E->viewport()->mapTo(E, E->cursorRect(C).topLeft());
        M.Result = MAKELPARAM(P.x(), P.y());
        return true;
    }
    case EM_LINESCROLL:
        ScrollLines(E, int(M.LParam));
        E->horizontalScrollBar()->setValue(E->horizontalScrollBar()->value() + int(std::intptr_t(M.WParam)));
        M.Result = TRUE;
        return true;
    case EM_SCROLL:
        M.Result = Scroll(E, M.WParam);
        return true;
    case EM_GETFIRSTVISIBLELINE:
        M.Result = E->verticalScrollBar()->value();
        return true;
    case EM_SCROLLCARET:
        E->ensureCursorVisible();
        return true;
    default:
        return false;
    }
}

bool HandleMemoMessage(HWND Wnd, TQtMemo* E, TMessage& M)
{
    if (HandleLineMessage(E, M))
        return true;
    switch (M.Msg) {
    case WM_SETTEXT:
        DefWindowProc(Wnd, M.Msg, M.WParam, M.LParam);
        E->setPlainText(QtText(M.LParam != 0 ? *LParamToPtr<const String>(M.LParam) : String()));
        M.Result = TRUE;
        return true;
    case WM_GETTEXT:
        AnswerText(M, WithClassicLineBreaks(E->toPlainText()));
        return true;
    case WM_GETTEXTLENGTH:
        M.Result = ToClassic(E->document(), E->document()->characterCount() - 1);
        return true;
    case WM_GETDLGCODE:
        M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
        return true;
    case EM_GETSEL: {
        const auto [Start, End] = Selection(E);
        AnswerSelection(M, Start, End);
        return true;
    }
    case EM_SETSEL:
        SetSelection(E, int(std::intptr_t(M.WParam)), int(M.LParam));
        return true;
    case EM_REPLACESEL:
        if (M.LParam != 0)
            ReplaceSelection(E, *LParamToPtr<const String>(M.LParam));
        return true;
    case EM_GETMODIFY:
        M.Result = E->document()->isModified() ? TRUE : FALSE;
        return true;
    case EM_SETMODIFY:
        E->document()->setModified(M.WParam != 0);
        return true;
    case EM_LIMITTEXT:
        E->Limit = int(M.WParam);
        return true;
    case EM_GETLIMITTEXT:
        M.Result = E->Limit > 0 ? E->Limit : 0x7FFFFFFE;
        return true;
    case QV_EM_SETREADONLYINPUT:
        E->SetReadOnlyInput(M.WParam != 0);
        return true;
    case EM_SETREADONLY: {
        E->setReadOnly(M.WParam != 0);
        E->ApplyInputMethod();
        SetReadOnlyStyle(Wnd, M.WParam != 0);
        M.Result = TRUE;
        return true;
    }
    case EM_CANUNDO:
        M.Result = E->document()->isUndoAvailable() ? TRUE : FALSE;
        return true;
    case EM_UNDO:
    case WM_UNDO:
        if (!E->isReadOnly())
            E->undo();
        M.Result = TRUE;
        return true;
    case EM_EMPTYUNDOBUFFER:
        E->document()->clearUndoRedoStacks();
        return true;
    case WM_COPY:
        E->copy();
        return true;
    case WM_CUT:
        if (!E->isReadOnly())
            E->cut();
        return true;
    case WM_PASTE:
        Paste(E, M.WParam);
        return true;
    case WM_CLEAR:
        if (!E->isReadOnly())
            E->textCursor().removeSelectedText();
        return true;
    case WM_MOUSEWHEEL:
        Wheel(E, std::int16_t(HIWORD(M.WParam)));
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return RouteMiddleButton(Wnd, M, [Wnd](QPoint P) {
            if (TQtMemo* Memo = QtMemo(Wnd))
                Memo->setTextCursor(Memo->cursorForPosition(Memo->viewport()->mapFrom(Memo, P)));
        });
    case WM_KEYDOWN:
    case WM_SYSCHAR:
        return RouteEditorKeys(Wnd, M);
    case WM_CHAR:
        return RouteEditorKeys(Wnd, M) || HandleChar(E, M);
    default:
        return false;
    }
}

} // namespace

String WithClassicLineBreaks(const String& Text)
{
    return QtText(Text).replace(QLatin1Char('\n'), MemoLineBreak);
}

QWidget* CreateMemoWidget(HWND Wnd, TEditNotify Notify)
{
    auto* E = new TQtMemo(std::move(Notify));
    const DWORD Style = DWORD(GetWindowLong(Wnd, GWL_STYLE));
    E->setFrameShape(QFrame::NoFrame);
    E->setAcceptDrops(false);
    E->setTabChangesFocus(false);
    E->setReadOnly((Style & ES_READONLY) != 0);
    QTextOption Option = E->document()->defaultTextOption();
    if ((Style & ES_RIGHT) != 0)
        Option.setAlignment(Qt::AlignRight);
    else if ((Style & ES_CENTER) != 0)
        Option.setAlignment(Qt::AlignHCenter);
    E->document()->setDefaultTextOption(Option);
    E->setPlainText(QtText(GetWindowText(Wnd)));
    E->document()->setModified(false);
    QObject::connect(E, &QPlainTextEdit::textChanged, E, [E] {
        if (E->Notify)
            E->Notify(EN_CHANGE);
    });
    return E;
}

QPlainTextEdit* MemoEditOf(HWND Wnd)
{
    return QtMemo(Wnd);
}

void SetMemoScrolling(HWND Wnd, bool HorzBar, bool VertBar, bool WordWrap)
{
    TQtMemo* E = QtMemo(Wnd);
    if (E == nullptr)
        return;
    E->setHorizontalScrollBarPolicy(HorzBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    E->setVerticalScrollBarPolicy(VertBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    E->setLineWrapMode(WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void MemoWndProc(HWND Wnd, TMessage& Message)
{
    TQtMemo* E = QtMemo(Wnd);
    if (E != nullptr && HandleMemoMessage(Wnd, E, Message))
        return;
    Message.Result = DefWindowProc(Wnd, Message.Msg, Message.WParam, Message.LParam);
}
