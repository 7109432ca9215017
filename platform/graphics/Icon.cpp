#include "platform/graphics/Icon.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiObjects.h"

REGISTER_CLASS(TIcon, TPersistent)
END_REGISTER

void TIcon::Assign(TPersistent* Source)
{
    if (auto* I = dynamic_cast<TIcon*>(Source)) {
        if (I != this) {
            SetImage(I->FImage);
            CopyIconName(*I);
        }
        return;
    }
    if (Source == nullptr) {
        SetImage(QImage());
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::DefineProperties(TFiler& Filer)
{
    DefineImageData(Filer, this,
                    {[this](const String& Name, int Size) { LoadFromIconName(Name, Size); },
                     [this](const QByteArray& Data) { LoadFromData(Data); }, [this] { return SaveToData(); }});
}

void TIcon::SetWidth(int)
{
    throw EInvalidGraphicOperation(QStringLiteral("Cannot change the size of an icon"));
}

void TIcon::SetHeight(int)
{
    throw EInvalidGraphicOperation(QStringLiteral("Cannot change the size of an icon"));
}

void TIcon::SetImage(const QImage& Value)
{
    ForgetIconName();
    FImage = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_ARGB32);
    Changed();
}

void TIcon::LoadFromStream(QIODevice& Stream)
{
    const QByteArray Data = Stream.readAll();
    QImage Img;
    if (!Data.isEmpty() && (!Img.loadFromData(Data) || Img.isNull()))
        throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
    SetImage(Img);
}

void TIcon::SaveToStream(QIODevice& Stream)
{
    if (!Empty() && !FImage.save(&Stream, "PNG"))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot save the icon"));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (ACanvas == nullptr || Empty())
        return;
    const int W = Width(), H = Height();
    HDC Dest = ACanvas->Handle();
    HDC SrcDC = CreateCompatibleDC(nullptr);
    HDC MaskDC = CreateCompatibleDC(nullptr);
    HBITMAP Colour = CreateBitmap(W, H, 1, 32, nullptr);
    HBITMAP Mask = CreateBitmap(W, H, 1, 1, nullptr);
    for (int Y = 0; Y < H; ++Y) {
        const auto* Pix = reinterpret_cast<const QRgb*>(FImage.constScanLine(Y));
        auto* C = reinterpret_cast<QRgb*>(QtOf(Colour)->Image.scanLine(Y));
        auto* M = reinterpret_cast<QRgb*>(QtOf(Mask)->Image.scanLine(Y));
        for (int X = 0; X < W; ++X) {
            C[X] = Pix[X] | 0xFF000000u;
            M[X] = qAlpha(Pix[X]) < 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
    }
    HGDIOBJ OldC = SelectObject(SrcDC, Colour);
    HGDIOBJ OldM = SelectObject(MaskDC, Mask);
    TransparentStretchBlt(Dest, R.Left, R.Top, R.Width(), R.Height(), SrcDC, 0, 0, W, H, MaskDC, 0, 0);
    SelectObject(SrcDC, OldC);
    SelectObject(MaskDC, OldM);
    DeleteObject(Colour);
    DeleteObject(Mask);
    DeleteDC(SrcDC);
    DeleteDC(MaskDC);
}
