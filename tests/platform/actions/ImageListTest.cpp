// Image lists: cells cut from bitmaps, masks, drawing with alpha and in the
// classic disabled look (pixels), change links, and the images of a form
// definition (PNG data and icon names) read and written back.
#include "platform/actions/ImgList.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/ThemeIcons.h"
#include "tests/support/FormTextHelpers.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Face = 0xFFC0C0C0; // clBtnFace
constexpr QRgb Shadow = 0xFF808080; // clBtnShadow
constexpr QRgb Highlight = 0xFFFFFFFF; // clBtnHighlight

// A 4 x 4 image: a dark 2 x 2 square at (1, 1), a white pixel at (0, 0),
// the rest transparent.
QImage Sample()
{
    QImage I(4, 4, QImage::Format_ARGB32);
    I.fill(Qt::transparent);
    for (int Y = 1; Y <= 2; ++Y)
        for (int X = 1; X <= 2; ++X)
            I.setPixel(X, Y, 0xFF102030);
    I.setPixel(0, 0, 0xFFFFFFFF);
    return I;
}

struct Drawn {
    TBitmap Target;
    explicit Drawn(int W = 8, int H = 8)
    {
        QImage Back(W, H, QImage::Format_RGB32);
        Back.fill(Face);
        Target.SetImage(Back);
    }
    QRgb At(int X, int Y) const { return Target.Image().pixel(X, Y) | 0xFF000000u; }
};

TEST(ImageList, AddCutsAWideBitmapIntoCellsAndAMaskMakesPixelsTransparent)
{
    TImageList List(nullptr);
    List.SetWidth(4);
    List.SetHeight(4);
    QImage Strip(12, 4, QImage::Format_RGB32);
    Strip.fill(0xFF0000FF);
    TBitmap Image;
    Image.SetImage(Strip);
    TBitmap Mask;
    QImage M(12, 4, QImage::Format_RGB32);
    M.fill(Qt::black);
    M.setPixel(5, 0, 0xFFFFFFFF);
    Mask.SetImage(M);
    EXPECT_EQ(List.Add(&Image, &Mask), 0);
    EXPECT_EQ(List.Count(), 3);
    EXPECT_EQ(qAlpha(List.GetImage(1).pixel(1, 0)), 0);
    EXPECT_EQ(List.GetImage(1).pixel(2, 0), 0xFF0000FFu);
    // A new size empties the list, as classically.
    List.SetWidth(8);
    EXPECT_EQ(List.Count(), 0);
}

TEST(ImageList, AddMaskedTakesTheBottomLeftColourByDefault)
{
    TImageList List(nullptr);
    List.SetWidth(4);
    List.SetHeight(4);
    QImage Pic(4, 4, QImage::Format_RGB32);
    Pic.fill(0xFFFF00FF);
    Pic.setPixel(1, 1, 0xFF00FF00);
    TBitmap Image;
    Image.SetImage(Pic);
    ASSERT_EQ(List.AddMasked(&Image, clDefault), 0);
    EXPECT_EQ(qAlpha(List.GetImage(0).pixel(0, 0)), 0);
    EXPECT_EQ(List.GetImage(0).pixel(1, 1), 0xFF00FF00u);
}

TEST(ImageList, DrawBlendsByAlphaAndLeavesTransparentPixelsAlone)
{
    TImageList List(nullptr);
    List.SetWidth(4);
    List.SetHeight(4);
    QImage I = Sample();
    I.setPixel(3, 3, qRgba(255, 0, 0, 128));
    List.AddImage(I);
    Drawn D;
    List.Draw(D.Target.Canvas(), 2, 2, 0, true);
    EXPECT_EQ(D.At(3, 3), 0xFF102030u);
    EXPECT_EQ(D.At(2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(D.At(2, 3), Face);
    // Half red over the face colour.
    EXPECT_EQ(D.At(5, 5), qRgb((255 * 128 + 192 * 127 + 127) / 255, (192 * 127 + 127) / 255, (192 * 127 + 127) / 255));
    EXPECT_EQ(D.At(6, 6), Face);
}

TEST(ImageList, DisabledDrawingIsTheClassicEmbossedInk)
{
    TImageList List(nullptr);
    List.SetWidth(4);
    List.SetHeight(4);
    List.AddImage(Sample());
    Drawn D;
    List.Draw(D.Target.Canvas(), 2, 2, 0, false);
    // The dark square in the shadow colour; its copy one pixel down and to
    // the right shows in the highlight colour where the square is not.
    for (int Y = 3; Y <= 4; ++Y)
        for (int X = 3; X <= 4; ++X)
            EXPECT_EQ(D.At(X, Y), Shadow) << X << "," << Y;
    EXPECT_EQ(D.At(5, 4), Highlight);
    EXPECT_EQ(D.At(4, 5), Highlight);
    EXPECT_EQ(D.At(5, 5), Highlight);
    // White and transparent pixels drop out of the disabled look.
    EXPECT_EQ(D.At(2, 2), Face);
    EXPECT_EQ(D.At(3, 5), Face);
    EXPECT_EQ(D.At(5, 3), Face);
    // An index outside the list draws nothing.
    Drawn Untouched;
    List.Draw(Untouched.Target.Canvas(), 0, 0, 5, false);
    EXPECT_EQ(Untouched.At(1, 1), Face);
}

TEST(ImageList, GetBitmapGivesTheImageOnWhite)
{
    TImageList List(nullptr);
    List.SetWidth(4);
    List.SetHeight(4);
    List.AddImage(Sample());
    TBitmap B;
    ASSERT_TRUE(List.GetBitmap(0, &B));
    EXPECT_EQ(B.Width(), 4);
    EXPECT_EQ(B.Image().pixel(1, 1) | 0xFF000000u, 0xFF102030u);
    EXPECT_EQ(B.Image().pixel(3, 3) | 0xFF000000u, 0xFFFFFFFFu);
    EXPECT_FALSE(List.GetBitmap(1, &B));
}

TEST(ImageList, ChangeLinksHearEveryChangeAndForgetAListThatGoes)
{
    auto* List = new TImageList(nullptr);
    List->SetWidth(4);
    List->SetHeight(4);
    TChangeLink Link;
    int Changes = 0;
    Link.SetOnChange([&](TObject*) { ++Changes; });
    List->RegisterChanges(&Link);
    List->AddImage(Sample());
    List->AddImage(Sample());
    List->Delete(0);
    EXPECT_EQ(Changes, 3);
    EXPECT_THROW(List->Delete(7), EInvalidOperation);
    List->Free();
    EXPECT_EQ(Link.Sender(), nullptr);
}

TEST(ImageList, IconsComeFromTheTangoTheme)
{
    const QImage Icon = ThemeIconImage(QStringLiteral("document-open"), 16, 16);
    ASSERT_FALSE(Icon.isNull()) << "the Tango icon theme (tango-icon-theme) is missing";
    EXPECT_EQ(Icon.size(), QSize(16, 16));
    EXPECT_TRUE(Icon.hasAlphaChannel());
    TImageList List(nullptr);
    EXPECT_EQ(List.AddIconName(QStringLiteral("document-open")), 0);
    EXPECT_EQ(List.AddIconName(QStringLiteral("no-such-icon-anywhere")), -1);
    EXPECT_EQ(List.IconName(0), QStringLiteral("document-open"));
}

QByteArray PngHex(const QImage& Image)
{
    QByteArray Data;
    QBuffer B(&Data);
    B.open(QIODevice::WriteOnly);
    Image.save(&B, "PNG");
    return Data.toHex().toUpper();
}

TEST(ImageList, FormDataHoldsIconNamesAndPngImagesInTheirOrder)
{
    QImage Two(8, 4, QImage::Format_ARGB32);
    Two.fill(0xFF00FF00);
    const QByteArray Text =
        "object Images: TImageList\n  Width = 4\n  Height = 4\n  Images = (\n    'edit-delete'\n    {" + PngHex(Two)
        + "}\n    'no-such-icon-anywhere')\nend\n";
    auto List = ReadRoot<TImageList>(Text);
    ASSERT_EQ(List->Count(), 4);
    EXPECT_EQ(List->IconName(0), QStringLiteral("edit-delete"));
    EXPECT_EQ(List->GetImage(1).pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(List->GetImage(2).pixel(3, 3), 0xFF00FF00u);
    // A missing icon keeps its place, so the indexes after it hold.
    EXPECT_EQ(List->IconName(3), QStringLiteral("no-such-icon-anywhere"));
    const QByteArray Written = WriteComponentToText(List.get());
    auto Again = ReadRoot<TImageList>(Written);
    EXPECT_EQ(WriteComponentToText(Again.get()), Written);
    EXPECT_EQ(Again->Count(), 4);
}

} // namespace
