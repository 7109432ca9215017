#include "platform/dbctrls/DBRadioGroup.h"

#include "platform/classes/TypInfo.h"
#include "platform/db/Field.h"

#include <QScopedValueRollback>

REGISTER_COMPONENT(TDBRadioGroup, TCustomRadioGroup)
    PUBLISHED(Columns, 1)
    PUBLISHED(DataField, String())
    PUBLISHED(DataSource, nullptr)
    PUBLISHED_OBJECT(Items)
    PUBLISHED(ReadOnly, false)
    PUBLISHED_OBJECT(Values)
    PUBLISHED_EVENT(OnChange)
END_REGISTER

TDBRadioGroup::TDBRadioGroup(TComponent* AOwner)
    : TCustomRadioGroup(AOwner), FDataLink(std::make_unique<TFieldDataLink>()), FValues(std::make_unique<TStringList>())
{
    FDataLink->SetControl(this);
    FDataLink->SetOnDataChange([this](TObject*) { DataChange(); });
    FDataLink->SetOnUpdateData([this](TObject*) { UpdateData(); });
    FValues->SetOnChange([this](TObject*) { ShowValue(); });
}

TDBRadioGroup::~TDBRadioGroup()
{
    // Leaving the data source tells the link; this group is half gone.
    FDataLink->SetOnDataChange(nullptr);
    FDataLink->SetOnUpdateData(nullptr);
    FValues->SetOnChange(nullptr);
}

void TDBRadioGroup::SetDataSource(TDataSource* Value)
{
    FDataLink->SetControlDataSource(Value);
}

void TDBRadioGroup::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomRadioGroup::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink != nullptr && AComponent == DataSource())
        SetDataSource(nullptr);
}

void TDBRadioGroup::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_GETDATALINK) {
        Message.Result = LRESULT(FDataLink.get());
        return;
    }
    TCustomRadioGroup::Dispatch(Message);
}

String TDBRadioGroup::ButtonValue(int Index) const
{
    if (Index < Values()->Count() && !Values()->Strings(Index).isEmpty())
        return Values()->Strings(Index);
    if (Index < Items()->Count())
        return Items()->Strings(Index);
    return String();
}

void TDBRadioGroup::SetValue(const String& Value)
{
    if (FValue == Value)
        return;
    FValue = Value;
    ShowValue();
    if (FOnChange)
        FOnChange(this);
}

void TDBRadioGroup::ShowValue()
{
    // Checking an item to show a value is no choice of the user's.
    const QScopedValueRollback InSetValue(FInSetValue, true);
    int I = Items()->Count() - 1;
    while (I >= 0 && ButtonValue(I) != FValue)
        --I;
    SetItemIndex(I);
}

void TDBRadioGroup::ItemsChanged()
{
    TCustomRadioGroup::ItemsChanged();
    ShowValue();
}

void TDBRadioGroup::DataChange()
{
    SetValue(Field() != nullptr ? Field()->Text() : String());
}

void TDBRadioGroup::UpdateData()
{
    if (Field() != nullptr)
        Field()->SetText(FValue);
}

bool TDBRadioGroup::CanModify()
{
    return FDataLink->Edit();
}

void TDBRadioGroup::Click()
{
    if (FInSetValue)
        return;
    TCustomRadioGroup::Click();
    if (ItemIndex() >= 0)
        SetValue(ButtonValue(ItemIndex()));
    if (FDataLink->Editing())
        WriteChoice();
}

// A value the field refuses (its checks, a data set that raises) is not
// shown as chosen: the group shows the field again.
void TDBRadioGroup::WriteChoice()
{
    FDataLink->Modified();
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        FDataLink->Reset();
        throw;
    }
}

void TDBRadioGroup::KeyPress(QChar& Key)
{
    TCustomRadioGroup::KeyPress(Key);
    if (Key == QChar(u'\b') || Key == QChar(u' '))
        FDataLink->Edit();
    else if (Key == QChar(0x1B))
        FDataLink->Reset();
}
