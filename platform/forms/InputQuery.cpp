#include "platform/forms/InputQuery.h"

#include "platform/forms/Screen.h"
#include "platform/graphics/GuiApplication.h"
#include "platform/windows/WinUser.h"

#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>

namespace {

TInputQueryHook& QueryHook()
{
    static TInputQueryHook H;
    return H;
}

// The desktop elides a caption that does not fit the title bar.  The
// dialog's layout sets the dialog's minimum size from its children's, so
// the width goes to the edit, which spans the dialog.
void KeepCaptionWhole(QInputDialog& Dialog, int Width)
{
    auto* Edit = Dialog.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    if (Edit == nullptr || Dialog.layout() == nullptr)
        return;
    const QMargins M = Dialog.layout()->contentsMargins();
    Edit->setMinimumWidth(Width - M.left() - M.right());
}

bool ShowQtInput(const String& Caption, const String& Prompt, String& Value)
{
    if (!HasWidgetApplication())
        return false;
    QInputDialog Dialog;
    SetUpInputDialog(Dialog, Caption, Prompt, Value);
    if (Dialog.exec() != QDialog::Accepted)
        return false;
    Value = Dialog.textValue();
    return true;
}

} // namespace

void SetUpInputDialog(QInputDialog& Dialog, const String& ACaption, const String& APrompt, const String& Value)
{
    Dialog.setInputMode(QInputDialog::TextInput);
    Dialog.setWindowTitle(ACaption);
    Dialog.setLabelText(APrompt);
    Dialog.setTextValue(Value);
    Dialog.setOkButtonText(QStringLiteral("OK"));
    Dialog.setCancelButtonText(QStringLiteral("Annuleren"));
    if (Screen != nullptr)
        KeepCaptionWhole(Dialog, Screen->TitleBarWidth(ACaption));
}

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
