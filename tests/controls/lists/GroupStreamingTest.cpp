// Group bars in form definitions: bar, groups, items, a controller and
// their references read in, handlers bound by name, the groups in the
// order of the definition, old property names dropped, and what is written
// read back into the same text.
#include "controls/foundation/FcMessages.h"
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupController.h"
#include "platform/actions/ImgList.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Forms.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>

class TGroupBarForm : public TForm {
public:
    explicit TGroupBarForm(TComponent* AOwner) : TForm(AOwner) {}
    QStringList Clicked;
    void ItemClick(TObject* Sender)
    {
        if (auto* Item = dynamic_cast<TFcGroupItem*>(Sender))
            Clicked << Item->Caption();
        else if (auto* C = dynamic_cast<TComponent*>(Sender))
            Clicked << C->Name();
    }
    template <typename T>
    T* Find(const char* Name) const
    {
        return dynamic_cast<T*>(FindComponent(QString::fromLatin1(Name)));
    }
};

REGISTER_COMPONENT(TGroupBarForm, TForm)
    PUBLISHED_METHOD(ItemClick)
END_REGISTER

namespace {

const char* const Definition = R"(object GroupBarForm: TGroupBarForm
  Left = 0
  Top = 0
  Caption = 'Quorvy'
  ClientWidth = 400
  ClientHeight = 300
  object FcGroupBarMenu: TFcGroupBar
    Left = 0
    Top = 0
    Width = 160
    Height = 300
    ExclusiveMode = True
    GradientColorStart = clBtnFace
    GradientColorStop = clBtnShadow
    GroupBorderSize = 8
    SmallImages = ImageList1
    ShowHint = True
    ColorAdjustment = 20
    ThemeAware = True
    UseGradients = True
    object FcGroupBestand: TFcGroup
      Left = 8
      Top = 8
      Width = 144
      Height = 88
      Caption = 'Bestand'
      Items = <
        item
          Caption = 'Openen'
          ImageIndex = 0
          OnClick = ItemClick
        end
        item
          Action = ActionSluiten
        end
        item
          Caption = '-'
        end
        item
          Caption = 'Info'
          IndentLevel = 1
          Selected = True
          Tag = 4
        end>
      Opened = True
      DividerVisible = False
      UseGradients = False
    end
    object FcGroupZoeken: TFcGroup
      Left = 8
      Top = 104
      Width = 144
      Height = 20
      Caption = 'Zoeken'
      GroupController = Controller
      ItemStyle = isLarge
      Opened = False
      Special = True
    end
  end
  object ImageList1: TImageList
  end
  object ActionList1: TActionList
    object ActionSluiten: TAction
      Caption = 'Sluiten'
      OnExecute = ItemClick
    end
  end
  object Controller: TFcGroupController
    ItemHeight = 24
    UseGradients = True
  end
end
)";

TRootPtr<TGroupBarForm> ReadForm(const QByteArray& Text)
{
    return ReadRoot<TGroupBarForm>(Text, QStringLiteral("GroupBarForm.form"));
}

} // namespace

TEST(GroupBarStreaming, ABarWithGroupsItemsAndAControllerReadsInAndWritesBackTheSame)
{
    auto Form = ReadForm(Definition);
    auto* Bar = Form->Find<TFcGroupBar>("FcGroupBarMenu");
    auto* Bestand = Form->Find<TFcGroup>("FcGroupBestand");
    auto* Zoeken = Form->Find<TFcGroup>("FcGroupZoeken");
    ASSERT_NE(Bar, nullptr);
    EXPECT_TRUE(Bar->ExclusiveMode());
    EXPECT_EQ(Bar->SmallImages(), Form->Find<TImageList>("ImageList1"));
    ASSERT_EQ(Bar->GroupCount(), 2);
    EXPECT_EQ(Bar->Groups(0), Bestand);
    EXPECT_EQ(Bestand->GroupBar(), Bar);
    EXPECT_TRUE(Bestand->Opened());
    EXPECT_FALSE(Zoeken->Opened());
    EXPECT_TRUE(Zoeken->Special());
    EXPECT_EQ(Zoeken->ItemStyle(), isLarge);
    EXPECT_EQ(Zoeken->GroupController(), Form->Find<TFcGroupController>("Controller"));
    EXPECT_EQ(Zoeken->ItemHeight(), 24);

    TFcGroupItems* Items = Bestand->Items();
    ASSERT_EQ(Items->Count(), 4);
    EXPECT_EQ(Items->Items(1)->Caption(), QStringLiteral("Sluiten"));
    EXPECT_TRUE(Items->Items(2)->IsSeparator());
    EXPECT_EQ(Items->Items(3)->IndentLevel(), 1);
    EXPECT_EQ(Items->Items(3)->Tag(), 4);
    EXPECT_EQ(Bestand->SelectedItemIndex(), 3);

    const QByteArray First = WriteComponentToText(Form.get());
    EXPECT_FALSE(First.contains("UseGradients"));
    EXPECT_FALSE(First.contains("ColorAdjustment"));
    EXPECT_FALSE(First.contains("ThemeAware"));
    EXPECT_TRUE(First.contains("GroupBorderSize = 8"));
    EXPECT_TRUE(First.contains("ItemStyle = isLarge"));
    EXPECT_TRUE(First.contains("Special = True"));
    Form.reset();
    auto Again = ReadForm(First);
    EXPECT_EQ(WriteComponentToText(Again.get()).toStdString(), First.toStdString());
}

TEST(GroupBarStreaming, HandlersBindByNameAndActionsRunForTheirItems)
{
    auto Form = ReadForm(Definition);
    TFcGroupItems* Items = Form->Find<TFcGroup>("FcGroupBestand")->Items();
    Items->Items(0)->Click();
    // The action runs its handler with itself as sender.
    Items->Items(1)->Click();
    EXPECT_EQ(Form->Clicked, (QStringList{"Openen", "ActionSluiten"}));
}

TEST(GroupBarStreaming, GroupsTakeTheOrderOfTheDefinition)
{
    QByteArray Text = Definition;
    Text.replace("object FcGroupZoeken: TFcGroup", "object FcGroupAaa: TFcGroup");
    auto Form = ReadForm(Text);
    auto* Bar = Form->Find<TFcGroupBar>("FcGroupBarMenu");
    EXPECT_EQ(Bar->Groups(0)->Name(), QStringLiteral("FcGroupBestand"));
    EXPECT_EQ(Bar->Groups(1)->Name(), QStringLiteral("FcGroupAaa"));
    EXPECT_EQ(Bar->Groups(1)->GroupIndex(), 1);
}

TEST(GroupBarStreaming, AnOutlookBarReadWithNoGroupOpenGivesTheFirstTheRoom)
{
    QByteArray Text = Definition;
    Text.replace("    ExclusiveMode = True\n", "    Style = gbsOutlook\n");
    Text.replace("      Opened = True\n", "      Opened = False\n");
    auto Form = ReadForm(Text);
    auto* Bar = Form->Find<TFcGroupBar>("FcGroupBarMenu");
    auto* Bestand = Form->Find<TFcGroup>("FcGroupBestand");
    EXPECT_FALSE(Bestand->Opened());
    // The other caption with its margin, and a margin above and below.
    EXPECT_EQ(Bestand->Height(), Bar->ClientHeight() - (20 + 8) - 2 * 8);
    EXPECT_EQ(Form->Find<TFcGroup>("FcGroupZoeken")->Top(), Bestand->Top() + Bestand->Height() + 8);
}

TEST(GroupBarStreaming, AGroupOutsideAGroupBarIsAnErrorOfTheDefinition)
{
    const QString Error = ErrorMessage<EFcGroupBarError>([] {
        ReadForm(R"(object GroupBarForm: TGroupBarForm
  object Misplaced: TFcGroup
    Opened = True
    DividerVisible = False
  end
end
)");
    });
    EXPECT_TRUE(Error.contains(QStringLiteral("TFcGroup components can only be placed in a TFcGroupBar component")))
        << Error.toStdString();
}
