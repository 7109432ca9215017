// A small program for the tests that run on a real X server: a form read
// from its definition, shown modally until a key closes it.  Enter presses
// OK (exit code 1), Escape Cancel (exit code 2); F3 writes the form's
// bounds and restored bounds to standard output.
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Button.h"

#include <QApplication>
#include <cstdio>

namespace {

const char* const Definition = R"(object XProbeForm: TXProbeForm
  Caption = 'Quorvy X-proef'
  ClientWidth = 320
  ClientHeight = 160
  Position = poDesktopCenter
  KeyPreview = True
  OnKeyDown = FormKeyDown
  object ButtonOK: TButton
    Left = 150
    Top = 120
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
  end
  object ButtonCancel: TButton
    Left = 235
    Top = 120
    Width = 75
    Height = 25
    Caption = '&Annuleer'
    Cancel = True
    ModalResult = 2
  end
end
)";

void PrintRect(const char* What, const TRect& R)
{
    std::printf("%s %d %d %d %d\n", What, R.Left, R.Top, R.Width(), R.Height());
    std::fflush(stdout);
}

} // namespace

class TXProbeForm : public TForm {
public:
    explicit TXProbeForm(TComponent* AOwner) : TForm(AOwner) {}
    void FormKeyDown(TObject*, WORD& Key, TShiftState)
    {
        if (Key == VK_F(3)) {
            PrintRect("bounds", BoundsRect());
            PrintRect("restored", RestoredBounds());
        }
    }
};

REGISTER_COMPONENT(TXProbeForm, TForm)
    PUBLISHED_METHOD(FormKeyDown)
END_REGISTER

int main(int argc, char** argv)
{
    QApplication QtApp(argc, argv);
    Application->Initialize();
    auto* Form = CreateNewForm<TXProbeForm>(nullptr);
    ReadComponentFromText(Definition, Form, QStringLiteral("xprobe.form"));
    const int Result = Form->ShowModal();
    Form->Free();
    return Result;
}
