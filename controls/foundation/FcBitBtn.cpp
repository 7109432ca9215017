#include "controls/foundation/FcBitBtn.h"

#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcImageLists.h"
#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)

REGISTER_COMPONENT(TFcBitBtn, TFcButton)
    PUBLISHED_STORED(Caption, String(), [](const TFcBitBtn& B) { return const_cast<TFcBitBtn&>(B).IsCustomCaption(); })
    PUBLISHED_STORED(Cancel, false, &TFcBitBtn::IsCustom)
    PUBLISHED_STORED(Default, false, &TFcBitBtn::IsCustom)
    PUBLISHED_STORED(ModalResult, mrNone, &TFcBitBtn::IsCustom)
    PUBLISHED(DisabledIndex, -1)
    PUBLISHED(ImageIndex, -1)
    PUBLISHED(Images, nullptr)
    PUBLISHED(Kind, bkCustom)
    PUBLISHED(Layout, blGlyphLeft)
    PUBLISHED(Margin, 2)
    PUBLISHED_STORED(NumGlyphs, 1, &TFcBitBtn::IsCustom)
    PUBLISHED(Spacing, 4)
    // Last, so that the formatter keeps the list one property a line.
    PUBLISHED_OBJECT(Glyph).Stored(&TFcBitBtn::IsCustom)
END_REGISTER

TFcBitBtn::TFcBitBtn(TComponent* AOwner)
    : TFcButton(AOwner), FGlyph(std::make_unique<TBitmap>()), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FGlyph->SetOnChange([this](TObject* Sender) { GlyphChanged(Sender); });
    FImageChangeLink->SetOnChange([this](TObject*) { Invalidate(); });
}

TFcBitBtn::~TFcBitBtn()
{
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
}

// --- properties ---------------------------------------------------------------------------------------

void TFcBitBtn::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FGlyphSetByUser = true;
}

// A bitmap whose width is a whole number of its heights holds that many
// cells.
void TFcBitBtn::GlyphChanged(TObject*)
{
    const int W = FGlyph->Width(), H = FGlyph->Height();
    if (H != 0 && W % H == 0) {
        const int N = W / H;
        FNumGlyphs = N >= 1 && N <= 4 ? N : 1;
    }
    Invalidate();
}

TBitBtnKind TFcBitBtn::GetKind() const
{
    if (FKind == bkCustom)
        return FKind;
    auto* Self = const_cast<TFcBitBtn*>(this);
    if (Self->Default() != KindIsDefault(FKind) || Self->Cancel() != KindIsCancel(FKind)
        || Self->ModalResult() != KindModalResult(FKind) || FGlyphSetByUser)
        FKind = bkCustom;
    return FKind;
}

void TFcBitBtn::SetKind(TBitBtnKind Value)
{
    if (Value == FKind)
        return;
    if (Value != bkCustom) {
        SetDefault(KindIsDefault(Value));
        SetCancel(KindIsCancel(Value));
        // A caption read from the form before the kind stays.
        if (!ComponentState().Contains(csLoading) || Caption().isEmpty())
            SetCaption(KindCaption(Value));
        SetModalResult(KindModalResult(Value));
        FGlyph->Assign(GetKindBitmap(Value));
        FNumGlyphs = 2;
        FGlyphSetByUser = false;
    }
    FKind = Value;
    Invalidate();
}

bool TFcBitBtn::IsCustomCaption()
{
    return IsCaptionStored() && (GetKind() == bkCustom || Caption() != KindCaption(GetKind()));
}

void TFcBitBtn::SetMargin(int Value)
{
    if (Value >= -1 && AssignIfChanged(FMargin, Value))
        Invalidate();
}

void TFcBitBtn::SetImages(TCustomImageList* Value)
{
    if (ChangeImageList(this, FImageChangeLink.get(), FImages, Value))
        Invalidate();
}

void TFcBitBtn::Notification(TComponent* AComponent, TOperation Operation)
{
    TFcButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        SetImages(nullptr);
}

void TFcBitBtn::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TFcButton::ActionChange(Sender, CheckDefaults);
    if (auto* A = dynamic_cast<TCustomAction*>(Sender); A != nullptr && (!CheckDefaults || FImageIndex == -1))
        SetImageIndex(A->ImageIndex());
}

// --- layout -------------------------------------------------------------------------------------------

bool TFcBitBtn::ShowsImage() const
{
    return FImages != nullptr && FImageIndex != -1 && GetKind() == bkCustom;
}

TSize TFcBitBtn::GetGlyphSize()
{
    if (ShowsImage())
        return {FImages->Width(), FImages->Height()};
    if (FGlyph->Empty())
        return {0, 0};
    return {FGlyph->Width() / std::max(FNumGlyphs, 1), FGlyph->Height()};
}

int TFcBitBtn::CaptionHeight(const TRect& R)
{
    Canvas()->Font()->Assign(Font());
    TRect Calc = R;
    return DrawText(Canvas()->Handle(), Caption(), &Calc,
                    DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
}

void TFcBitBtn::GetCaptionRect(TRect& R)
{
    TFcButton::GetCaptionRect(R);
    const TSize G = GetGlyphSize();
    if (G.cx == 0 && G.cy == 0)
        return;
    const int Room = FMargin + FSpacing;
    if (FMargin >= 0 || FLayout == blGlyphLeft || FLayout == blGlyphRight) {
        switch (FLayout) {
        case blGlyphLeft:
            R.Left += Room + G.cx;
            break;
        case blGlyphRight:
            R.Right -= Room + G.cx;
            break;
        case blGlyphTop:
            R.Top += Room + G.cy;
            break;
        case blGlyphBottom:
            R.Bottom -= Room + G.cy;
            break;
        }
        return;
    }
    // Glyph and caption stacked and centred together in the button.
    const int H = CaptionHeight(R);
    const int Free = (Height() - (G.cy + H + FSpacing)) / 2;
    R.Top += Free + (FLayout == blGlyphTop ? G.cy : 0);
    R.Bottom = R.Top + H;
}

void TFcBitBtn::GetGlyphRect(TRect& R)
{
    TFcButton::GetCaptionRect(R);
    if (ShownDown())
        OffsetRect(R, -1, Themed() ? 0 : -1);
    const TSize G = GetGlyphSize();
    if (FMargin < 0) {
        const int H = FLayout == blGlyphTop || FLayout == blGlyphBottom ? CaptionHeight(R) : 0;
        const int Free = (Height() - (G.cy + H + FSpacing)) / 2;
        if (FLayout == blGlyphRight)
            R.Left = R.Right - G.cx;
        else if (FLayout == blGlyphTop)
            R.Top = Free;
        else if (FLayout == blGlyphBottom)
            R.Top += H + Free;
    } else {
        switch (FLayout) {
        case blGlyphLeft:
            R.Left += FMargin;
            break;
        case blGlyphRight:
            R.Left = R.Right - FMargin - G.cx;
            break;
        case blGlyphTop:
            R.Top += FMargin;
            break;
        case blGlyphBottom:
            R.Top = R.Bottom - FMargin - G.cy;
            break;
        }
    }
    if (FLayout == blGlyphTop || FLayout == blGlyphBottom)
        R.Left += (R.Right - R.Left - G.cx + 1) / 2;
    else
        R.Top += (R.Bottom - R.Top - G.cy + 1) / 2;
    R.Right = R.Left + G.cx;
    R.Bottom = R.Top + G.cy;
    if (ShownDown())
        OffsetRect(R, Themed() ? 2 : 1, Themed() ? 0 : 1);
}

// --- painting -----------------------------------------------------------------------------------------

void TFcBitBtn::PaintCaption()
{
    TFcButton::PaintCaption();
    TRect R;
    GetGlyphRect(R);
    if (ShowsImage())
        DrawImage(R);
    else if (!FGlyph->Empty())
        DrawGlyph(R);
}

void TFcBitBtn::DrawImage(const TRect& R)
{
    if (FDisabledIndex == -1)
        FImages->Draw(Canvas(), R.Left, R.Top, FImageIndex, Enabled());
    else
        FImages->Draw(Canvas(), R.Left, R.Top, Enabled() ? FImageIndex : FDisabledIndex, true);
}

void TFcBitBtn::DrawGlyph(const TRect& R)
{
    // Cut and drawn in the glyph's own cell size (which is what R was laid
    // out for), never outside the bitmap.
    const TSize Size = GetGlyphSize();
    int Index = 1;
    if (FNumGlyphs == 4 && State() == bsExclusive)
        Index = 3;
    else if (FNumGlyphs >= 3 && (State() == bsDown || ShownDown()))
        Index = 2;
    else if (FNumGlyphs < 2 || Enabled())
        Index = 0;
    const TRect Cell = Rect(Index * Size.cx, 0, (Index + 1) * Size.cx, Size.cy);
    StretchMaskedBitmap(Canvas(), FGlyph.get(), Rect(R.Left, R.Top, R.Left + Size.cx, R.Top + Size.cy), Cell,
                        FGlyph->TransparentColor());
}
