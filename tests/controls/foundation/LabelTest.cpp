// The framed label and the link label: angles and rotation, the size of a
// turned label in every quadrant, 3-D text, borders, layout, blinking,
// fly-by, shortened captions, the curve's centre, old form data, and the
// link's hand-off to the shell.
#include "controls/foundation/FcBlinking.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcURLLabel.h"
#include "platform/classes/Filer.h"
#include "platform/forms/Screen.h"
#include "tests/controls/foundation/ButtonFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

struct Labels : TControlForm {
    TFcLabel* Label(const char* Caption = "Quorvy")
    {
        auto* L = Add<TFcLabel>(Bounds(10, 10, 80, 20));
        L->Font()->SetName(QStringLiteral("DejaVu Sans"));
        L->Font()->SetColor(clBlack);
        L->SetCaption(QString::fromUtf8(Caption));
        return L;
    }
};

} // namespace

TEST_F(Labels, AnglesAreKeptWithinAFullTurn)
{
    auto* L = Label();
    const struct {
        int Set, Read;
    } Cases[] = {{-90, 270}, {450, 90}, {360, 0}, {-450, 270}, {719, 359}, {30, 30}};
    for (const auto& C : Cases) {
        L->SetAngle(C.Set);
        EXPECT_EQ(L->Angle(), C.Read) << C.Set;
    }
}

TEST_F(Labels, AngleAndRotationSetEachOther)
{
    auto* L = Label();
    L->SetAngle(30);
    EXPECT_EQ(L->Rotation(), roFlat);
    EXPECT_EQ(L->Angle(), 30);
    L->SetCenterPoint(cpUpperLeft);
    L->SetRotation(roCurve);
    L->SetRotation(roFlat);
    EXPECT_EQ(L->Angle(), 0);
    EXPECT_EQ(L->CenterPoint(), cpCenter);
    L->SetAngle(45);
    L->SetRotation(roNone);
    EXPECT_EQ(L->Angle(), 0);
}

TEST_F(Labels, ATurnedLabelReadsBackTurned)
{
    auto* L = Label();
    L->SetName(QStringLiteral("Titel"));
    L->SetAngle(90);
    const QByteArray Text = WriteComponentToText(L);
    using TOwned = std::unique_ptr<TFcLabel, TComponentDeleter>;
    TOwned Back(new TFcLabel(nullptr));
    ReadComponentFromText(Text, Back.get(), QStringLiteral("label.form"));
    EXPECT_EQ(Back->Angle(), 90);
    EXPECT_EQ(Back->Rotation(), roFlat);
    // Read in the other order too.
    TOwned Other(new TFcLabel(nullptr));
    ReadComponentFromText("object Titel: TFcLabel\n  Rotation = roFlat\n  Angle = 270\nend\n", Other.get(),
                          QStringLiteral("order.form"));
    EXPECT_EQ(Other->Angle(), 270);
    EXPECT_EQ(Other->Rotation(), roFlat);
    // An angle without a rotation becomes flat when loaded.
    TOwned Old(new TFcLabel(nullptr));
    ReadComponentFromText("object Oud: TFcLabel\n  Angle = 45\n  FrameSides = [sdTop]\nend\n", Old.get(),
                          QStringLiteral("old.form"));
    EXPECT_EQ(Old->Rotation(), roFlat);
}

TEST_F(Labels, AutoSizeOfATurnedLabelFitsEveryQuadrant)
{
    auto* L = Label("Adresboek");
    const int W = L->Width(), H = L->Height();
    ASSERT_GT(W, H);
    for (int Angle : {90, 270, 30, 120, 210, 300}) {
        L->SetAngle(0);
        L->SetAngle(Angle);
        const double A = Angle * std::numbers::pi / 180.0;
        const double C = std::abs(std::cos(A)), S = std::abs(std::sin(A));
        EXPECT_EQ(L->Width(), int(std::lround(W * C + H * S))) << Angle;
        EXPECT_EQ(L->Height(), int(std::lround(W * S + H * C))) << Angle;
    }
    L->SetAngle(90);
    EXPECT_EQ(L->Width(), H);
    EXPECT_EQ(L->Height(), W);
    // Half a turn keeps the box.
    L->SetAngle(180);
    EXPECT_EQ(L->Width(), W);
}

TEST_F(Labels, BordersAndShadowAddToTheSize)
{
    auto* L = Label();
    const int W = L->Width(), H = L->Height();
    L->SetBorderOuter(fsRaised);
    L->SetBorderWidth(1);
    L->SetBorderSides({sdLeft, sdTop});
    EXPECT_EQ(L->BorderWidths(), Rect(3, 3, 0, 0));
    EXPECT_EQ(L->Width(), W + 3);
    EXPECT_EQ(L->Height(), H + 3);
    L->SetBorderSides(AllSides);
    L->SetBorderInner(fsStatus);
    L->SetBevelWidth(4);
    EXPECT_EQ(L->BorderWidths(), Rect(7, 7, 7, 7));
    L->SetBorderOuter(fsNone);
    L->SetBorderInner(fsNone);
    L->SetBorderWidth(0);
    L->SetTextStyle(tsShadow);
    L->SetCaption(L->Caption() + QStringLiteral(" "));
    L->SetCaption(L->Caption().trimmed());
    EXPECT_EQ(L->Width(), W + 2);
    EXPECT_EQ(L->Height(), H + 2);
}

TEST_F(Labels, TheBorderAndFaceAreThePanelBorder)
{
    TColorStateGuard Guard(false);
    auto* L = Label("");
    L->SetAutoSize(false);
    L->SetParentColor(false);
    L->SetColor(clYellow);
    L->SetBorderOuter(fsRaised);
    L->SetBorderInner(fsFlat);
    const QImage Want = PaintToImage(80, 20, [](TCanvas& C) {
        const TRect Inner =
            PaintPanelBorder(&C, Rect(0, 0, 80, 20), fsRaised, fsFlat, 0, AllSides, 1, clBtnFace, clBtnHighlight,
                             clBtnShadow, clBtnShadow, 30, clYellow, clWhite, false, false);
        C.Brush()->SetColor(clYellow);
        C.FillRect(Inner);
    });
    EXPECT_TRUE(PixelsMatch(Shown(L), [&](int X, int Y, COLORREF& W) {
        W = ImagePixel(Want, X, Y);
        return true;
    }));
}

TEST_F(Labels, TextStylesDrawTheirCopies)
{
    TColorStateGuard Guard(false);
    auto* L = Label("H");
    L->SetHighlightColor(clRed);
    L->SetShadowColor(clBlue);
    L->SetAutoSize(false);
    L->SetBounds(10, 10, 40, 30);
    L->SetLayout(tlCenter);
    const struct {
        TTextStyle Style;
        bool Light;
        int RedDX, BlueDX; // the copy's box against the text's: -1, +1, +2, or none (0)
    } Cases[] = {
        {tsRaised, false, -1, 1}, {tsRaised, true, -1, 0}, {tsRecessed, false, 1, -1},
        {tsRecessed, true, 1, 0}, {tsShadow, false, 0, 2}, {tsNormal, false, 0, 0},
    };
    for (const auto& C : Cases) {
        L->SetTextStyle(C.Style);
        L->SetLightTextStyle(C.Light);
        const QImage I = Shown(L);
        const TRect Text = BoundsOfColor(I, Black);
        for (auto [Color, DX] : {std::pair{ColorToRGB(clRed), C.RedDX}, std::pair{ColorToRGB(clBlue), C.BlueDX}}) {
            const TRect Copy = BoundsOfColor(I, Color);
            if (DX == 0)
                EXPECT_TRUE(IsRectEmpty(Copy)) << int(C.Style) << C.Light;
            else if (DX < 0)
                EXPECT_EQ(Copy.Top, Text.Top + DX) << int(C.Style) << C.Light;
            else
                EXPECT_EQ(Copy.Bottom, Text.Bottom + DX) << int(C.Style) << C.Light;
        }
    }
    L->SetTextStyle(tsRaised);
    L->SetEnabled(false);
    const QImage I = Shown(L);
    EXPECT_EQ(CountColor(I, ColorToRGB(clRed), Rect(0, 0, 40, 30)), 0);
    EXPECT_GT(CountColor(I, ColorToRGB(clGrayText), Rect(0, 0, 40, 30)), 0);
}

TEST_F(Labels, LayoutPlacesTheTextBlock)
{
    TColorStateGuard Guard(false);
    auto* L = Label("H");
    L->SetAutoSize(false);
    L->SetBounds(10, 10, 40, 60);
    const TRect Top = BoundsOfColor(Shown(L), Black);
    L->SetLayout(tlBottom);
    const TRect Bottom = BoundsOfColor(Shown(L), Black);
    L->SetLayout(tlCenter);
    const TRect Centre = BoundsOfColor(Shown(L), Black);
    const int Line = 60 - (Bottom.Top - Top.Top);
    EXPECT_EQ(Centre.Top - Top.Top, (60 - Line) / 2);
    // A shadowed text at the bottom keeps its shadow inside.
    L->SetLayout(tlBottom);
    L->SetTextStyle(tsShadow);
    EXPECT_EQ(BoundsOfColor(Shown(L), Black).Top, Bottom.Top - 2);
}

TEST_F(Labels, TurnedTextIsDrawnTurned)
{
    TColorStateGuard Guard(false);
    auto* L = Label("Adresboek");
    const TRect Flat = BoundsOfColor(Shown(L), Black);
    L->SetAngle(90);
    const TRect Up = BoundsOfColor(Shown(L), Black);
    EXPECT_GT(Flat.Width(), Flat.Height());
    EXPECT_GT(Up.Height(), Up.Width());
    L->SetAngle(45);
    const TRect Slant = BoundsOfColor(Shown(L), Black);
    EXPECT_FALSE(IsRectEmpty(Slant));
}

TEST_F(Labels, CurvedTextFollowsItsCentreAndNeedsARadius)
{
    TColorStateGuard Guard(false);
    auto* L = Label("Quorvy adresboek");
    L->SetAutoSize(false);
    L->SetBounds(10, 10, 120, 120);
    L->SetRotation(roCurve);
    L->SetBorderWidth(4);
    L->SetCenterPoint(cpUpperRight);
    EXPECT_EQ(L->CenterPointPosition(), (TPoint{116, 4}));
    EXPECT_EQ(L->CurveRadii(), (TPoint{112, 112}));
    L->SetCenterPoint(cpCenter);
    EXPECT_EQ(L->CurveRadii(), (TPoint{52, 52}));
    EXPECT_GT(CountColor(Shown(L), Black, Rect(0, 0, 120, 120)), 0);
    // A label too small for a curve draws no text (and no division by 0).
    L->SetBounds(10, 10, 16, 16);
    L->SetBorderWidth(4);
    EXPECT_EQ(CountColor(Shown(L), Black, Rect(0, 0, 16, 16)), 0);
}

TEST_F(Labels, BlinkingLabelsShareOneRhythm)
{
    auto* A = Label("A");
    auto* B = Label("B");
    A->SetBlinking(true);
    B->SetBlinking(true);
    A->SetBlinkColor(clRed);
    B->SetBlinkColor(clBlue);
    A->SetBlinkIntervalOn(300);
    EXPECT_EQ(B->BlinkIntervalOn(), 300);
    TTimer* Timer = BlinkingControlsList()->Timer();
    auto Tick = [&] { Timer->OnTimer()(Timer); };
    // Each tick switches the phase of both.
    Tick();
    const TColor A1 = A->CurrentFontColor(), B1 = B->CurrentFontColor();
    Tick();
    EXPECT_NE(A->CurrentFontColor(), A1);
    EXPECT_EQ(A1 == clRed, B1 == clBlue);
    EXPECT_EQ(A->CurrentFontColor() == clRed, B->CurrentFontColor() == clBlue);
    // Switched off, a label is its normal colour again.
    if (A->CurrentFontColor() != clRed)
        Tick();
    A->SetBlinking(false);
    EXPECT_EQ(A->CurrentFontColor(), clBlack);
    A->SetBlinkIntervalOn(500);
}

TEST_F(Labels, TheFlyByColourShowsWhileTheMouseIsOver)
{
    auto* L = Label();
    L->SetFlyByEnabled(true);
    L->SetFlyByColor(clRed);
    MouseMove(L, {3, 3});
    EXPECT_EQ(L->Font()->Color(), clRed);
    MouseMove(L, {300, 150});
    EXPECT_EQ(L->Font()->Color(), clBlack);
    MouseMove(L, {3, 3});
    L->SetFlyByEnabled(false);
    EXPECT_EQ(L->Font()->Color(), clBlack);
}

TEST_F(Labels, AShortenedCaptionEndsInAnEllipsisAndTurnsAutoSizeOff)
{
    TColorStateGuard Guard(false);
    auto* L = Label("Een bijzonder lange omschrijving van het adres");
    EXPECT_TRUE(L->AutoSize());
    const TRect Whole = BoundsOfColor(Shown(L), Black);
    L->SetCondenseCaption(ccAtEnd);
    EXPECT_FALSE(L->AutoSize());
    L->SetWidth(80);
    const TRect Short = BoundsOfColor(Shown(L), Black);
    EXPECT_LE(Short.Right, 80);
    EXPECT_GT(Whole.Right, 80);
    EXPECT_GT(Short.Width(), 40);
}

TEST_F(Labels, AFrameControllerGivesBorderAndColours)
{
    TFcFrameController Controller(Form);
    Controller.SetFrameVisible(true);
    Controller.SetFrameStyle(fsFlat);
    Controller.SetFrameColor(clRed);
    Controller.SetColor(clYellow);
    auto* L = Label();
    L->SetFrameController(&Controller);
    EXPECT_EQ(L->BorderOuter(), fsFlat);
    EXPECT_EQ(L->FlatColor(), clRed);
    EXPECT_EQ(L->FlatColorAdjustment(), 0);
    EXPECT_EQ(L->Color(), clYellow);
    EXPECT_EQ(L->BorderShadow(), DarkenColor(clYellow, 50));
    const QByteArray Text = WriteComponentToText(L);
    for (const char* Name : {"BorderOuter", "FlatColor", "BorderShadow", "\n  Color ="})
        EXPECT_FALSE(Text.contains(Name)) << Name;
    L->SetFrameController(nullptr);
}

namespace {

struct LinkLabels : Labels {
    QStringList OpenedWith;
    void SetUp() override
    {
        Labels::SetUp();
        SetOpenWithHook([this](const String& Pattern) { OpenedWith << Pattern; });
    }
    void TearDown() override
    {
        SetOpenWithHook({});
        Labels::TearDown();
    }
    TFcURLLabel* Link(const char* Caption, const char* Url = "")
    {
        auto* L = Add<TFcURLLabel>(Bounds(10, 10, 80, 20));
        L->SetCaption(QString::fromUtf8(Caption));
        L->SetURL(QString::fromUtf8(Url));
        return L;
    }
};

} // namespace

TEST_F(LinkLabels, AClickHandsTheAddressToTheShellAndMarksTheLinkVisited)
{
    TShellRecorder Shell;
    auto* L = Link("Quorvy", " https://quorvy.example/ ");
    EXPECT_EQ(L->Cursor(), crFcHandCursor);
    EXPECT_EQ(Screen->Cursors(crFcHandCursor), LoadCursor(nullptr, IDC_HAND));
    EXPECT_TRUE(L->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(L->Font()->Color(), clHighlight);
    MouseClick(L, {3, 3});
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0], QUrl(QStringLiteral("https://quorvy.example/")));
    EXPECT_TRUE(L->Visited());
    EXPECT_EQ(L->Font()->Color(), TColor(0x800080));
}

TEST_F(LinkLabels, WithoutAnAddressTheTrimmedCaptionIsHandedOn)
{
    TShellRecorder Shell;
    auto* L = Link("  mailto:info@quorvy.example  ");
    MouseClick(L, {3, 3});
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0], QUrl(QStringLiteral("mailto:info@quorvy.example")));
    // Nothing to hand on: nothing happens.
    auto* Blank = Link("   ");
    MouseClick(Blank, {3, 3});
    EXPECT_EQ(Shell.Opened().size(), 1u);
}

TEST_F(LinkLabels, AFailedHandOffIsSilentButOffersOpenWithForHtmPages)
{
    TShellRecorder Shell(false);
    TScriptedMessageBoxes Boxes;
    TTestClock Clock;
    const struct {
        const char* Target;
        bool OpenWith;
    } Cases[] = {{"https://quorvy.example/overzicht.htm", true},
                 {"overzicht.HTM", true},
                 {"Overzicht.Htm", true},
                 {"overzicht.html", false}};
    for (const auto& C : Cases) {
        OpenedWith.clear();
        Clock.Advance(1000); // a click of its own, no double click
        auto* L = Link("Overzicht", C.Target);
        MouseClick(L, {3, 3});
        EXPECT_FALSE(L->Visited()) << C.Target;
        EXPECT_EQ(OpenedWith, C.OpenWith ? QStringList({"*.htm"}) : QStringList()) << C.Target;
        L->Free();
    }
    EXPECT_TRUE(Boxes.Asked().empty());
}

TEST_F(LinkLabels, TheLinkColourFollowsVisited)
{
    auto* L = Link("Quorvy");
    L->SetVisitedColor(clRed);
    L->SetVisited(true);
    EXPECT_EQ(L->Font()->Color(), clRed);
    L->SetUnvisitedColor(clBlue);
    L->SetVisited(false);
    EXPECT_EQ(L->Font()->Color(), clBlue);
}
