#include "controls/foundation/FcGlyphButton.h"

#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFcCustomGlyphButton, TFcCustomButton)
END_REGISTER

TFcCustomGlyphButton::TFcCustomGlyphButton(TComponent* AOwner, int CellCount)
    : TFcCustomButton(AOwner), FCellCount(CellCount), FCustomGlyphs(std::make_unique<TBitmap>()),
      FBackground(std::make_unique<TBitmap>())
{
    FCustomGlyphs->SetOnChange([this](TObject* Sender) { CustomGlyphsChanged(Sender); });
}

TFcCustomGlyphButton::~TFcCustomGlyphButton()
{
    if (FFrameController != nullptr)
        FFrameController->UnregisterFramedControl(this);
}

void TFcCustomGlyphButton::DefineProperties(TFiler& Filer)
{
    TFcCustomButton::DefineProperties(Filer);
    // Older definitions called the hot-track look "Flat".
    Filer.DefineProperty(
        QStringLiteral("Flat"), [this](TReader& Reader) { SetHotTrack(Reader.ReadBoolean()); }, nullptr, false);
}

// --- properties ---------------------------------------------------------------------------------------

void TFcCustomGlyphButton::SetCustomGlyphs(TBitmap* Value)
{
    FCustomGlyphs->Assign(Value);
}

void TFcCustomGlyphButton::CustomGlyphsChanged(TObject*)
{
    SetUseCustomGlyphs(!FCustomGlyphs->Empty());
    UpdateGlyphSize();
    FBackgroundStale = true;
    Invalidate();
}

void TFcCustomGlyphButton::SetUseCustomGlyphs(bool Value)
{
    if (!AssignIfChanged(FUseCustomGlyphs, Value))
        return;
    UpdateGlyphSize();
    Invalidate();
}

void TFcCustomGlyphButton::UpdateGlyphSize()
{
    if (FUseCustomGlyphs && !FCustomGlyphs->Empty()) {
        FGlyphWidth = FCustomGlyphs->Width() / FCellCount;
        FGlyphHeight = FCustomGlyphs->Height();
    } else {
        FGlyphWidth = 13;
        FGlyphHeight = 13;
    }
}

void TFcCustomGlyphButton::SetTransparent(bool Value)
{
    FBackgroundStale = true;
    TFcCustomButton::SetTransparent(Value);
}

void TFcCustomGlyphButton::SetFrameController(TFcFrameController* Value)
{
    ChangeFrameController(this, FFrameController, Value);
}

bool TFcCustomGlyphButton::IsFramed(TFcFrameControllerProperty Prop) const
{
    return IsFramingPropertyStored(FFrameController, FNotifications, Prop);
}

void TFcCustomGlyphButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TFcCustomButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController)
        FFrameController = nullptr;
}

void TFcCustomGlyphButton::ApplyFrameController()
{
    TFcFrameController* C = FFrameController;
    if (C == nullptr || !C->FrameVisible())
        return;
    SetHotTrack(true);
    const TFcFrameControllerNotifications N = FNotifications;
    if (N.Contains(fcpColor))
        SetFillColor(C->Color());
    if (N.Contains(fcpFrameColor))
        SetFrameColor(C->FrameColor());
    if (N.Contains(fcpFocusColor))
        SetFocusColor(C->FocusColor());
    if (N.Contains(fcpDisabledColor))
        SetDisabledColor(C->DisabledColor());
    if (N.Contains(fcpReadOnlyColor))
        SetReadOnlyColor(C->ReadOnlyColor());
    if (N.Contains(fcpReadOnlyColorOnFocus))
        SetReadOnlyColorOnFocus(C->ReadOnlyColorOnFocus());
    if (N.Contains(fcpFrameHotTrack))
        SetHotTrackStyle(C->FrameHotTrack() ? htsFrame : htsInterior);
    if (N.Contains(fcpFrameHotColor) && FHotTrackStyle == htsFrame)
        SetHotTrackColor(C->FrameHotColor());
    Invalidate();
}

// --- actions --------------------------------------------------------------------------------------------

bool TFcCustomGlyphButton::IsCheckedStored() const
{
    return ActionLink() == nullptr || ActionLink()->Action() == nullptr || !ActionLink()->IsCheckedLinked();
}

std::unique_ptr<TControlActionLink> TFcCustomGlyphButton::CreateActionLink()
{
    return std::make_unique<TFcCheckedActionLink>(this);
}

void TFcCustomGlyphButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TFcCustomButton::ActionChange(Sender, CheckDefaults);
    auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (A == nullptr || (CheckDefaults && GetChecked()))
        return;
    FSettingFromAction = true;
    try {
        SetChecked(A->Checked());
    } catch (...) {
        FSettingFromAction = false;
        throw;
    }
    FSettingFromAction = false;
}

TFcCheckedActionLink::TFcCheckedActionLink(TFcCustomGlyphButton* Client)
    : TWinControlActionLink(Client), FClient(Client)
{}

bool TFcCheckedActionLink::IsCheckedLinked()
{
    auto* A = dynamic_cast<TCustomAction*>(Action());
    return TWinControlActionLink::IsCheckedLinked() && A != nullptr && FClient->GetChecked() == A->Checked();
}

void TFcCheckedActionLink::SetChecked(bool Value)
{
    if (!IsCheckedLinked())
        return;
    FClient->SetSettingFromAction(true);
    try {
        FClient->SetChecked(Value);
    } catch (...) {
        FClient->SetSettingFromAction(false);
        throw;
    }
    FClient->SetSettingFromAction(false);
}

// --- input ----------------------------------------------------------------------------------------------

void TFcCustomGlyphButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FMousePressed = true;
    TFcCustomButton::MouseDown(Button, Shift, X, Y);
}

void TFcCustomGlyphButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    try {
        TFcCustomButton::MouseUp(Button, Shift, X, Y);
    } catch (...) {
        FMousePressed = false;
        throw;
    }
    FMousePressed = false;
}

void TFcCustomGlyphButton::KeyPress(QChar& Key)
{
    if (FTabOnEnter && Key == QChar('\r')) {
        Key = QChar();
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    TFcCustomButton::KeyPress(Key);
}

void TFcCustomGlyphButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
    case WM_SIZE:
        FBackgroundStale = true;
        TFcCustomButton::Dispatch(Message);
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        FBackgroundStale = true;
        TFcCustomButton::Dispatch(Message);
        Invalidate();
        return;
    default:
        TFcCustomButton::Dispatch(Message);
        return;
    }
}

// --- painting -------------------------------------------------------------------------------------------

namespace {

bool CaptionRightOfGlyph(TLeftRight Alignment, bool RightToLeft)
{
    return (Alignment == taRightJustify) != RightToLeft;
}

} // namespace

TPoint TFcCustomGlyphButton::GlyphPosition()
{
    const int X = CaptionRightOfGlyph(FAlignment, UseRightToLeftReading()) ? 0 : Width() - FGlyphWidth;
    int Y = 2;
    if (AlignmentVertical() == avCenter)
        Y = (Height() - FGlyphHeight) / 2;
    else if (AlignmentVertical() == avBottom)
        Y = Height() - FGlyphHeight - 2;
    return {X, Y};
}

void TFcCustomGlyphButton::GetHotTrackRect(TRect& R)
{
    const TPoint P = GlyphPosition();
    R = Rect(P.X, P.Y, P.X + FGlyphWidth, P.Y + FGlyphHeight);
}

void TFcCustomGlyphButton::PaintTransparentBackground(HDC DC)
{
    if (Transparent())
        PaintParentBackdrop(this, DC, false);
}

void TFcCustomGlyphButton::ExtractGlyphCell(int Index, TBitmap* Dest, int Width, int Height, TBitmap* Source)
{
    Dest->SetSize(Width, Height);
    Dest->Canvas()->CopyRect(Rect(0, 0, Width, Height), Source->Canvas(),
                             Rect(Index * Width, 0, (Index + 1) * Width, Height));
}

void TFcCustomGlyphButton::PaintNow()
{
    if (HandleAllocated() && Showing())
        Paint();
}

// What shows behind the glyph and caption: the parent (as the erase
// paints it) or the control's colour.
void TFcCustomGlyphButton::RebuildBackground()
{
    FBackground->SetSize(Width(), Height());
    TCanvas* C = FBackground->Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    C->FillRect(Rect(0, 0, Width(), Height()));
    if (Transparent())
        PaintParentBackdrop(this, C->Handle(), false);
    FBackgroundStale = false;
}

void TFcCustomGlyphButton::DrawGlyph(TCanvas* ACanvas)
{
    const int W = FGlyphWidth, H = FGlyphHeight;
    const TRect Cell = Rect(0, 0, W, H);
    const TPoint P = GlyphPosition();
    TBitmap Face;
    Face.SetSize(W, H);
    TBitmap Glyph;
    Glyph.SetSize(W, H);
    if (!Transparent()) {
        DrawFace(&Face);
        Glyph.Canvas()->Brush()->SetColor(Color());
        Glyph.Canvas()->BrushCopy(Cell, &Face, Cell, FTransparentColor);
    } else {
        Glyph.Canvas()->CopyRect(Cell, ACanvas, Rect(P.X, P.Y, P.X + W, P.Y + H));
        DrawFace(&Face);
        if (FcThemesEnabled())
            Glyph.Canvas()->CopyRect(Cell, Face.Canvas(), Cell);
        else
            StretchMaskedBitmap(Glyph.Canvas(), &Face, Cell, Cell, FTransparentColor);
    }
    if (FUseCustomGlyphs) {
        TBitmap Masked;
        Masked.SetSize(W, H);
        Masked.Canvas()->Brush()->SetColor(Color());
        Masked.Canvas()->BrushCopy(Cell, &Glyph, Cell, FWinMaskColor);
        ACanvas->Draw(P.X, P.Y, &Masked);
        return;
    }
    ACanvas->Draw(P.X, P.Y, &Glyph);
}

void TFcCustomGlyphButton::Paint()
{
    if (ComponentState().Contains(csDestroying))
        return;
    const int W = Width(), H = Height();
    TBitmap B;
    B.SetSize(W, H);
    TCanvas* C = B.Canvas();
    C->Font()->Assign(Font());
    C->Brush()->SetColor(Color());
    if (FBackgroundStale || FBackground->Width() != W || FBackground->Height() != H)
        RebuildBackground();
    C->CopyRect(Rect(0, 0, W, H), FBackground->Canvas(), Rect(0, 0, W, H));
    DrawGlyph(C);

    const bool RightToLeft = UseRightToLeftReading();
    TRect R = GetClientRect();
    InflateRect(R, -1, -1);
    if (CaptionRightOfGlyph(FAlignment, RightToLeft))
        R.Left += FGlyphWidth + 4;
    else
        R.Right -= FGlyphWidth + 4;
    DrawCaption(C, R, DT_EXPANDTABS | DT_WORDBREAK | (RightToLeft ? DT_RIGHT : 0u));
    InflateRect(R, 1, 1);
    const String Text = Caption();
    if (Focused() && !Text.isEmpty()) {
        C->Font()->Assign(Font());
        const int FocusWidth = std::min(R.Width(), C->TextWidth(Text.trimmed()) + 3);
        const TRect F = RightToLeft ? Rect(R.Right - FocusWidth, R.Top, R.Right, R.Bottom)
                                    : Rect(R.Left, R.Top, R.Left + FocusWidth, R.Bottom);
        PaintDottedOutline(C, F);
    }
    Canvas()->SetCopyMode(cmSrcCopy);
    Canvas()->Draw(0, 0, &B);
}
