// Labels: sizing to the text as it is drawn, word wrap, the vertical
// layout, accelerators that move the focus to FocusControl, transparency
// and the disabled look.
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/CheckBox.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Labels : TFormFixture {
    TLabel* Label = Add<TLabel>(Bounds(100, 10, 65, 17));
    void SetUp() override { Form->SetBounds(0, 0, 300, 200); }

    // What DrawText measures for Text in the label's font.
    TRect Measure(const String& Text, unsigned Flags, int Width = 0)
    {
        HDC DC = GetDC(nullptr);
        HGDIOBJ Old = SelectObject(DC, Label->Font()->Handle());
        TRect R{0, 0, Width, 0};
        DrawText(DC, Text, &R, Flags | DT_CALCRECT | DT_EXPANDTABS);
        SelectObject(DC, Old);
        ReleaseDC(nullptr, DC);
        return R;
    }
};

TEST_F(Labels, AutoSizeTakesTheSizeTheTextIsDrawnIn)
{
    Label->SetCaption(QStringLiteral("&Achternaam:"));
    const TRect R = Measure(QStringLiteral("&Achternaam:"), 0);
    EXPECT_EQ(Label->Width(), R.Right);
    EXPECT_EQ(Label->Height(), R.Bottom);
    EXPECT_EQ(Label->Left(), 100);
    // Without accelerators the "&" is text and takes room.
    Label->SetShowAccelChar(false);
    EXPECT_EQ(Label->Width(), Measure(QStringLiteral("&Achternaam:"), DT_NOPREFIX).Right);
}

TEST_F(Labels, ARightAlignedLabelKeepsItsRightEdge)
{
    Label->SetAlignment(taRightJustify);
    Label->SetCaption(QStringLiteral("Geboortedatum"));
    EXPECT_EQ(Label->Left() + Label->Width(), 165);
    Label->SetCaption(QStringLiteral("Mobiel"));
    EXPECT_EQ(Label->Left() + Label->Width(), 165);
}

TEST_F(Labels, WordWrapBreaksAtTheWidthInsteadOfWidening)
{
    const String Text = QStringLiteral("Er is een fout opgetreden in het bestand");
    Label->SetWordWrap(true);
    Label->SetWidth(80);
    Label->SetCaption(Text);
    const TRect Wrapped = Measure(Text, DT_WORDBREAK, 80);
    EXPECT_LE(Label->Width(), 80);
    EXPECT_EQ(Label->Width(), Wrapped.Right);
    EXPECT_EQ(Label->Height(), Wrapped.Bottom);
    EXPECT_GE(Label->Height(), 3 * Measure(QStringLiteral("E"), 0).Bottom);
}

TEST_F(Labels, WithoutAutoSizeOrTextTheSizeStays)
{
    Label->SetCaption(QString());
    EXPECT_EQ(Label->BoundsRect(), Bounds(100, 10, 65, 17));
    Label->SetAutoSize(false);
    Label->SetCaption(QStringLiteral("Een heel lange tekst voor een label"));
    EXPECT_EQ(Label->BoundsRect(), Bounds(100, 10, 65, 17));
    // Switching AutoSize on measures at once.
    Label->SetAutoSize(true);
    EXPECT_GT(Label->Width(), 65);
}

TEST_F(Labels, TheAcceleratorGivesFocusControlTheFocus)
{
    auto* Target = Add<TCheckBox>(Bounds(10, 50, 97, 17));
    auto* Other = Add<TCheckBox>(Bounds(10, 80, 97, 17));
    Label->SetCaption(QStringLiteral("&Naam"));
    Label->SetFocusControl(Target);
    Form->Show();
    Other->SetFocus();

    struct TCase {
        const char* What;
        std::function<void()> Change;
        bool Moves;
    };
    const TCase Cases[] = {
        {"no accelerators", [&] { Label->SetShowAccelChar(false); }, false},
        {"disabled", [&] { Label->SetEnabled(false); }, false},
        {"target disabled", [&] { Target->SetEnabled(false); }, false},
        {"as set", [] {}, true},
    };
    for (const TCase& C : Cases) {
        Label->SetShowAccelChar(true);
        Label->SetEnabled(true);
        Target->SetEnabled(true);
        Other->SetFocus();
        C.Change();
        PressKey(Form, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"));
        EXPECT_EQ(Target->Focused(), C.Moves) << C.What;
    }
    // The label only moves the focus: the check box is not toggled.
    EXPECT_FALSE(Target->Checked());
    delete Target;
    EXPECT_EQ(Label->FocusControl(), nullptr);
}

TEST_F(Labels, LayoutPlacesTheTextBlockTopCentreOrBottom)
{
    Label->SetAutoSize(false);
    Label->SetCaption(QStringLiteral("Tekst"));
    Label->SetBounds(100, 10, 80, 60);
    const COLORREF Ink = ColorToRGB(clWindowText);
    const int TextHeight = Measure(QStringLiteral("Tekst"), 0).Bottom;
    struct TCase {
        TTextLayout Layout;
        int Top;
    };
    for (const TCase& C : {TCase{tlTop, 0}, TCase{tlCenter, (60 - TextHeight) / 2}, TCase{tlBottom, 60 - TextHeight}}) {
        Label->SetLayout(C.Layout);
        const TRect Ink1 = BoundsOfColor(PaintControlImage(Label), Ink);
        ASSERT_FALSE(IsRectEmpty(Ink1)) << C.Layout;
        EXPECT_GE(Ink1.Top, C.Top) << C.Layout;
        EXPECT_LE(Ink1.Bottom, C.Top + TextHeight) << C.Layout;
    }
}

TEST_F(Labels, AnOpaqueLabelFillsItsColourATransparentOneLeavesTheParent)
{
    Label->SetAutoSize(false);
    Label->SetColor(clYellow);
    EXPECT_FALSE(Label->Transparent());
    const COLORREF Back = 0xFF00FF;
    EXPECT_EQ(CountColor(PaintControlImage(Label, Back), Back, Bounds(0, 0, 65, 17)), 0);
    Label->SetTransparent(true);
    EXPECT_TRUE(Label->IsTransparentStored());
    const QImage Clear = PaintControlImage(Label, Back);
    EXPECT_EQ(CountColor(Clear, ColorToRGB(clYellow), Bounds(0, 0, 65, 17)), 0);
}

TEST_F(Labels, ADisabledLabelIsEmbossed)
{
    Label->SetAutoSize(false);
    Label->SetCaption(QStringLiteral("Uit"));
    Label->SetEnabled(false);
    const QImage Image = PaintControlImage(Label);
    const TRect Shadow = BoundsOfColor(Image, ColorToRGB(clBtnShadow));
    const TRect Light = BoundsOfColor(Image, ColorToRGB(clBtnHighlight));
    ASSERT_FALSE(IsRectEmpty(Shadow));
    // The highlight copy lies one pixel down and to the right.
    EXPECT_EQ(Light.Right, Shadow.Right + 1);
    EXPECT_EQ(Light.Bottom, Shadow.Bottom + 1);
    EXPECT_EQ(CountColor(Image, ColorToRGB(clWindowText), Label->ClientRect()), 0);
}

} // namespace
