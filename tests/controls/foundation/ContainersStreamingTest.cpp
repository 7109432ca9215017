// A form definition with every container and pane, each with values of its
// own and some obsolete properties of older definitions: it reads, its
// values arrive, the obsolete names are dropped, and what it writes reads
// back and writes the same text; the handlers bind by name.
#include "controls/foundation/FcClockStatus.h"
#include "controls/foundation/FcGroupBox.h"
#include "controls/foundation/FcKeyStatus.h"
#include "controls/foundation/FcPopups.h"
#include "controls/foundation/FcResourceStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/Button.h"
#include "tests/support/StreamedForms.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

// A form whose handlers the definition names.
class TContainersForm : public TForm {
public:
    explicit TContainersForm(TComponent* AOwner) : TForm(AOwner) {}
    QStringList Heard;
    void PanelPaint(TObject* Sender) { Heard << static_cast<TComponent*>(Sender)->Name(); }
    void ClockGetDateTime(TObject*, TDateTime& T) { T = 0; }
};

REGISTER_COMPONENT(TContainersForm, TForm)
    PUBLISHED_METHOD(PanelPaint)
    PUBLISHED_METHOD(ClockGetDateTime)
END_REGISTER

namespace {

const char* const ContainersDefinition = R"(object ContainersForm: TContainersForm
  Caption = 'Houders'
  ClientWidth = 500
  ClientHeight = 300
  object FrameControllerMain: TFcFrameController
    FrameStyle = fsFlatBold
  end
  object PanelKop: TFcPanel
    Width = 500
    Height = 40
    Align = alTop
    Caption = 'Adresboek'
    Color = clInfoBk
    Alignment = taLeftJustify
    AlignmentVertical = avTop
    BorderInner = fsLowered
    BorderOuter = fsFlatBold
    BorderSides = [sdLeft, sdBottom]
    BorderWidth = 2
    FlatColor = clNavy
    FlatColorAdjustment = -20
    FrameController = FrameControllerMain
    FrameControllerNotifications = [fcpColor, fcpFrameStyle]
    GradientColorStyle = gcsCustom
    GradientColorStart = clRed
    GradientDirection = gdVerticalCenter
    GridStyle = gsSolidLines
    GridXSize = 4
    ShowGrid = True
    TextMargin = 3
    VisualStyle = vsGradient
    WordWrap = False
    OnPaint = PanelPaint
    FrameSides = [sdLeft]
    ThemeAware = True
  end
  object GroupBoxAdres: TFcGroupBox
    Left = 8
    Top = 48
    Width = 200
    Height = 120
    Caption = '&Adres'
    GroupStyle = gsBanner
    Alignment = taCenter
    object ButtonKies: TButton
      Left = 8
      Top = 30
      Caption = 'Kies'
    end
  end
  object PopupPanelKeuze: TFcPopupPanel
    Left = 220
    Top = 48
    Width = 150
    Height = 80
    Alignment = taLeftJustify
    AutoSize = False
    object ButtonSluit: TButton
      Left = 4
      Top = 4
      Caption = 'Sluit'
    end
  end
  object StatusBarMain: TFcStatusBar
    Top = 281
    Width = 500
    Height = 19
    BorderInner = fsNone
    BorderOuter = fsNone
    BorderSides = [sdLeft, sdTop, sdRight, sdBottom]
    AutoScalePanes = True
    SimpleCaption = 'Klaar'
    SimpleFrameStyle = fsLowered
    object StatusPaneHint: TFcStatusPane
      Width = 200
      Height = 19
      Align = alLeft
      AutoHint = True
      Blinking = True
      BlinkColor = clRed
      CaptionOffset = 5
      FillColor = clLime
      FrameStyle = fsStatus
      Transparent = False
    end
    object ClockStatusNu: TFcClockStatus
      Left = 200
      Width = 150
      Height = 19
      Align = alLeft
      Format = 'hh:nn'
      Interval = 1000
      OnGetDateTime = ClockGetDateTime
    end
    object KeyStatusCaps: TFcKeyStatus
      Left = 350
      Width = 45
      Height = 19
      Align = alLeft
      Key = tkNumLock
      KeyOffAppearance = koaDimmed
      KeyStrings.NumLock = 'NUMS'
      InsertState = isOverwrite
    end
    object ResourceStatusGeheugen: TFcResourceStatus
      Left = 395
      Width = 90
      Height = 19
      Align = alLeft
      BarStyle = bsLED
      DisplayStyle = dsText
      NumSegments = 20
      Orientation = orVertical
      ResourceStrings.Memory = 'Geheugen'
      ResourceStrings.User = 'Gebruiker'
      ResourceStrings.GDI = 'Grafisch'
      ResourceType = rtUser
    end
  end
end
)";

using TContainersFormPtr = TRootPtr<TContainersForm>;

TContainersFormPtr ReadContainersForm(const QByteArray& Text)
{
    return ReadFormText<TContainersForm>(Text, QStringLiteral("ContainersForm.form"));
}

} // namespace

TEST(ContainersStreaming, EveryContainerReadsItsValuesAndWritesThemBackTheSame)
{
    TContainersFormPtr Form = ReadContainersForm(ContainersDefinition);
    auto* Kop = FindNamed<TFcPanel>(Form.get(), "PanelKop");
    EXPECT_EQ(Kop->BorderSides(), (TSides{sdLeft, sdBottom}));
    EXPECT_EQ(Kop->BorderInner(), fsLowered);
    EXPECT_EQ(Kop->FlatColorAdjustment(), -20);
    EXPECT_EQ(Kop->FrameController(), FindNamed<TFcFrameController>(Form.get(), "FrameControllerMain"));
    EXPECT_EQ(Kop->GridXSize(), 4);
    EXPECT_FALSE(Kop->WordWrap());
    Kop->OnPaint()(Kop);
    EXPECT_EQ(Form->Heard, QStringList{QStringLiteral("PanelKop")});
    auto* Box = FindNamed<TFcGroupBox>(Form.get(), "GroupBoxAdres");
    EXPECT_EQ(Box->GroupStyle(), gsBanner);
    EXPECT_EQ(FindNamed<TButton>(Form.get(), "ButtonKies")->Parent(), Box);
    auto* Keuze = FindNamed<TFcPopupPanel>(Form.get(), "PopupPanelKeuze");
    EXPECT_FALSE(Keuze->Visible());
    EXPECT_FALSE(Keuze->AutoSize());
    EXPECT_EQ(Keuze->BorderOuter(), fsPopup);
    auto* Bar = FindNamed<TFcStatusBar>(Form.get(), "StatusBarMain");
    EXPECT_TRUE(Bar->AutoStyle());
    EXPECT_TRUE(Bar->AutoScalePanes());
    EXPECT_EQ(Bar->SimpleFrameStyle(), fsLowered);
    auto* Hint = FindNamed<TFcStatusPane>(Form.get(), "StatusPaneHint");
    EXPECT_TRUE(Hint->AutoHint());
    EXPECT_EQ(Hint->FillColor(), clLime);
    EXPECT_FALSE(Hint->ParentFillColor());
    EXPECT_FALSE(Hint->Transparent());
    auto* Clock = FindNamed<TFcClockStatus>(Form.get(), "ClockStatusNu");
    EXPECT_EQ(Clock->Caption(), QStringLiteral("00:00"));
    EXPECT_EQ(Clock->Interval(), 1000);
    auto* Key = FindNamed<TFcKeyStatus>(Form.get(), "KeyStatusCaps");
    EXPECT_EQ(Key->KeyStrings()->NumLock(), QStringLiteral("NUMS"));
    EXPECT_EQ(Key->InsertState(), isOverwrite);
    auto* Res = FindNamed<TFcResourceStatus>(Form.get(), "ResourceStatusGeheugen");
    EXPECT_EQ(Res->ResourceStrings()->Memory(), QStringLiteral("Geheugen"));
    EXPECT_EQ(Res->NumSegments(), 20);

    const QByteArray First = WriteComponentToText(Form.get());
    for (const char* Gone : {"FrameSides", "ThemeAware", "ResourceType", "User", "GDI"})
        EXPECT_FALSE(First.contains(Gone)) << Gone;
    // The clock's text is its own, never written.
    EXPECT_FALSE(First.contains("00:00"));
    Form.reset();
    TContainersFormPtr Back = ReadContainersForm(First);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), First.toStdString());
}
