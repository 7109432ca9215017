// Painting: the order of the passes, frames in the window's image, graphic
// children painted by their parent, transparency, and painting any control
// into a bitmap.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include "platform/stdctrls/ExtCtrls.h"

#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

namespace {

struct TFormFixture : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void SetUp() override
    {
        Form->SetBounds(40, 40, 200, 120);
        TTestBox::Log().clear();
    }
    void TearDown() override { Form->Free(); }

    template <typename T>
    T* Add(TWinControl* Parent, const char* Name, TRect R)
    {
        auto* C = new T(Form);
        C->SetName(QString::fromLatin1(Name));
        C->SetBoundsRect(R);
        C->SetParent(Parent);
        return C;
    }
};

using Painting = TFormFixture;

TEST_F(Painting, FrameThenBackgroundThenClientThenChildren)
{
    auto* Outer = Add<TTestBox>(Form, "Outer", Bounds(10, 10, 100, 60));
    Add<TTestBox>(Outer, "Inner", Bounds(5, 5, 20, 20));
    Form->Show();
    TTestBox::Log().clear();
    RedrawWindow(Outer->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    UpdateWindow(Form->Handle());
    EXPECT_EQ(TTestBox::Log(), QStringList({"Outer:NCPAINT", "Outer:PAINT", "Outer:ERASE", "Inner:NCPAINT",
                                            "Inner:PAINT", "Inner:ERASE"}));
}

TEST_F(Painting, ClientEdgeIsPaintedInTheFrameAndTheClientInside)
{
    auto* Box = new TTestBox(Form);
    Box->ExtraExStyle = WS_EX_CLIENTEDGE;
    Box->SetBoundsRect(Bounds(20, 20, 40, 30));
    Box->SetParent(Form);
    Box->SetColor(clYellow);
    Form->Show();
    EXPECT_EQ(Box->ClientWidth(), 36);
    const QImage Img = FormImage(Form);
    // Sunken edge: shadow outside at the top-left, highlight at the bottom-right.
    EXPECT_TRUE(PixelIs(Img, 21, 20, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Img, 21, 21, ColorToRGB(cl3DDkShadow)));
    EXPECT_TRUE(PixelIs(Img, 59, 40, ColorToRGB(clBtnHighlight)));
    EXPECT_TRUE(RectHasColor(Img, Bounds(22, 22, 36, 26), ColorToRGB(clYellow)));
    EXPECT_TRUE(PixelIs(Img, 19, 19, ColorToRGB(clBtnFace)));
}

TEST_F(Painting, GraphicChildrenPaintInTheirParentAndTransparentOnesShowIt)
{
    auto* Panel = Add<TTestBox>(Form, "Panel", Bounds(0, 0, 100, 80));
    Panel->SetColor(clGreen);
    auto* Solid = new TTestGraphic(Form);
    Solid->SetBoundsRect(Bounds(10, 10, 20, 20));
    Solid->SetParent(Panel);
    auto* Clear = new TTestGraphic(Form);
    Clear->SetBoundsRect(Bounds(50, 10, 20, 20));
    Clear->SetOpaque(false);
    Clear->SetColor(clRed);
    Clear->SetParent(Panel);
    Form->Show();
    const QImage Img = FormImage(Form);
    EXPECT_TRUE(RectHasColor(Img, Bounds(10, 10, 20, 20), ColorToRGB(clBlue)));
    EXPECT_TRUE(RectHasColor(Img, Bounds(50, 10, 4, 4), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(Img, Bounds(55, 15, 15, 15), ColorToRGB(clGreen)));
    EXPECT_TRUE(PixelIs(Img, 5, 5, ColorToRGB(clGreen)));
}

TEST_F(Painting, OverlappingSiblingsKeepTheirZOrder)
{
    auto* Below = Add<TTestBox>(Form, "Below", Bounds(10, 10, 50, 50));
    Below->SetColor(clRed);
    auto* Above = Add<TTestBox>(Form, "Above", Bounds(30, 30, 50, 50));
    Above->SetColor(clBlue);
    Form->Show();
    QImage Img = FormImage(Form);
    EXPECT_TRUE(PixelIs(Img, 40, 40, ColorToRGB(clBlue)));
    // Repainting the lower one leaves the upper one on top.
    Below->Invalidate();
    Img = FormImage(Form);
    EXPECT_TRUE(PixelIs(Img, 40, 40, ColorToRGB(clBlue)));
    Below->BringToFront();
    Img = FormImage(Form);
    EXPECT_TRUE(PixelIs(Img, 40, 40, ColorToRGB(clRed)));
}

TEST_F(Painting, HiddenControlsPaintIntoABitmapFrameIncluded)
{
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBoundsRect(Bounds(0, 0, 60, 40));
    Panel->SetBevelOuter(bvLowered);
    Panel->SetColor(clAqua);
    const QImage Img = PaintControlImage(Panel);
    ASSERT_FALSE(Form->Visible());
    EXPECT_TRUE(PixelIs(Img, 0, 0, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Img, 59, 39, ColorToRGB(clBtnHighlight)));
    EXPECT_TRUE(RectHasColor(Img, Bounds(1, 1, 58, 38), ColorToRGB(clAqua)));
}

TEST_F(Painting, PanelAlignsChildrenInsideBevelsAndBorder)
{
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBoundsRect(Bounds(0, 0, 100, 80));
    Panel->SetBevelInner(bvLowered);
    Panel->SetBorderWidth(2);
    auto* Client = Add<TTestBox>(Panel, "Client", Bounds(0, 0, 10, 10));
    Client->SetAlign(alClient);
    Form->Show();
    EXPECT_EQ(Client->BoundsRect(), Rect(4, 4, 96, 76));
}

TEST_F(Painting, DrawingOutsideThePaintPassReachesTheImage)
{
    auto* Box = Add<TTestBox>(Form, "Box", Bounds(10, 10, 50, 50));
    Form->Show();
    FormImage(Form);
    Box->Canvas()->Brush()->SetColor(clPurple);
    Box->Canvas()->FillRect(Rect(0, 0, 5, 5));
    const QImage* Img = WindowSurfaceImage(Form->Handle());
    EXPECT_TRUE(RectHasColor(*Img, Bounds(10, 10, 5, 5), ColorToRGB(clPurple)));
    EXPECT_TRUE(PixelIs(*Img, 16, 16, ColorToRGB(clWhite)));
}

// Invalidates itself while it paints, the first time only.
class TRepaintingBox : public TTestBox {
public:
    using TTestBox::TTestBox;
    int Paints = 0;

protected:
    void Paint() override
    {
        TTestBox::Paint();
        if (++Paints == 1)
            Invalidate();
    }
};

TEST_F(Painting, WhatIsInvalidatedWhilePaintingIsPaintedNext)
{
    auto* Box = Add<TRepaintingBox>(Form, "Box", Bounds(10, 10, 50, 30));
    Form->Show();
    EXPECT_TRUE(RunUntil([&] { return Box->Paints >= 2; }));
    PumpMessages();
    EXPECT_EQ(Box->Paints, 2);
}

// One property of each kind through the setters' helpers: Shade is looks
// only, Cells sets the width (10 pixels a cell) while AutoSize is on.
class TCellBox : public TTestBox {
public:
    using TTestBox::TTestBox;
    bool SetShade(TColor Value) { return SetPaintProperty(FShade, Value); }
    bool SetCells(int Value) { return SetLayoutProperty(FCells, Value); }

protected:
    bool CanAutoSize(int& NewWidth, int& NewHeight) override
    {
        (void)NewHeight;
        NewWidth = 10 * FCells;
        return true;
    }

private:
    TColor FShade = clRed;
    int FCells = 1;
};

TEST_F(Painting, PropertyHelpersRepaintOrRefitOnlyWhenTheValueChanges)
{
    auto* Box = Add<TCellBox>(Form, "Box", Bounds(10, 10, 10, 20));
    Box->SetAutoSize(true);
    Form->Show();
    PumpMessages();
    struct {
        std::function<bool()> Set;
        bool Changed;
        int Width;
    } Steps[] = {
        {[&] { return Box->SetShade(clBlue); }, true, 10},
        {[&] { return Box->SetShade(clBlue); }, false, 10},
        {[&] { return Box->SetCells(3); }, true, 30},
        {[&] { return Box->SetCells(3); }, false, 30},
    };
    for (std::size_t I = 0; I < std::size(Steps); ++I) {
        SCOPED_TRACE(I);
        TTestBox::Log().clear();
        EXPECT_EQ(Steps[I].Set(), Steps[I].Changed);
        PumpMessages();
        EXPECT_EQ(TTestBox::Log().contains(QStringLiteral("Box:PAINT")), Steps[I].Changed);
        EXPECT_EQ(Box->Width(), Steps[I].Width);
    }
}

TEST_F(Painting, WindowRegionShapesTheWindow)
{
    auto* Box = Add<TTestBox>(Form, "Box", Bounds(10, 10, 40, 40));
    Box->SetColor(clRed);
    Form->Show();
    SetWindowRgn(Box->Handle(), CreateEllipticRgn(0, 0, 40, 40), TRUE);
    const QImage Img = FormImage(Form);
    EXPECT_TRUE(PixelIs(Img, 30, 30, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(Img, 11, 11, ColorToRGB(clBtnFace)));
}

} // namespace
