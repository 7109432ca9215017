// The control button: one click per press or, repeating, clicks on a
// driven timer while held; a press that loses the mouse ends; its plain,
// arrow and drop-down faces, flat and themed; glyph cells.
#include "controls/foundation/FcControlButton.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGlyphs.h"
#include "platform/windows/CustomControl.h"
#include "tests/controls/foundation/ButtonFixture.h"

#include <gtest/gtest.h>

// Stands for the list library's spin edit, which the control button knows
// only by its class name.
class TFcSpinEdit : public TCustomControl {
public:
    explicit TFcSpinEdit(TComponent* AOwner) : TCustomControl(AOwner) {}
};

namespace {

struct ControlButtons : TControlForm {
    int Clicks = 0;

    TFcControlButton* Button(TFcControlButtonStyle Style = cbsNone, TComponent* Owner = nullptr)
    {
        auto* B = new TFcControlButton(Owner != nullptr ? Owner : Form);
        B->SetBounds(10, 10, 17, 21);
        B->SetParent(Form);
        B->SetStyle(Style);
        B->SetOnClick([this](TObject*) { ++Clicks; });
        return B;
    }
    // One tick of the repeat timer, as the timer would give it.
    static void Tick(TFcControlButton* B) { B->RepeatTimer()->OnTimer()(B->RepeatTimer()); }
};

} // namespace

TEST_F(ControlButtons, WithoutRepeatAPressClicksOnceOnReleaseInside)
{
    auto* B = Button();
    MouseDown(B, {5, 5});
    EXPECT_TRUE(B->IsDown());
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(B->RepeatTimer(), nullptr);
    MouseUp(B, {5, 5});
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(B->IsDown());
    // Moving off does not raise it; releasing outside gives nothing.
    MouseDown(B, {5, 5});
    MouseMove(B, {40, 5}, Qt::LeftButton);
    EXPECT_TRUE(B->IsDown());
    MouseUp(B, {40, 5});
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ControlButtons, AHeldRepeatingButtonClicksAfterTheFirstDelayThenEveryDelay)
{
    auto* B = Button();
    B->SetRepeatClicks(true);
    MouseDown(B, {5, 5});
    ASSERT_NE(B->RepeatTimer(), nullptr);
    EXPECT_TRUE(B->RepeatTimer()->Enabled());
    EXPECT_EQ(B->RepeatTimer()->Interval(), 400u);
    // Held for a second: ticks at 400, 500, ..., 1000 ms.
    for (int I = 0; I < 7; ++I)
        Tick(B);
    EXPECT_EQ(B->RepeatTimer()->Interval(), 100u);
    EXPECT_EQ(Clicks, 7);
    MouseUp(B, {5, 5});
    EXPECT_EQ(Clicks, 8);
    EXPECT_FALSE(B->RepeatTimer()->Enabled());

    // Released outside, the clicks already given stand and none is added.
    MouseDown(B, {5, 5});
    EXPECT_EQ(B->RepeatTimer()->Interval(), 400u);
    Tick(B);
    Tick(B);
    MouseUp(B, {40, 5});
    EXPECT_EQ(Clicks, 10);
}

TEST_F(ControlButtons, APressThatLosesTheMouseEndsAndStopsRepeating)
{
    auto* B = Button();
    B->SetRepeatClicks(true);
    // The first repeated click opens something that takes the mouse.
    B->SetOnClick([&](TObject*) {
        ++Clicks;
        ReleaseCapture();
    });
    MouseDown(B, {5, 5});
    Tick(B);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(B->IsDown());
    EXPECT_FALSE(B->IsTracking());
    EXPECT_FALSE(B->RepeatTimer()->Enabled());
    // A press whose mouse went before the first tick comes up at the tick.
    B->SetOnClick([&](TObject*) { ++Clicks; });
    MouseDown(B, {5, 5});
    ReleaseCapture();
    Tick(B);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(B->IsDown());
    EXPECT_FALSE(B->RepeatTimer()->Enabled());
}

TEST_F(ControlButtons, AClickThatRaisesStopsTheRepeat)
{
    auto* B = Button();
    B->SetRepeatClicks(true);
    B->SetOnClick([](TObject*) { throw Exception(QStringLiteral("mislukt")); });
    MouseDown(B, {5, 5});
    EXPECT_THROW(Tick(B), Exception);
    EXPECT_FALSE(B->RepeatTimer()->Enabled());
}

TEST_F(ControlButtons, TheGlyphCountFollowsTheBitmapsShape)
{
    auto* B = Button();
    const struct {
        int Width, Height, Count;
    } Cases[] = {
        {64, 16, 4},
        {32, 16, 2},
        {16, 16, 1},
        // Five cells or none are no count of 1 to 4: one cell.
        {80, 16, 1},
        {0, 16, 1},
        // Not a whole number of heights: the count stays.
        {70, 16, 3},
    };
    for (const auto& C : Cases) {
        B->SetNumGlyphs(3);
        TBitmap Glyph;
        Glyph.SetSize(C.Width, C.Height);
        B->SetGlyph(&Glyph);
        EXPECT_EQ(B->NumGlyphs(), C.Count) << C.Width;
    }
}

TEST_F(ControlButtons, TheCellDrawnFollowsTheState)
{
    TColorStateGuard Guard(false);
    auto* B = Button();
    B->SetBounds(10, 10, 24, 24);
    const auto Two = CellGlyph(16, {Cell0, Cell1});
    B->SetGlyph(Two.get());
    auto Shows = [&](COLORREF Cell) { return CountColor(Shown(B), Cell, Rect(0, 0, 24, 24)) == 14 * 14; };
    EXPECT_TRUE(Shows(Cell0));
    B->SetEnabled(false);
    EXPECT_TRUE(Shows(Cell1));
    B->SetEnabled(true);
    const auto Three = CellGlyph(16, {Cell0, Cell1, Cell2});
    B->SetGlyph(Three.get());
    MouseDown(B, {5, 5});
    EXPECT_TRUE(Shows(Cell2));
    // Centred in the face and one pixel down and right while pressed.
    EXPECT_TRUE(PixelIs(Shown(B), 6, 6, Cell2));
    MouseUp(B, {5, 5});
    EXPECT_TRUE(PixelIs(Shown(B), 5, 5, Cell0));
}

TEST_F(ControlButtons, PlainFaces)
{
    TColorStateGuard Guard(false);
    auto* B = Button();
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { Fill(C, PaintFrameStyle(&C, R, fsRaised), clBtnFace); }));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { Fill(C, PaintBoxOutline(&C, R, clBtnShadow), clBtnFace); }));
    MouseUp(B, {30, 30});

    // Flat: nothing but the colour until the mouse comes.
    B->SetFlat(true);
    B->SetColor(clYellow);
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { Fill(C, R, clYellow); }));
    MouseMove(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { Fill(C, PaintFrameStyle(&C, R, fsPopup), clYellow); }));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { Fill(C, PaintFrameStyle(&C, R, fsStatus), clYellow); }));
    MouseUp(B, {5, 5});
    MouseMove(B, {40, 40});
    EXPECT_FALSE(B->MouseOver());
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { Fill(C, R, clYellow); }));
}

TEST_F(ControlButtons, ArrowAndDropDownFaces)
{
    TColorStateGuard Guard(false);
    const struct {
        TFcControlButtonStyle Style;
        int Direction;
    } Arrows[] = {{cbsLeft, ArrowLeft}, {cbsUp, ArrowUp}, {cbsRight, ArrowRight}, {cbsDown, ArrowDown}};
    for (const auto& A : Arrows) {
        auto* B = Button(A.Style);
        B->SetColor(clYellow);
        EXPECT_EQ(TFcControlButton::ControlStyleToArrow(A.Style), A.Direction);
        EXPECT_TRUE(LooksLike(B, [&](TCanvas& C, TRect R) {
            R = PaintFrameStyle(&C, R, fsButtonUp);
            Fill(C, R, clYellow);
            PaintDirectionArrow(&C, R, false, A.Direction, true, false);
        }));
        MouseDown(B, {5, 5});
        EXPECT_TRUE(LooksLike(B, [&](TCanvas& C, TRect R) {
            R = PaintBoxOutline(&C, R, clBtnShadow);
            Fill(C, R, clYellow);
            PaintDirectionArrow(&C, R, false, A.Direction, true, true);
        }));
        MouseUp(B, {5, 5});
        B->Free();
    }
    auto* D = Button(cbsDropDown);
    D->SetColor(clYellow);
    D->SetEnabled(false);
    EXPECT_TRUE(LooksLike(D, [](TCanvas& C, TRect R) {
        R = PaintFrameStyle(&C, R, fsButtonUp);
        Fill(C, R, clBtnFace);
        PaintDropDownArrow(&C, R, false, false, false);
    }));
}

TEST_F(ControlButtons, ArrowsOfASpinEditKeepTheButtonFace)
{
    TColorStateGuard Guard(false);
    TFcSpinEdit Spin(nullptr);
    auto* Part = new TComponent(&Spin);
    auto* B = Button(cbsUp, Part);
    B->SetColor(clYellow);
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        R = PaintFrameStyle(&C, R, fsButtonUp);
        Fill(C, R, clBtnFace);
        PaintDirectionArrow(&C, R, false, ArrowUp, true, false);
    }));
}

TEST_F(ControlButtons, ThemedFacesAreTheElementsOfTheirParts)
{
    TThemesOn Themes;
    auto Element = [](auto Part, int Grow, int GrowLeft) {
        return [=](TCanvas& C, TRect R) {
            const TRect Client = R;
            R = Rect(R.Left - GrowLeft, R.Top - Grow, R.Right + Grow, R.Bottom + Grow);
            ThemeServices().DrawElement(C.Handle(), TThemeServices::GetElementDetails(Part), R, &Client);
        };
    };
    auto* Plain = Button();
    EXPECT_TRUE(LooksLike(Plain, Element(tsThumbBtnHorzNormal, 2, 1)));
    MouseDown(Plain, {5, 5});
    EXPECT_TRUE(LooksLike(Plain, Element(tsThumbBtnHorzPressed, 2, 1)));
    MouseUp(Plain, {5, 5});
    MouseMove(Plain, {5, 5});
    EXPECT_TRUE(LooksLike(Plain, Element(tsThumbBtnHorzHot, 2, 1)));
    MouseMove(Plain, {40, 40});
    Plain->SetEnabled(false);
    EXPECT_TRUE(LooksLike(Plain, Element(tsThumbBtnHorzDisabled, 2, 1)));
    Plain->Free();

    const struct {
        TFcControlButtonStyle Style;
        TThemedSpin Part;
    } Spins[] = {{cbsUp, tsUpNormal}, {cbsDown, tsDownNormal}, {cbsRight, tsUpHorzNormal}, {cbsLeft, tsDownHorzNormal}};
    for (const auto& S : Spins) {
        auto* B = Button(S.Style);
        EXPECT_TRUE(LooksLike(B, Element(S.Part, 0, 0)));
        B->Free();
    }
    auto* D = Button(cbsDropDown);
    EXPECT_TRUE(LooksLike(D, Element(tcDropDownButtonNormal, 1, 1)));
    // Flat and cold: the colour and the XP arrow.
    D->SetFlat(true);
    D->SetColor(clYellow);
    EXPECT_TRUE(LooksLike(D, [](TCanvas& C, TRect R) {
        InflateRect(R, 1, 1);
        Fill(C, R, clYellow);
        PaintDropDownArrow(&C, R, true, true, false);
    }));
}
