// A form definition with every button, label, the toolbar with its control
// order and the balloon hints, each with values of its own and obsolete
// properties of older definitions: it reads, the values arrive, the
// obsolete names are dropped, and what it writes reads back and writes the
// same text.
#include "controls/foundation/FcBalloonHints.h"
#include "controls/foundation/FcBitBtn.h"
#include "controls/foundation/FcCheckBox.h"
#include "controls/foundation/FcControlButton.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcToolbar.h"
#include "controls/foundation/FcURLLabel.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Forms.h"
#include "tests/support/StreamedForms.h"

#include <gtest/gtest.h>

// A form whose handlers the definition names.
class TButtonsForm : public TForm {
public:
    explicit TButtonsForm(TComponent* AOwner) : TForm(AOwner) {}
    QStringList Heard;
    void Opslaan(TObject* Sender) { Heard << static_cast<TComponent*>(Sender)->Name(); }
};

REGISTER_COMPONENT(TButtonsForm, TForm)
    PUBLISHED_METHOD(Opslaan)
END_REGISTER

namespace {

const char* const Definition = R"(object ButtonsForm: TButtonsForm
  Caption = 'Knoppen'
  ClientWidth = 500
  ClientHeight = 300
  object ToolbarMain: TFcToolbar
    Width = 500
    Height = 44
    BorderInner = fsNone
    BorderOuter = fsGroove
    BorderSides = [sdTop]
    BorderWidth = 0
    RowHeight = 40
    ButtonLayout = blGlyphTop
    ButtonWidth = 60
    ButtonHeight = 40
    ShowButtonCaptions = True
    TextOptions = ttoShowTextLabels
    ToolbarControls = (
      ToolButtonNieuw
      SpacerEen
      ToolButtonOpen)
    object ToolButtonOpen: TFcToolButton
      Caption = '&Openen'
      DropDownMenu = nil
      ToolStyle = tsDropDown
      OnClick = Opslaan
      UseGradients = True
      ThemeAware = False
    end
    object ToolButtonNieuw: TFcToolButton
      Caption = '&Nieuw'
      GroupIndex = 1
      AllowAllUp = True
    end
    object SpacerEen: TFcSpacer
      Grooved = True
    end
  end
  object ButtonOpslaan: TFcButton
    Left = 8
    Top = 60
    Caption = '&Opslaan'
    Default = True
    HotTrack = True
    TextStyle = tsRaised
    AlignmentVertical = avTop
    OnClick = Opslaan
  end
  object BitBtnOK: TFcBitBtn
    Left = 100
    Top = 60
    Kind = bkOK
    Layout = blGlyphRight
    Margin = -1
  end
  object BitBtnAfbreken: TFcBitBtn
    Left = 190
    Top = 60
    Caption = 'Afbreken'
    Kind = bkCancel
  end
  object CheckBoxActief: TFcCheckBox
    Left = 8
    Top = 100
    Width = 120
    Caption = '&Actief'
    AllowGrayed = True
    State = cbGrayed
    ReadOnlyColor = clYellow
    Flat = True
  end
  object LabelTitel: TFcLabel
    Left = 8
    Top = 130
    Caption = 'Adresboek'
    Angle = 90
    Rotation = roFlat
    TextStyle = tsShadow
    BorderOuter = fsRaised
    FrameSides = [sdLeft]
  end
  object URLLabelSite: TFcURLLabel
    Left = 100
    Top = 130
    Caption = 'quorvy'
    URL = 'https://quorvy.example/'
    VisitedColor = clRed
  end
  object ControlButtonOmhoog: TFcControlButton
    Left = 200
    Top = 130
    RepeatClicks = True
    Style = cbsUp
    Flat = True
  end
  object BalloonHintsMain: TFcBalloonHints
    CaptionWidth = 150
    CenterThreshold = 0
    Color = clSkyBlue
    FrameColor = cl3DDkShadow
    HintShortPause = 50
    Bitmaps.TransparentColor = clOlive
    BalloonStyle = bsStandard
    Shadow = True
  end
end
)";

using TFormPtr = TRootPtr<TButtonsForm>;

TFormPtr ReadForm(const QByteArray& Text)
{
    return ReadFormText<TButtonsForm>(Text, QStringLiteral("ButtonsForm.form"));
}

template <typename T>
T* Find(TComponent* Form, const char* Name)
{
    return FindNamed<T>(Form, Name);
}

} // namespace

TEST(ButtonsStreaming, EveryControlReadsItsValuesAndWritesThemBackTheSame)
{
    TFormPtr Form = ReadForm(Definition);
    auto* Bar = Find<TFcToolbar>(Form.get(), "ToolbarMain");
    EXPECT_EQ(Bar->TextOptions(), ttoShowTextLabels);
    EXPECT_EQ(Bar->ControlList()->Items(0)->Control()->Name(), QStringLiteral("ToolButtonNieuw"));
    auto* Open = Find<TFcToolButton>(Form.get(), "ToolButtonOpen");
    EXPECT_EQ(Open->VisualStyle(), vsGradient);
    EXPECT_TRUE(Open->IsSplit());
    // Its caption (measured with its "&") is wider than the toolbar's 60.
    EXPECT_GE(Open->Width(), 60 + 14);
    EXPECT_TRUE(Open->ShowCaption());
    EXPECT_EQ(Find<TFcToolButton>(Form.get(), "ToolButtonNieuw")->Layout(), blGlyphTop);
    EXPECT_TRUE(Find<TFcSpacer>(Form.get(), "SpacerEen")->Grooved());
    auto* Opslaan = Find<TFcButton>(Form.get(), "ButtonOpslaan");
    EXPECT_TRUE(Opslaan->Transparent());
    EXPECT_EQ(Opslaan->TextStyle(), tsRaised);
    Opslaan->OnClick()(Opslaan);
    EXPECT_EQ(Form->Heard, QStringList{QStringLiteral("ButtonOpslaan")});
    auto* OK = Find<TFcBitBtn>(Form.get(), "BitBtnOK");
    EXPECT_EQ(OK->Kind(), bkOK);
    EXPECT_EQ(OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(OK->Margin(), -1);
    auto* Afbreken = Find<TFcBitBtn>(Form.get(), "BitBtnAfbreken");
    EXPECT_EQ(Afbreken->Caption(), QStringLiteral("Afbreken"));
    EXPECT_TRUE(Afbreken->Cancel());
    auto* Actief = Find<TFcCheckBox>(Form.get(), "CheckBoxActief");
    EXPECT_EQ(Actief->State(), cbGrayed);
    EXPECT_TRUE(Actief->HotTrack());
    auto* Titel = Find<TFcLabel>(Form.get(), "LabelTitel");
    EXPECT_EQ(Titel->Angle(), 90);
    EXPECT_EQ(Titel->Rotation(), roFlat);
    EXPECT_GT(Titel->Height(), Titel->Width());
    auto* Site = Find<TFcURLLabel>(Form.get(), "URLLabelSite");
    EXPECT_EQ(Site->URL(), QStringLiteral("https://quorvy.example/"));
    EXPECT_TRUE(Find<TFcControlButton>(Form.get(), "ControlButtonOmhoog")->RepeatClicks());
    auto* Hints = Find<TFcBalloonHints>(Form.get(), "BalloonHintsMain");
    EXPECT_EQ(Hints->CaptionWidth(), 150);
    EXPECT_EQ(Hints->Color(), clSkyBlue);

    const QByteArray First = WriteComponentToText(Form.get());
    for (const char* Gone : {"UseGradients", "ThemeAware", "FrameSides", "BalloonStyle", "Shadow ="})
        EXPECT_FALSE(First.contains(Gone)) << Gone;
    EXPECT_TRUE(First.contains("ToolbarControls = (\n      ToolButtonNieuw\n      SpacerEen\n      ToolButtonOpen)"));
    Form.reset();
    TFormPtr Back = ReadForm(First);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), First.toStdString());
}
