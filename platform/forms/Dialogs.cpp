#include "platform/forms/Dialogs.h"

#include "platform/controls/WinUser.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

TMessageBoxHook& Hook()
{
    static TMessageBoxHook H;
    return H;
}

QMessageBox::Icon IconOf(unsigned Flags)
{
    switch (Flags & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int ShowQtBox(const String& Text, const String& Caption, unsigned Flags)
{
    if (qApp == nullptr)
        return IDCANCEL;
    const TMessageBoxLayout Layout = MessageBoxLayout(Flags);
    QMessageBox Box(IconOf(Flags), Caption, Text);
    std::vector<std::pair<QAbstractButton*, int>> Buttons;
    for (int Id : Layout.Buttons) {
        QPushButton* B = Box.addButton(MessageBoxButtonCaption(Id), QMessageBox::ActionRole);
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

} // namespace

TMessageBoxLayout MessageBoxLayout(unsigned Flags)
{
    TMessageBoxLayout L;
    switch (Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: L.Buttons = {IDOK, IDCANCEL}; L.EscapeButton = IDCANCEL; break;
    case MB_ABORTRETRYIGNORE: L.Buttons = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: L.Buttons = {IDYES, IDNO, IDCANCEL}; L.EscapeButton = IDCANCEL; break;
    case MB_YESNO: L.Buttons = {IDYES, IDNO}; L.EscapeButton = IDNO; break;
    case MB_RETRYCANCEL: L.Buttons = {IDRETRY, IDCANCEL}; L.EscapeButton = IDCANCEL; break;
    default: L.Buttons = {IDOK}; L.EscapeButton = IDOK; break;
    }
    const std::size_t Default = (Flags & MB_DEFMASK) >> 8;
    L.DefaultButton = L.Buttons[Default < L.Buttons.size() ? Default : 0];
    return L;
}

String MessageBoxButtonCaption(int Id)
{
    switch (Id) {
    case IDOK: return QStringLiteral("OK");
    case IDCANCEL: return QStringLiteral("Annuleren");
    case IDABORT: return QStringLiteral("Afbreken");
    case IDRETRY: return QStringLiteral("Opnieuw");
    case IDIGNORE: return QStringLiteral("Negeren");
    case IDYES: return QStringLiteral("Ja");
    case IDNO: return QStringLiteral("Nee");
    default: return String();
    }
}

void SetMessageBoxHook(TMessageBoxHook Value)
{
    Hook() = std::move(Value);
}

int MessageBox(const String& Text, const String& Caption, unsigned Flags)
{
    // A box takes the mouse away from whoever held it.
    if (HWND Capture = GetCapture())
        SendMessage(Capture, WM_CANCELMODE, 0, 0);
    if (Hook())
        return Hook()(Text, Caption, Flags);
    return ShowQtBox(Text, Caption, Flags);
}
