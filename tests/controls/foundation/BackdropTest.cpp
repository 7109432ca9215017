// The routines that need windows: a transparent control shows its parent's
// pixels, a frame area is repainted only while it can be seen, and only
// the transparent children of a control paint again.
#include "controls/foundation/FcWindowPaint.h"
#include "tests/controls/foundation/FcTestControls.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include "platform/stdctrls/ExtCtrls.h"

#include <gtest/gtest.h>

namespace {

struct Backdrop : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TPanel* Panel = nullptr;
    void SetUp() override
    {
        Form->SetBounds(40, 40, 200, 120);
        Form->SetColor(clWhite);
        Panel = Add<TPanel>(Form, Bounds(10, 10, 150, 80));
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(clYellow);
    }
    void TearDown() override { Form->Free(); }

    template <typename T>
    T* Add(TWinControl* Parent, const TRect& R)
    {
        auto* C = new T(Form);
        C->SetBoundsRect(R);
        C->SetParent(Parent);
        return C;
    }

    // The control's pixels on the form: the panel's colour but for the red
    // mark at (1, 1) - (3, 3) and whatever Also marks.
    ::testing::AssertionResult ShowsThePanel(TControl* C, const std::function<bool(int, int, COLORREF&)>& Also = {})
    {
        const QImage I = FormImage(Form);
        const TPoint A = C->ClientToScreen({0, 0}), B = Form->ClientToScreen({0, 0});
        const TPoint O{A.X - B.X, A.Y - B.Y};
        return PixelsMatch(I.copy(O.X, O.Y, C->Width(), C->Height()), [&](int X, int Y, COLORREF& Want) {
            Want = X >= 1 && X < 3 && Y >= 1 && Y < 3 ? ColorToRGB(clRed) : ColorToRGB(clYellow);
            if (Also)
                Also(X, Y, Want);
            return true;
        });
    }
};

} // namespace

TEST_F(Backdrop, ATransparentWindowShowsThePanelUnderIt)
{
    auto* Box = Add<TTestBackdropBox>(Panel, Bounds(20, 15, 30, 20));
    Form->Show();
    EXPECT_TRUE(ShowsThePanel(Box));
}

TEST_F(Backdrop, ATransparentGraphicControlIsNotPaintedInsideItsOwnBackdrop)
{
    auto* Graphic = Add<TTestBackdropGraphic>(Panel, Bounds(30, 20, 25, 15));
    Form->Show();
    EXPECT_TRUE(ShowsThePanel(Graphic));
    // Painted on its own, into a bitmap, it brings the panel along.
    EXPECT_TRUE(PixelsMatch(PaintControlImage(Graphic), [](int X, int Y, COLORREF& Want) {
        Want = X >= 1 && X < 3 && Y >= 1 && Y < 3 ? ColorToRGB(clRed) : ColorToRGB(clYellow);
        return true;
    }));
    Graphic->Paints = 0;
    Graphic->Repaint();
    FormImage(Form);
    EXPECT_EQ(Graphic->Paints, 1);
}

TEST_F(Backdrop, OnlyAParentThatIsNoCustomControlIsInvalidated)
{
    auto* Plain = Add<TTestPlainWindow>(Form, Bounds(0, 90, 100, 30));
    auto* InPlain = Add<TTestBackdropBox>(Plain, Bounds(5, 5, 20, 20));
    auto* InPanel = Add<TTestBackdropBox>(Panel, Bounds(5, 5, 20, 20));
    InPlain->RepaintParent = InPanel->RepaintParent = true;
    Form->Show();
    FormImage(Form);
    const auto Pending = [](TWinControl* C) {
        TRect R;
        return GetUpdateRect(C->Handle(), &R, FALSE) != 0;
    };
    TTestSurface Surface(20, 20);
    PaintParentBackdrop(InPanel, Surface.DC(), true);
    EXPECT_FALSE(Pending(Panel));
    PaintParentBackdrop(InPlain, Surface.DC(), true);
    EXPECT_TRUE(Pending(Plain));
    // Without a parent nothing happens at all.
    TTestBackdropGraphic Loose(nullptr);
    PaintParentBackdrop(&Loose, Surface.DC(), true);
    PaintParentBackdropOnCanvas(&Loose, nullptr, true);
}

TEST_F(Backdrop, FrameAreasAreRedrawnOnlyWhileVisible)
{
    auto* Plain = Add<TTestPlainWindow>(Panel, Bounds(5, 5, 40, 30));
    const auto Pending = [&] {
        TRect R;
        return GetUpdateRect(Plain->Handle(), &R, FALSE) != 0;
    };
    RedrawFrameArea(Plain->Handle(), nullptr);
    EXPECT_FALSE(Pending());
    Form->Show();
    FormImage(Form);
    ASSERT_FALSE(Pending());
    RedrawFrameArea(Plain->Handle(), nullptr);
    EXPECT_TRUE(Pending());
}

TEST_F(Backdrop, OnlyTransparentChildrenPaintAgain)
{
    auto* Clear = Add<TTestSeeThrough>(Panel, Bounds(5, 5, 10, 10));
    auto* Solid = Add<TTestSeeThrough>(Panel, Bounds(20, 5, 10, 10));
    auto* Other = Add<TTestBackdropGraphic>(Panel, Bounds(35, 5, 10, 10));
    Clear->SetTransparent(true);
    Form->Show();
    FormImage(Form);
    Clear->Paints = Solid->Paints = Other->Paints = 0;
    InvalidateTransparentControls(Panel);
    InvalidateTransparentControls(nullptr);
    FormImage(Form);
    EXPECT_EQ(Clear->Paints, 1);
    EXPECT_EQ(Solid->Paints, 0);
    EXPECT_EQ(Other->Paints, 0);
}
