// The status bar: the size grip's dots, its click and its cursor (and none
// of them on a maximised form), the simple caption that hides the panes,
// pane scaling, and AutoStyle across a form definition.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcStatus.h"
#include "controls/foundation/FcStatusBar.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/controls/foundation/FcTestSupport.h"
#include "tests/support/FormTextHelpers.h"

#include "platform/windows/Themes.h"

namespace {

struct StatusBar : TContainerFixture {
    TFcStatusBar* Bar = nullptr;
    void SetUp() override
    {
        Form->SetBounds(20, 20, 400, 200);
        Bar = new TFcStatusBar(Form);
        Bar->SetParent(Form);
    }

    // The last WM_SYSCOMMAND the form heard (the drag itself is left out).
    WPARAM SysCommand = 0;
    void WatchSysCommands()
    {
        Form->SetWindowProc([this, Old = Form->WindowProc()](TMessage& M) {
            if (M.Msg == WM_SYSCOMMAND)
                SysCommand = M.WParam;
            else
                Old(M);
        });
    }
};

// The grip's last 13 columns and rows 6 to 18: H highlight, S shadow, .
// the bar's face.
const TLetterMap GripMap = {
    "........SS...", "........SSH..", ".........HH..", ".............", "....SS..SS...",
    "....SSH.SSH..", ".....HH..HH..", ".............", "SS..SS..SS...", "SSH.SSH.SSH..",
    ".HH..HH..HH..", ".............", ".............",
};

} // namespace

TEST_F(StatusBar, SitsAlongTheBottomWithoutBorders)
{
    EXPECT_EQ(Bar->Align(), alBottom);
    EXPECT_EQ(Bar->Height(), 19);
    EXPECT_EQ(Bar->BorderOuter(), fsNone);
    Form->Show();
    EXPECT_EQ(Bar->Top(), 200 - 19);
    EXPECT_EQ(Bar->Width(), 400);
}

TEST_F(StatusBar, TheSizeGripIsSixDotsInTheCorner)
{
    Form->Show();
    const QImage I = Shown(Bar);
    EXPECT_TRUE(PixelsMatch(I.copy(400 - 13, 6, 13, 13), [&](int X, int Y, COLORREF& Want) {
        const char L = GripMap[std::size_t(Y)][std::size_t(X)];
        Want = ColorToRGB(L == 'H' ? clBtnHighlight : L == 'S' ? clBtnShadow : clBtnFace);
        return true;
    }));
    // A gradient bar's dots are in its own colours.
    Bar->SetVisualStyle(vsGradient);
    TColor Start, Stop, Divider;
    GetStatusGradientColors(gcsSystem, Start, Stop, Divider);
    const QImage G = Shown(Bar);
    EXPECT_TRUE(PixelIs(G, 400 - 3, 8, ColorToRGB(Stop)));
    EXPECT_TRUE(PixelIs(G, 400 - 5, 6, ColorToRGB(Divider)));
    // Without the grip the corner is plain.
    Bar->SetShowSizeGrip(false);
    EXPECT_EQ(CountColor(Shown(Bar), ColorToRGB(Divider), Rect(400 - 13, 0, 400, 19)), 0);
}

TEST_F(StatusBar, APressOnTheGripSizesTheFormFromItsLowerRightCorner)
{
    auto* Pane = Add<TFcStatusPane>(Bounds(0, 0, 100, 19), Bar);
    Pane->SetAlign(alRight);
    Form->Show();
    WatchSysCommands();
    // Over the pane, the grip still takes the mouse.
    MouseMove(Bar, {395, 10});
    EXPECT_EQ(GetCursor(), CursorHandle(crSizeNWSE));
    MouseDown(Bar, {395, 10});
    MouseUp(Bar, {395, 10});
    EXPECT_EQ(SysCommand, WPARAM(SC_SIZE) + WMSZ_BOTTOMRIGHT);
    // Elsewhere on the pane a press is the pane's.
    SysCommand = 0;
    MouseDown(Bar, {350, 10});
    MouseUp(Bar, {350, 10});
    EXPECT_EQ(SysCommand, 0u);
}

TEST_F(StatusBar, AMaximisedFormHasNoGrip)
{
    Form->Show();
    Form->SetWindowState(wsMaximized);
    ASSERT_EQ(Form->WindowState(), wsMaximized);
    WatchSysCommands();
    const int W = Bar->Width();
    EXPECT_EQ(CountColor(Shown(Bar), ColorToRGB(clBtnHighlight), Rect(W - 13, 0, W, 19)), 0);
    MouseDown(Bar, {W - 5, 10});
    MouseUp(Bar, {W - 5, 10});
    EXPECT_EQ(SysCommand, 0u);
    EXPECT_FALSE(Bar->SizeGripUsable());
}

TEST_F(StatusBar, SimpleStatusHidesEveryPaneAndShowsItsCaption)
{
    auto* A = Add<TFcStatusPane>(Bounds(0, 0, 100, 19), Bar);
    auto* B = Add<TFcStatusPane>(Bounds(100, 0, 100, 19), Bar);
    B->SetVisible(false);
    Bar->SetVisualStyle(vsClassic);
    Bar->SetFlatColor(clRed);
    Bar->SetFlatColorAdjustment(0);
    Bar->SetShowSizeGrip(false);
    Bar->Font()->SetColor(clBlack);
    Bar->SetSimpleCaption(QStringLiteral("Klaar"));
    Bar->SetSimpleStatus(true);
    EXPECT_FALSE(A->Visible());
    Form->Show();
    const QImage I = Shown(Bar);
    // The flat simple frame from row 2 with open corners, the caption inside.
    EXPECT_TRUE(PixelIs(I, 0, 2, ColorToRGB(clBtnFace)));
    EXPECT_TRUE(RectHasColor(I, Rect(1, 2, 399, 3), ColorToRGB(clRed)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, 3, 1, 17), ColorToRGB(clRed)));
    const TRect Text = BoundsOfColor(I, ColorToRGB(clBlack));
    EXPECT_GE(Text.Left, 3);
    EXPECT_LT(Text.Left, 6);
    // Back to the panes: all of them show, also the one hidden before.
    Bar->SetSimpleStatus(false);
    EXPECT_TRUE(A->Visible());
    EXPECT_TRUE(B->Visible());
}

TEST_F(StatusBar, PanesScaleWithTheBarUnlessItHadNoWidth)
{
    Bar->SetAutoScalePanes(true);
    auto* Pane = Add<TFcStatusPane>(Bounds(0, 0, 100, 19), Bar);
    Form->Show();
    ASSERT_EQ(Bar->Width(), 400);
    Form->SetWidth(600);
    EXPECT_EQ(Pane->Width(), 150);

    // A bar first sized while it had no width has nothing to scale from.
    auto* Hidden = new TFcStatusBar(Form);
    Hidden->SetAlign(alNone);
    Hidden->SetBounds(0, 0, 0, 19);
    Hidden->SetAutoScalePanes(true);
    Hidden->SetParent(Form);
    auto* Other = Add<TFcStatusPane>(Bounds(0, 0, 100, 19), Hidden);
    Hidden->SetWidth(300);
    EXPECT_EQ(Other->Width(), 100);
    Hidden->SetWidth(600);
    EXPECT_EQ(Other->Width(), 200);
}

TEST_F(StatusBar, ChangingABorderByHandEndsAutoStyle)
{
    Bar->SetBorderOuter(fsNone);
    EXPECT_TRUE(Bar->AutoStyle());
    Bar->SetBorderOuter(fsFlat);
    EXPECT_FALSE(Bar->AutoStyle());
    // ApplyAutoStyle leaves AutoStyle as it was.
    Bar->SetHeight(30);
    Bar->ApplyAutoStyle();
    EXPECT_EQ(Bar->BorderOuter(), fsNone);
    EXPECT_EQ(Bar->Height(), 19);
    EXPECT_FALSE(Bar->AutoStyle());
}

TEST(StatusBarDefinition, AutoStyleReadsBackAsItWasWritten)
{
    for (const bool Auto : {true, false}) {
        SCOPED_TRACE(Auto);
        TRootPtr<TFcStatusBar> Bar(new TFcStatusBar(nullptr));
        Bar->SetName(QStringLiteral("StatusBarMain"));
        Bar->SetBorderOuter(Auto ? fsNone : fsFlat);
        Bar->SetAutoStyle(Auto);
        const QByteArray Text = WriteComponentToText(Bar.get());
        // The borders are always written.
        EXPECT_TRUE(Text.contains("BorderOuter"));
        auto Back = ReadRoot<TFcStatusBar>(Text);
        EXPECT_EQ(Back->AutoStyle(), Auto);
        EXPECT_EQ(Back->BorderOuter(), Auto ? fsNone : fsFlat);
    }
    // An old bar that kept AutoStyle gets the automatic borders on loading.
    auto Old = ReadRoot<TFcStatusBar>(R"(object StatusBarOud: TFcStatusBar
  BorderInner = fsNone
  BorderOuter = fsRaised
  BorderSides = [sdLeft, sdTop, sdRight, sdBottom]
  Height = 30
end
)");
    EXPECT_TRUE(Old->AutoStyle());
    EXPECT_EQ(Old->BorderOuter(), fsNone);
    EXPECT_EQ(Old->Height(), 19);
}

TEST_F(StatusBar, ACustomGradientRunsFromStopToStart)
{
    Bar->SetGradientColorStyle(gcsCustom);
    Bar->SetGradientColorStart(clRed);
    Bar->SetGradientColorStop(clBlue);
    TColor Start, Stop;
    Bar->GetGradientColors(Start, Stop);
    EXPECT_EQ(Start, clBlue);
    EXPECT_EQ(Stop, clRed);
}

TEST_F(StatusBar, ThemedItIsTheThemesBarWithItsGripper)
{
    const TColorStateGuard Themes(true);
    std::vector<std::pair<TThemedElementDetails, TRect>> Drawn;
    FcThemeBridge().DrawElement = [&](TCanvas*, const TThemedElementDetails& D, const TRect& R) {
        Drawn.emplace_back(D, R);
    };
    Form->Show();
    Drawn.clear();
    Bar->Repaint();
    ASSERT_EQ(Drawn.size(), 2u);
    EXPECT_EQ(Drawn[0].first, TThemeServices::GetElementDetails(tsStatusRoot));
    EXPECT_EQ(Drawn[0].second, Rect(0, 0, 400, 19));
    EXPECT_EQ(Drawn[1].first, TThemeServices::GetElementDetails(tsGripper));
    EXPECT_EQ(Drawn[1].second, Rect(380, 0, 400, 18));
}
