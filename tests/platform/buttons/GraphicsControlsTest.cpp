// Images, bevels and splitters: where a picture goes, the bevel's lines,
// and dragging a splitter within MinSize and the parent's room.
#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Splitter.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Controls : TFormFixture {
    void SetUp() override { Form->SetBounds(0, 0, 320, 200); }
};

std::unique_ptr<TBitmap> Solid(int W, int H, COLORREF Color)
{
    QImage Img(W, H, QImage::Format_RGB32);
    Img.fill(ColorRefToQRgb(Color));
    auto B = std::make_unique<TBitmap>();
    B->SetImage(Img);
    return B;
}

// --- images --------------------------------------------------------------------------------------

TEST_F(Controls, ThePictureGoesWhereStretchProportionalAndCenterSay)
{
    auto* Image = Add<TImage>(Bounds(0, 0, 100, 50));
    struct TCase {
        int W, H;
        bool Stretch, Proportional, Center;
        TRect Dest;
    };
    const TCase Cases[] = {
        {40, 20, false, false, false, {0, 0, 40, 20}},
        {40, 20, false, false, true, {30, 15, 70, 35}},
        {40, 20, true, false, false, {0, 0, 100, 50}},
        // Proportional never enlarges without Stretch, and keeps the aspect.
        {40, 20, false, true, false, {0, 0, 40, 20}},
        {40, 20, true, true, false, {0, 0, 100, 50}},
        {200, 50, false, true, true, {0, 12, 100, 37}},
        {30, 60, false, true, true, {37, 0, 62, 50}},
    };
    for (const TCase& C : Cases) {
        auto Picture = Solid(C.W, C.H, Red);
        Image->Picture()->SetBitmap(Picture.get());
        Image->SetStretch(C.Stretch);
        Image->SetProportional(C.Proportional);
        Image->SetCenter(C.Center);
        EXPECT_EQ(Image->DestRect(), C.Dest) << C.W << "x" << C.H << " " << C.Stretch << C.Proportional << C.Center;
        EXPECT_EQ(BoundsOfColor(PaintControlImage(Image), Red), C.Dest);
    }
}

TEST_F(Controls, AnImageCoversWhatLiesBelowOnlyWhenAnOpaquePictureFillsIt)
{
    auto* Image = Add<TImage>(Bounds(0, 0, 40, 40));
    EXPECT_FALSE(Image->ControlStyle().Contains(csOpaque));
    auto Picture = Solid(40, 40, Blue);
    Image->Picture()->SetBitmap(Picture.get());
    EXPECT_TRUE(Image->ControlStyle().Contains(csOpaque));
    Image->SetTransparent(true);
    EXPECT_FALSE(Image->ControlStyle().Contains(csOpaque));
}

TEST_F(Controls, AutoSizeTakesThePicturesSizeAndCanvasMakesABitmap)
{
    auto* Image = Add<TImage>(Bounds(5, 5, 40, 40));
    Image->Canvas()->Brush()->SetColor(clLime);
    Image->Canvas()->FillRect(Bounds(0, 0, 10, 10));
    EXPECT_EQ(Image->Picture()->Width(), 40);
    auto Picture = Solid(24, 16, Red);
    Image->SetAutoSize(true);
    Image->Picture()->SetBitmap(Picture.get());
    EXPECT_EQ(Image->BoundsRect(), Bounds(5, 5, 24, 16));
}

// --- bevels ---------------------------------------------------------------------------------------

TEST_F(Controls, BevelsDrawTheirLinesExactly)
{
    auto* Bevel = Add<TBevel>(Bounds(0, 0, 20, 10));
    const COLORREF Dark = ColorToRGB(clBtnShadow), Light = ColorToRGB(clBtnHighlight), None = 0xFF00FF;
    struct TCase {
        TBevelShape Shape;
        TBevelStyle Style;
        // Pixels and what they show.
        std::vector<std::pair<TPoint, COLORREF>> Pixels;
    };
    const TCase Cases[] = {
        {bsBox,
         bsLowered,
         {{{0, 0}, Dark},
          {{18, 0}, Dark},
          {{0, 8}, Dark},
          {{19, 0}, Light},
          {{19, 9}, Light},
          {{1, 9}, Light},
          {{1, 1}, None},
          {{0, 9}, Dark}}},
        {bsBox, bsRaised, {{{0, 0}, Light}, {{19, 9}, Dark}}},
        {bsFrame, bsLowered, {{{0, 0}, Dark}, {{18, 0}, Dark}, {{1, 1}, Light}, {{19, 9}, Light}, {{2, 2}, None}}},
        {bsTopLine, bsLowered, {{{0, 0}, Dark}, {{19, 0}, Dark}, {{0, 1}, Light}, {{5, 2}, None}}},
        {bsBottomLine, bsRaised, {{{0, 8}, Light}, {{19, 9}, Dark}, {{5, 7}, None}}},
        {bsLeftLine, bsLowered, {{{0, 0}, Dark}, {{0, 9}, Dark}, {{1, 5}, Light}, {{2, 5}, None}}},
        {bsRightLine, bsLowered, {{{18, 0}, Dark}, {{19, 9}, Light}, {{17, 5}, None}}},
        {bsSpacer, bsLowered, {{{0, 0}, None}, {{19, 9}, None}}},
    };
    for (const TCase& C : Cases) {
        Bevel->SetShape(C.Shape);
        Bevel->SetStyle(C.Style);
        const QImage Image = PaintControlImage(Bevel, None);
        for (const auto& [P, Color] : C.Pixels)
            EXPECT_TRUE(PixelIs(Image, P.X, P.Y, Color)) << "shape " << C.Shape << " style " << C.Style;
    }
}

// --- splitters ------------------------------------------------------------------------------------

struct Splitters : Controls {
    TPanel* Side = nullptr;
    TSplitter* Bar = nullptr;
    TPanel* Rest = nullptr;
    int Moved = 0;
    void SetUp() override
    {
        Controls::SetUp();
        Side = Add<TPanel>(Bounds(0, 0, 100, 200));
        Side->SetAlign(alLeft);
        Bar = Add<TSplitter>(Bounds(100, 0, 3, 200));
        Rest = Add<TPanel>(Bounds(103, 0, 100, 200));
        Rest->SetAlign(alClient);
        Bar->SetOnMoved([this](TObject*) { ++Moved; });
        Form->Show();
    }
    // Presses the bar, moves the mouse by DX (half way first), releases;
    // in the form's coordinates, which stay put while the bar moves.
    void Drag(int DX, bool Release = true, bool HalfWay = true)
    {
        MouseDown(Form, {101, 50});
        if (HalfWay)
            MouseMove(Form, {101 + DX / 2, 50}, Qt::LeftButton);
        MouseMove(Form, {101 + DX, 50}, Qt::LeftButton);
        if (Release)
            MouseUp(Form, {101 + DX, 50});
    }
};

TEST_F(Splitters, DraggingResizesTheControlItSitsAgainstWithinItsLimits)
{
    EXPECT_EQ(Bar->FindControl(), Side);
    // The most the side may take: the client width less MinSize and the
    // bar: 320 - 30 - 3.
    struct TCase {
        bool AutoSnap;
        int DX;
        int Width;
    };
    const TCase Cases[] = {{true, 40, 140}, {true, -20, 80}, {true, 500, 287}, {false, -500, 30}, {true, -500, 0}};
    for (const TCase& C : Cases) {
        Bar->SetAutoSnap(C.AutoSnap);
        Drag(C.DX);
        EXPECT_EQ(Side->Width(), C.Width) << "drag " << C.DX << " snap " << C.AutoSnap;
        EXPECT_EQ(Bar->Left(), Side->Width());
        Side->SetWidth(100);
    }
}

TEST_F(Splitters, TheLineStylesResizeAtTheReleaseUpdateAsTheMouseMoves)
{
    for (TResizeStyle Style : {rsPattern, rsLine, rsNone}) {
        Bar->SetResizeStyle(Style);
        Drag(30, false);
        EXPECT_EQ(Side->Width(), 100) << Style;
        MouseUp(Form, {131, 50});
        EXPECT_EQ(Side->Width(), 130) << Style;
        Side->SetWidth(100);
    }
    const int Before = Moved;
    Bar->SetResizeStyle(rsUpdate);
    Drag(30, false);
    EXPECT_EQ(Side->Width(), 130);
    EXPECT_EQ(Moved, Before + 2);
    MouseUp(Form, {131, 50});
    EXPECT_EQ(Moved, Before + 2);
}

TEST_F(Splitters, TheInvertedLineLeavesNoTraceAndEscapeCancels)
{
    Side->SetColor(clWhite);
    Side->SetFocus();
    const QImage Before = FormImage(Form).copy();
    Drag(-30, false);
    EXPECT_NE(FormImage(Form), Before);
    PressKey(Form, Qt::Key_Escape);
    MouseUp(Form, {71, 50});
    EXPECT_EQ(Side->Width(), 100);
    EXPECT_EQ(Moved, 0);
    EXPECT_EQ(FormImage(Form), Before);
}

TEST_F(Splitters, OnCanResizeMayRefuseOrChangeTheSize)
{
    Bar->SetOnCanResize([](TObject*, int& NewSize, bool& Accept) {
        if (NewSize > 150)
            Accept = false;
        NewSize = NewSize / 10 * 10;
    });
    Drag(47);
    EXPECT_EQ(Side->Width(), 140);
    // A refused size leaves the last accepted one.
    Side->SetWidth(100);
    Drag(80);
    EXPECT_EQ(Side->Width(), 140);
    Side->SetWidth(100);
    Drag(80, true, false);
    EXPECT_EQ(Side->Width(), 100);
}

TEST_F(Splitters, ABarAlignedToTheTopResizesUpwardsAndShowsTheRowCursor)
{
    auto* Top = Add<TPanel>(Bounds(0, 0, 320, 50));
    Top->SetParent(Rest);
    Top->SetAlign(alTop);
    auto* Bar2 = new TSplitter(Form);
    Bar2->SetParent(Rest);
    Bar2->SetBounds(0, 50, 100, 3);
    Bar2->SetAlign(alTop);
    EXPECT_EQ(Bar2->Cursor(), crVSplit);
    EXPECT_EQ(Bar2->FindControl(), Top);
    MouseDown(Bar2, {10, 1});
    MouseMove(Bar2, {10, 21}, Qt::LeftButton);
    MouseUp(Bar2, {10, 21});
    EXPECT_EQ(Top->Height(), 70);
}

} // namespace
