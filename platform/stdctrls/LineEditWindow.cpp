#include "platform/stdctrls/LineEditWindow.h"

#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/EditMessages.h"
#include "platform/stdctrls/MessageArgs.h"
#include "platform/stdctrls/ReadOnlyInputEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPalette>
#include <QRegularExpression>
#include <QValidator>

namespace {

enum class TCaseMode { None, Upper, Lower };

String Converted(const String& S, TCaseMode Mode)
{
    if (Mode == TCaseMode::None)
        return S;
    // Character by character (a character beyond the Basic Multilingual
    // Plane whole), so that positions in the text stay put.
    return Mode == TCaseMode::Upper ? AnsiUpperCase(S) : AnsiLowerCase(S);
}

class TQtLineEdit : public TReadOnlyInputEditor<QLineEdit> {
public:
    explicit TQtLineEdit(TEditNotify ANotify) : Notify(std::move(ANotify)) {}
    // Typed and pasted text stops at Limit characters (0: no limit).
    int Limit = 0;
    TCaseMode Case = TCaseMode::None;
    QChar Password;
    // The text as last accepted: while the validator runs, Qt's text is
    // already the changed one.
    String Accepted;
    TEditNotify Notify;
};

// Applies the case conversion and the text limit to everything the user
// changes; text set by the program does not pass through here.
class TEditValidator : public QValidator {
public:
    explicit TEditValidator(TQtLineEdit* Edit) : QValidator(Edit), FEdit(Edit) {}
    State validate(QString& Input, int& Pos) const override
    {
        (void)Pos;
        Input = Converted(Input, FEdit->Case);
        if (FEdit->Limit > 0 && Input.size() > FEdit->Limit && Input.size() > FEdit->Accepted.size())
            return Invalid;
        return Acceptable;
    }

private:
    TQtLineEdit* FEdit;
};

std::function<String()>& PrimarySelectionHook()
{
    static auto* Hook = new std::function<String()>;
    return *Hook;
}

// The text selected last in any program, which X pastes with the middle
// button; desktops without one have none.
String DesktopPrimarySelection()
{
    const QClipboard* Clipboard = QApplication::clipboard();
    if (Clipboard == nullptr || !Clipboard->supportsSelection())
        return String();
    return Clipboard->text(QClipboard::Selection);
}

TQtLineEdit* QtEdit(HWND Wnd)
{
    return dynamic_cast<TQtLineEdit*>(GetWindowHostedWidget(Wnd));
}

QColor QtColor(TColor Color)
{
    const COLORREF C = ColorToRGB(Color);
    return QColor(int(C & 0xFF), int((C >> 8) & 0xFF), int((C >> 16) & 0xFF));
}

void SetPasswordChar(TQtLineEdit* E, QChar C)
{
    E->Password = C;
    E->setEchoMode(C.isNull() ? QLineEdit::Normal : QLineEdit::Password);
    // The style sheet is the one per-widget way to choose the character.
    E->setStyleSheet(C.isNull() ? QString()
                                : QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(C.unicode()));
}

void SetReadOnly(HWND Wnd, TQtLineEdit* E, bool ReadOnly)
{
    E->setReadOnly(ReadOnly);
    E->ApplyInputMethod();
    SetReadOnlyStyle(Wnd, ReadOnly);
}

// The selection as the classic edit reports it: start and end, the end
// being where the caret is when nothing is selected.
std::pair<int, int> Selection(const QLineEdit* E)
{
    if (!E->hasSelectedText())
        return {E->cursorPosition(), E->cursorPosition()};
    return {E->selectionStart(), E->selectionEnd()};
}

void SetSelection(QLineEdit* E, int Start, int End)
{
    const int Length = E->text().size();
    if (Start < 0) {
        E->deselect();
        return;
    }
    Start = std::min(Start, Length);
    End = End < 0 ? Length : std::min(End, Length);
    if (Start == End)
        E->setCursorPosition(Start);
    else
        E->setSelection(Start, End - Start);
}

void Paste(TQtLineEdit* E, WPARAM Source)
{
    if (E->isReadOnly())
        return;
    String Text = PasteText(Source);
    // One line only, as a single-line edit takes it.
    const int Break = Text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (Break >= 0)
        Text.truncate(Break);
    E->insert(FitToLimit(Converted(Text, E->Case), E->Limit, int(E->text().size()), int(E->selectedText().size())));
}

void Cut(TQtLineEdit* E)
{
    if (E->isReadOnly() || E->echoMode() != QLineEdit::Normal || !E->hasSelectedText())
        return;
    E->copy();
    E->del();
}

void Clear(TQtLineEdit* E)
{
    if (!E->isReadOnly() && E->hasSelectedText())
        E->del();
}

// The classic edit keeps no redo list and lets go of its undo list on
// request; Qt keeps both until the text is set anew.
void EmptyUndoBuffer(TQtLineEdit* E)
{
    const auto [Start, End] = Selection(E);
    const bool Modified = E->isModified();
    const QSignalBlocker Block(E);
    E->setText(E->text());
    SetSelection(E, Start, End);
    E->setModified(Modified);
}

bool RouteChar(HWND Wnd, WPARAM Char)
{
    switch (Char) {
    case 1:
        SendMessage(Wnd, EM_SETSEL, 0, -1);
        return true;
    case 3:
        SendMessage(Wnd, WM_COPY, 0, 0);
        return true;
    case 22:
        SendMessage(Wnd, WM_PASTE, 0, 0);
        return true;
    case 24:
        SendMessage(Wnd, WM_CUT, 0, 0);
        return true;
    case 26:
        SendMessage(Wnd, WM_UNDO, 0, 0);
        return true;
    default:
        return false;
    }
}

bool RouteKeyDown(HWND Wnd, const TMessage& M)
{
    const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool Shift = GetKeyState(VK_SHIFT) < 0;
    const bool Alt = GetKeyState(VK_MENU) < 0;
    switch (M.WParam) {
    case VK_INSERT:
        if (Shift || Ctrl) {
            SendMessage(Wnd, Shift ? WM_PASTE : WM_COPY, 0, 0);
            return true;
        }
        return false;
    case VK_DELETE:
        if (Shift) {
            SendMessage(Wnd, WM_CUT, 0, 0);
            return true;
        }
        return false;
    default:
        if (!Ctrl || Alt || M.WParam < 'A' || M.WParam > 'Z')
            return false;
        // Ctrl with a letter acts through its character (Ctrl+V is #22 ...),
        // which the key has already queued, so that a key-press handler can
        // still refuse it; where the desktop gives the key no character it
        // acts at once.
        MSG Char;
        if (!PeekMessage(Char, Wnd, WM_CHAR, WM_CHAR, PM_NOREMOVE))
            RouteChar(Wnd, M.WParam - 'A' + 1);
        return true;
    }
}

bool HandleEditMessage(HWND Wnd, TQtLineEdit* E, TMessage& M)
{
    switch (M.Msg) {
    case WM_SETTEXT:
        DefWindowProc(Wnd, M.Msg, M.WParam, M.LParam);
        E->setText(Converted(M.LParam != 0 ? *LParamToPtr<const String>(M.LParam) : String(), E->Case));
        M.Result = TRUE;
        return true;
    case WM_GETTEXT:
        AnswerText(M, E->text());
        return true;
    case WM_GETTEXTLENGTH:
        M.Result = E->text().size();
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
            E->insert(Converted(*LParamToPtr<const String>(M.LParam), E->Case));
        return true;
    case EM_GETMODIFY:
        M.Result = E->isModified() ? TRUE : FALSE;
        return true;
    case EM_SETMODIFY:
        E->setModified(M.WParam != 0);
        return true;
    case EM_LIMITTEXT:
        E->Limit = int(M.WParam);
        return true;
    case EM_GETLIMITTEXT:
        M.Result = E->Limit > 0 ? E->Limit : 0x7FFFFFFE;
        return true;
    case EM_SETREADONLY:
        SetReadOnly(Wnd, E, M.WParam != 0);
        M.Result = TRUE;
        return true;
    case QV_EM_SETREADONLYINPUT:
        E->SetReadOnlyInput(M.WParam != 0);
        return true;
    case EM_SETPASSWORDCHAR:
        SetPasswordChar(E, QChar(char16_t(M.WParam)));
        E->ApplyInputMethod();
        return true;
    case EM_GETPASSWORDCHAR:
        M.Result = E->Password.unicode();
        return true;
    case EM_CANUNDO:
        M.Result = E->isUndoAvailable() ? TRUE : FALSE;
        return true;
    case EM_UNDO:
    case WM_UNDO:
        if (!E->isReadOnly() && E->isUndoAvailable())
            E->undo();
        M.Result = TRUE;
        return true;
    case EM_EMPTYUNDOBUFFER:
        EmptyUndoBuffer(E);
        return true;
    case EM_SETMARGINS: {
        QMargins Margins = E->textMargins();
        const bool FontInfo = M.WParam == EC_USEFONTINFO;
        if (FontInfo || (M.WParam & EC_LEFTMARGIN) != 0)
            Margins.setLeft(FontInfo ? 0 : LOWORD(std::uintptr_t(M.LParam)));
        if (FontInfo || (M.WParam & EC_RIGHTMARGIN) != 0)
            Margins.setRight(FontInfo ? 0 : HIWORD(std::uintptr_t(M.LParam)));
        E->setTextMargins(Margins);
        return true;
    }
    case EM_GETMARGINS:
        M.Result = MAKELPARAM(E->textMargins().left(), E->textMargins().right());
        return true;
    case EM_GETLINECOUNT:
        M.Result = 1;
        return true;
    case EM_LINEINDEX:
        M.Result = std::intptr_t(M.WParam) <= 0 ? 0 : -1;
        return true;
    case EM_LINELENGTH:
        M.Result = E->text().size();
        return true;
    case EM_LINEFROMCHAR:
        M.Result = 0;
        return true;
    case QV_EM_GETCARETINDEX:
        M.Result = E->cursorPosition();
        return true;
    case EM_SCROLLCARET:
        return true;
    case WM_COPY:
        if (E->echoMode() == QLineEdit::Normal)
            E->copy();
        return true;
    case WM_CUT:
        Cut(E);
        return true;
    case WM_PASTE:
        Paste(E, M.WParam);
        return true;
    case WM_CLEAR:
        Clear(E);
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return RouteMiddleButton(Wnd, M, [Wnd](QPoint P) {
            if (TQtLineEdit* Edit = QtEdit(Wnd))
                Edit->setCursorPosition(Edit->cursorPositionAt(P));
        });
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
        // A single-line edit types no line break, tab or escape.
        return RouteEditorKeys(Wnd, M)
            || (M.Msg == WM_CHAR && (M.WParam == 9 || M.WParam == 10 || M.WParam == 13 || M.WParam == 27));
    default:
        return false;
    }
}

} // namespace

QWidget* CreateLineEditWidget(HWND Wnd, TEditNotify Notify)
{
    auto* E = new TQtLineEdit(std::move(Notify));
    const DWORD Style = DWORD(GetWindowLong(Wnd, GWL_STYLE));
    E->setFrame(false);
    // No text is dropped into an edit or dragged out of it: a press in the
    // selection starts a new selection, as in the classic edit.
    E->setAcceptDrops(false);
    E->setDragEnabled(false);
    if ((Style & ES_RIGHT) != 0)
        E->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if ((Style & ES_CENTER) != 0)
        E->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    E->setReadOnly((Style & ES_READONLY) != 0);
    E->Case = (Style & ES_UPPERCASE) != 0 ? TCaseMode::Upper
        : (Style & ES_LOWERCASE) != 0     ? TCaseMode::Lower
                                          : TCaseMode::None;
    if ((Style & ES_PASSWORD) != 0)
        SetPasswordChar(E, QLatin1Char('*'));
    E->setValidator(new TEditValidator(E));
    E->setText(Converted(GetWindowText(Wnd), E->Case));
    E->Accepted = E->text();
    QObject::connect(E, &QLineEdit::textChanged, E, [E] {
        E->Accepted = E->text();
        if (E->Notify)
            E->Notify(EN_CHANGE);
    });
    return E;
}

bool RouteMiddleButton(HWND Wnd, TMessage& Message, const std::function<void(QPoint)>& PlaceCaret)
{
    const UINT Msg = Message.Msg;
    if (Msg != WM_MBUTTONDOWN && Msg != WM_MBUTTONDBLCLK && Msg != WM_MBUTTONUP)
        return false;
    // The default procedure takes the focus for a press; the editor never
    // sees the middle button, whose paste in Qt would pass no rule of ours.
    Message.Result = DefWindowProc(Wnd, Msg, Message.WParam, Message.LParam);
    if (Msg == WM_MBUTTONUP || GetFocus() != Wnd)
        return true;
    const TPoint P = LParamToPoint(Message.LParam);
    PlaceCaret(QPoint(P.X, P.Y));
    SendMessage(Wnd, WM_PASTE, QV_PASTE_PRIMARY, 0);
    return true;
}

String PasteText(WPARAM Source)
{
    if (Source == QV_PASTE_PRIMARY)
        return PrimarySelectionHook() ? PrimarySelectionHook()() : DesktopPrimarySelection();
    const QClipboard* Clipboard = QApplication::clipboard();
    return Clipboard != nullptr ? Clipboard->text() : String();
}

void SetPrimarySelectionHook(std::function<String()> Hook)
{
    PrimarySelectionHook() = std::move(Hook);
}

bool RouteEditorKeys(HWND Wnd, TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN)
        return RouteKeyDown(Wnd, Message);
    if (Message.Msg == WM_CHAR)
        return RouteChar(Wnd, Message.WParam);
    // Alt+Backspace is the classic edit's other undo key; any other
    // character with Alt is no text (the window's default beeps).
    if (Message.Msg == WM_SYSCHAR && Message.WParam == 8) {
        SendMessage(Wnd, WM_UNDO, 0, 0);
        return true;
    }
    return false;
}

void SetReadOnlyStyle(HWND Wnd, bool ReadOnly)
{
    const long Style = GetWindowLong(Wnd, GWL_STYLE);
    SetWindowLong(Wnd, GWL_STYLE, ReadOnly ? Style | long(ES_READONLY) : Style & ~long(ES_READONLY));
}

String FitToLimit(const String& Text, int Limit, int Length, int Selected)
{
    const int Room = std::max(Limit - (Length - Selected), 0);
    if (Limit <= 0 || Text.size() <= Room)
        return Text;
    MessageBeep(MB_OK_BEEP);
    return Text.left(WholeCharacterCut(Text, Room));
}

QLineEdit* LineEditOf(HWND Wnd)
{
    return QtEdit(Wnd);
}

void LineEditWndProc(HWND Wnd, TMessage& Message)
{
    TQtLineEdit* E = QtEdit(Wnd);
    if (E != nullptr && HandleEditMessage(Wnd, E, Message))
        return;
    Message.Result = DefWindowProc(Wnd, Message.Msg, Message.WParam, Message.LParam);
}

void SetEditorColors(QWidget* Editor, TColor Background, TColor Text)
{
    if (Editor == nullptr)
        return;
    QPalette P = Editor->palette();
    for (QPalette::ColorGroup G : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        P.setColor(G, QPalette::Base, QtColor(Background));
        P.setColor(G, QPalette::Window, QtColor(Background));
        P.setColor(G, QPalette::Text, QtColor(G == QPalette::Disabled ? clGrayText : Text));
        P.setColor(G, QPalette::WindowText, QtColor(G == QPalette::Disabled ? clGrayText : Text));
        P.setColor(G, QPalette::Highlight, QtColor(clHighlight));
        P.setColor(G, QPalette::HighlightedText, QtColor(clHighlightText));
    }
    Editor->setPalette(P);
    Editor->setAutoFillBackground(true);
}
