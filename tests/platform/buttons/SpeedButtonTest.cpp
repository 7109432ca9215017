// Speed buttons: groups with one button down and AllowAllUp, the pressed
// look while held (what repeating buttons ask), glyph cells and their
// layout, flat buttons, accelerators and the action link.
#include "platform/stdctrls/SpeedButton.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

// A glyph of Size x Size cells: cell I is a solid square of Colors[I] with
// a one-pixel margin of magenta, the transparent colour (the bottom-left
// pixel), so that where each cell lands can be told by its colour.
std::unique_ptr<TBitmap> MakeGlyph(int Size, const std::vector<COLORREF>& Colors)
{
    QImage Img(Size * int(Colors.size()), Size, QImage::Format_RGB32);
    Img.fill(ColorRefToQRgb(0xFF00FF));
    for (std::size_t I = 0; I < Colors.size(); ++I)
        for (int Y = 1; Y < Size - 1; ++Y)
            for (int X = 1; X < Size - 1; ++X)
                Img.setPixel(int(I) * Size + X, Y, ColorRefToQRgb(Colors[I]));
    auto B = std::make_unique<TBitmap>();
    B->SetImage(Img);
    return B;
}

struct SpeedButtons : TFormFixture {
    QStringList Clicked;

    // A button at Left in group GroupIndex, recording its clicks.
    TSpeedButton* Add(const char* Name, int Left, int GroupIndex = 0)
    {
        auto* B = TFormFixture::Add<TSpeedButton>(Name, Bounds(Left, 10, 23, 22));
        B->SetGroupIndex(GroupIndex);
        B->SetOnClick([this, B](TObject*) { Clicked << B->Name(); });
        return B;
    }
    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 100);
        Form->Show();
    }
};

TEST_F(SpeedButtons, AGroupKeepsOneButtonDown)
{
    auto* A = Add("A", 10, 1);
    auto* B = Add("B", 40, 1);
    auto* Other = Add("Other", 70, 2);
    Other->SetDown(true);
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    MouseClick(B, {5, 5});
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);
    EXPECT_EQ(B->State(), bsExclusive);
    // Another group is left alone.
    EXPECT_TRUE(Other->Down());
    // The down button stays down when pressed again, and still clicks.
    MouseClick(B, {5, 5});
    EXPECT_TRUE(B->Down());
    B->SetDown(false);
    EXPECT_TRUE(B->Down());
    EXPECT_EQ(Clicked, QStringList({"A", "B", "B"}));
}

TEST_F(SpeedButtons, AllowAllUpIsSharedByTheGroupAndLetsTheDownButtonUp)
{
    auto* A = Add("A", 10, 1);
    auto* B = Add("B", 40, 1);
    B->SetDown(true);
    A->SetAllowAllUp(true);
    EXPECT_TRUE(B->AllowAllUp());
    MouseClick(B, {5, 5});
    EXPECT_FALSE(B->Down());
    EXPECT_FALSE(A->Down());
}

TEST_F(SpeedButtons, AnUngroupedButtonNeverStaysDown)
{
    auto* A = Add("A", 10);
    A->SetDown(true);
    EXPECT_FALSE(A->Down());
    MouseClick(A, {5, 5});
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);
    EXPECT_EQ(Clicked, QStringList({"A"}));
}

TEST_F(SpeedButtons, WhileHeldTheButtonIsDownAndCapturesTheMouse)
{
    auto* A = Add("A", 10);
    MouseDown(A, {5, 5});
    EXPECT_EQ(A->State(), bsDown);
    EXPECT_TRUE(A->MouseCapture());
    // Dragged off, it shows up; back on, down again.
    MouseMove(A, {60, 5}, Qt::LeftButton);
    EXPECT_EQ(A->State(), bsUp);
    MouseMove(A, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(A->State(), bsDown);
    MouseMove(A, {60, 5}, Qt::LeftButton);
    MouseUp(A, {60, 5});
    EXPECT_EQ(A->State(), bsUp);
    EXPECT_FALSE(A->MouseCapture());
    EXPECT_TRUE(Clicked.isEmpty());
}

TEST_F(SpeedButtons, TheAcceleratorClicksAnEnabledVisibleButton)
{
    auto* A = Add("A", 10);
    A->SetCaption(QStringLiteral("&Ga"));
    PressKey(Form, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    A->SetEnabled(false);
    PressKey(Form, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    A->SetEnabled(true);
    A->SetVisible(false);
    PressKey(Form, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    EXPECT_EQ(Clicked, QStringList({"A"}));
}

TEST_F(SpeedButtons, GlyphCellsServeTheirStates)
{
    auto* A = Add("A", 10, 1);
    A->SetBounds(10, 10, 40, 40);
    auto Glyph = MakeGlyph(16, {Red, 0x00FF00, Blue, 0xFFFF00});
    A->SetGlyph(Glyph.get());
    EXPECT_EQ(A->NumGlyphs(), 4);
    struct TCase {
        const char* What;
        std::function<void()> Set;
        COLORREF Shows;
    };
    const TCase Cases[] = {
        {"up", [&] {}, Red},
        {"disabled", [&] { A->SetEnabled(false); }, 0x00FF00},
        {"held down", [&] { A->SetDown(true); }, 0xFFFF00},
    };
    for (const TCase& C : Cases) {
        A->SetEnabled(true);
        C.Set();
        const QImage Image = PaintControlImage(A);
        EXPECT_GT(CountColor(Image, C.Shows, A->ClientRect()), 100) << C.What;
    }
    // Without its own cells, held down shows the up cell, and disabled an
    // embossed copy of the up cell's shape.
    auto Single = MakeGlyph(16, {Red});
    A->SetGlyph(Single.get());
    EXPECT_EQ(A->NumGlyphs(), 1);
    EXPECT_GT(CountColor(PaintControlImage(A), Red, A->ClientRect()), 100);
    A->SetEnabled(false);
    const QImage Disabled = PaintControlImage(A);
    EXPECT_EQ(CountColor(Disabled, Red, A->ClientRect()), 0);
    // The glyph sits 10 pixels into the face (2 in): the square at 13.
    EXPECT_TRUE(RectHasColor(Disabled, Bounds(13, 13, 14, 14), ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Disabled, 27, 27, ColorToRGB(clBtnHighlight)));
}

TEST_F(SpeedButtons, TheGlyphsTransparentColourLetsTheFaceShow)
{
    auto* A = Add("A", 10);
    A->SetBounds(10, 10, 30, 30);
    auto Glyph = MakeGlyph(16, {Red});
    A->SetGlyph(Glyph.get());
    const QImage Image = PaintControlImage(A);
    EXPECT_EQ(CountColor(Image, 0xFF00FF, A->ClientRect()), 0);
    // Centred: (30 - 4 - 16 + 1) / 2 = 5 from the face's edge of 2.
    EXPECT_EQ(BoundsOfColor(Image, Red), Bounds(2 + 5 + 1, 2 + 5 + 1, 14, 14));
}

TEST_F(SpeedButtons, TheLayoutPutsTheGlyphAtTheMarginOnItsSide)
{
    TButtonGlyph G;
    auto Glyph = MakeGlyph(16, {Red});
    G.SetGlyph(Glyph.get());
    TCanvas Canvas;
    HDC DC = GetDC(nullptr);
    Canvas.SetHandle(DC);
    const TRect Client{0, 0, 100, 40};
    struct TCase {
        TButtonLayout Layout;
        int Margin;
        TPoint Glyph;
    };
    const TCase Cases[] = {
        {blGlyphLeft, 3, {3, 12}},    {blGlyphRight, 3, {81, 12}}, {blGlyphTop, 3, {42, 3}},
        {blGlyphBottom, 3, {42, 21}}, {blGlyphLeft, -1, {42, 12}}, {blGlyphTop, -1, {42, 12}},
    };
    for (const TCase& C : Cases) {
        TPoint Pos;
        TRect Text;
        G.CalcButtonLayout(&Canvas, Client, {0, 0}, String(), C.Layout, C.Margin, 4, Pos, Text, 0);
        EXPECT_EQ(Pos, C.Glyph) << C.Layout << " margin " << C.Margin;
    }
    // With a caption the two share the room: Spacing between them.
    TPoint Pos;
    TRect Text;
    G.CalcButtonLayout(&Canvas, Client, {1, 1}, QStringLiteral("Ga"), blGlyphLeft, 2, 4, Pos, Text, 0);
    EXPECT_EQ(Pos, TPoint(3, 13));
    EXPECT_EQ(Text.Left, Pos.X + 16 + 4);
    Canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
}

TEST_F(SpeedButtons, AButtonHeldDownInItsGroupShowsTheCheckeredFace)
{
    auto* A = Add("A", 10, 1);
    A->SetCaption(String());
    A->SetDown(true);
    const QImage Image = PaintControlImage(A);
    // Inside the sunken edge: the 8 x 8 halftone of face and highlight.
    const COLORREF Face = ColorToRGB(clBtnFace), Light = ColorToRGB(clBtnHighlight);
    const COLORREF P = ImagePixel(Image, 4, 4);
    EXPECT_TRUE(P == Face || P == Light);
    EXPECT_NE(ImagePixel(Image, 5, 4), P);
    EXPECT_EQ(ImagePixel(Image, 5, 5), P);
}

TEST_F(SpeedButtons, AFlatButtonShowsItsEdgeOnlyUnderTheMouse)
{
    auto* A = Add("A", 10);
    A->SetFlat(true);
    const COLORREF Light = ColorToRGB(clBtnHighlight);
    EXPECT_FALSE(PixelIs(PaintControlImage(A), 0, 0, Light));
    MouseMove(A, {5, 5});
    EXPECT_TRUE(A->MouseInControl());
    EXPECT_TRUE(PixelIs(PaintControlImage(A), 0, 0, Light));
    MouseMove(Form, {200, 80});
    EXPECT_FALSE(A->MouseInControl());
}

TEST_F(SpeedButtons, TheActionLinksGroupAndCheckedState)
{
    auto* A = Add("A", 10);
    auto* Action = new TAction(Form);
    Action->SetGroupIndex(3);
    Action->SetChecked(true);
    A->SetAction(Action);
    EXPECT_EQ(A->GroupIndex(), 3);
    EXPECT_TRUE(A->Down());
    A->SetAllowAllUp(true);
    Action->SetChecked(false);
    EXPECT_FALSE(A->Down());
    EXPECT_FALSE(A->IsCheckedStored());
}

} // namespace
