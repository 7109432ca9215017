#include "platform/actions/ImgList.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/ThemeIcons.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>

REGISTER_CLASS(TCustomImageList, TComponent)
END_REGISTER

REGISTER_COMPONENT(TImageList, TCustomImageList)
    PUBLISHED(Width, 16)
    PUBLISHED(Height, 16)
    PUBLISHED_EVENT(OnChange)
END_REGISTER

namespace {

// The classic raster operation that paints the brush where the source is 0
// and leaves the destination alone where it is 1.
constexpr DWORD ROP_DSPDxax = 0x00E20746;

QImage Cell(const QImage& Source, int Left, int Width, int Height)
{
    QImage C(Width, Height, QImage::Format_ARGB32);
    C.fill(Qt::transparent);
    QPainter P(&C);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(0, 0, Source, Left, 0, Width, Height);
    return C;
}

} // namespace

// --- TChangeLink -----------------------------------------------------------------

TChangeLink::~TChangeLink()
{
    if (FSender != nullptr)
        FSender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (FOnChange)
        FOnChange(FSender);
}

// --- TCustomImageList ----------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner)
{}

TCustomImageList::~TCustomImageList()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

void TCustomImageList::BeforeDestruction()
{
    // The links outlive the list in their clients: they forget it.
    while (!FClients.empty()) {
        FClients.back()->SetSender(nullptr);
        FClients.pop_back();
    }
    TComponent::BeforeDestruction();
}

void TCustomImageList::SetWidth(int Value)
{
    if (Value == FWidth || Value <= 0)
        return;
    FWidth = Value;
    Clear();
}

void TCustomImageList::SetHeight(int Value)
{
    if (Value == FHeight || Value <= 0)
        return;
    FHeight = Value;
    Clear();
}

int TCustomImageList::Append(TEntry Entry)
{
    FImages.push_back(std::move(Entry));
    Change();
    return Count() - 1;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (Image == nullptr || Image->Empty() || Image->Width() < FWidth)
        return -1;
    QImage Pixels = Image->Image().convertToFormat(QImage::Format_ARGB32);
    if (Mask != nullptr && !Mask->Empty()) {
        const QImage& M = Mask->Image();
        for (int Y = 0; Y < std::min(Pixels.height(), M.height()); ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(Pixels.scanLine(Y));
            const auto* MaskLine = reinterpret_cast<const QRgb*>(M.constScanLine(Y));
            for (int X = 0; X < std::min(Pixels.width(), M.width()); ++X)
                if ((MaskLine[X] & 0xFFFFFF) != 0)
                    Line[X] = 0;
        }
    }
    const int First = Count();
    BeginUpdate();
    for (int Left = 0; Left + FWidth <= Pixels.width(); Left += FWidth)
        Append({Cell(Pixels, Left, FWidth, FHeight), String(), {}, {}});
    EndUpdate();
    return First;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (Image == nullptr || Image->Empty())
        return -1;
    if (MaskColor == clDefault)
        MaskColor = TColor(std::int32_t(QRgbToColorRef(Image->Image().pixel(0, Image->Height() - 1))));
    const QRgb Key = ColorRefToQRgb(ColorToRGB(MaskColor)) & 0xFFFFFF;
    TBitmap Masked;
    QImage Pixels = Image->Image().convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Pixels.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Pixels.scanLine(Y));
        for (int X = 0; X < Pixels.width(); ++X)
            if ((Line[X] & 0xFFFFFF) == Key)
                Line[X] = 0;
    }
    Masked.SetImage(Pixels);
    return Add(&Masked, nullptr);
}

int TCustomImageList::AddIconName(const String& Name)
{
    const QImage Icon = ThemeIconImage(Name, FWidth, FHeight);
    if (Icon.isNull())
        return -1;
    return Append({Icon, Name, {}, {}});
}

int TCustomImageList::AddImage(const QImage& Image)
{
    if (Image.isNull())
        return -1;
    QImage Pixels = Image.convertToFormat(QImage::Format_ARGB32);
    if (Pixels.size() != QSize(FWidth, FHeight))
        Pixels = Pixels.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Append({Pixels, String(), {}, {}});
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation(QStringLiteral("Invalid ImageList Index"));
    FImages.erase(FImages.begin() + Index);
    Change();
}

void TCustomImageList::Clear()
{
    if (FImages.empty())
        return;
    FImages.clear();
    Change();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation(QStringLiteral("Invalid ImageList Index"));
    TCustomImageList Scratch(nullptr);
    Scratch.FWidth = FWidth;
    Scratch.FHeight = FHeight;
    if (Scratch.Add(Image, Mask) < 0)
        return;
    FImages[std::size_t(Index)] = Scratch.FImages.front();
    Change();
}

QImage TCustomImageList::GetImage(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QImage();
    return FImages[std::size_t(Index)].Image;
}

String TCustomImageList::IconName(int Index) const
{
    if (Index < 0 || Index >= Count())
        return String();
    return FImages[std::size_t(Index)].IconName;
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (Image == nullptr || Index < 0 || Index >= Count())
        return false;
    QImage OnWhite(FWidth, FHeight, QImage::Format_RGB32);
    OnWhite.fill(Qt::white);
    QPainter P(&OnWhite);
    P.drawImage(0, 0, FImages[std::size_t(Index)].Image);
    P.end();
    Image->SetImage(OnWhite);
    return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (Canvas == nullptr || Index < 0 || Index >= Count())
        return;
    TEntry& Entry = FImages[std::size_t(Index)];
    if (!Enabled) {
        DrawDisabled(Canvas, X, Y, Entry);
        return;
    }
    if (!Entry.Drawn) {
        Entry.Drawn = std::make_shared<TBitmap>();
        Entry.Drawn->SetImage(Entry.Image);
    }
    BLENDFUNCTION Blend;
    Blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(Canvas->Handle(), X, Y, FWidth, FHeight, Entry.Drawn->Canvas()->Handle(), 0, 0, FWidth, FHeight, Blend);
}

void TCustomImageList::DrawDisabled(TCanvas* Canvas, int X, int Y, TEntry& Entry)
{
    // The monochrome "ink" of the image: 0 where a pixel is opaque and not
    // white, 1 elsewhere (transparent and white pixels drop out).
    if (!Entry.DisabledInk) {
        QImage Ink(FWidth, FHeight, QImage::Format_RGB32);
        for (int Row = 0; Row < FHeight; ++Row) {
            const auto* Src = reinterpret_cast<const QRgb*>(Entry.Image.constScanLine(Row));
            auto* Line = reinterpret_cast<QRgb*>(Ink.scanLine(Row));
            for (int Col = 0; Col < FWidth; ++Col)
                Line[Col] = qAlpha(Src[Col]) >= 128 && (Src[Col] & 0xFFFFFF) != 0xFFFFFF ? 0xFF000000u : 0xFFFFFFFFu;
        }
        Entry.DisabledInk = std::make_shared<TBitmap>();
        Entry.DisabledInk->SetImage(Ink);
        Entry.DisabledInk->SetMonochrome(true);
    }
    // Handle() selects the canvas's brush of the moment.
    HDC Src = Entry.DisabledInk->Canvas()->Handle();
    Canvas->Brush()->SetColor(clBtnHighlight);
    HDC DC = Canvas->Handle();
    const COLORREF OldText = SetTextColor(DC, 0xFFFFFF);
    const COLORREF OldBk = SetBkColor(DC, 0x000000);
    BitBlt(DC, X + 1, Y + 1, FWidth, FHeight, Src, 0, 0, ROP_DSPDxax);
    Canvas->Brush()->SetColor(clBtnShadow);
    BitBlt(Canvas->Handle(), X, Y, FWidth, FHeight, Src, 0, 0, ROP_DSPDxax);
    SetTextColor(DC, OldText);
    SetBkColor(DC, OldBk);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
    if (Value == nullptr)
        return;
    Value->SetSender(this);
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end())
        FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Value), FClients.end());
    if (Value != nullptr && Value->Sender() == this)
        Value->SetSender(nullptr);
}

void TCustomImageList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged)
        Change();
}

void TCustomImageList::Change()
{
    FChanged = true;
    if (FUpdateCount > 0)
        return;
    FChanged = false;
    if (FOnChange)
        FOnChange(this);
    for (TChangeLink* Link : std::vector<TChangeLink*>(FClients))
        Link->Change();
}

// --- form data ---------------------------------------------------------------------
//
// The images are one list in their order: an icon of the theme by its name,
// or an image of the definition's own as PNG data:
//   Images = (
//     'document-open'
//     {89504E47...})

void TCustomImageList::DefineProperties(TFiler& Filer)
{
    TComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        QStringLiteral("Images"), [this](TReader& R) { ReadImages(R); }, [this](TWriter& W) { WriteImages(W); },
        !FImages.empty());
}

void TCustomImageList::ReadImages(TReader& Reader)
{
    BeginUpdate();
    FImages.clear();
    Change();
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        if (Reader.NextValue() == vaBinary) {
            const QByteArray Data = Reader.ReadBinary();
            QImage Image;
            if (!Image.loadFromData(Data, "PNG"))
                Reader.Error(QStringLiteral("Invalid image data in %1").arg(Name()));
            // Several cells side by side make several images.
            for (int Left = 0; Left + FWidth <= Image.width(); Left += FWidth)
                Append({Cell(Image.convertToFormat(QImage::Format_ARGB32), Left, FWidth, FHeight), String(), {}, {}});
            continue;
        }
        const String IconName = Reader.ReadString();
        // An icon the theme lacks keeps its place (an empty cell), so the
        // indexes of the images after it still hold.
        QImage Icon = DefinitionIconImage(IconName, FWidth, FHeight);
        if (Icon.isNull()) {
            Icon = QImage(FWidth, FHeight, QImage::Format_ARGB32);
            Icon.fill(Qt::transparent);
        }
        Append({Icon, IconName, {}, {}});
    }
    Reader.ReadListEnd();
    EndUpdate();
}

void TCustomImageList::WriteImages(TWriter& Writer)
{
    Writer.WriteListBegin();
    for (const TEntry& E : FImages) {
        if (!E.IconName.isEmpty()) {
            Writer.WriteString(E.IconName);
            continue;
        }
        QByteArray Data;
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::WriteOnly);
        E.Image.save(&Buffer, "PNG");
        Writer.WriteBinary(Data);
    }
    Writer.WriteListEnd();
}

TImageList::TImageList(TComponent* AOwner) : TCustomImageList(AOwner)
{}
