// Radio groups in a form definition: the values arrive (the items become
// buttons, the checked one checked, the data-aware group bound to its data
// source), handlers bind by name, reading clicks nothing, and what is
// written reads back into the same text.
#include "platform/classes/DataModule.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/DataSource.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/RadioGroup.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>

class TRadioGroupsForm : public TForm {
public:
    explicit TRadioGroupsForm(TComponent* AOwner) : TForm(AOwner) {}
    TGroupBox* GroupBoxNaam = nullptr;
    TRadioGroup* RadioGroupAanhef = nullptr;
    TDBRadioGroup* DBRadioGroupGender = nullptr;
    QStringList Events;
    void GroupClick(TObject* Sender) { Events << "click " + static_cast<TComponent*>(Sender)->Name(); }
    void GroupChange(TObject* Sender) { Events << "change " + static_cast<TComponent*>(Sender)->Name(); }
};

REGISTER_COMPONENT(TRadioGroupsForm, TForm)
    PUBLISHED_FIELD(GroupBoxNaam)
    PUBLISHED_FIELD(RadioGroupAanhef)
    PUBLISHED_FIELD(DBRadioGroupGender)
    PUBLISHED_METHOD(GroupClick)
    PUBLISHED_METHOD(GroupChange)
END_REGISTER

namespace {

const char* const Definition = R"(object RadioGroupsForm: TRadioGroupsForm
  Left = 0
  Top = 0
  Caption = 'Persoon'
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  ClientWidth = 400
  ClientHeight = 300
  object GroupBoxNaam: TGroupBox
    Left = 8
    Top = 8
    Width = 250
    Height = 120
    Caption = '&Naam'
    TabOrder = 0
    object RadioGroupAanhef: TRadioGroup
      Left = 10
      Top = 20
      Width = 200
      Height = 90
      Caption = 'Aanhef'
      OnClick = GroupClick
      TabOrder = 0
      Columns = 2
      ItemIndex = 1
      Items.Strings = (
        'Mevrouw'
        'Mijnheer'
        'Dokter')
    end
  end
  object DBRadioGroupGender: TDBRadioGroup
    Left = 8
    Top = 140
    Width = 250
    Height = 50
    Caption = '&Gender'
    TabOrder = 1
    Columns = 2
    DataField = 'GENDER'
    DataSource = DataModulePersoon.DataSourcePersoon
    Items.Strings = (
      'Vrou&w'
      '&Man')
    ReadOnly = True
    Values.Strings = (
      'V'
      'M')
    OnChange = GroupChange
  end
end
)";

// The data module the form's data-aware group refers to, as the program's
// windows refer to its main data module.
struct RadioGroupsStreaming : ::testing::Test {
    std::unique_ptr<TDataModule, TComponentDeleter> Module{new TDataModule(nullptr)};
    TDataSource* Source = nullptr;
    void SetUp() override
    {
        Module->SetName(QStringLiteral("DataModulePersoon"));
        Source = new TDataSource(Module.get());
        Source->SetName(QStringLiteral("DataSourcePersoon"));
    }
    static TRootPtr<TRadioGroupsForm> ReadForm(const QByteArray& Text)
    {
        return ReadRoot<TRadioGroupsForm>(Text, QStringLiteral("RadioGroupsForm.form"));
    }
};

TEST_F(RadioGroupsStreaming, BothGroupsReadTheirValuesAndWriteThemBackTheSame)
{
    auto Form = ReadForm(Definition);
    auto* Aanhef = Form->RadioGroupAanhef;
    EXPECT_EQ(Aanhef->Parent(), Form->GroupBoxNaam);
    ASSERT_EQ(Aanhef->ControlCount(), 3);
    EXPECT_EQ(Aanhef->Buttons(2)->Caption(), QStringLiteral("Dokter"));
    EXPECT_TRUE(Aanhef->Buttons(1)->Checked());
    // Two columns: the third item heads the second.
    EXPECT_EQ(Aanhef->Buttons(2)->Left(), Aanhef->Buttons(0)->Left() + 95);
    EXPECT_EQ(Form->DBRadioGroupGender->DataSource(), Source);
    // Reading is no choice.
    EXPECT_TRUE(Form->Events.isEmpty()) << Form->Events.join(", ").toStdString();

    const QByteArray Written = WriteComponentToText(Form.get());
    EXPECT_EQ(Written.toStdString(), std::string(Definition));
    Form.reset();
    auto Again = ReadForm(Written);
    EXPECT_EQ(WriteComponentToText(Again.get()).toStdString(), Written.toStdString());
    // The handlers are bound by name.
    Again->RadioGroupAanhef->SetItemIndex(2);
    Again->DBRadioGroupGender->SetValue(QStringLiteral("M"));
    EXPECT_EQ(Again->Events, QStringList({"click RadioGroupAanhef", "change DBRadioGroupGender"}));
}

TEST_F(RadioGroupsStreaming, AnItemIndexBeyondTheItemsReadsAsTheLastItem)
{
    QByteArray Text(Definition);
    Text.replace("ItemIndex = 1", "ItemIndex = 9");
    auto Form = ReadForm(Text);
    auto* Aanhef = Form->RadioGroupAanhef;
    EXPECT_EQ(Aanhef->ItemIndex(), 2);
    EXPECT_TRUE(Aanhef->Buttons(2)->Checked());
}

} // namespace
