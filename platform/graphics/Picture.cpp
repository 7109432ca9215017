#include "platform/graphics/Picture.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

#include <QFileInfo>

REGISTER_CLASS(TPicture, TPersistent)
END_REGISTER

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> Graphic)
{
    FGraphic = std::move(Graphic);
    if (FGraphic)
        FGraphic->SetOnChange([this](TObject*) { Changed(); });
    Changed();
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (Value == FGraphic.get())
        return;
    std::unique_ptr<TGraphic> Copy;
    if (dynamic_cast<TIcon*>(Value) != nullptr)
        Copy = std::make_unique<TIcon>();
    else if (Value != nullptr)
        Copy = std::make_unique<TBitmap>();
    if (Copy)
        Copy->Assign(Value);
    Take(std::move(Copy));
}

TBitmap* TPicture::Bitmap()
{
    if (dynamic_cast<TBitmap*>(FGraphic.get()) == nullptr)
        Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
    if (dynamic_cast<TIcon*>(FGraphic.get()) == nullptr)
        Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* Source)
{
    if (Source == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* P = dynamic_cast<TPicture*>(Source)) {
        if (P != this)
            SetGraphic(P->Graphic());
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(G);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (FGraphic && dynamic_cast<TGraphic*>(Dest) != nullptr &&
        (dynamic_cast<TBitmap*>(Dest) != nullptr) == (dynamic_cast<TBitmap*>(FGraphic.get()) != nullptr)) {
        Dest->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TPicture::LoadFromFile(const String& FileName)
{
    std::unique_ptr<TGraphic> G;
    if (QFileInfo(FileName).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0)
        G = std::make_unique<TIcon>();
    else
        G = std::make_unique<TBitmap>();
    G->LoadFromFile(FileName);
    Take(std::move(G));
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(FileName);
}

// Form data: the class name as a length-prefixed string, then the image
// (PNG).  Plain image data without the name reads as a bitmap, and so does
// an icon of the theme named by the definition.
void TPicture::DefineProperties(TFiler& Filer)
{
    auto ReadIcon = [this](const String& Name, int Size) {
        auto Bitmap = std::make_unique<TBitmap>();
        Bitmap->LoadFromIconName(Name, Size);
        Take(std::move(Bitmap));
    };
    auto Read = [this](const QByteArray& Data) {
        if (Data.isEmpty()) {
            SetGraphic(nullptr);
            return;
        }
        const int NameLength = quint8(Data[0]);
        const QByteArray Name = Data.mid(1, NameLength);
        std::unique_ptr<TGraphic> G;
        QByteArray Image = Data;
        if (Name == "TIcon") {
            G = std::make_unique<TIcon>();
            Image = Data.mid(1 + NameLength);
        } else {
            G = std::make_unique<TBitmap>();
            if (Name == "TBitmap")
                Image = Data.mid(1 + NameLength);
        }
        G->LoadFromData(Image);
        Take(std::move(G));
    };
    auto Write = [this] {
        const QByteArray Name = dynamic_cast<TIcon*>(FGraphic.get()) ? "TIcon" : "TBitmap";
        return char(Name.size()) + Name + FGraphic->SaveToData();
    };
    DefineImageData(Filer, FGraphic.get(), {ReadIcon, Read, Write});
}
