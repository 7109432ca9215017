#include "controls/foundation/FcKindGlyphs.h"

#include <QImage>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int Cell = 18;
const QRgb Background = qRgb(128, 128, 0); // clOlive, the classic glyph background
const QRgb Shadow = qRgb(128, 128, 128); // clBtnShadow
const QRgb Highlight = qRgb(255, 255, 255); // clBtnHighlight

struct TKindInfo {
    const char* Word;
    const char* Caption;
    TModalResult Result;
};

// Indexed by TBitBtnKind.
const TKindInfo Kinds[] = {
    {"", "", mrNone},
    {"OK", "OK", mrOk},
    {"CANCEL", "Cancel", mrCancel},
    {"HELP", "&Help", mrNone},
    {"YES", "&Yes", mrYes},
    {"NO", "&No", mrNo},
    {"CLOSE", "&Close", mrNone},
    {"ABORT", "Abort", mrAbort},
    {"RETRY", "&Retry", mrRetry},
    {"IGNORE", "&Ignore", mrIgnore},
    {"ALL", "&All", mrAll},
};

// Draws on the up cell of an 18 x 18 picture.
class TArtist {
public:
    explicit TArtist(QImage& Image) : FImage(Image) {}

    void Dot(int X, int Y, QRgb Color, int Size)
    {
        for (int DY = 0; DY < Size; ++DY)
            for (int DX = 0; DX < Size; ++DX)
                if (X + DX >= 0 && X + DX < Cell && Y + DY >= 0 && Y + DY < Cell)
                    FImage.setPixel(X + DX, Y + DY, Color);
    }
    // A line Size pixels thick through the points, end points included.
    void Stroke(std::initializer_list<QPoint> Points, QRgb Color, int Size = 2)
    {
        const QPoint* Prev = nullptr;
        for (const QPoint& P : Points) {
            if (Prev != nullptr)
                Segment(*Prev, P, Color, Size);
            Prev = &P;
        }
    }
    // The pixels whose centres lie between the two radii of (CX, CY),
    // without its upper right quarter when Open.
    void Ring(double CX, double CY, double Inner, double Outer, QRgb Color, bool Open = false)
    {
        for (int Y = 0; Y < Cell; ++Y)
            for (int X = 0; X < Cell; ++X) {
                const double D = std::hypot(X - CX, Y - CY);
                if (D >= Inner && D <= Outer && !(Open && X > CX && Y < CY))
                    FImage.setPixel(X, Y, Color);
            }
    }

private:
    void Segment(QPoint A, QPoint B, QRgb Color, int Size)
    {
        const int Steps = std::max(std::abs(B.x() - A.x()), std::abs(B.y() - A.y()));
        for (int I = 0; I <= Steps; ++I) {
            const double T = Steps == 0 ? 0 : double(I) / Steps;
            Dot(int(std::lround(A.x() + (B.x() - A.x()) * T)), int(std::lround(A.y() + (B.y() - A.y()) * T)), Color,
                Size);
        }
    }
    QImage& FImage;
};

void DrawKind(TArtist& A, TBitBtnKind Kind)
{
    const QRgb Green = qRgb(0, 128, 0), Red = qRgb(192, 0, 0), Blue = qRgb(0, 0, 192), Brown = qRgb(128, 64, 0);
    switch (Kind) {
    case bkOK:
    case bkYes:
        A.Stroke({{3, 9}, {7, 13}, {14, 4}}, Green);
        break;
    case bkCancel:
        A.Stroke({{4, 4}, {13, 13}}, Red);
        A.Stroke({{13, 4}, {4, 13}}, Red);
        break;
    case bkHelp:
        A.Stroke({{5, 5}, {6, 3}, {8, 2}, {10, 2}, {12, 3}, {13, 5}, {12, 7}, {10, 8}, {9, 9}, {9, 11}}, Blue);
        A.Dot(9, 13, Blue, 2);
        break;
    case bkNo:
        A.Ring(8.5, 8.5, 5.5, 7.5, Red);
        A.Stroke({{4, 13}, {13, 4}}, Red);
        break;
    case bkClose:
        A.Stroke({{4, 2}, {13, 2}, {13, 15}, {4, 15}, {4, 2}}, Brown, 1);
        A.Stroke({{6, 4}, {11, 4}, {11, 13}, {6, 13}, {6, 4}}, Brown, 1);
        A.Dot(9, 8, Brown, 2);
        break;
    case bkAbort:
        A.Ring(8.5, 8.5, 0, 7.5, Red);
        A.Stroke({{5, 8}, {12, 8}}, Highlight);
        break;
    case bkRetry:
        A.Ring(8.5, 9.5, 4.5, 6.5, Green, true);
        A.Stroke({{7, 1}, {10, 4}, {7, 7}}, Green);
        break;
    case bkIgnore:
        A.Stroke({{2, 8}, {14, 8}}, Blue);
        A.Stroke({{10, 4}, {14, 8}, {10, 12}}, Blue);
        break;
    case bkAll:
        A.Stroke({{1, 9}, {4, 12}, {9, 4}}, Green);
        A.Stroke({{7, 10}, {10, 13}, {16, 4}}, Green);
        break;
    case bkCustom:
        break;
    }
}

// The disabled cell from the up cell: the shape in the shadow colour over
// a copy in the highlight colour one pixel down and right.
void Emboss(QImage& Image)
{
    for (int Y = 0; Y < Cell; ++Y)
        for (int X = 0; X < Cell; ++X) {
            QRgb Out = Background;
            if (Image.pixel(X, Y) != Background)
                Out = Shadow;
            else if (X > 0 && Y > 0 && Image.pixel(X - 1, Y - 1) != Background)
                Out = Highlight;
            Image.setPixel(Cell + X, Y, Out);
        }
}

std::unique_ptr<TBitmap> MakeKindBitmap(TBitBtnKind Kind)
{
    QImage Image(Cell * 2, Cell, QImage::Format_RGB32);
    Image.fill(Background);
    TArtist Artist(Image);
    DrawKind(Artist, Kind);
    Emboss(Image);
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetImage(Image);
    return Bitmap;
}

} // namespace

TBitmap* GetKindBitmap(TBitBtnKind Kind)
{
    static std::array<std::unique_ptr<TBitmap>, 11> Cache;
    if (Kind == bkCustom)
        return nullptr;
    std::unique_ptr<TBitmap>& Slot = Cache[std::size_t(Kind)];
    if (!Slot)
        Slot = MakeKindBitmap(Kind);
    return Slot.get();
}

String KindBitmapName(TBitBtnKind Kind)
{
    return Kind == bkCustom ? String() : QStringLiteral("FCCOMMON_") + QLatin1String(Kinds[Kind].Word);
}

String KindCaption(TBitBtnKind Kind)
{
    return QString::fromLatin1(Kinds[Kind].Caption);
}

TModalResult KindModalResult(TBitBtnKind Kind)
{
    return Kinds[Kind].Result;
}
