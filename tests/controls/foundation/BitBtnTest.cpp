// The bit button: the standard kinds and when a button stops being one,
// the glyph's place and the caption's room for each layout, margin and
// spacing, which cell is drawn, image lists, and kinds in form definitions.
#include "controls/foundation/FcBitBtn.h"
#include "platform/classes/Filer.h"
#include "tests/controls/foundation/ButtonFixture.h"

#include <gtest/gtest.h>

namespace {

// Shows the caption's rectangle, which the button keeps to itself.
class TProbeBitBtn : public TFcBitBtn {
public:
    using TFcBitBtn::TFcBitBtn;
    TRect CaptionRect()
    {
        TRect R;
        GetCaptionRect(R);
        return R;
    }
    TRect GlyphRect()
    {
        TRect R;
        GetGlyphRect(R);
        return R;
    }
};

struct BitButtons : TControlForm {
    TProbeBitBtn* Button(int Width = 100, int Height = 40)
    {
        auto* B = Add<TProbeBitBtn>(Bounds(10, 10, Width, Height));
        B->SetCaption(QString());
        return B;
    }
};

} // namespace

TEST_F(BitButtons, AKindMakesAStandardButtonUntilOneOfItsPartsChanges)
{
    auto* B = Button();
    B->SetKind(bkOK);
    EXPECT_EQ(B->Kind(), bkOK);
    EXPECT_TRUE(B->Default());
    EXPECT_FALSE(B->Cancel());
    EXPECT_EQ(B->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(B->ModalResult(), mrOk);
    EXPECT_EQ(B->NumGlyphs(), 2);
    EXPECT_EQ(B->GetGlyphSize(), (TSize{18, 18}));
    B->SetDefault(false);
    EXPECT_EQ(B->Kind(), bkCustom);

    B->SetKind(bkNo);
    EXPECT_TRUE(B->Cancel());
    EXPECT_EQ(B->ModalResult(), mrNo);
    EXPECT_EQ(B->Caption(), QStringLiteral("&No"));
    const auto Glyph = CellGlyph(16, {Cell0});
    B->SetGlyph(Glyph.get());
    EXPECT_EQ(B->Kind(), bkCustom);
}

TEST_F(BitButtons, EveryKindHasItsCaptionResultRoleAndTwoCellGlyph)
{
    const struct {
        TBitBtnKind Kind;
        const char* Caption;
        TModalResult Result;
        bool Default, Cancel;
    } Kinds[] = {
        {bkOK, "OK", mrOk, true, false},
        {bkCancel, "Cancel", mrCancel, false, true},
        {bkHelp, "&Help", mrNone, false, false},
        {bkYes, "&Yes", mrYes, true, false},
        {bkNo, "&No", mrNo, false, true},
        {bkClose, "&Close", mrNone, false, false},
        {bkAbort, "Abort", mrAbort, false, false},
        {bkRetry, "&Retry", mrRetry, false, false},
        {bkIgnore, "&Ignore", mrIgnore, false, false},
        {bkAll, "&All", mrAll, false, false},
    };
    for (const auto& K : Kinds) {
        auto* B = Button();
        B->SetKind(K.Kind);
        EXPECT_EQ(B->Kind(), K.Kind);
        EXPECT_EQ(B->Caption(), QString::fromLatin1(K.Caption));
        EXPECT_EQ(B->ModalResult(), K.Result);
        EXPECT_EQ(B->Default(), K.Default);
        EXPECT_EQ(B->Cancel(), K.Cancel);
        TBitmap* Art = GetKindBitmap(K.Kind);
        ASSERT_NE(Art, nullptr);
        EXPECT_EQ(Art->Width(), 36);
        EXPECT_EQ(Art->Height(), 18);
        EXPECT_EQ(GetKindBitmap(K.Kind), Art); // made once
        EXPECT_EQ(KindBitmapName(K.Kind),
                  QStringLiteral("FCCOMMON_") + QString::fromLatin1(K.Caption).remove('&').toUpper());
    }
}

TEST_F(BitButtons, GlyphAndCaptionPlacesForEachLayout)
{
    // A 16 x 16 glyph in a 100 x 40 button: the caption area starts as the
    // client inset by 5, (5, 5, 95, 35).
    const auto Glyph = CellGlyph(16, {Cell0});
    const struct {
        TButtonLayout Layout;
        int Margin, Spacing;
        TRect Glyph, Caption;
    } Cases[] = {
        {blGlyphLeft, 2, 4, Rect(7, 12, 23, 28), Rect(27, 5, 95, 35)},
        {blGlyphRight, 2, 4, Rect(77, 12, 93, 28), Rect(5, 5, 73, 35)},
        {blGlyphTop, 2, 4, Rect(42, 7, 58, 23), Rect(5, 27, 95, 35)},
        {blGlyphBottom, 2, 4, Rect(42, 17, 58, 33), Rect(5, 5, 95, 13)},
        {blGlyphLeft, 0, 0, Rect(5, 12, 21, 28), Rect(21, 5, 95, 35)},
        // Margin -1: the glyph at the caption area's edge, the caption
        // Spacing - 1 after it.
        {blGlyphLeft, -1, 4, Rect(5, 12, 21, 28), Rect(24, 5, 95, 35)},
        {blGlyphRight, -1, 4, Rect(79, 12, 95, 28), Rect(5, 5, 76, 35)},
    };
    for (const auto& C : Cases) {
        auto* B = Button();
        B->SetGlyph(Glyph.get());
        B->SetLayout(C.Layout);
        B->SetMargin(C.Margin);
        B->SetSpacing(C.Spacing);
        EXPECT_EQ(B->GlyphRect(), C.Glyph) << int(C.Layout) << ' ' << C.Margin;
        EXPECT_EQ(B->CaptionRect(), C.Caption) << int(C.Layout) << ' ' << C.Margin;
        EXPECT_TRUE(PixelIs(Shown(B), C.Glyph.Left + 1, C.Glyph.Top + 1, Cell0));
    }
}

TEST_F(BitButtons, WithMarginMinusOneTheGlyphStartsTheCaptionAreaAndTheCaptionFollowsSpacingMinusOneAfter)
{
    const auto Glyph = CellGlyph(16, {Cell0});
    auto* B = Button();
    B->SetGlyph(Glyph.get());
    B->SetMargin(-1);
    B->SetSpacing(6);
    const TRect G = B->GlyphRect(), T = B->CaptionRect();
    EXPECT_EQ(G.Left, 5);
    EXPECT_EQ(T.Left - G.Right, 6 - 1);
}

TEST_F(BitButtons, AStackedPairWithMarginMinusOneIsCentredInTheButton)
{
    const auto Glyph = CellGlyph(16, {Cell0});
    auto* B = Button(100, 60);
    B->SetCaption(QStringLiteral("Hg"));
    B->SetGlyph(Glyph.get());
    B->SetMargin(-1);
    B->SetLayout(blGlyphTop);
    const TRect Text = B->CaptionRect();
    const int H = Text.Height();
    const int Free = (60 - (16 + H + 4)) / 2;
    EXPECT_EQ(B->GlyphRect().Top, Free);
    EXPECT_EQ(Text.Top, 5 + Free + 16);
    B->SetLayout(blGlyphBottom);
    EXPECT_EQ(B->CaptionRect().Top, 5 + Free);
    EXPECT_EQ(B->GlyphRect().Top, 5 + H + Free);
}

TEST_F(BitButtons, AMarginBelowMinusOneIsIgnored)
{
    auto* B = Button();
    B->SetMargin(-1);
    B->SetMargin(-2);
    EXPECT_EQ(B->Margin(), -1);
}

TEST_F(BitButtons, TheCellDrawnFollowsTheState)
{
    TColorStateGuard Guard(false);
    const auto Glyph = CellGlyph(16, {Cell0, Cell1, Cell2, Cell3});
    auto* B = Button();
    B->SetGlyph(Glyph.get());
    ASSERT_EQ(B->NumGlyphs(), 4);
    auto Shows = [&](COLORREF Cell) { return CountColor(Shown(B), Cell, Rect(0, 0, 100, 40)) == 14 * 14; };
    EXPECT_TRUE(Shows(Cell0));
    B->SetEnabled(false);
    EXPECT_TRUE(Shows(Cell1));
    B->SetEnabled(true);
    MouseDown(B, {50, 20});
    EXPECT_TRUE(Shows(Cell2));
    // Held, the glyph moves with the caption by a pixel.
    EXPECT_EQ(B->GlyphRect(), Rect(8, 13, 24, 29));
    MouseUp(B, {50, 20});
    B->SetGroupIndex(1);
    B->SetShowDownPattern(false);
    B->SetDown(true);
    EXPECT_TRUE(Shows(Cell3));
    // A one-cell glyph shows its only cell, disabled too.
    const auto One = CellGlyph(16, {Cell0});
    auto* C = Button();
    C->SetGlyph(One.get());
    C->SetEnabled(false);
    EXPECT_TRUE(CountColor(Shown(C), Cell0, Rect(0, 0, 100, 40)) == 14 * 14);
}

TEST_F(BitButtons, AKindGlyphIsCutAndDrawnInItsOwnSizeWhateverTheImageList)
{
    TColorStateGuard Guard(false);
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    const auto Picture = CellGlyph(16, {Cell3});
    Images.AddMasked(Picture.get(), clDefault);
    auto* B = Button();
    B->SetImages(&Images);
    B->SetImageIndex(0);
    // A custom button shows the image ...
    EXPECT_EQ(B->GetGlyphSize(), (TSize{16, 16}));
    EXPECT_EQ(CountColor(Shown(B), Cell3, Rect(0, 0, 100, 40)), 14 * 14);
    // ... a kind its glyph, laid out, cut and drawn at 18 x 18.
    B->SetKind(bkCancel);
    EXPECT_EQ(B->GetGlyphSize(), (TSize{18, 18}));
    const TRect G = B->GlyphRect();
    EXPECT_EQ(G.Width(), 18);
    const QImage I = Shown(B);
    EXPECT_EQ(CountColor(I, Cell3, Rect(0, 0, 100, 40)), 0);
    // The up cell of the art: its red cross, none of the disabled cell's grey.
    EXPECT_GT(CountColor(I, 0x0000C0, G), 0);
    B->SetImages(nullptr);
    EXPECT_EQ(B->Images(), nullptr);
}

TEST_F(BitButtons, ImagesFromAListWithADisabledIndex)
{
    TColorStateGuard Guard(false);
    TImageList Images(nullptr);
    const auto Up = CellGlyph(16, {Cell0});
    const auto Off = CellGlyph(16, {Cell1});
    Images.AddMasked(Up.get(), clDefault);
    Images.AddMasked(Off.get(), clDefault);
    auto* B = Button();
    B->SetImages(&Images);
    B->SetImageIndex(0);
    B->SetDisabledIndex(1);
    EXPECT_EQ(CountColor(Shown(B), Cell0, Rect(0, 0, 100, 40)), 14 * 14);
    B->SetEnabled(false);
    EXPECT_EQ(CountColor(Shown(B), Cell1, Rect(0, 0, 100, 40)), 14 * 14);
}

TEST_F(BitButtons, KindsInFormDefinitions)
{
    using TOwned = std::unique_ptr<TFcBitBtn, TComponentDeleter>;
    TOwned B(new TFcBitBtn(nullptr));
    B->SetName(QStringLiteral("Knop"));
    B->SetKind(bkCancel);
    B->SetCaption(QStringLiteral("Afbreken"));
    const QByteArray Text = WriteComponentToText(B.get());
    // The kind supplies its role, result and glyph; the caption is its own.
    EXPECT_TRUE(Text.contains("Kind = bkCancel"));
    EXPECT_TRUE(Text.contains("Caption = 'Afbreken'"));
    for (const char* Left : {"Cancel =", "Default =", "ModalResult", "Glyph", "NumGlyphs"})
        EXPECT_FALSE(Text.contains(Left)) << Left;

    TOwned Back(new TFcBitBtn(nullptr));
    ReadComponentFromText(Text, Back.get(), QStringLiteral("kind.form"));
    EXPECT_EQ(Back->Kind(), bkCancel);
    EXPECT_EQ(Back->Caption(), QStringLiteral("Afbreken"));
    EXPECT_TRUE(Back->Cancel());
    EXPECT_EQ(WriteComponentToText(Back.get()), Text);

    // The kind's own caption is not written.
    B->SetCaption(QStringLiteral("Cancel"));
    EXPECT_FALSE(WriteComponentToText(B.get()).contains("Caption"));
}
