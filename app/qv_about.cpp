#include "app/qv_about.h"

#include "app/qv_main.h"
#include "app/qv_maker.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcLabel.h"
#include "controls/foundation/FcURLLabel.h"
#include "controls/foundation/FcVersionInfo.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/Image.h"

REGISTER_COMPONENT(TFormAbout, TForm)
    PUBLISHED_FIELD(ImageQuorvy)
    PUBLISHED_FIELD(FcLabelFileDescription)
    PUBLISHED_FIELD(FcLabelBuildDateData)
    PUBLISHED_FIELD(FcLabelFileVersionData)
    PUBLISHED_FIELD(FcURLLabelWebSite)
    PUBLISHED_FIELD(FcBitBtnOK)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(ImageQuorvyClick)
END_REGISTER

void SetProgramFormats()
{
    FormatSettings.DateSeparator = QLatin1Char('/');
    FormatSettings.TimeSeparator = QLatin1Char(':');
    FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FormatSettings.LongTimeFormat = QStringLiteral("hh:mm:ss");
}

TFormAbout::TFormAbout(TComponent* AOwner) : TForm(AOwner)
{}

void TFormAbout::FormCreate(TObject* Sender)
{
    (void)Sender;
    if (FormMain != nullptr) {
        FcLabelFileDescription->SetCaption(
            FormMain->FcVersionInfoMain->GetVersionString(TFcVersionInfo::viFileDescription));
        FcLabelFileVersionData->SetCaption(
            FormMain->FcVersionInfoMain->GetVersionString(TFcVersionInfo::viFileVersion));
    }
    TDateTime Built = 0;
    if (FileAge(ProgramFileName(), Built))
        FcLabelBuildDateData->SetCaption(FormatDateTime(QStringLiteral("dd/mm/yyyy"), Built));
    FcURLLabelWebSite->SetCaption(QuorvyWebSite);
    FcURLLabelWebSite->SetURL(QuorvyWebSite);
}

void TFormAbout::ImageQuorvyClick(TObject* Sender)
{
    (void)Sender;
    SetProgramFormats();
    MessageBox(QStringLiteral("De default formaatinstellingen voor datum en tijd zijn hersteld."),
               QStringLiteral("Formaatinstellingen voor datum en tijd"), MB_OK | MB_ICONINFORMATION);
}
