// The framed push button: its faces in the classic, hot-track and themed
// looks for each state, the caption's text styles, the mouse and the space
// bar, default and cancel buttons, toggle groups, and old form data.
#include "controls/foundation/FcButton.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "platform/classes/Filer.h"
#include "platform/stdctrls/Edit.h"
#include "tests/controls/foundation/ButtonFixture.h"

#include <gtest/gtest.h>

namespace {

struct PushButtons : TControlForm {
    QStringList Clicked;

    TFcButton* Button(const char* Name, int Left = 10, int GroupIndex = 0)
    {
        auto* B = Add<TFcButton>(Bounds(Left, 10, 75, 25));
        B->SetName(QString::fromLatin1(Name));
        B->SetCaption(QString());
        B->SetGroupIndex(GroupIndex);
        B->SetOnClick([this, B](TObject*) { Clicked << B->Name(); });
        return B;
    }
};

void Classic(TCanvas& C, TRect R, bool Defaulted, bool Down)
{
    if (Defaulted)
        R = PaintSideLines(&C, R, clWindowFrame, clWindowFrame, AllSides);
    Fill(C, PaintButtonEdgeSides(&C, R, Down, AllSides), clBtnFace);
}

void Line(TCanvas& C, int X1, int Y1, int X2, int Y2, TColor Color)
{
    C.Pen()->SetColor(Color);
    C.MoveTo(X1, Y1);
    C.LineTo(X2, Y2);
}

// The hot-track face up to its ring, as its description draws it.
TRect HotTrackFace(TCanvas& C, TRect R, TColor Face)
{
    const TColor Dark = DarkenColor(clWhite, 20), Light = LightenColor(clWhite, 20);
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    Line(C, L, T + 2, L, B - 2, Dark);
    Line(C, L + 2, T, Rt - 2, T, Dark);
    Line(C, Rt - 1, T + 2, Rt - 1, B - 2, Light);
    Line(C, L + 2, B - 1, Rt - 2, B - 1, Light);
    C.SetPixels(L + 1, T + 1, Dark);
    C.SetPixels(Rt - 2, T + 1, Dark);
    C.SetPixels(L + 1, B - 2, Dark);
    C.SetPixels(Rt - 2, B - 2, Light);
    InflateRect(R, -1, -1);
    Line(C, R.Left + 1, R.Top, R.Right - 1, R.Top, cl3DDkShadow);
    Line(C, R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1, cl3DDkShadow);
    Line(C, R.Left, R.Top + 1, R.Left, R.Bottom - 1, cl3DDkShadow);
    Line(C, R.Right - 1, R.Top + 1, R.Right - 1, R.Bottom - 1, cl3DDkShadow);
    InflateRect(R, -1, -1);
    Line(C, R.Left, R.Bottom - 2, R.Right, R.Bottom - 2, DarkenColor(Face, 20));
    Line(C, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, DarkenColor(Face, 30));
    R.Bottom -= 2;
    if (ManyColors())
        FillGradientRect(&C, R, gdHorizontalEnd, LightenColor(Face, 30), DarkenColor(Face, 10), 1);
    else
        Fill(C, R, Face);
    return R;
}

} // namespace

TEST_F(PushButtons, ClassicFacesFollowTheState)
{
    TColorStateGuard Guard(false);
    auto* Up = Button("Up");
    auto* Default = Button("Default", 100);
    Default->SetDefault(true);
    auto* Coloured = Button("Coloured", 190);
    Coloured->SetColor(clYellow);
    auto* Grouped = Button("Grouped", 280, 1);
    ASSERT_FALSE(Up->Focused());
    EXPECT_TRUE(Default->Active());
    EXPECT_TRUE(LooksLike(Up, [](TCanvas& C, TRect R) { Classic(C, R, false, false); }));
    EXPECT_TRUE(LooksLike(Default, [](TCanvas& C, TRect R) { Classic(C, R, true, false); }));
    EXPECT_TRUE(LooksLike(Coloured, [](TCanvas& C, TRect R) {
        Fill(C, PaintColoredButtonEdgeSides(&C, R, clYellow, false, AllSides), clYellow);
    }));
    EXPECT_TRUE(
        LooksLike(Grouped, [](TCanvas& C, TRect R) { Fill(C, PaintFrameStyle(&C, R, fsButtonUp), clBtnFace); }));

    // Held down by the mouse it has the focus (dotted, 4 in) and no
    // default ring.
    MouseDown(Up, {5, 5});
    EXPECT_TRUE(Up->ShownDown());
    EXPECT_TRUE(LooksLike(Up, [](TCanvas& C, TRect R) {
        Classic(C, R, false, true);
        PaintDottedOutline(&C, Rect(4, 4, 71, 21));
    }));
    MouseUp(Up, {5, 5});
    // Focused and up, it is the one Enter presses: the default ring.
    EXPECT_TRUE(LooksLike(Up, [](TCanvas& C, TRect R) {
        Classic(C, R, true, false);
        PaintDottedOutline(&C, Rect(4, 4, 71, 21));
    }));
}

TEST_F(PushButtons, ADownGroupButtonIsSunkAndDotted)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B", 10, 1);
    B->SetDown(true);
    const QImage I = Shown(B);
    const TRect Inner = Rect(2, 2, 73, 23);
    EXPECT_TRUE(PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
        if (!PtInRect(Inner, {X, Y}))
            return false;
        Want = X % 2 == Y % 2 ? 0xC0C0C0 : ColorToRGB(clBtnFace);
        return true;
    }));
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(clBtnShadow)));
    B->SetShowDownPattern(false);
    EXPECT_TRUE(RectHasColor(Shown(B), Inner, ColorToRGB(clBtnFace)));
}

TEST_F(PushButtons, HotTrackFacesFollowTheMouseAndTheColours)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B");
    B->SetHotTrack(true);
    EXPECT_TRUE(B->Transparent());
    // The three pixels of each corner outside the etched outline show the
    // parent, as everywhere below.
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { HotTrackFace(C, R, clBtnFace); }));
    MouseMove(B, {10, 10});
    ASSERT_TRUE(B->MouseOver());
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        const TRect Face = HotTrackFace(C, R, clBtnFace);
        const TColor Hot = TColor(0x149BF0);
        PaintGradientBorder(&C, Face, gdHorizontalEnd, MixColors(TColor(0xFFFFFF), Hot, 190), Hot);
    }));
    B->SetHotTrackColorType(htctComplement);
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        const TRect Face = HotTrackFace(C, R, clBtnFace);
        const TColor Start = OppositeHueColor(TColor(0x149BF0), 180);
        PaintGradientBorder(&C, Face, gdHorizontalEnd, Start, DarkenColor(Start, 30));
    }));
    // Few colours: a solid face and no ring.
    SetManyColors(false);
    B->Invalidate();
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { HotTrackFace(C, R, clBtnFace); }));
}

TEST_F(PushButtons, AHotTrackDefaultButtonWearsTheHighlightRing)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B");
    B->SetHotTrack(true);
    B->SetDefault(true);
    const TColor Light = LightenColor(clBtnFace, 30);
    EXPECT_TRUE(LooksLike(B, [&](TCanvas& C, TRect R) {
        PaintGradientBorder(&C, HotTrackFace(C, R, clBtnFace), gdHorizontalEnd, MixColors(clHighlight, Light, 60),
                            MixColors(clHighlight, Light, 160));
    }));
}

TEST_F(PushButtons, ADisabledHotTrackButtonIsFlat)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B");
    B->SetHotTrack(true);
    B->SetEnabled(false);
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        InflateRect(R, -1, -1);
        const TColor Frame = LightenColor(clBtnShadow, 30);
        Line(C, R.Left + 1, R.Top, R.Right - 1, R.Top, Frame);
        Line(C, R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1, Frame);
        Line(C, R.Left, R.Top + 1, R.Left, R.Bottom - 1, Frame);
        Line(C, R.Right - 1, R.Top + 1, R.Right - 1, R.Bottom - 1, Frame);
        InflateRect(R, -1, -1);
        Fill(C, R, clBtnFace);
    }));
}

TEST_F(PushButtons, ThemedFacesAreThePushButtonElements)
{
    TThemesOn Themes;
    auto* B = Button("B");
    auto Element = [](TThemedButton Part) {
        return [Part](TCanvas& C, TRect R) {
            ThemeServices().DrawElement(C.Handle(), TThemeServices::GetElementDetails(Part), R);
        };
    };
    EXPECT_TRUE(LooksLike(B, Element(tbPushButtonNormal)));
    // Themes win over the hot-track look.
    B->SetHotTrack(true);
    MouseMove(B, {10, 10});
    EXPECT_TRUE(LooksLike(B, Element(tbPushButtonHot)));
    MouseMove(B, {100, 100});
    B->SetDefault(true);
    EXPECT_TRUE(LooksLike(B, Element(tbPushButtonDefaulted)));
    B->SetEnabled(false);
    EXPECT_TRUE(LooksLike(B, Element(tbPushButtonDisabled)));
    auto* G = Button("G", 100, 1);
    G->SetShowDownPattern(false);
    G->SetDown(true);
    EXPECT_TRUE(LooksLike(G, Element(tbPushButtonPressed)));
}

TEST_F(PushButtons, ReleasingInsideClicksAndOutsideDoesNot)
{
    auto* B = Button("B");
    MouseDown(B, {5, 5});
    MouseMove(B, {5, 30});
    EXPECT_FALSE(B->ShownDown());
    MouseMove(B, {5, 24});
    EXPECT_TRUE(B->ShownDown());
    MouseUp(B, {5, 25});
    EXPECT_TRUE(Clicked.isEmpty());
    MouseDown(B, {5, 5});
    MouseUp(B, {74, 24}); // the last pixel row and column
    EXPECT_EQ(Clicked, QStringList({"B"}));
    EXPECT_FALSE(B->ShownDown());
}

TEST_F(PushButtons, TheSpaceBarPressesOnlyWhenItWentDownHere)
{
    auto* B = Button("B");
    auto* Other = Button("Other", 100);
    B->SetFocus();
    KeyDown(B, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_TRUE(B->ShownDown());
    KeyUp(B, Qt::Key_Space);
    EXPECT_EQ(Clicked, QStringList({"B"}));
    // The focus leaving ends the press.
    KeyDown(B, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    Other->SetFocus();
    EXPECT_FALSE(B->ShownDown());
    B->SetFocus();
    KeyUp(B, Qt::Key_Space);
    EXPECT_EQ(Clicked, QStringList({"B"}));
}

TEST_F(PushButtons, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    auto* Ok = Button("Ok");
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    auto* Cancel = Button("Cancel", 100);
    Cancel->SetCancel(true);
    auto* Edit = Add<TEdit>(Bounds(10, 50, 100, 21));
    Edit->SetFocus();
    PressKey(Edit, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(Clicked.isEmpty());
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Clicked, QStringList({"Ok"}));
    EXPECT_EQ(Form->ModalResult(), mrOk);
    PressKey(Edit, Qt::Key_Escape);
    EXPECT_EQ(Clicked, QStringList({"Ok", "Cancel"}));
    // A focused button is the one Enter presses meanwhile.
    Cancel->SetFocus();
    EXPECT_FALSE(Ok->Active());
    EXPECT_TRUE(Cancel->Active());
    Edit->SetFocus();
    EXPECT_TRUE(Ok->Active());
    EXPECT_FALSE(Cancel->Active());
}

TEST_F(PushButtons, TheAcceleratorClicks)
{
    auto* B = Button("B");
    B->SetCaption(QStringLiteral("&Opslaan"));
    PressKey(B, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(Clicked, QStringList({"B"}));
}

TEST_F(PushButtons, AGroupKeepsAtMostOneButtonDown)
{
    auto* A = Button("A", 10, 1);
    auto* B = Button("B", 100, 1);
    auto* Alone = Button("Alone", 190);
    Alone->SetDown(true);
    EXPECT_FALSE(Alone->Down());
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    EXPECT_EQ(A->State(), bsExclusive);
    // The down button stays down, by the mouse or by code.
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    A->SetDown(false);
    EXPECT_TRUE(A->Down());
    // Pressing the other raises it: Down too, so that its next press works.
    MouseClick(B, {5, 5});
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    EXPECT_FALSE(B->Down());
    EXPECT_EQ(Clicked, QStringList({"A", "A", "B", "A"}));
}

TEST_F(PushButtons, AllowAllUpIsSharedAndLetsTheDownButtonUp)
{
    auto* A = Button("A", 10, 1);
    auto* B = Button("B", 100, 1);
    A->SetDown(true);
    B->SetAllowAllUp(true);
    EXPECT_TRUE(A->AllowAllUp());
    A->SetDown(false);
    EXPECT_FALSE(A->Down());
    MouseClick(B, {5, 5});
    MouseClick(B, {5, 5});
    EXPECT_FALSE(B->Down());
}

TEST_F(PushButtons, RightAlignedCaptionsKeepClearByTheShadowDepth)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B");
    B->SetCaption(QStringLiteral("Wijzig"));
    B->SetAlignment(taRightJustify);
    B->Font()->SetColor(clBlack);
    for (TTextStyle Style : {tsNormal, tsRaised, tsRecessed, tsShadow}) {
        B->SetTextStyle(Style);
        B->SetTextShadowDepth(0);
        const int Edge0 = BoundsOfColor(Shown(B), ColorToRGB(clBlack)).Right;
        B->SetTextShadowDepth(3);
        const int Edge3 = BoundsOfColor(Shown(B), ColorToRGB(clBlack)).Right;
        EXPECT_EQ(Edge0 - Edge3, 3) << int(Style);
        EXPECT_LE(Edge0, 75 - 5);
    }
}

TEST_F(PushButtons, TextStylesDrawTheirCopies)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B");
    B->SetCaption(QStringLiteral("H"));
    B->Font()->SetColor(clBlack);
    B->SetTextHighlightColor(clRed);
    B->SetTextShadowColor(clBlue);
    const struct {
        TTextStyle Style;
        bool Light;
        int RedDX; // where the red copy's box lies from the text's: -1, +1 or none (0)
        int BlueDX; // the same for blue
    } Cases[] = {
        {tsRaised, false, -1, 1}, {tsRaised, true, -1, 0}, {tsRecessed, false, 1, -1},
        {tsRecessed, true, 1, 0}, {tsNormal, false, 0, 0}, {tsShadow, false, 0, 2},
    };
    for (const auto& C : Cases) {
        B->SetTextStyle(C.Style);
        B->SetLightTextStyle(C.Light);
        const QImage I = Shown(B);
        const TRect Text = BoundsOfColor(I, ColorToRGB(clBlack));
        for (auto [Color, DX] : {std::pair{ColorToRGB(clRed), C.RedDX}, std::pair{ColorToRGB(clBlue), C.BlueDX}}) {
            const TRect Copy = BoundsOfColor(I, Color);
            if (DX == 0) {
                EXPECT_TRUE(IsRectEmpty(Copy)) << int(C.Style) << C.Light;
                continue;
            }
            // The copy shows on the side it sticks out from under the text.
            if (DX < 0)
                EXPECT_EQ(Copy.Left, Text.Left + DX) << int(C.Style) << C.Light;
            else
                EXPECT_EQ(Copy.Right, Text.Right + DX) << int(C.Style) << C.Light;
        }
    }
    // Disabled: grey, without copies.
    B->SetTextStyle(tsRaised);
    B->SetEnabled(false);
    const QImage I = Shown(B);
    EXPECT_EQ(CountColor(I, ColorToRGB(clRed), Rect(0, 0, 75, 25)), 0);
    EXPECT_EQ(CountColor(I, ColorToRGB(clBlue), Rect(0, 0, 75, 25)), 0);
    EXPECT_GT(CountColor(I, ColorToRGB(clGrayText), Rect(0, 0, 75, 25)), 0);
}

TEST_F(PushButtons, CaptionsSitAtTheirVerticalPlace)
{
    TColorStateGuard Guard(false);
    auto* B = Button("B");
    B->SetHeight(60);
    B->SetCaption(QStringLiteral("H"));
    B->Font()->SetColor(clBlack);
    B->SetAlignmentVertical(avTop);
    const TRect Top = BoundsOfColor(Shown(B), 0);
    B->SetAlignmentVertical(avBottom);
    const TRect Bottom = BoundsOfColor(Shown(B), 0);
    B->SetAlignmentVertical(avCenter);
    const TRect Centre = BoundsOfColor(Shown(B), 0);
    EXPECT_LT(Top.Top, Centre.Top);
    EXPECT_LT(Centre.Top, Bottom.Top);
    // The caption block of height H lies 5 in from the top, a pixel above 5
    // in from the bottom, or halfway.
    const int H = 49 - (Bottom.Top - Top.Top);
    EXPECT_EQ(Centre.Top - Top.Top, (60 - H) / 2 - 5);
}

TEST_F(PushButtons, TheOldFrameFlatPropertyBecomesHotTrack)
{
    auto* B = Button("B");
    ReadComponentFromText("object B: TFcButton\n  FrameFlat = True\nend\n", B, QStringLiteral("old.form"));
    EXPECT_TRUE(B->HotTrack());
    EXPECT_TRUE(B->Transparent());
    EXPECT_FALSE(WriteComponentToText(B).contains("FrameFlat"));
}
