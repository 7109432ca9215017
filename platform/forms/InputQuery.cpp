#include "platform/forms/InputQuery.h"

#include "platform/windows/WinUser.h"

#include <QApplication>
#include <QInputDialog>

namespace {

TInputQueryHook& QueryHook()
{
    static TInputQueryHook H;
    return H;
}

bool ShowQtInput(const String& Caption, const String& Prompt, String& Value)
{
    if (qApp == nullptr)
        return false;
    QInputDialog Dialog;
    Dialog.setWindowTitle(Caption);
    Dialog.setLabelText(Prompt);
    Dialog.setTextValue(Value);
    Dialog.setOkButtonText(QStringLiteral("OK"));
    Dialog.setCancelButtonText(QStringLiteral("Annuleren"));
    if (Dialog.exec() != QDialog::Accepted)
        return false;
    Value = Dialog.textValue();
    return true;
}

} // namespace

void SetInputQueryHook(TInputQueryHook Value)
{
    QueryHook() = std::move(Value);
}

bool InputQuery(const String& ACaption, const String& APrompt, String& Value)
{
    if (HWND Capture = GetCapture())
        SendMessage(Capture, WM_CANCELMODE, 0, 0);
    String Typed = Value;
    const bool Ok = QueryHook() ? QueryHook()(ACaption, APrompt, Typed) : ShowQtInput(ACaption, APrompt, Typed);
    if (Ok)
        Value = Typed;
    return Ok;
}

String InputBox(const String& ACaption, const String& APrompt, const String& ADefault)
{
    String Value = ADefault;
    InputQuery(ACaption, APrompt, Value);
    return Value;
}
