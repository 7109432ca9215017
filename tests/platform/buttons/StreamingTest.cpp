// A form definition with every control of this part, each with values of
// its own: it reads, its values arrive, and what it writes reads back into
// the same text; handlers bind by name.
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/ThemeIcons.h"
#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/Header.h"
#include "platform/stdctrls/HeaderControl.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/PageScroller.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/Splitter.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/StreamedForms.h"
#include "tests/support/WindowHelpers.h"

#include <QBuffer>
#include <gtest/gtest.h>

// A form whose handlers the definition names.
class TButtonsForm : public TForm {
public:
    explicit TButtonsForm(TComponent* AOwner) : TForm(AOwner) {}
    QStringList Clicked;
    void ControlClick(TObject* Sender) { Clicked << static_cast<TComponent*>(Sender)->Name(); }
};

REGISTER_COMPONENT(TButtonsForm, TForm)
    PUBLISHED_METHOD(ControlClick)
END_REGISTER

namespace {

// A 32 x 16 picture (two 16 x 16 cells) as form data.
QByteArray GlyphHex()
{
    QImage Img(32, 16, QImage::Format_RGB32);
    Img.fill(qRgb(255, 0, 255));
    for (int Y = 4; Y < 12; ++Y)
        for (int X = 4; X < 12; ++X) {
            Img.setPixel(X, Y, qRgb(255, 0, 0));
            Img.setPixel(X + 16, Y, qRgb(0, 0, 255));
        }
    QByteArray Png;
    QBuffer B(&Png);
    B.open(QIODevice::WriteOnly);
    Img.save(&B, "PNG");
    return Png.toHex().toUpper();
}

QByteArray DefinitionText()
{
    return QByteArray(R"(object ButtonsForm: TButtonsForm
  Caption = 'Knoppen'
  ClientWidth = 400
  ClientHeight = 300
  object ButtonOK: TButton
    Left = 300
    Top = 260
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 0
    OnClick = ControlClick
  end
  object ButtonCancel: TButton
    Left = 220
    Top = 260
    Width = 70
    Caption = 'Annuleren'
    Cancel = True
    ModalResult = 2
    WordWrap = True
  end
  object CheckBoxActief: TCheckBox
    Left = 8
    Top = 8
    Caption = '&Actief'
    Alignment = taLeftJustify
    AllowGrayed = True
    State = cbGrayed
    OnClick = ControlClick
  end
  object RadioMan: TRadioButton
    Left = 8
    Top = 30
    Caption = 'Man'
  end
  object RadioVrouw: TRadioButton
    Left = 8
    Top = 50
    Caption = 'Vrouw'
    Checked = True
    OnClick = ControlClick
  end
  object LabelNaam: TLabel
    Left = 120
    Top = 8
    Caption = '&Naam:'
    FocusControl = CheckBoxActief
    Alignment = taRightJustify
    Layout = tlCenter
    Transparent = True
    WordWrap = True
  end
  object SpeedButtonGo: TSpeedButton
    Left = 120
    Top = 40
    Width = 60
    Height = 30
    Caption = 'Ga'
    GroupIndex = 4
    AllowAllUp = True
    Down = True
    Flat = True
    Glyph.Data = {)")
        + GlyphHex() + QByteArray(R"(}
    Layout = blGlyphTop
    Margin = 2
    NumGlyphs = 2
    Spacing = 1
    Transparent = False
  end
  object ImageLogo: TImage
    Left = 200
    Top = 40
    Width = 40
    Height = 40
    Center = True
    Proportional = True
    Stretch = True
  end
  object BevelLine: TBevel
    Left = 8
    Top = 100
    Width = 380
    Height = 2
    Shape = bsTopLine
    Style = bsRaised
  end
  object ScrollBarZoom: TScrollBar
    Left = 8
    Top = 110
    Width = 17
    Height = 100
    Kind = sbVertical
    LargeChange = 10
    Max = 200
    Min = 20
    PageSize = 10
    Position = 50
    SmallChange = 5
  end
  object HeaderControlKolommen: THeaderControl
    Left = 30
    Top = 110
    Width = 300
    Height = 17
    Sections = <
      item
        Text = 'Naam'
        Width = 80
      end
      item
        Alignment = taRightJustify
        MinWidth = 20
        Text = 'Bedrag'
        Width = 60
      end>
    Style = hsFlat
  end
  object HeaderOud: THeader
    Left = 30
    Top = 140
    Width = 300
    Sections.Strings = (
      'Een'
      'Twee')
    SectionWidths = (
      70
      40)
  end
  object PageScrollerBalk: TPageScroller
    Left = 30
    Top = 180
    Width = 100
    Height = 30
    Control = PanelBalk
    Position = 20
    object PanelBalk: TPanel
      Width = 300
      Height = 30
    end
  end
  object PanelLinks: TPanel
    Left = 0
    Top = 220
    Width = 100
    Height = 80
    Align = alBottom
  end
  object SplitterLinks: TSplitter
    Top = 217
    Width = 400
    Height = 3
    Cursor = crVSplit
    Align = alBottom
    AutoSnap = False
    Beveled = True
    MinSize = 20
    ResizeStyle = rsUpdate
  end
end
)");
}

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

TEST(ButtonsStreaming, EveryControlReadsItsValuesAndWritesThemBackTheSame)
{
    TFormPtr Form = ReadForm(DefinitionText());
    auto* OK = Find<TButton>(Form.get(), "ButtonOK");
    EXPECT_TRUE(OK->Default());
    EXPECT_EQ(OK->ModalResult(), mrOk);
    EXPECT_TRUE(Find<TButton>(Form.get(), "ButtonCancel")->Cancel());
    auto* Box = Find<TCheckBox>(Form.get(), "CheckBoxActief");
    EXPECT_EQ(Box->State(), cbGrayed);
    EXPECT_EQ(TAlignment(Box->Alignment()), taLeftJustify);
    EXPECT_FALSE(Find<TRadioButton>(Form.get(), "RadioMan")->Checked());
    EXPECT_TRUE(Find<TRadioButton>(Form.get(), "RadioVrouw")->Checked());
    auto* Label = Find<TLabel>(Form.get(), "LabelNaam");
    EXPECT_EQ(Label->FocusControl(), Box);
    EXPECT_TRUE(Label->Transparent());
    EXPECT_EQ(Label->Layout(), tlCenter);
    auto* Go = Find<TSpeedButton>(Form.get(), "SpeedButtonGo");
    EXPECT_TRUE(Go->Down());
    EXPECT_EQ(Go->NumGlyphs(), 2);
    EXPECT_EQ(Go->Glyph()->Width(), 32);
    EXPECT_EQ(Go->Layout(), blGlyphTop);
    auto* Zoom = Find<TScrollBar>(Form.get(), "ScrollBarZoom");
    EXPECT_EQ(Zoom->Kind(), sbVertical);
    EXPECT_EQ(Zoom->Min(), 20);
    EXPECT_EQ(Zoom->Position(), 50);
    auto* Columns = Find<THeaderControl>(Form.get(), "HeaderControlKolommen");
    ASSERT_EQ(Columns->Sections()->Count(), 2);
    EXPECT_EQ(Columns->Sections()->Items(1)->Left(), 80);
    EXPECT_EQ(Columns->Sections()->Items(1)->Text(), QStringLiteral("Bedrag"));
    auto* Old = Find<THeader>(Form.get(), "HeaderOud");
    EXPECT_EQ(Old->SectionWidth(0), 70);
    EXPECT_EQ(Old->SectionWidth(1), 40);
    auto* Scroller = Find<TPageScroller>(Form.get(), "PageScrollerBalk");
    EXPECT_EQ(Scroller->Control(), Find<TPanel>(Form.get(), "PanelBalk"));
    EXPECT_EQ(Scroller->ClassName(), QStringLiteral("TPageScroller"));
    EXPECT_EQ(Find<TSplitter>(Form.get(), "SplitterLinks")->MinSize(), 20);

    const QByteArray Written = WriteComponentToText(Form.get());
    Form.reset();
    TFormPtr Again = ReadForm(Written);
    EXPECT_EQ(WriteComponentToText(Again.get()).toStdString(), Written.toStdString());
    // The handlers come before the states in what is written; reading the
    // states clicks nothing.
    EXPECT_LT(Written.indexOf("OnClick = ControlClick"), Written.indexOf("State = cbGrayed"));
    EXPECT_TRUE(Again->Clicked.isEmpty());
}

TEST(ButtonsStreaming, HandlersBindByNameAndTheFormRunsModally)
{
    TFormPtr Form = ReadForm(DefinitionText());
    auto* Box = Find<TCheckBox>(Form.get(), "CheckBoxActief");
    Box->SetState(cbChecked);
    EXPECT_EQ(Form->Clicked, QStringList({"CheckBoxActief"}));
    Form->Show();
    // The label's accelerator focuses the check box; Enter presses OK.
    PressKey(Form.get(), Qt::Key_N, Qt::AltModifier, QStringLiteral("n"));
    EXPECT_TRUE(Box->Focused());
    PressKey(Form.get(), Qt::Key_Return);
    EXPECT_EQ(Form->Clicked, QStringList({"CheckBoxActief", "ButtonOK"}));
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

const char* const IconDefinition = R"(object IconForm: TButtonsForm
  ClientWidth = 220
  ClientHeight = 80
  object Next: TSpeedButton
    Left = 8
    Top = 8
    Width = 40
    Height = 30
    Glyph.Data = ('go-next' 16)
  end
  object Info: TImage
    Left = 60
    Top = 8
    Width = 48
    Height = 48
    Picture.Data = ('dialog-information' 48)
  end
  object Gone: TSpeedButton
    Left = 120
    Caption = 'Weg'
    Glyph.Data = ('quorvy-test-missing-glyph' 16)
  end
end
)";

TEST(ButtonsStreaming, GlyphsAndPicturesNamedByIconReadPaintAndWriteTheirNames)
{
    const QImage Arrow = ThemeIconImage(QStringLiteral("go-next"), 16, 16);
    const QImage Info = ThemeIconImage(QStringLiteral("dialog-information"), 48, 48);
    ASSERT_FALSE(Arrow.isNull() || Info.isNull()) << "the Tango icon theme (tango-icon-theme) is missing";
    TFormPtr Form = ReadForm(IconDefinition);
    auto* Next = Find<TSpeedButton>(Form.get(), "Next");
    EXPECT_EQ(Next->Glyph()->Image(), Arrow);
    EXPECT_EQ(Find<TImage>(Form.get(), "Info")->Picture()->Graphic()->IconName(), QStringLiteral("dialog-information"));
    // A name the theme lacks: an empty glyph, the caption alone.
    EXPECT_TRUE(Find<TSpeedButton>(Form.get(), "Gone")->Glyph()->Empty());

    // Written back as names, never as the theme's pixels.
    const QByteArray Written = WriteComponentToText(Form.get());
    EXPECT_FALSE(Written.contains('{')) << Written.toStdString();
    for (const char* Name : {"'go-next'", "'dialog-information'", "'quorvy-test-missing-glyph'"})
        EXPECT_TRUE(Written.contains(Name)) << Name;

    Form->Show();
    const QImage Shown = FormImage(Form.get());
    EXPECT_TRUE(ShowsImage(Shown, Arrow, Bounds(8, 8, 40, 30)));
    EXPECT_TRUE(ShowsImage(Shown, Info, Bounds(60, 8, 48, 48)));
    Form.reset();
    TFormPtr Again = ReadForm(Written);
    EXPECT_EQ(WriteComponentToText(Again.get()).toStdString(), Written.toStdString());
}

TEST(ButtonsStreaming, AnIconNeedsANameAndASize)
{
    for (const char* Data : {"('go-next')", "('' 16)", "('go-next' 0)", "('go-next' 16 16)", "(16 'go-next')"}) {
        const QByteArray Text =
            "object F: TButtonsForm\n  object B: TSpeedButton\n    Glyph.Data = " + QByteArray(Data) + "\n  end\nend\n";
        const QString Message =
            ErrorMessage<EReadError>([&] { ReadFormText<TButtonsForm>(Text, QStringLiteral("icons.form")); });
        EXPECT_TRUE(Message.startsWith(QStringLiteral("icons.form(3): "))) << Data << ": " << Message.toStdString();
    }
}

} // namespace
