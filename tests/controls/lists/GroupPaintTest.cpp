// Painting of groups and their items, checked pixel by pixel where the
// drawing is defined exactly: the category view's caption band, divider,
// border and body in the classic, gradient and few-colours paths, the
// open/close button, the Outlook caption frame and body, the task list,
// item colours for every state, images, selection boxes and separators,
// the themed explorer-bar elements and the large caption image on the bar.
#include "tests/controls/lists/GroupBarTestSupport.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "platform/actions/ImgList.h"
#include "platform/windows/Themes.h"

namespace {

// Colours of the custom palette, each its own so that pixels tell which
// part painted them.
constexpr TColor Start = clRed; // C2: caption fill
constexpr TColor Stop = clBlue; // C3: caption gradient end
constexpr TColor Divider = clLime; // C8
constexpr TColor Body = clWhite; // C9: the group's colour
constexpr TColor Border = clFuchsia; // C10
constexpr TColor CaptionText = clBlack; // C4
constexpr TColor ItemText = clNavy; // the font's colour
constexpr TColor ItemHot = clMaroon; // ItemHotColor
constexpr TColor StaticText = clGreen; // ItemStaticFont's colour

COLORREF Rgb(TColor C)
{
    return ColorToRGB(C);
}

// A square image of one colour, for image lists.
QImage Solid(TColor C, int Size = 16)
{
    QImage I(Size, Size, QImage::Format_ARGB32);
    const COLORREF Ref = ColorToRGB(C);
    I.fill(QColor(GetRValue(Ref), GetGValue(Ref), GetBValue(Ref)));
    return I;
}

struct GroupPaint : GroupBarFixture {
    TFcGroup* G = nullptr;

    void SetUp() override
    {
        GroupBarFixture::SetUp();
        Bar->SetGradientColorStyle(gcsCustom);
        G = AddGroup("");
        G->SetCaptionColorStart(Start);
        G->SetCaptionColorStop(Stop);
        G->SetDividerColor(Divider);
        G->SetDividerVisible(true);
        G->SetColor(Body);
        G->SetBorderColor(Border);
        G->CaptionFont()->SetColor(CaptionText);
        G->Font()->SetColor(ItemText);
        G->SetItemHotColor(ItemHot);
        G->ItemStaticFont()->SetColor(StaticText);
        G->SetOpenedHeight(80);
    }
    // The group's pixels as the form shows them.
    QImage GroupImage()
    {
        const QImage I = FormImage(G);
        const TPoint O = G->ClientToScreen({0, 0});
        const TPoint F = Form->ClientToScreen({0, 0});
        return I.copy(O.X - F.X, O.Y - F.Y, G->Width(), G->Height());
    }
    int W() const { return G->Width(); }
    int H() const { return G->Height(); }
    int CH() const { return G->CaptionHeight(); }
};

// The row's pixels between X1 and X2 (exclusive) have rising blue.
bool BlueRises(const QImage& I, int Y, int X1, int X2)
{
    for (int X = X1 + 1; X < X2; ++X)
        if (GetBValue(ImagePixel(I, X, Y)) < GetBValue(ImagePixel(I, X - 1, Y)))
            return false;
    return GetBValue(ImagePixel(I, X2 - 1, Y)) > GetBValue(ImagePixel(I, X1, Y));
}

// Some row of R holds a line of Color at least Length long (an underline).
bool HasLine(const QImage& I, const TRect& R, COLORREF Color, int Length)
{
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        if (CountColor(I, Color, Rect(R.Left, Y, R.Right, Y + 1)) >= Length)
            return true;
    return false;
}

} // namespace

// --- the category view -----------------------------------------------------------------------------------

TEST_F(GroupPaint, TheClassicCategoryViewIsFlatColoursAndPenLines)
{
    Bar->SetVisualStyle(vsClassic);
    const QImage I = GroupImage();
    // Caption band, left of the button, below the rounded corners.
    EXPECT_TRUE(RectHasColor(I, Rect(2, 0, W() - 22, CH() - 1), Rgb(Start)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, 2, 2, CH() - 1), Rgb(Start)));
    // Rounded corners show the bar (its colour: no gradient in classic).
    for (TPoint P : {Point(0, 0), Point(1, 0), Point(0, 1), Point(W() - 1, 0), Point(W() - 2, 0), Point(W() - 1, 1)})
        EXPECT_TRUE(PixelIs(I, P.X, P.Y, Rgb(clBtnShadow))) << P.X << "," << P.Y;
    // The divider is a pen line; the border runs down, across and up.
    EXPECT_TRUE(RectHasColor(I, Rect(0, CH() - 1, W(), CH()), Rgb(Divider)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, CH(), 1, H()), Rgb(Border)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, H() - 1, W(), H()), Rgb(Border)));
    EXPECT_TRUE(RectHasColor(I, Rect(W() - 1, CH(), W(), H()), Rgb(Border)));
    EXPECT_TRUE(RectHasColor(I, Rect(1, CH(), W() - 1, H() - 1), Rgb(Body)));
}

TEST_F(GroupPaint, WithGradientsTheCaptionFadesInItsRightHalfAndTheDividerIntoTheBody)
{
    const QImage I = GroupImage();
    EXPECT_TRUE(RectHasColor(I, Rect(2, 2, W() / 2, CH() - 1), Rgb(Start)));
    EXPECT_TRUE(BlueRises(I, 4, W() / 2, W() - 21));
    // The divider ends in the body colour at the right.
    EXPECT_TRUE(PixelIs(I, W() - 1, CH() - 1, Rgb(Body)));
    EXPECT_NE(ImagePixel(I, 0, CH() - 1), Rgb(Body));
    // The bar's gradient shows in the rounded corners.
    const QImage Form = FormImage(G);
    const TPoint O = G->ClientToScreen({0, 0});
    const TPoint F = this->Form->ClientToScreen({0, 0});
    EXPECT_TRUE(PixelIs(I, 0, 0, ImagePixel(Form, O.X - F.X - 1, O.Y - F.Y)));
}

TEST_F(GroupPaint, WithFewColoursNoGradientIsUsedAnywhere)
{
    SetManyColors(false);
    AddItem(G, "a");
    AddItem(G, "-");
    AddItem(G, "b");
    G->SetShowItemSelection(true);
    G->SetSelectionColor(clYellow);
    G->SetSelectionShadowColor(clOlive);
    G->Items()->Items(0)->SetSelected(true);
    const QImage I = GroupImage();
    EXPECT_TRUE(RectHasColor(I, Rect(2, 2, W() - 22, CH() - 1), Rgb(Start)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, CH() - 1, W(), CH()), Rgb(Divider)));
    // The separator is a pen line; the selection box is filled flat.
    EXPECT_EQ(CountColor(I, Rgb(Divider), Rect(8, CH(), W() - 8, H())), W() - 16);
    EXPECT_EQ(CountColor(I, Rgb(clOlive), Rect(0, 0, W(), H())), 0);
    EXPECT_GT(CountColor(I, Rgb(clYellow), Rect(0, CH(), W(), H())), 0);
}

TEST_F(GroupPaint, TheOpenCloseButtonPointsUpWhenOpenAndDownWhenClosed)
{
    Bar->SetVisualStyle(vsClassic);
    const int X = W() - 20, Y = (CH() - 15) / 2;
    QImage I = GroupImage();
    // The apex of the upper chevron, and the button's light inside.
    EXPECT_TRUE(PixelIs(I, X + 7, Y + 3, Rgb(CaptionText)));
    EXPECT_NE(ImagePixel(I, X + 7, Y + 11), Rgb(CaptionText));
    G->Close();
    I = GroupImage();
    EXPECT_TRUE(PixelIs(I, X + 7, Y + 11, Rgb(CaptionText)));
    EXPECT_NE(ImagePixel(I, X + 7, Y + 3), Rgb(CaptionText));
    // Closed, only the caption band shows: no divider, no border.
    EXPECT_EQ(H(), CH());
    EXPECT_EQ(CountColor(I, Rgb(Divider), Rect(0, 0, W(), H())), 0);
    // A group that cannot close has no button and square corners.
    G->SetCanClose(false);
    I = GroupImage();
    EXPECT_EQ(CountColor(I, Rgb(CaptionText), Rect(X, Y, X + 15, Y + 15)), 0);
    EXPECT_TRUE(PixelIs(I, 0, 0, Rgb(Start)));
}

TEST_F(GroupPaint, ThemedGroupsDrawTheExplorerBarElements)
{
    ThemeServices().SetThemesEnabled(true);
    FcThemeBridge().ThemesEnabled = [] { return ThemeServices().ThemesEnabled(); };
    Bar->SetVisualStyle(vsWinXP);
    const QImage I = GroupImage();
    // What the theme draws for a group's body, on its own.
    TTestSurface Expected(W(), H(), 0x00FF00);
    ThemeServices().DrawElement(Expected.DC(), TThemeServices::GetElementDetails(tebNormalGroupBackground),
                                Rect(0, CH(), W(), H()));
    ThemeServices().SetThemesEnabled(false);
    EXPECT_TRUE(PixelIs(I, W() / 2, (CH() + H()) / 2, Expected.Pixel(W() / 2, (CH() + H()) / 2)));
    EXPECT_NE(ImagePixel(I, W() / 2, (CH() + H()) / 2), Rgb(Body));
    // None of the hand-drawn caption colours.
    EXPECT_EQ(CountColor(I, Rgb(Start), Rect(0, 0, W(), CH())), 0);
}

// --- the Outlook look and the task list --------------------------------------------------------------

TEST_F(GroupPaint, AnOutlookCaptionIsAButtonFrameAroundTheCaptionGradient)
{
    Bar->SetStyle(gbsOutlook);
    G->SetColor(clGray);
    const auto Frame = [&](TFrameStyleEx Style) {
        return PaintToImage(W(), CH(), [&](TCanvas& C) { PaintFrameStyle(&C, Rect(0, 0, W(), CH()), Style); });
    };
    const auto SameRing = [&](const QImage& I, const QImage& Expected) {
        return PixelsMatch(I, [&](int X, int Y, COLORREF& Want) {
            if (Y >= CH() || (X > 0 && X < W() - 1 && Y > 0 && Y < CH() - 1))
                return false;
            Want = ImagePixel(Expected, X, Y);
            return true;
        });
    };
    QImage I = GroupImage();
    EXPECT_TRUE(SameRing(I, Frame(fsPopup)));
    // Inside the frame the caption gradient runs down; the body fades
    // down into the group's colour.
    EXPECT_LT(GetBValue(ImagePixel(I, W() / 2, 3)), GetBValue(ImagePixel(I, W() / 2, CH() - 4)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, H() - 1, W(), H()), Rgb(clGray)));
    EXPECT_NE(ImagePixel(I, W() / 2, CH()), Rgb(clGray));

    MouseMove(G, {W() / 2, CH() / 2});
    EXPECT_TRUE(SameRing(GroupImage(), Frame(fsButtonUp)));
    MouseDown(G, {W() / 2, CH() / 2});
    EXPECT_TRUE(SameRing(GroupImage(), Frame(fsStatus)));
    MouseUp(G, {W() / 2, CH() / 2});

    // Classic: the caption in its colour, the body plain.
    Bar->SetVisualStyle(vsClassic);
    G->SetCaptionColor(clTeal);
    I = GroupImage();
    EXPECT_TRUE(RectHasColor(I, Rect(3, 3, 6, CH() - 3), Rgb(clTeal)));
    EXPECT_TRUE(RectHasColor(I, Rect(0, CH(), W(), H()), Rgb(clGray)));
}

TEST_F(GroupPaint, ATaskListCaptionSitsOnTheGroupsColourAboveItsDivider)
{
    Bar->SetStyle(gbsTaskList);
    G->SetColor(Body);
    G->SetDividerColor(Divider);
    QImage I = GroupImage();
    EXPECT_TRUE(RectHasColor(I, Rect(0, 0, W(), CH() - 1), Rgb(Body)));
    EXPECT_TRUE(PixelIs(I, W() - 1, CH() - 1, Rgb(Body)));
    EXPECT_GT(GetBValue(ImagePixel(I, W() - 10, CH() - 1)), GetBValue(ImagePixel(I, 0, CH() - 1)));
    Bar->SetVisualStyle(vsClassic);
    I = GroupImage();
    EXPECT_TRUE(RectHasColor(I, Rect(0, CH() - 1, W(), CH()), Rgb(Divider)));
}

// --- items ------------------------------------------------------------------------------------------------

TEST_F(GroupPaint, ItemsShowTheirStateInTheirTextColour)
{
    TFcGroupItem* Link = AddItem(G, "Openen");
    TFcGroupItem* Plain = AddItem(G, "~Tekst");
    TFcGroupItem* Off = AddItem(G, "Uit");
    Off->SetEnabled(false);
    QImage I = GroupImage();
    EXPECT_GT(CountColor(I, Rgb(ItemText), Link->CaptionRect()), 0);
    EXPECT_GT(CountColor(I, Rgb(StaticText), Plain->CaptionRect()), 0);
    EXPECT_GT(CountColor(I, Rgb(clBtnShadow), Off->CaptionRect()), 0);
    EXPECT_EQ(CountColor(I, Rgb(ItemText), Off->CaptionRect()), 0);

    // Hot: the hot colour, underlined; an item without a handler never.
    MouseMove(G, ItemPoint(Link));
    MouseMove(G, ItemPoint(Plain));
    MouseMove(G, ItemPoint(Plain));
    MouseMove(G, ItemPoint(Link));
    I = GroupImage();
    TRect Text = Link->CaptionRect();
    InflateRect(Text, 0, 2);
    EXPECT_GT(CountColor(I, Rgb(ItemHot), Text), 0);
    EXPECT_TRUE(HasLine(I, Text, Rgb(ItemHot), Link->CaptionRect().Width() - 2));
    EXPECT_EQ(CountColor(I, Rgb(ItemHot), Plain->CaptionRect()), 0);
    // Pressed: black mixed into the text colour.
    MouseDown(G, ItemPoint(Link));
    I = GroupImage();
    EXPECT_GT(CountColor(I, Rgb(MixColors(clBlack, ItemText, 50)), Text), 0);
    MouseUp(G, ItemPoint(Link));

    // On a group coloured like the disabled text, disabled items use the
    // button face.
    G->SetColor(clBtnShadow);
    I = GroupImage();
    EXPECT_GT(CountColor(I, Rgb(clBtnFace), Off->CaptionRect()), 0);
}

TEST_F(GroupPaint, AFontColourOfTheItemOverridesTheState)
{
    TFcGroupItem* Item = AddItem(G, "Rood");
    Item->SetFontColor(clRed);
    Item->SetFontStyle({fsBold});
    const QImage I = GroupImage();
    EXPECT_GT(CountColor(I, Rgb(clRed), Item->CaptionRect()), 0);
    EXPECT_EQ(CountColor(I, Rgb(ItemText), Item->CaptionRect()), 0);
}

TEST_F(GroupPaint, ImagesSitBeforeTheTextAndADisabledIndexShowsOnlyWhileDisabled)
{
    auto* Images = new TImageList(Form);
    Images->AddImage(Solid(clRed));
    Images->AddImage(Solid(clBlue));
    G->SetSmallImages(Images);
    TFcGroupItem* Item = AddItem(G, "Beeld");
    Item->SetImageIndex(0);
    Item->SetDisabledIndex(1);
    Item->SetIndentLevel(1);
    G->SetItemIndent(10);
    QImage I = GroupImage();
    const int Y = G->CaptionHeight() + 4 + (G->ItemHeight() - 16) / 2;
    EXPECT_EQ(Item->ImageRect(), Bounds(18, Y, 16, 16));
    EXPECT_TRUE(RectHasColor(I, Item->ImageRect(), Rgb(clRed)));
    EXPECT_EQ(Item->CaptionRect().Left, 8 + 16 + 4 + 10);
    Item->SetEnabled(false);
    I = GroupImage();
    EXPECT_TRUE(RectHasColor(I, Item->ImageRect(), Rgb(clBlue)));
    // Without a disabled image the image is drawn disabled.
    Item->SetDisabledIndex(-1);
    I = GroupImage();
    EXPECT_EQ(CountColor(I, Rgb(clRed), Item->ImageRect()), 0);
    EXPECT_EQ(CountColor(I, Rgb(clBlue), Item->ImageRect()), 0);
}

TEST_F(GroupPaint, ASelectionBoxShowsOnlyWithShowItemSelection)
{
    auto* Images = new TImageList(Form);
    Images->AddImage(Solid(clRed));
    G->SetSmallImages(Images);
    TFcGroupItem* Item = AddItem(G, "Gekozen");
    Item->SetImageIndex(0);
    G->SetSelectionFrameColor(clFuchsia);
    G->SetBorderColor(clBlack);
    Item->SetSelected(true);
    QImage I = GroupImage();
    EXPECT_EQ(CountColor(I, Rgb(clFuchsia), Rect(0, 0, W(), H())), 0);

    G->SetShowItemSelection(true);
    I = GroupImage();
    // Around the image and the text, two pixels out.
    TRect Box = Item->ImageRect();
    Box.Bottom = Box.Top + 16;
    Box.Right = Item->CaptionRect().Right;
    const TRect Found = BoundsOfColor(I, Rgb(clFuchsia));
    EXPECT_EQ(Found.Left, Box.Left - 2);
    EXPECT_LE(std::abs(Found.Right - (Box.Right + 2)), 2);

    G->SetItemSelectionStyle(issCaption);
    I = GroupImage();
    EXPECT_EQ(BoundsOfColor(I, Rgb(clFuchsia)).Left, Item->CaptionRect().Left - 2);
    G->SetItemSelectionStyle(issImage);
    I = GroupImage();
    EXPECT_EQ(BoundsOfColor(I, Rgb(clFuchsia)),
              Rect(Box.Left - 2, Item->ImageRect().Top - 2, Box.Left + 18, Item->ImageRect().Top + 18));
}

TEST_F(GroupPaint, SeparatorsFadeFromTheGroupColourToTheDividerColour)
{
    G->SetDividerVisible(false);
    AddItem(G, "-");
    AddItem(G, "a");
    AddItem(G, "-");
    AddItem(G, "b");
    const QImage I = GroupImage();
    // The first separator is at the top and draws nothing.
    const TRect Line = BoundsOfColor(I, Rgb(Divider));
    EXPECT_EQ(Line.Height(), 1);
    EXPECT_EQ(Line.Left, 8 + (W() - 16) / 2);
    EXPECT_TRUE(PixelIs(I, 8 + (W() - 16) / 2, Line.Top, Rgb(Divider)));
    EXPECT_TRUE(PixelIs(I, W() - 9, Line.Top, Rgb(Body)));
    EXPECT_GT(Line.Top, G->Items()->Items(1)->CaptionRect().Bottom);
}

TEST_F(GroupPaint, LargeItemsCentreTheirImageAboveTheirText)
{
    auto* Images = new TImageList(Form);
    Images->SetWidth(32);
    Images->SetHeight(32);
    Images->AddImage(Solid(clRed, 32));
    G->SetLargeImages(Images);
    G->SetItemStyle(isLarge);
    TFcGroupItem* Item = AddItem(G, "Groot");
    Item->SetImageIndex(0);
    const QImage I = GroupImage();
    EXPECT_EQ(Item->ImageRect(), Bounds((W() - 32) / 2, G->CaptionHeight() + 4 + 2, 32, 32));
    EXPECT_TRUE(RectHasColor(I, Item->ImageRect(), Rgb(clRed)));
    EXPECT_GE(Item->CaptionRect().Top, Item->ImageRect().Bottom);
    EXPECT_LE(std::abs((Item->CaptionRect().Left + Item->CaptionRect().Right) / 2 - W() / 2), 1);
}

TEST_F(GroupPaint, ALargeCaptionImageSticksOutAboveItsGroupOntoTheBar)
{
    auto* Images = new TImageList(Form);
    Images->SetWidth(32);
    Images->SetHeight(32);
    Images->AddImage(Solid(clRed, 32));
    Bar->SetLargeImages(Images);
    G->SetCaptionStyle(csLarge);
    G->SetCaptionImageIndex(0);
    EXPECT_EQ(G->CaptionOverflow(), 32 - 20 + 4);
    EXPECT_EQ(G->Top(), Bar->GroupBorderSize() + 16);
    const QImage I = FormImage(Bar);
    const TPoint O = G->ClientToScreen({0, 0});
    const TPoint F = Form->ClientToScreen({0, 0});
    // Above the group, on the bar, and inside the caption band.
    EXPECT_TRUE(PixelIs(I, O.X - F.X + 8 + 16, O.Y - F.Y - 4, Rgb(clRed)));
    EXPECT_TRUE(PixelIs(I, O.X - F.X + 8 + 16, O.Y - F.Y + 4, Rgb(clRed)));
}

TEST_F(GroupPaint, RepaintingAnyRowOfPixelsAloneGivesThePixelsOfAWholeRepaint)
{
    // Images taller than the rows, so that the selection box around them
    // reaches into the neighbouring rows; a separator; a hot item with its
    // underline and a selected one.
    auto* Images = new TImageList(Form);
    Images->SetWidth(24);
    Images->SetHeight(24);
    Images->AddImage(Solid(clRed, 24));
    G->SetSmallImages(Images);
    G->SetItemHeight(20);
    G->SetOpenedHeight(140);
    G->SetItemSelectionStyle(issImage);
    G->SetSelectionFrameColor(clFuchsia);
    for (const char* Text : {"Een", "Twee", "-", "Drie", "Vier"})
        AddItem(G, Text)->SetImageIndex(0);
    G->Items()->Items(1)->SetSelected(true);
    G->Items()->Items(3)->SetOnClick([](TObject*) {});
    G->Items()->Items(3)->SetHotState(HotOver);
    for (bool Shown : {true, false}) {
        G->SetShowItemSelection(Shown);
        const QImage Whole = GroupImage();
        for (int Y = 0; Y < H(); ++Y) {
            // Spoilt, then repainted alone: whatever paints there comes back.
            const TRect R = Rect(0, Y, W(), Y + 1);
            HDC DC = GetDC(G->Handle());
            HBRUSH Spoil = CreateSolidBrush(0);
            FillRect(DC, &R, Spoil);
            DeleteObject(Spoil);
            ReleaseDC(G->Handle(), DC);
            InvalidateRect(G->Handle(), &R, FALSE);
            if (!(GroupImage() == Whole)) {
                ADD_FAILURE() << "row " << Y << (Shown ? " with" : " without") << " the selection shown";
                break;
            }
        }
    }
}
