#include "platform/forms/Dialogs.h"

#include "platform/forms/Application.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/rtl/SysUtils.h"
#include "platform/windows/WinUser.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace {

TMessageBoxHook& BoxHook()
{
    static TMessageBoxHook H;
    return H;
}

TMessageDlgHook& DlgHook()
{
    static TMessageDlgHook H;
    return H;
}

QMessageBox::Icon QtIcon(TMsgDlgType Icon)
{
    switch (Icon) {
    case mtError:
        return QMessageBox::Critical;
    case mtConfirmation:
        return QMessageBox::Question;
    case mtWarning:
        return QMessageBox::Warning;
    case mtInformation:
        return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

TMsgDlgType IconOfFlags(unsigned Flags)
{
    switch (Flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return mtError;
    case MB_ICONQUESTION:
        return mtConfirmation;
    case MB_ICONWARNING:
        return mtWarning;
    case MB_ICONINFORMATION:
        return mtInformation;
    default:
        return mtCustom;
    }
}

// A box takes the mouse away from whoever held it.
void CancelCapture()
{
    if (HWND Capture = GetCapture())
        SendMessage(Capture, WM_CANCELMODE, 0, 0);
}

} // namespace

TMessageBoxLayout MessageBoxLayout(unsigned Flags)
{
    TMessageBoxLayout L;
    switch (Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: L.Buttons = {IDOK, IDCANCEL}; L.EscapeButton = IDCANCEL; break;
    case MB_ABORTRETRYIGNORE: L.Buttons = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: L.Buttons = {IDYES, IDNO, IDCANCEL}; L.EscapeButton = IDCANCEL; break;
    case MB_YESNO:
        L.Buttons = {IDYES, IDNO};
        break;
    case MB_RETRYCANCEL: L.Buttons = {IDRETRY, IDCANCEL}; L.EscapeButton = IDCANCEL; break;
    default: L.Buttons = {IDOK}; L.EscapeButton = IDOK; break;
    }
    const std::size_t Default = (Flags & MB_DEFMASK) >> 8;
    L.DefaultButton = L.Buttons[Default < L.Buttons.size() ? Default : 0];
    L.Icon = IconOfFlags(Flags);
    return L;
}

String MessageBoxButtonCaption(int Id)
{
    switch (Id) {
    case IDOK: return QStringLiteral("OK");
    case IDCANCEL: return QStringLiteral("Annuleren");
    case IDABORT:
        return QStringLiteral("&Afbreken");
    case IDRETRY:
        return QStringLiteral("&Opnieuw");
    case IDIGNORE:
        return QStringLiteral("&Negeren");
    case IDYES:
        return QStringLiteral("&Ja");
    case IDNO:
        return QStringLiteral("&Nee");
    default: return String();
    }
}

String MessageBoxText(const String& Text)
{
    int Rows = 0;
    for (qsizetype Start = 0; Start < Text.size();) {
        const qsizetype Break = Text.indexOf(QLatin1Char('\n'), Start);
        const qsizetype End = Break < 0 ? Text.size() : Break;
        // A line ends in CR LF as the program writes it; the CR takes no room.
        const qsizetype Length = End - Start - (End > Start && Text.at(End - 1) == QLatin1Char('\r') ? 1 : 0);
        const qsizetype Wraps =
            std::max<qsizetype>(1, (Length + MaxMessageBoxLineLength - 1) / MaxMessageBoxLineLength);
        if (Rows + Wraps > MaxMessageBoxLines) {
            const qsizetype Cut =
                Start + std::min(Length, qsizetype(MaxMessageBoxLines - Rows) * MaxMessageBoxLineLength);
            return Text.left(WholeCharacterCut(Text, Cut)) + QChar(0x2026);
        }
        Rows += int(Wraps);
        if (Break < 0)
            break;
        Start = Break + 1;
    }
    return Text;
}

int ShowMessageLayout(const String& Text, const String& Caption, const TMessageBoxLayout& Layout,
                      const std::function<String(int)>& ButtonCaption)
{
    if (!HasWidgetApplication())
        return Layout.EscapeButton != 0 ? Layout.EscapeButton : Layout.DefaultButton;
    QMessageBox Box(QtIcon(Layout.Icon), Caption, MessageBoxText(Text));
    // Plain, as the classic box: a text that starts like markup (a field's
    // "<b>...") is shown as typed, not rendered.
    Box.setTextFormat(Qt::PlainText);
    std::vector<std::pair<QAbstractButton*, int>> Buttons;
    for (int Id : Layout.Buttons) {
        QPushButton* B = Box.addButton(ButtonCaption(Id), QMessageBox::ActionRole);
        Buttons.emplace_back(B, Id);
        if (Id == Layout.DefaultButton)
            Box.setDefaultButton(B);
        if (Id == Layout.EscapeButton)
            Box.setEscapeButton(B);
    }
    Box.exec();
    for (const auto& [B, Id] : Buttons)
        if (Box.clickedButton() == B)
            return Id;
    return Layout.EscapeButton != 0 ? Layout.EscapeButton : Layout.DefaultButton;
}

void SetMessageBoxHook(TMessageBoxHook Value)
{
    BoxHook() = std::move(Value);
}

int MessageBox(const String& Text, const String& Caption, unsigned Flags)
{
    CancelCapture();
    if (BoxHook())
        return BoxHook()(Text, Caption, Flags);
    return ShowMessageLayout(Text, Caption, MessageBoxLayout(Flags), MessageBoxButtonCaption);
}

// --- MessageDlg ------------------------------------------------------------------------

TMessageBoxLayout MessageDlgLayout(TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    static const TModalResult Results[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                           mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
    TMessageBoxLayout L;
    L.Icon = DlgType;
    // Help shows no button here: there is no help file to open.
    for (int B = mbYes; B <= mbYesToAll; ++B)
        if (Buttons.Contains(TMsgDlgBtn(B)))
            L.Buttons.push_back(Results[B]);
    if (L.Buttons.empty())
        L.Buttons.push_back(mrOk);
    // The classic choice: OK, else Yes, else Retry is the default; Cancel,
    // else No, else OK is what Escape gives.
    const auto Has = [&L](TModalResult R) {
        return std::find(L.Buttons.begin(), L.Buttons.end(), R) != L.Buttons.end();
    };
    L.DefaultButton = Has(mrOk) ? mrOk : Has(mrYes) ? mrYes : Has(mrRetry) ? mrRetry : L.Buttons.front();
    L.EscapeButton = Has(mrCancel) ? mrCancel : Has(mrNo) ? mrNo : Has(mrOk) ? mrOk : 0;
    return L;
}

String MessageDlgCaption(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning:
        return QStringLiteral("Waarschuwing");
    case mtError:
        return QStringLiteral("Fout");
    case mtInformation:
        return QStringLiteral("Informatie");
    case mtConfirmation:
        return QStringLiteral("Bevestigen");
    default:
        return Application != nullptr ? Application->Title() : String();
    }
}

String MessageDlgButtonCaption(TModalResult Result)
{
    switch (Result) {
    case mrAll:
        return QStringLiteral("&Alles");
    case mrNoToAll:
        return QStringLiteral("N&ee op alles");
    case mrYesToAll:
        return QStringLiteral("J&a op alles");
    default:
        return MessageBoxButtonCaption(Result);
    }
}

void SetMessageDlgHook(TMessageDlgHook Hook)
{
    DlgHook() = std::move(Hook);
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    CancelCapture();
    if (DlgHook())
        return DlgHook()(Msg, DlgType, Buttons, HelpCtx);
    return ShowMessageLayout(Msg, MessageDlgCaption(DlgType), MessageDlgLayout(DlgType, Buttons),
                             MessageDlgButtonCaption);
}
