// The strip buttons: the scroller's halves, its auto-repeat on a driven
// timer and its arrows at the ends of the strip, the close button's
// request, the tab menu with its items, tags and check mark, the arrow of
// the menu button and the face they all share.
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/lists/FcTabButtons.h"
#include "controls/lists/FcTabScroller.h"
#include "platform/actions/Menus.h"
#include "platform/forms/Timer.h"
#include "tests/controls/foundation/FcTestSupport.h"
#include "tests/controls/lists/TabTestSupport.h"

namespace {

struct TabButtons : TTabFixture {
    // Six 100 x 20 tabs on a 300 wide strip: they overflow.
    TFcCustomTabControl* Overflowing(TFcTabOrientation Side = toTop)
    {
        const bool Upright = Side == toLeft || Side == toRight;
        auto* T = NewTabs(Upright ? Bounds(10, 10, 200, 280) : Bounds(10, 10, 300, 150), {"a", "b", "c", "d", "e", "f"},
                          Upright ? 20 : 100, Upright ? 100 : 20);
        T->SetTabOrientation(Side);
        Form->Show();
        Shown(T);
        return T;
    }
    static void Tick(TFcTabScroller* S) { S->RepeatTimer()->OnTimer()(S->RepeatTimer()); }
};

} // namespace

TEST_F(TabButtons, HoldingAHalfScrollsOnEachTickAndOnceMoreOnRelease)
{
    TFcCustomTabControl* T = Overflowing();
    TFcTabScroller* S = T->Scroller();
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->Orientation(), orHorizontal);
    EXPECT_EQ(S->Width(), 2 * T->ButtonSize() - 1);
    const TPoint Right = CenterPoint(S->HalfRect(1));
    MouseDown(S, Right);
    ASSERT_NE(S->RepeatTimer(), nullptr);
    EXPECT_TRUE(S->RepeatTimer()->Enabled());
    EXPECT_EQ(S->RepeatTimer()->Interval(), 400u);
    EXPECT_EQ(T->FirstShownTab(), 0);
    Tick(S);
    EXPECT_EQ(T->FirstShownTab(), 1);
    EXPECT_EQ(S->RepeatTimer()->Interval(), 100u);
    Tick(S);
    EXPECT_EQ(T->FirstShownTab(), 2);
    MouseUp(S, Right);
    EXPECT_EQ(T->FirstShownTab(), 3);
    EXPECT_FALSE(S->RepeatTimer()->Enabled());
    // The other half goes back.
    MouseClick(S, CenterPoint(S->HalfRect(0)));
    EXPECT_EQ(T->FirstShownTab(), 2);
}

TEST_F(TabButtons, ReleasingOutsideThePressedHalfScrollsNothing)
{
    TFcCustomTabControl* T = Overflowing();
    TFcTabScroller* S = T->Scroller();
    const TPoint Right = CenterPoint(S->HalfRect(1));
    MouseDown(S, Right);
    MouseMove(S, {Right.X, Right.Y + 40}, Qt::LeftButton);
    EXPECT_FALSE(S->PressedIn());
    // A tick while outside does nothing either.
    Tick(S);
    MouseUp(S, {Right.X, Right.Y + 40});
    EXPECT_EQ(T->FirstShownTab(), 0);
    // Sliding back in before the release scrolls once.
    MouseDown(S, Right);
    MouseMove(S, {Right.X, Right.Y + 40}, Qt::LeftButton);
    MouseMove(S, Right, Qt::LeftButton);
    EXPECT_TRUE(S->PressedIn());
    MouseUp(S, Right);
    EXPECT_EQ(T->FirstShownTab(), 1);
}

TEST_F(TabButtons, OnAnUprightScrollerTheUpperHalfRepeatsAcrossItsWholeWidth)
{
    TFcCustomTabControl* T = Overflowing(toLeft);
    TFcTabScroller* S = T->Scroller();
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->Orientation(), orVertical);
    for (int X : {0, S->Width() / 2, S->Width() - 1}) {
        MouseDown(S, {X, 1});
        EXPECT_EQ(S->PressedHalf(), 1);
        // Released away from it: nothing scrolls.
        MouseMove(S, {X, S->Height() - 1}, Qt::LeftButton);
        MouseUp(S, {X, S->Height() - 1});
    }
    EXPECT_EQ(T->FirstShownTab(), 0);
    MouseDown(S, {0, 2});
    Tick(S);
    MouseUp(S, {0, 2});
    // Up scrolls forward on a strip on the left.
    EXPECT_EQ(T->FirstShownTab(), 2);
}

TEST_F(TabButtons, ArrowsAreDisabledAtTheEndsOfTheStrip)
{
    TColorStateGuard Colors(false);
    TFcCustomTabControl* T = Overflowing();
    TFcTabScroller* S = T->Scroller();
    EXPECT_FALSE(S->HalfEnabled(0));
    EXPECT_TRUE(S->HalfEnabled(1));
    const QImage Start = PaintControlImage(S);
    const TRect Back = S->HalfRect(0), Forward = S->HalfRect(1);
    EXPECT_EQ(CountColor(Start, Black, Back), 0);
    EXPECT_GT(CountColor(Start, ColorToRGB(clBtnShadow), Back), 0);
    EXPECT_GT(CountColor(Start, Black, Forward), 0);
    while (S->HalfEnabled(1))
        T->ScrollTabs(true);
    EXPECT_TRUE(S->HalfEnabled(0));
    EXPECT_TRUE(T->IsTabFullyVisible(5));
    const QImage End = PaintControlImage(S);
    EXPECT_EQ(CountColor(End, Black, Forward), 0);
    EXPECT_GT(CountColor(End, Black, Back), 0);
}

TEST_F(TabButtons, TheCloseButtonAsksAndWithoutAnAnswerClosesNothing)
{
    auto* T = NewTabs(Bounds(10, 10, 300, 100), {"a", "b"}, 60, 20);
    T->SetShowCloseButton(true);
    T->SetTabIndex(1);
    Form->Show();
    Shown(T);
    TFcTabCloseButton* Close = T->CloseButton();
    ASSERT_NE(Close, nullptr);
    EXPECT_TRUE(Close->Visible());
    MouseClick(Close, {3, 3});
    EXPECT_EQ(T->Tabs()->Count(), 2);
    int Asked = 0;
    T->SetOnClose([&](TObject*, bool& Allow) {
        ++Asked;
        EXPECT_FALSE(Allow);
    });
    MouseClick(Close, {3, 3});
    EXPECT_EQ(Asked, 1);
    // Pressed, slid off and released: no request.
    MouseDown(Close, {3, 3});
    MouseMove(Close, {50, 50}, Qt::LeftButton);
    MouseUp(Close, {50, 50});
    EXPECT_EQ(Asked, 1);
    T->SetShowCloseButton(false);
    EXPECT_FALSE(Close->Visible());
}

TEST_F(TabButtons, TheTabMenuListsTheVisibleTabsByIndexWithTheCurrentOneChecked)
{
    auto* Images = new TImageList(Form);
    auto* T = NewTabs(Bounds(10, 10, 400, 100), {"Een", "Twee", "Drie", "Vier"}, 60, 20);
    T->SetImages(Images);
    T->Tabs()->Items(1)->SetVisible(false);
    T->Tabs()->Items(2)->SetEnabled(false);
    T->Tabs()->Items(2)->SetImageIndex(4);
    T->Tabs()->Items(2)->SetDisabledIndex(7);
    T->Tabs()->Items(3)->SetImageIndex(5);
    T->SetShowMenuButton(true);
    T->SetTabIndex(3);
    Form->Show();
    Shown(T);
    struct TSeen {
        QString Caption;
        bool Enabled, Checked;
        int Image;
        std::intptr_t Tag;
    };
    std::vector<TSeen> Seen;
    TPoint Where;
    TPopupAlignment Alignment = paLeft;
    SetMenuPopupHook([&](TPopupMenu* Menu, TPoint Screen) -> TMenuItem* {
        Where = Screen;
        Alignment = Menu->Alignment();
        EXPECT_EQ(Menu->Images(), Images);
        for (int I = 0; I < Menu->Items()->Count(); ++I) {
            TMenuItem* M = Menu->Items()->Items(I);
            Seen.push_back({M->Caption(), M->Enabled(), M->Checked(), M->ImageIndex(), M->Tag()});
        }
        return Menu->Items()->Items(0);
    });
    TFcTabMenuButton* Button = T->MenuButton();
    MouseClick(Button, {3, 3});
    SetMenuPopupHook(nullptr);
    ASSERT_EQ(Seen.size(), 3u);
    EXPECT_EQ(Seen[0].Caption, QStringLiteral("Een"));
    EXPECT_EQ(Seen[0].Tag, 0);
    EXPECT_EQ(Seen[1].Caption, QStringLiteral("Drie"));
    EXPECT_EQ(Seen[1].Tag, 2);
    EXPECT_FALSE(Seen[1].Enabled);
    EXPECT_EQ(Seen[1].Image, 7);
    EXPECT_EQ(Seen[2].Tag, 3);
    EXPECT_TRUE(Seen[2].Checked);
    EXPECT_FALSE(Seen[0].Checked);
    EXPECT_EQ(Seen[2].Image, 5);
    // Below the button's right edge, aligned right.
    EXPECT_EQ(Where, Button->ClientToScreen({Button->Width(), Button->Height()}));
    EXPECT_EQ(Alignment, paRight);
    // The chosen item chose its tab.
    EXPECT_EQ(T->TabIndex(), 0);
}

TEST_F(TabButtons, TheTabMenuArrowPointsAwayFromThePageAsTheStripButtonsListSays)
{
    const struct {
        TFcTabOrientation Side;
        int Arrow;
    } Cases[] = {{toTop, ArrowDown}, {toLeft, ArrowRight}, {toBottom, ArrowUp}, {toRight, ArrowLeft}};
    for (const auto& C : Cases) {
        auto* T = NewTabs(Bounds(10, 10, 200, 200), {"a"}, 40, 20);
        T->SetTabOrientation(C.Side);
        T->SetShowMenuButton(true);
        T->SetUseGradients(false);
        Form->Show();
        Shown(T);
        TFcTabMenuButton* B = T->MenuButton();
        EXPECT_EQ(B->ArrowDirection(), C.Arrow);
        const QImage Face = PaintControlImage(B);
        const TRect R = B->ClientRect();
        const QImage Expected = PaintToImage(R.Width(), R.Height(), [&](TCanvas& Canvas) {
            PaintTabButtonFace(&Canvas, R, T, B->FrameColor(), false);
            PaintDirectionArrow(&Canvas, R, false, C.Arrow, true, false);
        });
        EXPECT_TRUE(PixelsMatch(Face,
                                [&](int X, int Y, COLORREF& Want) {
                                    Want = ImagePixel(Expected, X, Y);
                                    return true;
                                }))
            << "side " << C.Side;
        T->Free();
    }
}

TEST_F(TabButtons, TheFaceIsAGradientOfTheTabColoursInALighterFrame)
{
    TColorStateGuard Colors(false);
    auto* T = NewTabs(Bounds(10, 10, 200, 100), {"a"});
    T->TabColors()->SetUnselected(clWhite);
    T->TabColors()->SetShadow(clBlack);
    const COLORREF Frame = ColorToRGB(LightenColor(clBtnShadow, 30));
    for (bool Down : {false, true}) {
        const QImage I =
            PaintToImage(20, 20, [&](TCanvas& C) { PaintTabButtonFace(&C, Rect(0, 0, 20, 20), T, clBtnShadow, Down); });
        EXPECT_TRUE(PixelIs(I, 0, 0, Frame));
        EXPECT_TRUE(PixelIs(I, 19, 19, Frame));
        // The gradient ends exactly in its last colour, against the bottom.
        EXPECT_TRUE(PixelIs(I, 10, 18, Down ? White : Black));
        EXPECT_EQ(ImagePixel(I, 10, 1) > ImagePixel(I, 10, 18), !Down);
    }
    T->SetUseGradients(false);
    const QImage Flat =
        PaintToImage(20, 20, [&](TCanvas& C) { PaintTabButtonFace(&C, Rect(0, 0, 20, 20), T, clBtnShadow, true); });
    EXPECT_TRUE(RectHasColor(Flat, Rect(1, 1, 19, 19), White));
}

TEST_F(TabButtons, AClickThatRaisesStopsTheRepeat)
{
    TFcCustomTabControl* T = Overflowing();
    TFcTabScroller* S = T->Scroller();
    T->SetOnScrolledTabs([](TObject*) { throw Exception(QStringLiteral("stop")); });
    QStringList Errors;
    Application->SetOnException([&](TObject*, Exception& E) { Errors << E.Message(); });
    MouseDown(S, CenterPoint(S->HalfRect(1)));
    EXPECT_THROW(Tick(S), Exception);
    EXPECT_FALSE(S->RepeatTimer()->Enabled());
    T->SetOnScrolledTabs(nullptr);
    MouseUp(S, CenterPoint(S->HalfRect(1)));
    Application->SetOnException(nullptr);
}
