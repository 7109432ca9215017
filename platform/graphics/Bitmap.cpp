#include "platform/graphics/Bitmap.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/GdiObjects.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <map>
#include <utility>

REGISTER_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom)
REGISTER_ENUM(TTransparentMode, tmAuto, tmFixed)
REGISTER_CLASS(TBitmap, TPersistent)
END_REGISTER

// The bitmap's canvas: a memory context with the bitmap selected, made
// when first drawn on.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext()
    {
        HDC DC = HandleAllocated() ? Handle() : nullptr;
        SetHandle(nullptr);
        if (DC != nullptr) {
            SelectObject(DC, FOldBitmap);
            DeleteDC(DC);
        }
    }

protected:
    void CreateHandle() override
    {
        HDC DC = CreateCompatibleDC(nullptr);
        FOldBitmap = SelectObject(DC, FBitmap->FHandle);
        SetHandle(DC);
    }

private:
    TBitmap* FBitmap;
    HBITMAP FOldBitmap = nullptr;
};

namespace {

QRgb MonoPixel(QRgb P)
{
    return qRed(P) + qGreen(P) + qBlue(P) >= 383 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}

} // namespace

TBitmap::TBitmap() : FHandle(new TQtBitmap(0, 0, 32))
{
    GdiAcquire(FHandle);
}

TBitmap::~TBitmap()
{
    FCanvas.reset();
    DeleteObject(FHandle);
    GdiRelease(FHandle);
}

void TBitmap::Changed()
{
    TGraphic::Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->SetOnChange([this](TObject*) {
            ForgetIconName();
            Changed();
        });
    }
    return FCanvas.get();
}

bool TBitmap::Empty() const
{
    return QtOf(FHandle)->Image.isNull();
}

// A bitmap given only one dimension so far has no image yet but keeps that
// dimension, so "Width := 320; Height := 200" makes a 320 x 200 bitmap.
int TBitmap::Width() const
{
    return Empty() ? FEmptyWidth : QtOf(FHandle)->Image.width();
}

int TBitmap::Height() const
{
    return Empty() ? FEmptyHeight : QtOf(FHandle)->Image.height();
}

void TBitmap::SetWidth(int Value)
{
    SetSize(Value, Height());
}

void TBitmap::SetHeight(int Value)
{
    SetSize(Width(), Value);
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == Width() && AHeight == Height())
        return;
    ForgetIconName();
    QImage& Img = QtOf(FHandle)->Image;
    if (AWidth == 0 || AHeight == 0) {
        FreeContext();
        Img = QImage();
        FEmptyWidth = AWidth;
        FEmptyHeight = AHeight;
    } else {
        const QImage::Format Format = Img.isNull() ? QImage::Format_RGB32 : Img.format();
        QImage New(AWidth, AHeight, Format);
        if (New.isNull())
            throw EOutOfResources(QStringLiteral("Out of system resources"));
        FreeContext();
        if (Format == QImage::Format_ARGB32)
            New.fill(qRgba(0, 0, 0, 0));
        else
            New = BackgroundImage(New);
        const int W = std::min(AWidth, Img.width()), H = std::min(AHeight, Img.height());
        for (int Y = 0; Y < H; ++Y)
            std::copy_n(reinterpret_cast<const QRgb*>(Img.constScanLine(Y)), W,
                        reinterpret_cast<QRgb*>(New.scanLine(Y)));
        Img = New;
    }
    Changed();
}

// A new image starts white, or in the canvas's brush once the bitmap has a
// canvas, as classic bitmaps do: callers draw glyphs on a fresh bitmap and
// take its untouched pixels as the transparent colour.
QImage TBitmap::BackgroundImage(const QImage& Blank) const
{
    QImage Result = Blank;
    if (!FCanvas) {
        Result.fill(qRgb(255, 255, 255));
        return Result;
    }
    Result.fill(qRgb(0, 0, 0));
    HBITMAP Temp = CreateBitmap(0, 0, 1, unsigned(FHandle->BitsPixel), nullptr);
    QtOf(Temp)->Image = Result;
    HDC DC = CreateCompatibleDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Temp);
    const TRect All = Rect(0, 0, Result.width(), Result.height());
    ::FillRect(DC, &All, FCanvas->Brush()->Handle());
    SelectObject(DC, Old);
    DeleteDC(DC);
    Result = QtOf(Temp)->Image;
    DeleteObject(Temp);
    return Result;
}

// Changing the image gives the canvas a fresh context for its next
// drawing (clip, origin and selections start over), as classically.
void TBitmap::FreeContext()
{
    if (FCanvas)
        static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (FPixelFormat == Value)
        return;
    ForgetIconName();
    FreeContext();
    FPixelFormat = Value;
    QImage& Img = QtOf(FHandle)->Image;
    FHandle->BitsPixel = Value == pf1bit ? 1 : 32;
    if (Value == pf1bit && !Img.isNull()) {
        if (Img.format() != QImage::Format_RGB32)
            Img = Img.convertToFormat(QImage::Format_RGB32);
        for (int Y = 0; Y < Img.height(); ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(Img.scanLine(Y));
            for (int X = 0; X < Img.width(); ++X)
                Line[X] = MonoPixel(Line[X]);
        }
    } else if (Value != pf32bit && !Img.isNull() && Img.format() == QImage::Format_ARGB32) {
        Img = Img.convertToFormat(QImage::Format_RGB32);
    }
    Changed();
}

void TBitmap::SetMonochrome(bool Value)
{
    if (Value != Monochrome())
        SetPixelFormat(Value ? pf1bit : pfDevice);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    return TColor(std::int32_t(QRgbToColorRef(QtOf(FHandle)->Image.pixel(0, Height() - 1))));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    if (FTransparentColor == Value && FTransparentMode == (Value == clDefault ? tmAuto : tmFixed))
        return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (!AssignIfChanged(FTransparentMode, Value))
        return;
    if (Value == tmAuto)
        FTransparentColor = clDefault;
    Changed();
}

void TBitmap::SetImage(const QImage& Value)
{
    ForgetIconName();
    FreeContext();
    QImage& Img = QtOf(FHandle)->Image;
    FEmptyWidth = FEmptyHeight = 0;
    if (Value.isNull())
        Img = QImage();
    else if (Value.hasAlphaChannel())
        Img = Value.convertToFormat(QImage::Format_ARGB32);
    else
        Img = Value.convertToFormat(QImage::Format_RGB32);
    FPixelFormat = Img.isNull() ? pfDevice : Img.hasAlphaChannel() ? pf32bit : pf24bit;
    FHandle->BitsPixel = 32;
    Changed();
}

void TBitmap::Assign(TPersistent* Source)
{
    if (Source == nullptr) {
        SetImage(QImage());
        return;
    }
    if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        if (B == this)
            return;
        FreeContext();
        QtOf(FHandle)->Image = QtOf(B->FHandle)->Image.copy();
        FEmptyWidth = B->FEmptyWidth;
        FEmptyHeight = B->FEmptyHeight;
        FHandle->BitsPixel = B->FHandle->BitsPixel;
        FPixelFormat = B->FPixelFormat;
        FTransparentColor = B->FTransparentColor;
        FTransparentMode = B->FTransparentMode;
        TGraphic::SetTransparent(B->Transparent());
        CopyIconName(*B);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::LoadFromStream(QIODevice& Stream)
{
    const QByteArray Data = Stream.readAll();
    if (Data.isEmpty()) {
        SetImage(QImage());
        return;
    }
    QImage Img;
    if (!Img.loadFromData(Data) || Img.isNull()) {
        // Classic form data carries a little-endian size before the image.
        if (Data.size() > 4) {
            const quint32 Size = quint32(quint8(Data[0])) | quint32(quint8(Data[1])) << 8 |
                                 quint32(quint8(Data[2])) << 16 | quint32(quint8(Data[3])) << 24;
            if (Size == quint32(Data.size() - 4))
                Img.loadFromData(Data.mid(4));
        }
        if (Img.isNull())
            throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
    }
    const bool Mono = Monochrome();
    SetImage(Img);
    if (Mono) {
        FPixelFormat = pfDevice;
        SetPixelFormat(pf1bit);
    }
}

void TBitmap::SaveToStream(QIODevice& Stream)
{
    if (Empty())
        return;
    if (!QtOf(FHandle)->Image.save(&Stream, "PNG"))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot save the bitmap"));
}

void TBitmap::LoadFromResourceName(std::uintptr_t, const String& ResName)
{
    String Path;
    for (const String& Name : {ResName, ResName + QStringLiteral(".png"), ResName + QStringLiteral(".bmp")}) {
        Path = FindResourceFile(Name);
        if (!Path.isEmpty())
            break;
    }
    if (Path.isEmpty())
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
    LoadFromStream(File);
}

QRgb* TBitmap::ScanLine(int Row)
{
    if (Row < 0 || Row >= Height())
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    // The caller may write through it.
    ForgetIconName();
    return reinterpret_cast<QRgb*>(QtOf(FHandle)->Image.scanLine(Row));
}

const QImage& TBitmap::Image() const
{
    return QtOf(FHandle)->Image;
}

void TBitmap::DefineProperties(TFiler& Filer)
{
    DefineImageData(Filer, this,
                    {[this](const String& Name, int Size) { LoadFromIconName(Name, Size); },
                     [this](const QByteArray& Data) { LoadFromData(Data); }, [this] { return SaveToData(); }});
}

void TBitmap::SetIconPixels(const QImage& Image)
{
    SetImage(Image);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (ACanvas == nullptr || Empty())
        return;
    // A monochrome bitmap paints its 0 bits in the font colour and its 1
    // bits in the brush colour of the canvas it is drawn on.
    ACanvas->RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
    HDC Dest = ACanvas->FHandle;
    HDC Src = Canvas()->Handle();
    const bool Alpha = QtOf(FHandle)->Image.format() == QImage::Format_ARGB32;
    if (!Transparent() && !Alpha) {
        StretchBlt(Dest, R.Left, R.Top, R.Width(), R.Height(), Src, 0, 0, Width(), Height(), ACanvas->CopyMode());
        return;
    }
    // Through a monochrome mask: from the transparent colour, or where an
    // image with an alpha channel is less than half opaque.
    HDC MaskDC = CreateCompatibleDC(nullptr);
    HBITMAP Mask = CreateBitmap(Width(), Height(), 1, 1, nullptr);
    HGDIOBJ Old = SelectObject(MaskDC, Mask);
    if (Transparent()) {
        const COLORREF OldBk = SetBkColor(Src, ColorToRGB(TransparentColor()));
        BitBlt(MaskDC, 0, 0, Width(), Height(), Src, 0, 0, SRCCOPY);
        SetBkColor(Src, OldBk);
    }
    if (Alpha) {
        QImage& M = QtOf(Mask)->Image;
        const QImage& Img = QtOf(FHandle)->Image;
        for (int Y = 0; Y < Height(); ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(M.scanLine(Y));
            const auto* Pix = reinterpret_cast<const QRgb*>(Img.constScanLine(Y));
            for (int X = 0; X < Width(); ++X)
                if (qAlpha(Pix[X]) < 128)
                    Line[X] = qRgb(255, 255, 255);
        }
    }
    TransparentStretchBlt(Dest, R.Left, R.Top, R.Width(), R.Height(), Src, 0, 0, Width(), Height(), MaskDC, 0, 0);
    SelectObject(MaskDC, Old);
    DeleteObject(Mask);
    DeleteDC(MaskDC);
}

TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor)
{
    // Kept to the end of the program (bitmaps made here are handed out
    // and may be selected until then).
    static auto* Patterns = new std::map<std::pair<COLORREF, COLORREF>, std::unique_ptr<TBitmap>>;
    const std::pair<COLORREF, COLORREF> Key{ColorToRGB(BkColor), ColorToRGB(FgColor)};
    std::unique_ptr<TBitmap>& Slot = (*Patterns)[Key];
    if (!Slot) {
        auto B = std::make_unique<TBitmap>();
        B->SetSize(8, 8);
        for (int Y = 0; Y < 8; ++Y) {
            QRgb* Line = B->ScanLine(Y);
            for (int X = 0; X < 8; ++X)
                Line[X] = ColorRefToQRgb(X % 2 == Y % 2 ? Key.second : Key.first);
        }
        Slot = std::move(B);
    }
    return Slot.get();
}
