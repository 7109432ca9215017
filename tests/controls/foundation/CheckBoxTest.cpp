// The framed check box: its state cycle and when OnClick fires, read-only
// boxes, the space bar and Escape, the accelerator, custom glyph cells, the
// glyph's place, its classic, hot-track, themed and transparent faces, the
// action link, the frame controller and old form data.
#include "controls/foundation/FcCheckBox.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGlyphs.h"
#include "platform/classes/Filer.h"
#include "platform/stdctrls/Edit.h"
#include "tests/controls/foundation/ButtonFixture.h"

#include <gtest/gtest.h>

namespace {

struct CheckBoxes : TControlForm {
    int Clicks = 0;

    TFcCheckBox* Box(const char* Caption = "")
    {
        auto* B = Add<TFcCheckBox>(Bounds(10, 10, 120, 17));
        B->SetCaption(QString::fromUtf8(Caption));
        B->SetOnClick([this](TObject*) { ++Clicks; });
        return B;
    }
    // The 13 x 13 glyph at its place (0, 2) equals Expected painted on a
    // bitmap of its own.
    ::testing::AssertionResult GlyphLooksLike(TControl* C, const std::function<void(TCanvas&)>& Expected, int X = 0,
                                              int Y = 2)
    {
        const QImage Want = PaintToImage(13, 13, [&](TCanvas& Canvas) { Expected(Canvas); });
        const QImage Got = Shown(C).copy(X, Y, 13, 13);
        return PixelsMatch(Got, [&](int PX, int PY, COLORREF& W) {
            W = ImagePixel(Want, PX, PY);
            return true;
        });
    }
};

std::function<void(TCanvas&)> FrameControl(unsigned State)
{
    return [State](TCanvas& C) {
        TRect R = Rect(0, 0, 13, 13);
        DrawFrameControl(C.Handle(), &R, DFC_BUTTON, DFCS_BUTTONCHECK | State);
    };
}

} // namespace

TEST_F(CheckBoxes, EveryChangeOfStateClicksOnceAndNoChangeNever)
{
    auto* B = Box();
    B->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
    B->SetChecked(true);
    B->SetState(cbChecked);
    EXPECT_EQ(Clicks, 1);
    B->SetState(cbGrayed);
    EXPECT_EQ(Clicks, 2);
    EXPECT_FALSE(B->Checked());
    EXPECT_EQ(B->Perform(BM_GETCHECK, 0, 0), 2);
}

TEST_F(CheckBoxes, ClicksCycleThroughGrayedWhenAllowed)
{
    auto* B = Box();
    const std::vector<TCheckBoxState> Plain = {cbChecked, cbUnchecked, cbChecked};
    for (TCheckBoxState Want : Plain) {
        MouseClick(B, {5, 5});
        EXPECT_EQ(B->State(), Want);
    }
    B->SetState(cbUnchecked);
    B->SetAllowGrayed(true);
    for (TCheckBoxState Want : {cbGrayed, cbChecked, cbUnchecked}) {
        MouseClick(B, {5, 5});
        EXPECT_EQ(B->State(), Want);
    }
    EXPECT_EQ(Clicks, 7);
}

TEST_F(CheckBoxes, AReadOnlyBoxIgnoresClicksSpaceAndItsAccelerator)
{
    auto* B = Box("&Actief");
    B->SetReadOnly(true);
    MouseClick(B, {5, 5});
    B->SetFocus();
    PressKey(B, Qt::Key_Space);
    PressKey(B, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(B->State(), cbUnchecked);
    EXPECT_EQ(Clicks, 0);
    // Code still sets it.
    B->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(CheckBoxes, TheSpaceBarTogglesUnlessEscapeCalledItOff)
{
    auto* B = Box();
    auto* Edit = Add<TEdit>(Bounds(10, 40, 100, 21));
    B->SetFocus();
    PressKey(B, Qt::Key_Space);
    EXPECT_TRUE(B->Checked());
    KeyDown(B, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_TRUE(B->ShownDown());
    KeyDown(B, Qt::Key_Escape);
    EXPECT_FALSE(B->ShownDown());
    KeyUp(B, Qt::Key_Space);
    EXPECT_TRUE(B->Checked());
    // Leaving ends a press too.
    KeyDown(B, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    Edit->SetFocus();
    EXPECT_FALSE(B->ShownDown());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(CheckBoxes, TheAcceleratorFocusesAndToggles)
{
    auto* B = Box("&Actief");
    PressKey(B, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(B->Focused());
    EXPECT_TRUE(B->Checked());
}

TEST_F(CheckBoxes, EnterMovesOnWithTabOnEnter)
{
    auto* B = Box();
    auto* Edit = Add<TEdit>(Bounds(10, 40, 100, 21));
    B->SetTabOnEnter(true);
    B->SetFocus();
    PressKey(B, Qt::Key_Return);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_FALSE(B->Checked());
}

TEST_F(CheckBoxes, CustomGlyphsHoldNineCells)
{
    TColorStateGuard Guard(false);
    std::vector<COLORREF> Colors;
    for (int I = 0; I < 9; ++I)
        Colors.push_back(COLORREF(0x101010 * (I + 1)));
    const auto Cells = CellGlyph(13, Colors);
    auto* B = Box();
    B->SetCustomGlyphs(Cells.get());
    EXPECT_TRUE(B->UseCustomGlyphs());
    EXPECT_EQ(B->GlyphWidth(), 13);
    EXPECT_EQ(B->GlyphHeight(), 13);
    auto Shows = [&](int Cell) { return CountColor(Shown(B), Colors[std::size_t(Cell)], Rect(0, 0, 120, 17)) == 121; };
    EXPECT_TRUE(Shows(0));
    B->SetState(cbChecked);
    EXPECT_TRUE(Shows(1));
    B->SetState(cbGrayed);
    EXPECT_TRUE(Shows(2));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(Shows(5));
    MouseUp(B, {5, 5});
    B->SetState(cbChecked);
    B->SetEnabled(false);
    EXPECT_TRUE(Shows(7));
    // An empty picture switches them off: 13 x 13 painted boxes again.
    TBitmap None;
    B->SetCustomGlyphs(&None);
    EXPECT_FALSE(B->UseCustomGlyphs());
}

TEST_F(CheckBoxes, TheGlyphSitsOnTheSideAwayFromTheCaption)
{
    TColorStateGuard Guard(false);
    auto* B = Box("Naam");
    B->Font()->SetColor(clBlack);
    EXPECT_EQ(B->GlyphPosition(), (TPoint{0, 2}));
    EXPECT_GT(BoundsOfColor(Shown(B), 0).Left, 13);
    B->SetAlignment(taLeftJustify);
    EXPECT_EQ(B->GlyphPosition(), (TPoint{107, 2}));
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(0), 107, 2));
    EXPECT_LT(BoundsOfColor(Shown(B).copy(0, 0, 100, 17), 0).Left, 10);
    B->SetAlignmentVertical(avCenter);
    B->SetHeight(31);
    EXPECT_EQ(B->GlyphPosition(), (TPoint{107, 9}));
    B->SetAlignmentVertical(avBottom);
    EXPECT_EQ(B->GlyphPosition(), (TPoint{107, 16}));
}

TEST_F(CheckBoxes, ClassicGlyphsAreTheFrameControlOfTheState)
{
    TColorStateGuard Guard(false);
    auto* B = Box();
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(0)));
    B->SetState(cbChecked);
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(DFCS_CHECKED)));
    B->SetState(cbGrayed);
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(DFCS_CHECKED | DFCS_BUTTON3STATE)));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(DFCS_CHECKED | DFCS_BUTTON3STATE | DFCS_PUSHED)));
    MouseUp(B, {50, 50});
    B->SetEnabled(false);
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(DFCS_CHECKED | DFCS_BUTTON3STATE | DFCS_INACTIVE)));
}

TEST_F(CheckBoxes, HotTrackGlyphsArePaintedCheckGlyphs)
{
    TColorStateGuard Guard(false);
    auto* B = Box();
    B->SetHotTrack(true);
    B->SetChecked(true);
    const TColor Hot = MixColors(TColor(0xFFFFFF), TColor(0x149BF0), 190), HotLight = TColor(0x149BF0);
    auto Glyph = [&](int DrawState) {
        return [=](TCanvas& C) {
            PaintCheckGlyph(&C, Rect(0, 0, 13, 13), 1, DrawState, false, htsInterior, clBtnShadow, clHighlight,
                            clWindow, clWindow, clBtnFace, Hot, HotLight, false, false, clInfoBk);
        };
    };
    EXPECT_TRUE(GlyphLooksLike(B, Glyph(0)));
    MouseMove(B, {5, 5});
    EXPECT_TRUE(GlyphLooksLike(B, Glyph(2)));
    MouseMove(B, {50, 50});
    B->SetEnabled(false);
    EXPECT_TRUE(GlyphLooksLike(B, Glyph(3)));
}

TEST_F(CheckBoxes, ThemedGlyphsAreTheCheckBoxElements)
{
    TThemesOn Themes;
    auto* B = Box();
    auto Element = [](TThemedButton Part) {
        return [Part](TCanvas& C) {
            ThemeServices().DrawElement(C.Handle(), TThemeServices::GetElementDetails(Part), Rect(0, 0, 13, 13));
        };
    };
    EXPECT_TRUE(GlyphLooksLike(B, Element(tbCheckBoxUncheckedNormal)));
    B->SetState(cbGrayed);
    EXPECT_TRUE(GlyphLooksLike(B, Element(tbCheckBoxMixedNormal)));
    MouseMove(B, {5, 5});
    EXPECT_TRUE(GlyphLooksLike(B, Element(tbCheckBoxMixedHot)));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(GlyphLooksLike(B, Element(tbCheckBoxMixedPressed)));
    MouseUp(B, {5, 5});
    B->SetEnabled(false);
    EXPECT_TRUE(GlyphLooksLike(B, Element(tbCheckBoxCheckedDisabled)));
}

TEST_F(CheckBoxes, ATransparentBoxShowsItsParentAroundTheGlyph)
{
    TColorStateGuard Guard(false);
    Form->SetColor(clYellow);
    auto* B = Box();
    B->SetParentColor(false);
    B->SetColor(clRed);
    EXPECT_TRUE(RectHasColor(Shown(B), Rect(20, 0, 120, 17), ColorToRGB(clRed)));
    B->SetTransparent(true);
    EXPECT_TRUE(RectHasColor(Shown(B), Rect(20, 0, 120, 17), ColorToRGB(clYellow)));
    EXPECT_TRUE(GlyphLooksLike(B, FrameControl(0)));
}

TEST_F(CheckBoxes, TheFocusOutlineSurroundsTheCaption)
{
    TColorStateGuard Guard(false);
    auto* B = Box("Ja");
    B->SetFocus();
    const QImage I = Shown(B);
    // From the caption's left edge (glyph + 4 + 1 - 1), dots every second
    // pixel from the second on; nothing left of it.
    EXPECT_TRUE(PixelIs(I, 18, 0, Black));
    EXPECT_TRUE(PixelIs(I, 17, 1, Black));
    EXPECT_TRUE(PixelIs(I, 17, 2, White));
    EXPECT_TRUE(RectHasColor(I, Rect(13, 0, 17, 17), White));
}

// The box repaints itself straight away (not through a paint message):
// what it draws must still reach the screen, not only the window's image.
TEST_F(CheckBoxes, StateAndFocusChangesReachTheScreen)
{
    auto* B = Box("Ja");
    auto* Other = Add<TFcCheckBox>(Bounds(10, 40, 120, 17));
    Other->SetFocus();
    const struct {
        const char* Name;
        std::function<void()> Change;
    } Changes[] = {
        {"checked from code", [&] { B->SetChecked(true); }}, {"focus gained", [&] { B->SetFocus(); }},
        {"focus lost", [&] { Other->SetFocus(); }},          {"clicked", [&] { MouseClick(B, {5, 8}); }},
        {"space bar", [&] { PressKey(B, Qt::Key_Space); }},
    };
    for (const auto& C : Changes) {
        TScreenPaints Screen(B);
        C.Change();
        EXPECT_TRUE(Screen.Shown(B, B->ClientRect())) << C.Name;
    }
    EXPECT_EQ(Clicks, 3);
}

TEST_F(CheckBoxes, TheActionSetsTheStateWithoutAClick)
{
    TAction Action(nullptr);
    Action.SetCaption(QStringLiteral("Actief"));
    auto* B = Box();
    B->SetAction(&Action);
    Action.SetChecked(true);
    EXPECT_TRUE(B->Checked());
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(WriteComponentToText(B).contains("Checked ="));
    B->SetAction(nullptr);
}

TEST_F(CheckBoxes, AFrameControllerGivesColoursAndTheHotTrackLook)
{
    TFcFrameController Controller(Form);
    Controller.SetFrameVisible(true);
    Controller.SetColor(clYellow);
    Controller.SetFrameColor(clRed);
    Controller.SetFrameHotTrack(true);
    Controller.SetFrameHotColor(clBlue);
    auto* B = Box();
    B->SetFrameController(&Controller);
    EXPECT_TRUE(B->HotTrack());
    EXPECT_EQ(B->FillColor(), clYellow);
    EXPECT_EQ(B->FrameColor(), clRed);
    EXPECT_EQ(B->HotTrackStyle(), htsFrame);
    EXPECT_EQ(B->HotTrackColor(), clBlue);
    // What the controller gives is not written.
    const QByteArray Text = WriteComponentToText(B);
    for (const char* Name : {"FillColor", "FrameColor =", "HotTrackStyle", "HotTrackColor ="})
        EXPECT_FALSE(Text.contains(Name)) << Name;
    B->SetFrameController(nullptr);
}

TEST_F(CheckBoxes, TheOldFlatPropertyBecomesHotTrack)
{
    auto* B = Box();
    ReadComponentFromText("object B: TFcCheckBox\n  Flat = True\n  State = cbChecked\nend\n", B,
                          QStringLiteral("old.form"));
    EXPECT_TRUE(B->HotTrack());
    EXPECT_TRUE(B->Checked());
    // A state read from a definition is no click.
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(WriteComponentToText(B).contains("Flat"));
}
