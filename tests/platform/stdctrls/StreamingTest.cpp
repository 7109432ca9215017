// Form definitions with every standard control of this part: read, shown,
// and written back the same; a mask read after the text it formats.
#include "tests/platform/stdctrls/StdCtrlsFixture.h"
#include "tests/support/FormTextHelpers.h"

#include "platform/classes/Filer.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"

namespace {

const char* const Definition = R"(object Persons: TForm
  Left = 0
  Top = 0
  ClientWidth = 420
  ClientHeight = 300
  object EditName: TEdit
    Left = 8
    Top = 8
    Width = 121
    Height = 21
    CharCase = ecUpperCase
    MaxLength = 30
    TabOrder = 0
    Text = 'JANSEN'
  end
  object EditSecret: TEdit
    Left = 8
    Top = 36
    Width = 121
    Height = 21
    PasswordChar = '*'
    TabOrder = 1
    Text = 'geheim'
  end
  object EditYear: TMaskEdit
    Left = 8
    Top = 64
    Width = 60
    Height = 21
    MaxLength = 4
    TabOrder = 2
    Text = '1984'
    EditMask = '0000;1; '
  end
  object MemoNotes: TMemo
    Left = 140
    Top = 8
    Width = 185
    Height = 89
    Lines.Strings = (
      'Eerste regel'
      'Tweede regel')
    ScrollBars = ssVertical
    TabOrder = 3
    WordWrap = False
  end
  object ComboSalutation: TComboBox
    Left = 8
    Top = 100
    Width = 145
    Height = 21
    Style = csDropDownList
    DropDownCount = 5
    ItemHeight = 13
    TabOrder = 4
    Items.Strings = (
      'Mevrouw'
      'Mijnheer'
      'Dokter')
    ItemIndex = 1
  end
  object ListGroups: TListBox
    Left = 8
    Top = 130
    Width = 121
    Height = 97
    ExtendedSelect = False
    ItemHeight = 13
    Items.Strings = (
      'Familie'
      'Vrienden'
      'Werk')
    MultiSelect = True
    Sorted = True
    TabOrder = 5
    TabWidth = 24
  end
end
)";

TEST(StdCtrlsStreaming, EveryControlReadsFromItsDefinition)
{
    auto Form = ReadRoot<TForm>(QByteArray(Definition));
    auto Find = [&](const char* Name) { return Form->FindComponent(QString::fromLatin1(Name)); };
    auto* Name = dynamic_cast<TEdit*>(Find("EditName"));
    auto* Secret = dynamic_cast<TEdit*>(Find("EditSecret"));
    auto* Year = dynamic_cast<TMaskEdit*>(Find("EditYear"));
    auto* Memo = dynamic_cast<TMemo*>(Find("MemoNotes"));
    auto* Combo = dynamic_cast<TComboBox*>(Find("ComboSalutation"));
    auto* List = dynamic_cast<TListBox*>(Find("ListGroups"));
    ASSERT_TRUE(Name && Secret && Year && Memo && Combo && List);
    EXPECT_EQ(Name->Text(), QStringLiteral("JANSEN"));
    EXPECT_EQ(Name->CharCase(), ecUpperCase);
    EXPECT_EQ(Name->MaxLength(), 30);
    EXPECT_EQ(Secret->PasswordChar(), QLatin1Char('*'));
    EXPECT_EQ(Year->EditText(), QStringLiteral("1984"));
    EXPECT_EQ(Year->Text(), QStringLiteral("1984"));
    EXPECT_EQ(Memo->Text(), QStringLiteral("Eerste regel\r\nTweede regel"));
    EXPECT_EQ(Memo->ScrollBars(), ssVertical);
    EXPECT_FALSE(Memo->WordWrap());
    EXPECT_EQ(Combo->Style(), csDropDownList);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Mijnheer"));
    EXPECT_EQ(List->Items()->ToStringList(), QStringList({"Familie", "Vrienden", "Werk"}));
    EXPECT_TRUE(List->MultiSelect());
    EXPECT_FALSE(List->ExtendedSelect());
    EXPECT_EQ(List->TabWidth(), 24);
    // Shown, every control keeps what it read.
    Form->Show();
    EXPECT_EQ(Year->EditText(), QStringLiteral("1984"));
    EXPECT_EQ(Memo->Lines()->Count(), 2);
    EXPECT_EQ(Combo->Text(), QStringLiteral("Mijnheer"));
    EXPECT_EQ(List->Items()->Count(), 3);
}

TEST(StdCtrlsStreaming, WhatIsWrittenReadsBackTheSame)
{
    auto Form = ReadRoot<TForm>(QByteArray(Definition));
    const QByteArray First = WriteComponentToText(Form.get());
    Form.reset();
    auto Again = ReadRoot<TForm>(First);
    EXPECT_EQ(WriteComponentToText(Again.get()), First);
    // The text is written before the mask and still comes out whole.
    EXPECT_LT(First.indexOf("Text = '1984'"), First.indexOf("EditMask"));
    EXPECT_TRUE(First.contains("'Tweede regel'"));
}

TEST(StdCtrlsStreaming, AMaskReadAfterItsTextLaysTheValueOut)
{
    auto Form = ReadRoot<TForm>(QByteArray(R"(object F: TForm
  object Phone: TMaskEdit
    Left = 0
    Top = 0
    Width = 100
    Height = 21
    Text = '0201234567'
    EditMask = '(000)_0000000;0;_'
  end
end
)"));
    auto* Phone = dynamic_cast<TMaskEdit*>(Form->FindComponent(QStringLiteral("Phone")));
    ASSERT_NE(Phone, nullptr);
    EXPECT_EQ(Phone->EditText(), QStringLiteral("(020) 1234567"));
    EXPECT_EQ(Phone->Text(), QStringLiteral("0201234567"));
}

} // namespace
