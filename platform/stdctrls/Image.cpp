#include "platform/stdctrls/Image.h"

#include "platform/classes/TypInfo.h"
#include "platform/graphics/Canvas.h"

REGISTER_COMPONENT(TImage, TGraphicControl)
    PUBLISHED(AutoSize, false)
    PUBLISHED(Center, false)
    PUBLISHED(IncrementalDisplay, false)
    PUBLISHED_OBJECT(Picture)
    PUBLISHED(Proportional, false)
    PUBLISHED(Stretch, false)
    PUBLISHED(Transparent, false)
END_REGISTER

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FControlStyle.Include(csReplicatable);
    FPicture->SetOnChange([this](TObject* Sender) { PictureChanged(Sender); });
    FWidth = 105;
    FHeight = 105;
}

TImage::~TImage()
{
    FPicture->SetOnChange(nullptr);
}

void TImage::SetCenter(bool Value)
{
    if (AssignIfChanged(FCenter, Value))
        PictureChanged(this);
}

void TImage::SetProportional(bool Value)
{
    if (AssignIfChanged(FProportional, Value))
        PictureChanged(this);
}

void TImage::SetStretch(bool Value)
{
    if (AssignIfChanged(FStretch, Value))
        PictureChanged(this);
}

void TImage::SetTransparent(bool Value)
{
    if (AssignIfChanged(FTransparent, Value))
        PictureChanged(this);
}

TCanvas* TImage::Canvas()
{
    if (FPicture->Graphic() == nullptr) {
        // Drawing on an empty image gives it a bitmap of its own size.
        TBitmap Blank;
        Blank.SetWidth(Width());
        Blank.SetHeight(Height());
        FPicture->SetGraphic(&Blank);
    }
    auto* Bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
    if (Bitmap == nullptr)
        throw EInvalidOperation(QStringLiteral("Can only modify an image if it contains a bitmap"));
    return Bitmap->Canvas();
}

TRect TImage::DestRect()
{
    int W = FPicture->Width();
    int H = FPicture->Height();
    const int CW = ClientWidth();
    const int CH = ClientHeight();
    if (FStretch || (FProportional && (W > CW || H > CH))) {
        if (FProportional && W > 0 && H > 0) {
            // Keep the aspect: fill the side that limits, scale the other.
            const double Aspect = double(W) / H;
            if (W > H) {
                W = CW;
                H = int(CW / Aspect);
                if (H > CH) {
                    H = CH;
                    W = int(CH * Aspect);
                }
            } else {
                H = CH;
                W = int(CH * Aspect);
                if (W > CW) {
                    W = CW;
                    H = int(CW / Aspect);
                }
            }
        } else {
            W = CW;
            H = CH;
        }
    }
    TRect R{0, 0, W, H};
    if (FCenter)
        OffsetRect(R, (CW - W) / 2, (CH - H) / 2);
    return R;
}

void TImage::Paint()
{
    TCanvas* C = TGraphicControl::Canvas();
    if (ComponentState().Contains(csDesigning)) {
        C->Pen()->SetStyle(psDash);
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(0, 0, Width(), Height());
    }
    const bool Saved = FDrawing;
    FDrawing = true;
    try {
        C->StretchDraw(DestRect(), FPicture->Graphic());
    } catch (...) {
        FDrawing = Saved;
        throw;
    }
    FDrawing = Saved;
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (!ComponentState().Contains(csDesigning) || (FPicture->Width() > 0 && FPicture->Height() > 0)) {
        if (Align() == alNone || Align() == alLeft || Align() == alRight)
            NewWidth = FPicture->Width();
        if (Align() == alNone || Align() == alTop || Align() == alBottom)
            NewHeight = FPicture->Height();
    }
    return true;
}

void TImage::PictureChanged(TObject* Sender)
{
    (void)Sender;
    if (AutoSize() && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    // The image covers what lies below only where an opaque picture fills
    // it: icons and images with an alpha channel let it show through.
    bool Opaque = false;
    if (TGraphic* G = FPicture->Graphic()) {
        if (dynamic_cast<TIcon*>(G) == nullptr)
            G->SetTransparent(FTransparent);
        auto* B = dynamic_cast<TBitmap*>(G);
        const TRect D = DestRect();
        Opaque = B != nullptr && !B->Transparent() && !B->Image().hasAlphaChannel() && D.Left <= 0 && D.Top <= 0
            && D.Right >= Width() && D.Bottom >= Height();
    }
    if (Opaque)
        FControlStyle.Include(csOpaque);
    else
        FControlStyle.Exclude(csOpaque);
    if (!FDrawing)
        Invalidate();
}
