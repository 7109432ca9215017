// A form definition with every edit and list control of the library, each
// with values of its own and some obsolete properties of older definitions:
// it reads, its values arrive, the obsolete names are dropped, handlers
// bind by name, and what it writes reads back and writes the same text.
#include "controls/lists/FcChkLst.h"
#include "controls/lists/FcComboBox.h"
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcMemo.h"
#include "controls/lists/FcRapidFireButton.h"
#include "controls/lists/FcSpinButtons.h"
#include "controls/lists/FcSpinEdit.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

// A form whose handlers the definition names.
class TListsForm : public TForm {
public:
    explicit TListsForm(TComponent* AOwner) : TForm(AOwner) {}
    QStringList Heard;
    void ItemsChanging(TObject*, int Index, TCheckBoxState, bool&)
    {
        Heard << QStringLiteral("changing %1").arg(Index);
    }
    void YearChange(TObject*) { Heard << QStringLiteral("change"); }
    void WidthChanging(TObject*, long double, bool&) { Heard << QStringLiteral("spin"); }
};

REGISTER_COMPONENT(TListsForm, TForm)
    PUBLISHED_METHOD(ItemsChanging)
    PUBLISHED_METHOD(YearChange)
    PUBLISHED_METHOD(WidthChanging)
END_REGISTER

namespace {

const char* const ListsDefinition = R"(object ListsForm: TListsForm
  Caption = 'Lijsten'
  ClientWidth = 600
  ClientHeight = 400
  object Kaders: TFcFrameController
    FrameStyle = fsFlatBold
  end
  object EditTitel: TFcEdit
    Left = 8
    Top = 8
    Width = 200
    Height = 21
    Alignment = taCenter
    Color = clInfoBk
    DisabledColor = clGray
    FocusColor = clYellow
    FrameController = Kaders
    FrameControllerNotifications = [fcpFrameStyle]
    FrameHotTrack = True
    FrameSides = [sdLeft, sdBottom]
    ReadOnlyColor = clAqua
    TabOnEnter = True
    Text = 'Overzicht'
    FrameFlatStyle = fsNone
  end
  object EditJaar: TFcMaskEdit
    Left = 8
    Top = 40
    Width = 60
    Height = 21
    EditMask = '0000;1; '
    MaxLength = 4
    Text = '2023'
    OnChange = YearChange
    FrameFocusStyle = fsRaised
  end
  object MemoNotities: TFcMemo
    Left = 8
    Top = 72
    Width = 200
    Height = 80
    FrameColor = clNavy
    FrameVisible = True
    Lines.Strings = (
      'een'
      'twee')
    ReadOnly = True
    ReadOnlyColorOnFocus = True
    FrameFlat = True
  end
  object SpinEditBreedte: TFcSpinEdit
    Left = 8
    Top = 160
    Width = 60
    Height = 21
    AllowKeyEdit = True
    Direction = sdLeftRight
    Orientation = orHorizontal
    ButtonWidth = 12
    Increment = 10
    Max = 1000
    Min = 100
    Value = 500
    OnChanging = WidthChanging
    FlatButtonParentColor = True
  end
  object ComboMaand: TFcComboBox
    Left = 220
    Top = 8
    Width = 150
    Height = 21
    Style = csDropDownList
    Items.Strings = (
      'Januari'
      'Februari')
    Values.Strings = (
      '1'
      '2')
    FlatButtons = True
    FrameHotTrack = True
    KeepSearchCase = True
    ReadOnly = True
  end
  object ListBoxBestanden: TFcListBox
    Left = 220
    Top = 40
    Width = 150
    Height = 100
    GroupColor = clTeal
    GroupFont.Style = [fsItalic]
    GroupPrefix = '##'
    HorzScrollBar = True
    IncrementalSearch = False
    Items.Strings = (
      '##Recent'
      'adres.qv')
    OwnerDrawIndent = 6
    ShowGroups = True
    UseGradients = False
  end
  object TabbedListBoxKolommen: TFcCustomTabbedListBox
    Left = 220
    Top = 150
    Width = 150
    Height = 80
    Items.Strings = (
      'a'#9'b')
    TabStops.Integers = (
      12
      -30)
  end
  object CheckListVelden: TFcCheckList
    Left = 380
    Top = 8
    Width = 200
    Height = 150
    AllowGrayed = True
    ItemFrameColor = clMaroon
    Items.Strings = (
      'Naam'
      '//Adres'
      'Straat')
    Items.ItemEnabled = (
      True
      True
      False)
    Items.ItemState = (
      1
      0
      2)
    ToggleOnItemClick = True
    OnChanging = ItemsChanging
  end
  object SpinJaar: TFcSpinButtons
    Left = 80
    Top = 40
    Width = 32
    Height = 20
    Delay = 50
    Direction = sdLeftRight
    Flat = True
    FocusControl = EditJaar
    Orientation = orHorizontal
    OnUpRightClick = YearChange
  end
  object ButtonOmhoog: TFcRapidFireButton
    Left = 380
    Top = 170
    Width = 20
    Height = 20
    Delay = 50
    InitialDelay = 300
    ScrollStyle = scsUp
  end
end
)";

using TListsFormPtr = std::unique_ptr<TListsForm, TComponentDeleter>;

TListsFormPtr ReadListsForm(const QByteArray& Text)
{
    TListsFormPtr Form(new TListsForm(nullptr));
    ReadComponentFromText(Text, Form.get(), QStringLiteral("lists.form"));
    return Form;
}

template <typename T>
T* Find(TComponent* Root, const char* Name)
{
    return dynamic_cast<T*>(Root->FindComponent(QString::fromLatin1(Name)));
}

TEST(ListsStreaming, EveryControlReadsItsValuesAndDropsTheObsoleteOnes)
{
    const TListsFormPtr Form = ReadListsForm(ListsDefinition);
    auto* Title = Find<TFcEdit>(Form.get(), "EditTitel");
    ASSERT_NE(Title, nullptr);
    EXPECT_EQ(Title->Text(), QStringLiteral("Overzicht"));
    EXPECT_EQ(Title->Alignment(), taCenter);
    EXPECT_EQ(Title->FrameStyle(), fsFlatBold) << "from the controller";
    EXPECT_EQ(Title->FrameSides(), (TSides{sdLeft, sdBottom}));
    EXPECT_EQ(Title->Color(), clInfoBk);
    auto* Year = Find<TFcMaskEdit>(Form.get(), "EditJaar");
    EXPECT_EQ(Year->FrameHotStyle(), fsRaised);
    EXPECT_EQ(Year->Text(), QStringLiteral("2023"));
    auto* Memo = Find<TFcMemo>(Form.get(), "MemoNotities");
    EXPECT_TRUE(Memo->FrameHotTrack());
    EXPECT_EQ(Memo->FrameStyle(), fsStatus);
    EXPECT_EQ(Memo->Color(), clInfoBk) << "read-only: its colour";
    EXPECT_EQ(Memo->Lines()->Count(), 2);
    auto* Width = Find<TFcSpinEdit>(Form.get(), "SpinEditBreedte");
    EXPECT_EQ(Width->Value(), 500);
    EXPECT_EQ(Width->Min(), 100);
    EXPECT_EQ(Width->GetButton(sbUp)->Style(), cbsRight);
    EXPECT_EQ(Width->SpinButtons()->Width(), 24);
    auto* Month = Find<TFcComboBox>(Form.get(), "ComboMaand");
    EXPECT_TRUE(Month->ReadOnly());
    EXPECT_EQ(Month->Values()->Count(), 2);
    auto* Files = Find<TFcListBox>(Form.get(), "ListBoxBestanden");
    EXPECT_TRUE(Files->IsGroup(0));
    EXPECT_TRUE(Files->GroupFont()->Style().Contains(fsItalic));
    EXPECT_TRUE(Files->IsGroupFontStored());
    auto* Columns = Find<TFcCustomTabbedListBox>(Form.get(), "TabbedListBoxKolommen");
    EXPECT_EQ(Columns->GetTabStops(), std::vector<int>({48, -120}));
    auto* Fields = Find<TFcCheckList>(Form.get(), "CheckListVelden");
    EXPECT_EQ(Fields->ItemState(0), cbChecked);
    EXPECT_FALSE(Fields->ItemEnabled(2));
    EXPECT_EQ(Fields->ItemState(2), cbGrayed);
    auto* YearSpin = Find<TFcSpinButtons>(Form.get(), "SpinJaar");
    EXPECT_EQ(YearSpin->FocusControl(), Year);
    EXPECT_EQ(YearSpin->UpRightButton()->BoundsRect(), Bounds(16, 0, 16, 20)) << "read whole, then laid out";
    EXPECT_EQ(YearSpin->DownLeftButton()->Delay(), 50);
    auto* Up = Find<TFcRapidFireButton>(Form.get(), "ButtonOmhoog");
    EXPECT_EQ(Up->ScrollStyle(), scsUp);
    EXPECT_EQ(Up->Glyph()->Height(), 6);

    // The handlers are the form's.
    Fields->SetItemIndex(0);
    Fields->ToggleItemState();
    Width->IncValue(10);
    EXPECT_TRUE(Form->Heard.contains(QStringLiteral("changing 0")));
    EXPECT_TRUE(Form->Heard.contains(QStringLiteral("spin")));
}

TEST(ListsStreaming, WhatIsWrittenReadsBackAndWritesTheSame)
{
    TListsFormPtr Form = ReadListsForm(ListsDefinition);
    const QByteArray First = WriteComponentToText(Form.get());
    Form.reset();
    for (const char* Dropped : {"FrameFlat", "FrameFocusStyle", "FrameFlatStyle", "FlatButtonParentColor"})
        EXPECT_FALSE(First.contains(QByteArray(Dropped) + " = ")) << Dropped;
    EXPECT_FALSE(First.contains("Glyph.Data")) << "the arrow comes from the scroll style";
    const TListsFormPtr Back = ReadListsForm(First);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), First.toStdString());
}

TEST(ListsStreaming, AStateColourShownIsNeverWrittenAsTheUsersColour)
{
    const TListsFormPtr Form = ReadListsForm(ListsDefinition);
    auto* Month = Find<TFcComboBox>(Form.get(), "ComboMaand");
    ASSERT_EQ(Month->Color(), clInfoBk) << "read-only shows its colour";
    const TListsFormPtr Back = ReadListsForm(WriteComponentToText(Form.get()));
    Month = Find<TFcComboBox>(Back.get(), "ComboMaand");
    Month->SetReadOnly(false);
    EXPECT_EQ(Month->Color(), clWindow) << "the user's colour came back";
    auto* Memo = Find<TFcMemo>(Back.get(), "MemoNotities");
    Memo->SetReadOnly(false);
    EXPECT_EQ(Memo->Color(), clWindow);
}

} // namespace
