#include "app/qv_recform.h"

#include "app/qv_data.h"
#include "controls/foundation/FcBitBtn.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/SysUtils.h"

TRecordForm::TRecordForm(TComponent* AOwner, const TRecordTable& Kind) : TForm(AOwner), FKind(Kind)
{}

TClientDataSet* TRecordForm::Table() const
{
    return DataModuleMain->*FKind.Table;
}

void TRecordForm::FormCreate(TObject* Sender)
{
    (void)Sender;
    for (TControl* Control : {SpeedButtonUp, SpeedButtonDown, FcBitBtnApply})
        Control->SetVisible(!IsNew);
    SetCaption(IsNew ? QString::fromUtf8(FKind.NewCaption) : RecordCaption());
}

bool TRecordForm::Editing() const
{
    const TClientDataSet* T = Table();
    return T->State() == dsEdit || T->State() == dsInsert;
}

String TRecordForm::FieldValue(const char* FieldName) const
{
    if (!Table()->Active())
        return String();
    return Table()->FieldByName(QString::fromLatin1(FieldName))->AsString();
}

bool TRecordForm::Require(const char* FieldName, TWinControl* Edit, const String& Message)
{
    if (!Trim(FieldValue(FieldName)).isEmpty())
        return true;
    MessageBox(Message, QStringLiteral("Ontbrekende gegevens"), MB_OK | MB_ICONERROR);
    if (Edit->CanFocus())
        Edit->SetFocus();
    return false;
}

void TRecordForm::TakeTypedText()
{
    // A default button pressed with Enter leaves the focus in the edit,
    // whose text reaches the record only when it is left or posted.
    if (Editing())
        Table()->UpdateRecord();
}

void TRecordForm::FcBitBtnOKClick(TObject* Sender)
{
    (void)Sender;
    if (!Editing()) {
        Close();
        return;
    }
    TakeTypedText();
    if (!ValidateInput())
        return;
    if (IsNew) {
        // Raised before the post, as for every new record: a key that a
        // failed post has used is not given again in this run.
        std::int32_t& LastID = DataModuleMain->*FKind.LastID;
        ++LastID;
        Table()->FieldByName(QString::fromLatin1(FKind.KeyField))->SetAsInteger(LastID);
    }
    Table()->Post();
    Saved = true;
    Close();
}

void TRecordForm::FcBitBtnApplyClick(TObject* Sender)
{
    (void)Sender;
    if (IsNew || !Editing())
        return;
    TakeTypedText();
    if (!ValidateInput())
        return;
    Table()->Post();
    SetCaption(RecordCaption());
    Table()->Edit();
    RecordShownAgain();
}

void TRecordForm::FcBitBtnCancelClick(TObject* Sender)
{
    (void)Sender;
    Close();
}

void TRecordForm::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    (void)Sender;
    Table()->Cancel();
    CanClose = true;
}

void TRecordForm::Move(int Distance)
{
    TClientDataSet* T = Table();
    T->Cancel();
    T->MoveBy(Distance);
    SetCaption(RecordCaption());
    if (!T->IsEmpty())
        T->Edit();
    RecordShownAgain();
}

void TRecordForm::SpeedButtonUpClick(TObject* Sender)
{
    (void)Sender;
    Move(-1);
}

void TRecordForm::SpeedButtonDownClick(TObject* Sender)
{
    (void)Sender;
    Move(1);
}
