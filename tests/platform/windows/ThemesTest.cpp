// Theme services: the process-wide switch, element details by their
// classic numbers, element painting that stays inside its rectangle and
// the DC's clip, themed text and colour queries.
#include "platform/windows/Themes.h"

#include "tests/support/ImageHelpers.h"

#include <gtest/gtest.h>
#include <climits>

namespace {

// The bounding box of every pixel that is not Background (empty when none).
TRect ChangedBounds(const QImage& Image, COLORREF Background)
{
    TRect B{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (ImagePixel(Image, X, Y) != Background)
                B = Rect(std::min(B.Left, X), std::min(B.Top, Y), std::max(B.Right, X + 1), std::max(B.Bottom, Y + 1));
    return B.Left == INT_MAX ? TRect() : B;
}

bool Inside(const TRect& Inner, const TRect& Outer)
{
    return IsRectEmpty(Inner) || (Inner.Left >= Outer.Left && Inner.Top >= Outer.Top &&
                                  Inner.Right <= Outer.Right && Inner.Bottom <= Outer.Bottom);
}

class Themes : public ::testing::Test {
protected:
    void SetUp() override { ThemeServices().SetThemesEnabled(true); }
    void TearDown() override
    {
        ThemeServices().SetThemesEnabled(false);
        ThemeServices().SetOnThemeChange(nullptr);
        ThemeHooks() = TThemeHooks();
    }
    TThemeServices& T = ThemeServices();
};

} // namespace

TEST(ThemesSwitch, OffByDefaultAndInertWhileOff)
{
    TThemeServices Fresh;
    EXPECT_TRUE(Fresh.ThemesAvailable());
    EXPECT_FALSE(Fresh.ThemesEnabled());
    EXPECT_FALSE(ThemeServices().ThemesEnabled());

    // Nothing is painted and the queries give their fallbacks.
    TTestSurface S(40, 30);
    const auto Button = TThemeServices::GetElementDetails(tbPushButtonNormal);
    Fresh.DrawElement(S.DC(), Button, Rect(0, 0, 40, 30));
    Fresh.DrawText(S.DC(), Button, QStringLiteral("Adres"), Rect(0, 0, 40, 30), DT_LEFT, 0);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 0, 40, 30), White));
    EXPECT_EQ(Fresh.GetThemeColor(Button, TMT_TEXTCOLOR), clWhite);
    EXPECT_EQ(Fresh.ContentRect(S.DC(), Button, Rect(0, 0, 40, 30)), Rect(0, 0, 40, 30));
    EXPECT_FALSE(Fresh.HasTransparentParts(Button));
    EXPECT_EQ(Fresh.GetPartSize(S.DC(), TThemeServices::GetElementDetails(tbCheckBoxCheckedNormal)), TSize());
}

TEST(ThemesSwitch, ChangesAreAnnounced)
{
    TThemeServices Services;
    int Events = 0, Hooked = 0;
    TObject* Sender = nullptr;
    Services.SetOnThemeChange([&](TObject* S) { ++Events; Sender = S; });
    ThemeHooks().ThemeChanged = [&] { ++Hooked; };
    Services.SetThemesEnabled(false); // no change, no event
    Services.SetThemesEnabled(true);
    EXPECT_TRUE(Services.ThemesEnabled());
    Services.ApplyThemeChange();
    Services.SetThemesEnabled(false);
    EXPECT_EQ(Events, 3);
    EXPECT_EQ(Hooked, 3);
    EXPECT_EQ(Sender, &Services);
    ThemeHooks() = TThemeHooks();
}

TEST(ThemesDetails, ClassicNumbering)
{
    using D = TThemedElementDetails;
    const struct {
        D Got;
        D Want;
    } Cases[] = {
        {TThemeServices::GetElementDetails(tbButtonDontCare), {teButton, 0, 1}},
        {TThemeServices::GetElementDetails(tbPushButtonNormal), {teButton, 1, 1}},
        {TThemeServices::GetElementDetails(tbPushButtonDefaulted), {teButton, 1, 5}},
        {TThemeServices::GetElementDetails(tbRadioButtonCheckedDisabled), {teButton, 2, 8}},
        {TThemeServices::GetElementDetails(tbCheckBoxMixedDisabled), {teButton, 3, 12}},
        {TThemeServices::GetElementDetails(TThemedButton(27)), {teButton, 4, 1}},
        {TThemeServices::GetElementDetails(tbGroupBoxDisabled), {teButton, 4, 2}},
        {TThemeServices::GetElementDetails(tbUserButton), {teButton, 5, 1}},
        {TThemeServices::GetElementDetails(tcDropDownButtonDisabled), {teComboBox, 1, 4}},
        {TThemeServices::GetElementDetails(TThemedEdit(1)), {teEdit, 0, 2}},
        {TThemeServices::GetElementDetails(teEditTextReadOnly), {teEdit, 1, 6}},
        {TThemeServices::GetElementDetails(teEditCaret), {teEdit, 2, 1}},
        {TThemeServices::GetElementDetails(teEditBorderNoScrollDisabled), {teEdit, 6, 4}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(1)), {teExplorerBar, 0, 2}},
        {TThemeServices::GetElementDetails(tebHeaderPinSelectedPressed), {teExplorerBar, 3, 6}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(17)), {teExplorerBar, 5, 1}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(20)), {teExplorerBar, 6, 3}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(21)), {teExplorerBar, 7, 1}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(24)), {teExplorerBar, 8, 1}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(25)), {teExplorerBar, 9, 1}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(26)), {teExplorerBar, 10, 1}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(31)), {teExplorerBar, 11, 3}},
        {TThemeServices::GetElementDetails(TThemedExplorerBar(32)), {teExplorerBar, 12, 1}},
        {TThemeServices::GetElementDetails(thHeaderSortArrowSortedDown), {teHeader, 4, 2}},
        {TThemeServices::GetElementDetails(tpChunkVert), {teProgress, 4, 1}},
        {TThemeServices::GetElementDetails(trChevronVertPressed), {teRebar, 5, 3}},
        {TThemeServices::GetElementDetails(tsArrowBtnRightDisabled), {teScrollBar, 1, 16}},
        {TThemeServices::GetElementDetails(tsThumbBtnHorzHot), {teScrollBar, 2, 2}},
        {TThemeServices::GetElementDetails(tsGripperVertDisabled), {teScrollBar, 9, 4}},
        {TThemeServices::GetElementDetails(tsSizeBoxLeftAlign), {teScrollBar, 10, 2}},
        {TThemeServices::GetElementDetails(tsDownHorzPressed), {teSpin, 4, 3}},
        {TThemeServices::GetElementDetails(tsGripper), {teStatus, 3, 1}},
        {TThemeServices::GetElementDetails(ttTopTabItemBothEdgeFocused), {teTab, 8, 5}},
        {TThemeServices::GetElementDetails(ttBody), {teTab, 10, 1}},
        {TThemeServices::GetElementDetails(ttbSplitButtonDropDownCheckedHot), {teToolBar, 4, 6}},
        {TThemeServices::GetElementDetails(ttbSeparatorVertNormal), {teToolBar, 6, 1}},
        {TThemeServices::GetElementDetails(tttBaloonTitleLink), {teToolTip, 4, 2}},
        {TThemeServices::GetElementDetails(tttClosePressed), {teToolTip, 5, 3}},
        {TThemeServices::GetElementDetails(ttbThumbRightDisabled), {teTrackBar, 8, 5}},
        {TThemeServices::GetElementDetails(ttbThumbTicsVert), {teTrackBar, 10, 1}},
        {TThemeServices::GetElementDetails(ttGlyphOpened), {teTreeview, 2, 2}},
        {TThemeServices::GetElementDetails(twSmallFrameBottomInactive), {teWindow, 12, 2}},
        {TThemeServices::GetElementDetails(twCloseButtonPushed), {teWindow, 18, 3}},
        {TThemeServices::GetElementDetails(twVertThumbDisabled), {teWindow, 28, 4}},
        {TThemeServices::GetElementDetails(twSmallFrameBottomSizingTemplate), {teWindow, 37, 1}},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(C.Got.Element, C.Want.Element);
        EXPECT_EQ(C.Got.Part, C.Want.Part) << "element " << C.Want.Element << " state " << C.Want.State;
        EXPECT_EQ(C.Got.State, C.Want.State) << "element " << C.Want.Element << " part " << C.Want.Part;
    }
}

// The elements the control libraries draw, each on white into R: every
// changed pixel lies inside R, inside the DC's clip region and inside the
// clip rectangle passed along, and at the DC's origin.
TEST_F(Themes, ElementsPaintOnlyInsideTheirRectangleAndClip)
{
    const TThemedElementDetails Elements[] = {
        T.GetElementDetails(tbPushButtonHot), T.GetElementDetails(tbPushButtonDefaulted),
        T.GetElementDetails(tbCheckBoxCheckedNormal), T.GetElementDetails(tbCheckBoxMixedDisabled),
        T.GetElementDetails(tbGroupBoxNormal), T.GetElementDetails(tcDropDownButtonPressed),
        T.GetElementDetails(teEditTextNormal), T.GetElementDetails(teEditBorderNoScrollFocused),
        T.GetElementDetails(tebExplorerBarRoot), T.GetElementDetails(tebNormalGroupHead),
        T.GetElementDetails(tebSpecialGroupBackground), T.GetElementDetails(tebSpecialGroupExpandHot),
        T.GetElementDetails(tpChunk), T.GetElementDetails(trRebarRoot), T.GetElementDetails(trChevronPressed),
        T.GetElementDetails(tsThumbBtnHorzPressed), T.GetElementDetails(tsUpHorzHot),
        T.GetElementDetails(tsDownDisabled),
        T.GetElementDetails(tsStatusRoot), T.GetElementDetails(tsPane), T.GetElementDetails(tsGripper),
        T.GetElementDetails(ttbButtonCheckedHot), T.GetElementDetails(ttbSplitButtonDropDownPressed),
        T.GetElementDetails(ttbSeparatorNormal), T.GetElementDetails(ttTabItemSelected), T.GetElementDetails(ttPane),
        T.GetElementDetails(tttBaloonNormal), T.GetElementDetails(twCaptionActive),
    };
    const TRect R = Rect(10, 8, 50, 32);
    for (const TThemedElementDetails& D : Elements) {
        SCOPED_TRACE(testing::Message() << "element " << D.Element << " part " << D.Part << " state " << D.State);
        TTestSurface S(64, 48);
        T.DrawElement(S.DC(), D, R);
        const TRect Changed = ChangedBounds(S.Image(), White);
        EXPECT_FALSE(IsRectEmpty(Changed));
        EXPECT_TRUE(Inside(Changed, R)) << SaveFailedImage(S.Image(), CurrentTestImageName()).toStdString();

        // The DC's clip region, a clip rectangle and a moved origin.
        S.Fill(White);
        IntersectClipRect(S.DC(), 0, 0, 40, 48);
        SetViewportOrgEx(S.DC(), 3, 2, nullptr);
        const TRect Clip = Rect(0, 12, 60, 48);
        T.DrawElement(S.DC(), D, R, &Clip);
        SelectClipRgn(S.DC(), nullptr);
        SetViewportOrgEx(S.DC(), 0, 0, nullptr);
        EXPECT_TRUE(Inside(ChangedBounds(S.Image(), White), Rect(13, 14, 40, 34)))
            << SaveFailedImage(S.Image(), CurrentTestImageName(QStringLiteral("-clip"))).toStdString();
    }
}

namespace {

template <typename E>
void AddAll(std::vector<TThemedElementDetails>& Out, E Last)
{
    for (int V = 0; V <= int(Last); ++V)
        Out.push_back(TThemeServices::GetElementDetails(E(V)));
}

} // namespace

// Every value of every enumeration, and details no enumeration makes.
TEST_F(Themes, EveryElementStaysInsideItsRectangle)
{
    std::vector<TThemedElementDetails> All;
    AddAll(All, tbUserButton);
    AddAll(All, tcTimeNormal);
    AddAll(All, tcDropDownButtonDisabled);
    AddAll(All, teEditBorderHVScrollDisabled);
    AddAll(All, tebSpecialGroupHead);
    AddAll(All, thHeaderSortArrowSortedDown);
    AddAll(All, tlEmptyText);
    AddAll(All, tmSeparator);
    AddAll(All, tpDownHorzDisabled);
    AddAll(All, tpChunkVert);
    AddAll(All, trChevronVertDisabled);
    AddAll(All, tsSizeBoxLeftAlign);
    AddAll(All, tsDownHorzDisabled);
    AddAll(All, tspPreview);
    AddAll(All, tsGripper);
    AddAll(All, ttBody);
    AddAll(All, ttbFlashButtonGroupMenu);
    AddAll(All, ttbSizingBarLeft);
    AddAll(All, ttbSeparatorVertCheckedHot);
    AddAll(All, tttClosePressed);
    AddAll(All, ttbThumbTicsVert);
    AddAll(All, ttnAnimBackground);
    AddAll(All, ttBranch);
    AddAll(All, twSmallFrameBottomSizingTemplate);
    for (int E = teButton; E <= teWindow; ++E)
        for (int Part : {-3, 0, 77})
            All.push_back({TThemedElement(E), Part, -1});
    EXPECT_EQ(TThemeServices::GetElementDetails(TThemedButton(99)), (TThemedElementDetails{teButton, 0, 0}));

    const TRect R = Rect(5, 5, 35, 25);
    TTestSurface S(40, 30);
    for (const TThemedElementDetails& D : All) {
        S.Fill(White);
        T.DrawElement(S.DC(), D, R);
        EXPECT_TRUE(Inside(ChangedBounds(S.Image(), White), R))
            << "element " << D.Element << " part " << D.Part << " state " << D.State;
    }
}

TEST_F(Themes, TransparentPartsKeepWhatIsUnderneath)
{
    TTestSurface S(40, 30, 0x0000FF);
    // A toolbar button at rest is the toolbar itself.
    T.DrawElement(S.DC(), T.GetElementDetails(ttbButtonNormal), Rect(0, 0, 40, 30));
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 0, 40, 30), 0x0000FF));
    EXPECT_TRUE(T.HasTransparentParts(T.GetElementDetails(ttbButtonNormal)));

    // A group head's rounded corners show the bar behind it; its body is solid.
    T.DrawElement(S.DC(), T.GetElementDetails(tebNormalGroupHead), Rect(0, 0, 40, 30));
    EXPECT_TRUE(PixelIs(S.Image(), 0, 0, 0x0000FF));
    EXPECT_TRUE(PixelIs(S.Image(), 39, 1, 0x0000FF));
    EXPECT_NE(S.Pixel(2, 0), 0x0000FFu);
    EXPECT_TRUE(T.HasTransparentParts(T.GetElementDetails(tebNormalGroupHead)));
    EXPECT_FALSE(T.HasTransparentParts(T.GetElementDetails(tebNormalGroupBackground)));
    EXPECT_FALSE(T.HasTransparentParts(T.GetElementDetails(tsStatusRoot)));
}

TEST_F(Themes, BadTargetsAreHarmless)
{
    TTestSurface S(30, 20);
    const auto D = T.GetElementDetails(tebExplorerBarRoot);
    T.DrawElement(nullptr, D, Rect(0, 0, 10, 10));
    T.DrawElement(S.DC(), D, Rect(20, 10, 5, 5)); // upside down: empty
    const TRect Inverted = Rect(30, 20, 0, 0);
    T.DrawElement(S.DC(), D, Rect(0, 0, 30, 20), &Inverted);
    EXPECT_TRUE(RectHasColor(S.Image(), Rect(0, 0, 30, 20), White));

    // A rectangle far larger than any control is painted where it is seen.
    T.DrawElement(S.DC(), D, Rect(-100000000, -100000000, 100000000, 100000000));
    EXPECT_EQ(CountColor(S.Image(), White, Rect(0, 0, 30, 20)), 0);

    // A monochrome bitmap stays black and white.
    TTestSurface Mono(30, 20, White, 1);
    T.DrawElement(Mono.DC(), T.GetElementDetails(tbPushButtonPressed), Rect(0, 0, 30, 20));
    const int Black = CountColor(Mono.Image(), 0x000000, Rect(0, 0, 30, 20));
    EXPECT_EQ(Black + CountColor(Mono.Image(), White, Rect(0, 0, 30, 20)), 30 * 20);
}

TEST_F(Themes, TextFollowsAlignmentAndElementColour)
{
    const auto Head = T.GetElementDetails(tebNormalGroupHead);
    const COLORREF Color = COLORREF(T.GetThemeColor(Head, TMT_TEXTCOLOR));
    ASSERT_NE(Color, White);
    const struct {
        unsigned Flags;
        TRect Half;
    } Cases[] = {{DT_LEFT, Rect(0, 0, 100, 24)}, {DT_RIGHT, Rect(100, 0, 200, 24)}};
    for (const auto& C : Cases) {
        TTestSurface S(200, 24);
        SetTextColor(S.DC(), 0x00FF00);
        T.DrawText(S.DC(), Head, QStringLiteral("Adressen"), Rect(0, 0, 200, 24),
                   C.Flags | DT_SINGLELINE | DT_VCENTER, 0);
        EXPECT_TRUE(ColorOnlyInside(S.Image(), Color, C.Half));
        EXPECT_TRUE(Inside(ChangedBounds(S.Image(), White), C.Half));
        // The DC keeps its own colour and background mode.
        EXPECT_EQ(GetTextColor(S.DC()), 0x00FF00u);
        EXPECT_EQ(GetBkMode(S.DC()), OPAQUE);
    }
    TTestSurface Grayed(200, 24);
    T.DrawText(Grayed.DC(), Head, QStringLiteral("Adressen"), Rect(0, 0, 200, 24), DT_SINGLELINE, DTT_GRAYED);
    EXPECT_EQ(CountColor(Grayed.Image(), Color, Rect(0, 0, 200, 24)), 0);
    EXPECT_FALSE(IsRectEmpty(ChangedBounds(Grayed.Image(), White)));
}

TEST_F(Themes, GroupBoxTextExtentIsTheTextsSize)
{
    TTestSurface S(10, 10);
    TSize Size;
    GetTextExtentPoint32(S.DC(), QStringLiteral("Persoon"), &Size);
    TRect Extent;
    ASSERT_TRUE(T.GetTextExtent(S.DC(), T.GetElementDetails(tbGroupBoxNormal), QStringLiteral("Persoon"),
                                DT_SINGLELINE | DT_LEFT, nullptr, Extent));
    EXPECT_EQ(Extent, Rect(0, 0, Size.cx, Size.cy));
}

TEST_F(Themes, Colours)
{
    const auto Edit = T.GetElementDetails(TThemedEdit(1));
    const auto Head = T.GetElementDetails(TThemedExplorerBar(32));
    // Unknown properties give the documented fallback, white.
    EXPECT_EQ(T.GetThemeColor(Edit, 1234), clWhite);
    EXPECT_EQ(T.GetThemeColor(Head, 3809), clWhite);
    EXPECT_NE(T.GetThemeColor(Edit, TMT_BORDERCOLOR), clWhite);
    EXPECT_NE(T.GetThemeColor(Head, TMT_FILLCOLOR), clWhite);
    EXPECT_NE(T.GetThemeColor(T.GetElementDetails(TThemedButton(27)), TMT_TEXTCOLOR), clWhite);
    // A list group reads the special head's fill as text on the bar's first
    // gradient colour: the two must not be the same.
    EXPECT_NE(T.GetThemeColor(Head, TMT_FILLCOLOR),
              T.GetThemeColor(T.GetElementDetails(TThemedExplorerBar(1)), TMT_GRADIENTCOLOR1));

    // Glyphs take their colour from the middle of a 17 x 21 drop-down button.
    TTestSurface S(17, 21);
    T.DrawElement(S.DC(), T.GetElementDetails(tcDropDownButtonNormal), Rect(0, 0, 17, 21));
    EXPECT_EQ(S.Pixel(8, 10), COLORREF(T.GetThemeColor(T.GetElementDetails(tcDropDownButtonNormal), TMT_TEXTCOLOR)));
}

TEST_F(Themes, ParentBackgroundGoesThroughTheHook)
{
    TTestSurface S(10, 10);
    const auto Button = T.GetElementDetails(tbPushButtonNormal);
    EXPECT_FALSE(T.DrawParentBackground(nullptr, S.DC(), &Button, false));

    int Calls = 0;
    const TRect* Seen = nullptr;
    ThemeHooks().DrawParentBackground = [&](HWND, HDC DC, const TRect* Bounds) {
        ++Calls;
        Seen = Bounds;
        return DC == S.DC();
    };
    const TRect Bounds = Rect(1, 2, 3, 4);
    EXPECT_TRUE(T.DrawParentBackground(nullptr, S.DC(), &Button, true, &Bounds));
    EXPECT_EQ(Seen, &Bounds);
    // Solid elements need no parent behind them.
    const auto Body = T.GetElementDetails(tebNormalGroupBackground);
    EXPECT_FALSE(T.DrawParentBackground(nullptr, S.DC(), &Body, true));
    EXPECT_TRUE(T.DrawParentBackground(nullptr, S.DC(), &Body, false));
    EXPECT_EQ(Calls, 2);
}

TEST_F(Themes, ContentLiesInsideTheBorderAndPartsHaveTheirSize)
{
    TTestSurface S(10, 10);
    const TRect R = Rect(0, 0, 75, 25);
    const TRect Content = T.ContentRect(S.DC(), T.GetElementDetails(tbPushButtonNormal), R);
    EXPECT_TRUE(Inside(Content, R));
    EXPECT_GT(Content.Left, R.Left);
    EXPECT_LT(Content.Bottom, R.Bottom);
    const TSize Expand = T.GetPartSize(S.DC(), T.GetElementDetails(tebNormalGroupExpandNormal));
    EXPECT_GT(Expand.cx, 0);
    EXPECT_EQ(Expand.cx, Expand.cy);
}
