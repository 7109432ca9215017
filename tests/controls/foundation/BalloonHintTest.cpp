// Balloon hints: the component makes them the application's hint windows
// and gives the old class back when the last one goes; the window takes
// its settings, points at a control's centre or the mouse, flips at the
// work area's edges, is shaped as a balloon (or framed plainly), draws a
// face from the corner bitmaps, and goes when the mouse moves away.
#include "controls/foundation/FcBalloonHints.h"
#include "platform/classes/Filer.h"
#include "platform/forms/Screen.h"
#include "platform/stdctrls/Button.h"
#include "tests/controls/foundation/ButtonFixture.h"

#include <gtest/gtest.h>

namespace {

struct BalloonHints : TControlForm {
    TFcBalloonHints* Hints = nullptr;
    TButton* Small = nullptr;
    TButton* Big = nullptr;
    TFcCustomHintWindow* Window = nullptr;
    TRect Work;
    void SetUp() override
    {
        TControlForm::SetUp();
        Work = Screen->WorkAreaRect();
        Hints = new TFcBalloonHints(Form);
        Small = Add<TButton>(Bounds(10, 10, 60, 20));
        Big = Add<TButton>(Bounds(10, 40, 200, 100));
    }
    void TearDown() override
    {
        if (Window != nullptr)
            Window->Free();
        TControlForm::TearDown();
    }
    // A hint window as the application makes it, told of a hint over
    // Control at Pos as the application tells it.
    TFcCustomHintWindow* HintOver(TControl* Control, TPoint Pos)
    {
        if (Window == nullptr)
            Window = new TFcCustomHintWindow(Application);
        THintInfo Info;
        Info.HintControl = Control;
        Info.CursorPos = Pos;
        String Text = QStringLiteral("Hint");
        bool CanShow = true;
        Application->OnShowHint()(Text, CanShow, Info);
        return Window;
    }
    // Shows Text as the application would at screen point At.
    void Show(const String& Text, TPoint At)
    {
        TRect R = Window->CalcHintRect(Window->CaptionWidth(), Text, nullptr);
        OffsetRect(R, At.X, At.Y);
        Window->ActivateHint(R, Text);
    }
};

} // namespace

TEST_F(BalloonHints, TheComponentMakesBalloonsTheHintWindowsUntilTheLastGoes)
{
    EXPECT_EQ(Application->HintWindowClass(), ClassOf<TFcCustomHintWindow>());
    auto* Second = new TFcBalloonHints(Form);
    // The first goes first: balloons stay while the second lives.
    Hints->Free();
    Hints = nullptr;
    EXPECT_EQ(Application->HintWindowClass(), ClassOf<TFcCustomHintWindow>());
    Second->Free();
    EXPECT_EQ(Application->HintWindowClass(), ClassOf<THintWindow>());
    EXPECT_TRUE(Application->ShowHint());
}

TEST_F(BalloonHints, TheWindowTakesTheComponentsSettingsAndTheHook)
{
    EXPECT_FALSE(Application->OnShowHint());
    Hints->SetCaptionWidth(150);
    Hints->SetColor(clSkyBlue);
    Hints->SetCorner(hcLowerLeft);
    Hints->Font()->SetHeight(-11);
    Window = new TFcCustomHintWindow(Application);
    EXPECT_EQ(Window->BalloonHints(), Hints);
    EXPECT_EQ(Hints->HintWindow(), Window);
    EXPECT_EQ(Window->CaptionWidth(), 150);
    EXPECT_EQ(Window->Color(), clSkyBlue);
    EXPECT_EQ(Window->Corner(), hcLowerLeft);
    EXPECT_TRUE(Window->ShowBalloon());
    EXPECT_EQ(Window->Font()->Height(), -11);
    // Later changes reach it.
    Hints->SetFrameColor(clRed);
    Hints->Font()->SetColor(clBlue);
    EXPECT_EQ(Window->FrameColor(), clRed);
    EXPECT_EQ(Window->Font()->Color(), clBlue);
    // The hook: the component's colour and width, its own event last.
    ASSERT_TRUE(Application->OnShowHint());
    Hints->SetOnShowHint([](String& S, bool&, THintInfo&) { S += QStringLiteral("!"); });
    THintInfo Info;
    String Text = QStringLiteral("Bewaar");
    bool CanShow = false;
    Application->OnShowHint()(Text, CanShow, Info);
    EXPECT_TRUE(CanShow);
    EXPECT_EQ(Info.HintColor, clSkyBlue);
    EXPECT_EQ(Info.HintMaxWidth, 150);
    EXPECT_EQ(Text, QStringLiteral("Bewaar!"));
    // Gone, the application's hook is as it was.
    Window->Free();
    Window = nullptr;
    EXPECT_FALSE(Application->OnShowHint());
    EXPECT_EQ(Hints->HintWindow(), nullptr);
}

TEST_F(BalloonHints, EitherMayGoFirst)
{
    Window = new TFcCustomHintWindow(Application);
    Hints->Free();
    Hints = nullptr;
    EXPECT_EQ(Window->BalloonHints(), nullptr);
    // The window paints without them.
    Show(QStringLiteral("Zonder"), {Work.Left + 200, Work.Top + 200});
    EXPECT_FALSE(PaintControlImage(Window).isNull());
}

TEST_F(BalloonHints, ASmallControlIsPointedAtInItsMiddle)
{
    Form->SetBounds(Work.Left + 200, Work.Top + 200, 400, 200);
    HintOver(Small, {5, 5});
    Show(QStringLiteral("Opslaan"), {0, 0});
    const TPoint Middle = Small->ClientToScreen({30, 10});
    // hcUpperRight: the body above, the tip 10 in from its left end.
    EXPECT_EQ(Window->ActiveCorner(), hcUpperRight);
    const TRect B = Window->HintBounds();
    EXPECT_EQ(B.Left, Middle.X - 10);
    EXPECT_EQ(B.Bottom, Middle.Y);
    // Nothing is small with a threshold of 0: the mouse is pointed at.
    Hints->SetCenterThreshold(0);
    Show(QStringLiteral("Opslaan"), {0, 0});
    const TPoint Mouse = Small->ClientToScreen({5, 5});
    EXPECT_EQ(Window->HintBounds().Left, Mouse.X - 10);
    EXPECT_EQ(Window->HintBounds().Bottom, Mouse.Y);
}

TEST_F(BalloonHints, ItFlipsToStayInsideTheWorkArea)
{
    HintOver(Big, {100, 50});
    const TPoint Spot = Big->ClientToScreen({100, 50});
    const struct {
        TFcHintCorner Corner;
        TPoint FormAt;
        TFcHintCorner Active;
    } Cases[] = {
        // Room everywhere: as asked.
        {hcLowerRight, {Work.Left + 200, Work.Top + 200}, hcLowerRight},
        // Too near the bottom: above, pointer at the bottom.
        {hcLowerRight, {Work.Left + 200, Work.Bottom - 100}, hcUpperRight},
        // Too near the top: below.
        {hcUpperLeft, {Work.Left + 200, Work.Top - 70}, hcLowerLeft},
        // Too near the right edge: to the left.
        {hcLowerRight, {Work.Right - 120, Work.Top + 200}, hcLowerLeft},
        // Too near the left edge: to the right.
        {hcUpperLeft, {Work.Left - 90, Work.Top + 200}, hcUpperRight},
    };
    (void)Spot;
    for (const auto& C : Cases) {
        Form->SetBounds(C.FormAt.X, C.FormAt.Y, 400, 200);
        Window->SetCorner(C.Corner);
        HintOver(Big, {100, 50});
        Show(QStringLiteral("Een adres van deze persoon bewerken"), {0, 0});
        const TPoint A = Big->ClientToScreen({100, 50});
        const TRect B = Window->HintBounds();
        EXPECT_EQ(Window->ActiveCorner(), C.Active) << int(C.Corner) << " at " << C.FormAt.X << "," << C.FormAt.Y;
        EXPECT_GE(B.Top, Work.Top);
        EXPECT_LE(B.Bottom, Work.Bottom);
        switch (C.Active) {
        case hcLowerRight:
            EXPECT_EQ(B.TopLeft(), (TPoint{A.X - 10, A.Y}));
            break;
        case hcUpperRight:
            EXPECT_EQ((TPoint{B.Left, B.Bottom}), (TPoint{C.Corner == hcUpperLeft ? A.X + 1 : A.X - 10, A.Y}));
            break;
        case hcLowerLeft:
            EXPECT_EQ((TPoint{B.Right, B.Top}), (TPoint{C.Corner == hcLowerRight ? A.X - 1 : A.X + 10, A.Y}));
            break;
        default:
            break;
        }
    }
}

TEST_F(BalloonHints, AOneWordHintIsAtLeast55Wide)
{
    HintOver(Big, {100, 50});
    Show(QStringLiteral("Ja"), {0, 0});
    EXPECT_EQ(Window->HintBounds().Width(), 55);
    Window->SetCaption(QStringLiteral("Nee"));
    EXPECT_EQ(Window->Width(), 55);
}

// The placement keeps to the algorithm: the hint rectangle the
// application proposes is first widened by 2 on every side, and its corner
// then goes 10 to the left - 12 left and 2 up of the proposed point.
TEST_F(BalloonHints, WithoutTheBalloonAFramedRectangleTenLeftOfTheWidenedHintRect)
{
    Hints->SetShowBalloon(false);
    HintOver(Big, {100, 50});
    // Given by the component's setter only.
    Hints->SetFrameColor(clRed);
    const TPoint Proposed{Work.Left + 200, Work.Top + 200};
    Show(QStringLiteral("Hint"), Proposed);
    const TRect B = Window->HintBounds();
    EXPECT_EQ(Window->ActiveCorner(), hcLowerRight);
    EXPECT_EQ(B.TopLeft(), (TPoint{Proposed.X - 2 - 10, Proposed.Y - 2}));
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Window->Handle(), Region), RGN_ERROR);
    DeleteObject(Region);
    const QImage I = PaintControlImage(Window);
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, B.Width(), 1), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, 1, B.Height()), ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 1, 1, ColorToRGB(clInfoBk)));
}

TEST_F(BalloonHints, TheBalloonIsShapedWithCutCornersAndAPointer)
{
    Hints->SetColor(clYellow);
    Hints->SetCorner(hcLowerRight);
    HintOver(Big, {100, 50});
    Hints->SetFrameColor(clRed);
    Show(QStringLiteral("Hint"), {0, 0});
    ASSERT_EQ(Window->ActiveCorner(), hcLowerRight);
    const int W = Window->Width(), H = Window->Height();
    HRGN Region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Window->Handle(), Region), RGN_ERROR);
    // The body from y = 20 with cut corners; the pointer above, its edge
    // at x = 10 running up to the window's top.
    EXPECT_FALSE(PtInRegion(Region, 0, 20));
    EXPECT_TRUE(PtInRegion(Region, 4, 20));
    EXPECT_TRUE(PtInRegion(Region, 0, 24));
    EXPECT_FALSE(PtInRegion(Region, W - 1, 20));
    EXPECT_FALSE(PtInRegion(Region, 0, H - 1));
    EXPECT_TRUE(PtInRegion(Region, 11, 2));
    EXPECT_FALSE(PtInRegion(Region, 20, 2));
    EXPECT_FALSE(PtInRegion(Region, 40, 10));
    DeleteObject(Region);
    const QImage I = PaintControlImage(Window);
    EXPECT_TRUE(PixelIs(I, 0, 30, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 1, 23, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 2, 21, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 5, 30, ColorToRGB(clYellow)));
    // The pointer's edge, and no line where it joins the body.
    EXPECT_TRUE(PixelIs(I, 10, 10, ColorToRGB(clRed)));
    EXPECT_TRUE(PixelIs(I, 15, 20, ColorToRGB(clYellow)));
    EXPECT_TRUE(PixelIs(I, 15, 21, ColorToRGB(clYellow)));
}

TEST_F(BalloonHints, AMissingCornerBitmapIsAnotherMirrored)
{
    // 60 x 40, four quadrants: red, green / blue, yellow.
    TBitmap Face;
    Face.SetSize(60, 40);
    const struct {
        TRect R;
        TColor C;
    } Quarters[] = {{Rect(0, 0, 30, 20), clRed},
                    {Rect(30, 0, 60, 20), clLime},
                    {Rect(0, 20, 30, 40), clBlue},
                    {Rect(30, 20, 60, 40), clYellow}};
    for (const auto& Q : Quarters) {
        Face.Canvas()->Brush()->SetColor(Q.C);
        Face.Canvas()->FillRect(Q.R);
    }
    Hints->Bitmaps()->SetUpperRight(&Face);
    Hints->SetCorner(hcLowerLeft);
    HintOver(Big, {100, 50});
    Show(QStringLiteral("Hint"), {0, 0});
    ASSERT_EQ(Window->ActiveCorner(), hcLowerLeft);
    const QImage I = PaintControlImage(Window);
    const int W = Window->Width(), H = Window->Height();
    // Stretched over the window and mirrored both ways: the lower left
    // quarter (inside the body) shows the picture's upper right, the lower
    // right its upper left.  The points lie outside the caption, whatever
    // its width.
    EXPECT_TRUE(PixelIs(I, 4, 3 * H / 4, ColorToRGB(clLime)));
    EXPECT_TRUE(PixelIs(I, W - 5, 3 * H / 4, ColorToRGB(clRed)));
}

TEST_F(BalloonHints, MovingTheMouseAwayEndsTheHint)
{
    HintOver(Big, {100, 50});
    Show(QStringLiteral("Hint"), {0, 0});
    ASSERT_TRUE(Window->Tracking());
    const TPoint Spot = Window->ScreenToClient(Big->ClientToScreen({100, 50}));
    Window->Perform(WM_MOUSEMOVE, 0, PointToLParam({Spot.X + 2, Spot.Y - 2}));
    EXPECT_TRUE(Window->Tracking());
    Window->Perform(WM_MOUSEMOVE, 0, PointToLParam({Spot.X + 3, Spot.Y}));
    EXPECT_FALSE(Window->Tracking());
}

TEST_F(BalloonHints, TheApplicationShowsBalloonsForItsHints)
{
    Small->SetHint(QStringLiteral("Opslaan"));
    Small->SetShowHint(true);
    Hints->SetColor(clSkyBlue);
    MouseMove(Small, {5, 5});
    Application->ActivateHint(Small->ClientToScreen({5, 5}));
    auto* Shown = dynamic_cast<TFcCustomHintWindow*>(Application->HintWindow());
    ASSERT_NE(Shown, nullptr);
    EXPECT_TRUE(IsWindowVisible(Shown->Handle()));
    EXPECT_EQ(Shown->Caption(), QStringLiteral("Opslaan"));
    // Small: pointed at in the middle.
    const TPoint Middle = Small->ClientToScreen({30, 10});
    EXPECT_EQ(Shown->HintBounds().Left, Middle.X - 10);
    Application->CancelHint();
}

TEST_F(BalloonHints, OldFormDataIsDroppedAndTheFrameColourAlwaysWritten)
{
    Hints->SetName(QStringLiteral("BalloonHintsMain"));
    ReadComponentFromText("object BalloonHintsMain: TFcBalloonHints\n"
                          "  BalloonStyle = bsStandard\n"
                          "  Shadow = True\n"
                          "  CaptionWidth = 150\n"
                          "end\n",
                          Hints, QStringLiteral("old.form"));
    EXPECT_EQ(Hints->CaptionWidth(), 150);
    const QByteArray Text = WriteComponentToText(Hints);
    EXPECT_FALSE(Text.contains("Shadow ="));
    EXPECT_TRUE(Text.contains("FrameColor = cl3DDkShadow"));
}
