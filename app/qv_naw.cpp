#include "app/qv_naw.h"

#include "app/qv_data.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/lists/FcMemo.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/FileUtils.h"
#include "platform/stdctrls/SpeedButton.h"

#include <QFileInfo>

REGISTER_COMPONENT(TFormNAWBestand, TForm)
    PUBLISHED_FIELD(FcMemoNAW)
    PUBLISHED_FIELD(FcBitBtnOK)
    PUBLISHED_FIELD(FcBitBtnCancel)
    PUBLISHED_FIELD(SpeedButtonFileInfo)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(FcBitBtnOKClick)
    PUBLISHED_METHOD(FcBitBtnCancelClick)
    PUBLISHED_METHOD(SpeedButtonFileInfoClick)
END_REGISTER

namespace {

// Anything under that name, a dangling link included: only where there is
// nothing at all are there no notes yet.
bool NothingThere(const String& Path)
{
    const QFileInfo Info(Path);
    return !Info.exists() && !Info.isSymLink();
}

} // namespace

TFormNAWBestand::TFormNAWBestand(TComponent* AOwner) : TForm(AOwner)
{}

String TFormNAWBestand::NotesFileName()
{
    if (DataModuleMain == nullptr || DataModuleMain->GetFileName().isEmpty())
        return String();
    return ChangeFileExt(DataModuleMain->GetFileName(), QStringLiteral(".naw"));
}

void TFormNAWBestand::FormCreate(TObject* Sender)
{
    (void)Sender;
    const String Name = NotesFileName();
    if (Name.isEmpty() || NothingThere(Name))
        return;
    try {
        FcMemoNAW->Lines()->LoadFromFile(Name);
    } catch (const Exception& E) {
        // What cannot be shown must not be replaced by an empty text.
        FcMemoNAW->Lines()->Clear();
        FcMemoNAW->SetReadOnly(true);
        FcBitBtnOK->SetEnabled(false);
        MessageBox(QStringLiteral("Het NAW bestand \"%1\" kan niet worden gelezen:\r\n%2\r\n\r\n"
                                  "Het bestand wordt niet gewijzigd.")
                       .arg(Name, E.Message()),
                   QStringLiteral("NAW Bestand niet leesbaar"), MB_OK | MB_ICONERROR);
    }
}

void TFormNAWBestand::FcBitBtnOKClick(TObject* Sender)
{
    (void)Sender;
    const String Name = NotesFileName();
    if (!FcBitBtnOK->Enabled())
        return;
    try {
        if (!Name.isEmpty())
            SaveFileAtomically(Name, FcMemoNAW->Lines()->Text().toUtf8());
    } catch (const Exception& E) {
        MessageBox(QStringLiteral("Het NAW bestand \"%1\" kan niet worden opgeslagen:\r\n%2").arg(Name, E.Message()),
                   QStringLiteral("Opslaan mislukt"), MB_OK | MB_ICONERROR);
        return;
    }
    SetModalResult(mrOk);
}

void TFormNAWBestand::FcBitBtnCancelClick(TObject* Sender)
{
    (void)Sender;
    Close();
}

void TFormNAWBestand::SpeedButtonFileInfoClick(TObject* Sender)
{
    (void)Sender;
    const String File = DataModuleMain != nullptr ? DataModuleMain->GetFileName() : String();
    const String Text = QStringLiteral("Gehanteerde files in dit contact- en adressenbestand:\r\n\r\n- ")
        + NotesFileName() + QStringLiteral(" (Informatie over NAW Bestand)") + QStringLiteral("\r\n- ") + File
        + QStringLiteral(" (Persoonsbestand)") + QStringLiteral("\r\n- ") + File
        + QStringLiteral(".adres (Adressenbestand)") + QStringLiteral("\r\n- ") + File
        + QStringLiteral(".groep (Groepbestand)");
    MessageBox(Text, QStringLiteral("Gehanteerde Bestanden"), MB_OK | MB_ICONINFORMATION);
}
