#include "tests/support/ImageHelpers.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext.h"

#include <QDir>

TTestSurface::TTestSurface(int Width, int Height, COLORREF Background, int BitsPixel)
{
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateBitmap(Width, Height, 1, unsigned(BitsPixel), nullptr);
    FOld = SelectObject(FDC, static_cast<HGDIOBJ>(FBitmap));
    Fill(Background);
}

TTestSurface::~TTestSurface()
{
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
}

const QImage& TTestSurface::Image() const
{
    return QtOf(FBitmap)->Image;
}

COLORREF TTestSurface::Pixel(int X, int Y) const
{
    return ImagePixel(Image(), X, Y);
}

void TTestSurface::Fill(COLORREF Color)
{
    QtOf(FBitmap)->Image.fill(ColorRefToQRgb(Color));
}

HDC CreateWindowDC(QImage* Window, TPoint Origin, const TRect& Visible)
{
    return new TDeviceContext(Window, Origin, Visible);
}

QImage PaintToImage(int Width, int Height, const std::function<void(TCanvas& Canvas)>& Paint, COLORREF Background)
{
    TBitmap Bitmap;
    Bitmap.SetSize(Width, Height);
    Bitmap.Canvas()->Brush()->SetColor(TColor(std::int32_t(Background & 0xFFFFFF)));
    Bitmap.Canvas()->FillRect(Rect(0, 0, Width, Height));
    Bitmap.Canvas()->Brush()->SetColor(clWhite);
    Paint(*Bitmap.Canvas());
    return Bitmap.Image().copy();
}

QString CurrentTestImageName(const QString& Suffix)
{
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString Name = Info ? QString::fromLatin1(Info->test_suite_name()) + QLatin1Char('.') +
                              QString::fromLatin1(Info->name())
                        : QStringLiteral("image");
    Name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return Name + Suffix;
}

QString SaveFailedImage(const QImage& Image, const QString& Name)
{
    QDir().mkpath(QStringLiteral("failed-images"));
    const QString Path = QDir(QStringLiteral("failed-images")).absoluteFilePath(Name + QStringLiteral(".png"));
    Image.save(Path, "PNG");
    return Path;
}

COLORREF ImagePixel(const QImage& Image, int X, int Y)
{
    if (X < 0 || Y < 0 || X >= Image.width() || Y >= Image.height())
        return COLORREF(CLR_INVALID);
    return QRgbToColorRef(Image.pixel(X, Y));
}

namespace {

::testing::AssertionResult Fail(const QImage& Image, const QString& Message)
{
    const QString Path = SaveFailedImage(Image, CurrentTestImageName());
    return ::testing::AssertionFailure() << Message.toStdString() << " (image saved to " << Path.toStdString()
                                         << ")";
}

QString Hex(COLORREF C)
{
    return QStringLiteral("0x%1").arg(C, 6, 16, QLatin1Char('0'));
}

} // namespace

::testing::AssertionResult PixelsMatch(const QImage& Image,
                                       const std::function<bool(int X, int Y, COLORREF& Expected)>& Expected)
{
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X) {
            COLORREF Want = 0;
            if (!Expected(X, Y, Want))
                continue;
            const COLORREF Got = ImagePixel(Image, X, Y);
            if (Got != Want)
                return Fail(Image, QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                       .arg(X)
                                       .arg(Y)
                                       .arg(Hex(Got), Hex(Want)));
        }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RectHasColor(const QImage& Image, const TRect& R, COLORREF Color)
{
    return PixelsMatch(Image, [&](int X, int Y, COLORREF& Want) {
        Want = Color;
        return PtInRect(R, {X, Y});
    });
}

::testing::AssertionResult PixelIs(const QImage& Image, int X, int Y, COLORREF Color)
{
    const COLORREF Got = ImagePixel(Image, X, Y);
    if (Got == Color)
        return ::testing::AssertionSuccess();
    return Fail(Image, QStringLiteral("pixel (%1, %2) is %3, expected %4").arg(X).arg(Y).arg(Hex(Got), Hex(Color)));
}

TRect BoundsOfColor(const QImage& Image, COLORREF Color)
{
    TRect R{};
    bool Any = false;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (ImagePixel(Image, X, Y) == Color) {
                if (!Any)
                    R = {X, Y, X + 1, Y + 1};
                UnionRect(R, R, {X, Y, X + 1, Y + 1});
                Any = true;
            }
    return R;
}

int CountColor(const QImage& Image, COLORREF Color, const TRect& R)
{
    int Count = 0;
    for (int Y = std::max(R.Top, 0); Y < std::min(R.Bottom, Image.height()); ++Y)
        for (int X = std::max(R.Left, 0); X < std::min(R.Right, Image.width()); ++X)
            if (ImagePixel(Image, X, Y) == Color)
                ++Count;
    return Count;
}

::testing::AssertionResult ColorOnlyInside(const QImage& Image, COLORREF Color, const TRect& R, bool RequireSome)
{
    const TRect B = BoundsOfColor(Image, Color);
    if (IsRectEmpty(B))
        return RequireSome ? Fail(Image, QStringLiteral("no pixel of colour %1").arg(Hex(Color)))
                           : ::testing::AssertionSuccess();
    TRect Both;
    IntersectRect(Both, B, R);
    if (Both != B)
        return Fail(Image, QStringLiteral("pixels of %1 span (%2, %3, %4, %5), outside (%6, %7, %8, %9)")
                               .arg(Hex(Color))
                               .arg(B.Left).arg(B.Top).arg(B.Right).arg(B.Bottom)
                               .arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom));
    return ::testing::AssertionSuccess();
}

namespace {

bool OpaquePixelsMatch(const QImage& Image, const QImage& Part, int Left, int Top)
{
    for (int Y = 0; Y < Part.height(); ++Y)
        for (int X = 0; X < Part.width(); ++X) {
            const QRgb P = Part.pixel(X, Y);
            if (qAlpha(P) == 255 && (Image.pixel(Left + X, Top + Y) & 0xFFFFFF) != (P & 0xFFFFFF))
                return false;
        }
    return true;
}

} // namespace

::testing::AssertionResult ShowsImage(const QImage& Image, const QImage& Part, const TRect& R, TPoint* Where)
{
    const QImage Source = Part.convertToFormat(QImage::Format_ARGB32);
    for (int Y = std::max(R.Top, 0); Y + Source.height() <= std::min(R.Bottom, Image.height()); ++Y)
        for (int X = std::max(R.Left, 0); X + Source.width() <= std::min(R.Right, Image.width()); ++X)
            if (OpaquePixelsMatch(Image, Source, X, Y)) {
                if (Where != nullptr)
                    *Where = {X, Y};
                return ::testing::AssertionSuccess();
            }
    return Fail(Image,
                QStringLiteral("the %1 x %2 image shows nowhere in (%3, %4, %5, %6)")
                    .arg(Source.width())
                    .arg(Source.height())
                    .arg(R.Left)
                    .arg(R.Top)
                    .arg(R.Right)
                    .arg(R.Bottom));
}
