#include "controls/lists/FcSpinEdit.h"

#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcTextHelpers.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/EditMessages.h"

#include <QApplication>
#include <QClipboard>
#include <cmath>

REGISTER_ENUM(TSpinButtonType, sbUp, sbDown)

// The .Stored() rules would make the formatter run the list together.
// clang-format off
REGISTER_COMPONENT(TFcSpinEdit, TFcCustomEdit)
    // The text is the value's; neither it nor a mask is streamed.
    .PublishedNoDefault("Caption", &TControl::Caption, &TControl::SetCaption).Stored(false)
    .PublishedNoDefault("Text", &TControl::Text, &TControl::SetText).Stored(false)
    PUBLISHED_STORED(EditMask, String(), false)
    PUBLISHED_STORED(MaxLength, 0, false)
    PUBLISHED(AllowBlank, false)
    PUBLISHED_NODEFAULT(BlankValue)
    PUBLISHED(AllowKeyEdit, false)
    PUBLISHED(Alignment, taRightJustify)
    PUBLISHED(BeepOnInvalidKey, true)
    // The direction comes first: a change of it drops custom glyphs.
    PUBLISHED(Direction, sdUpDown)
    PUBLISHED(Orientation, orVertical)
    PUBLISHED_OBJECT(ButtonUpGlyph).Stored(&TFcSpinEdit::IsButtonUpGlyphStored)
    PUBLISHED_OBJECT(ButtonDownGlyph).Stored(&TFcSpinEdit::IsButtonDownGlyphStored)
    PUBLISHED_STORED(ButtonUpNumGlyphs, 2, &TFcSpinEdit::IsButtonUpGlyphStored)
    PUBLISHED_STORED(ButtonDownNumGlyphs, 2, &TFcSpinEdit::IsButtonDownGlyphStored)
    PUBLISHED(ButtonWidth, 17)
    PUBLISHED(CheckRange, false)
    PUBLISHED(Decimals, std::uint8_t(0))
    FC_PUBLISHED_FRAMING(fcpFlatButtons, FlatButtons, false)
    PUBLISHED(FlatButtonColor, clBtnFace)
    PUBLISHED(Increment, 1.0L)
    PUBLISHED(IntegersOnly, true)
    PUBLISHED(Max, 100.0L)
    PUBLISHED(Min, 0.0L)
    PUBLISHED(PageSize, 10.0L)
    PUBLISHED_NODEFAULT(Value)
    PUBLISHED_EVENT(OnChanging)
    PUBLISHED_EVENT(OnButtonClick)
    PUBLISHED_EVENT(OnMouseWheel)
    PUBLISHED_EVENT(OnMouseWheelUp)
    PUBLISHED_EVENT(OnMouseWheelDown)
END_REGISTER
// clang-format on

namespace {

bool IsSign(QChar C)
{
    return C == QLatin1Char('+') || C == QLatin1Char('-');
}

} // namespace

TFcSpinEdit::TFcSpinEdit(TComponent* AOwner) : TFcCustomEdit(AOwner)
{
    FControlStyle.Exclude(csSetCaption);
    FSpinButtons = new TFcSpinButtons(this);
    FSpinButtons->SetBounds(0, 0, 17, 17);
    FSpinButtons->SetVisible(true);
    FSpinButtons->SetFocusControl(this);
    FSpinButtons->SetOnUpRightClick([this](TObject*) { UpButtonClick(); });
    FSpinButtons->SetOnDownLeftClick([this](TObject*) { DownButtonClick(); });
    FSpinButtons->SetParent(this);
    SetWidth(47);
    SetAlignment(taRightJustify);
    SetValue(0);
}

void TFcSpinEdit::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    // The spin buttons are part of the edit, never streamed.
    (void)Proc;
    (void)Root;
}

void TFcSpinEdit::DefineProperties(TFiler& Filer)
{
    TFcCustomEdit::DefineProperties(Filer);
    // Older form definitions: read and dropped.
    Filer.DefineProperty(QStringLiteral("FlatButtonParentColor"), TFcOldPropReader::SkipBooleanProperty, nullptr,
                         false);
}

void TFcSpinEdit::CreateWnd()
{
    TFcCustomEdit::CreateWnd();
    PositionSpinButtons();
}

void TFcSpinEdit::Loaded()
{
    TFcCustomEdit::Loaded();
    PositionSpinButtons();
}

// --- the value ------------------------------------------------------------------------------

String TFcSpinEdit::Formatted(long double V) const
{
    return FloatToStrF(double(V), ffFixed, 18, FDecimals);
}

long double TFcSpinEdit::TextValue(const String& Text, bool& Ok)
{
    double V = 0;
    Ok = TryStrToFloat(Text, V);
    return V;
}

long double TFcSpinEdit::Value()
{
    const String T = Text();
    if (T.isEmpty()) {
        if (FAllowBlank)
            return FBlankValue;
        SetText(FloatToStr(double(FMin)));
    }
    bool Ok = false;
    const long double V = TextValue(Text(), Ok);
    return Ok ? V : FMin;
}

long double TFcSpinEdit::CheckValue(long double V)
{
    if (FMin == FMax && !FCheckRange)
        return V;
    return std::clamp(V, FMin, std::max(FMin, FMax));
}

void TFcSpinEdit::SetValue(long double V)
{
    const bool Placed = Parent() != nullptr && HandleAllocated();
    const bool NothingSelected = Placed && SelLength() == 0;
    const int Caret = Placed ? SelStart() : 0;
    const int Length = Placed ? int(Text().size()) : 0;
    SetText(Formatted(CheckValue(V)));
    if (!NothingSelected)
        return;
    const int NewLength = int(Text().size());
    const int To = NewLength == Length ? Caret : NewLength > Length ? Caret + 1 : Caret - 1;
    // Never before the start of the text.
    SetSelStart(std::clamp(To, 0, NewLength));
}

long long TFcSpinEdit::IntValue()
{
    return Round(double(Value()));
}

void TFcSpinEdit::SetIntValue(long long V)
{
    SetValue(static_cast<long double>(V));
}

// --- stepping --------------------------------------------------------------------------------------

void TFcSpinEdit::BeepInvalid()
{
    if (BeepOnInvalidKey())
        MessageBeep(MB_OK_BEEP);
}

bool TFcSpinEdit::DoChanging(long double NewValue)
{
    bool AllowChange = true;
    if (FOnChanging)
        FOnChanging(this, NewValue, AllowChange);
    return AllowChange;
}

void TFcSpinEdit::DoButtonClick(TSpinButtonType Button)
{
    if (FOnButtonClick)
        FOnButtonClick(this, Button);
}

void TFcSpinEdit::Step(const std::function<long double()>& Stepped, TSpinButtonType Button)
{
    if (GetReadOnly()) {
        BeepInvalid();
        return;
    }
    const long double NewValue = Stepped();
    if (!DoChanging(NewValue))
        return;
    SetValue(NewValue);
    DoButtonClick(Button);
}

void TFcSpinEdit::IncValue(long double Amount)
{
    Step([&] { return Value() + Amount; }, sbUp);
}

void TFcSpinEdit::DecValue(long double Amount)
{
    Step([&] { return Value() - Amount; }, sbDown);
}

void TFcSpinEdit::UpButtonClick()
{
    IncValue(FIncrement);
}

void TFcSpinEdit::DownButtonClick()
{
    DecValue(FIncrement);
}

// --- setters that apply the value again ------------------------------------------------------------

void TFcSpinEdit::SetDecimals(std::uint8_t V)
{
    if (AssignIfChanged(FDecimals, V))
        SetValue(Value());
}

void TFcSpinEdit::SetCheckRange(bool V)
{
    if (AssignIfChanged(FCheckRange, V))
        SetValue(Value());
}

void TFcSpinEdit::SetIntegersOnly(bool V)
{
    if (!AssignIfChanged(FIntegersOnly, V) || !V)
        return;
    // Rounded (halves to even) before the text loses its decimals, so that
    // the text's own rounding cannot move the value: 2.5 gives 2.
    SetValue(static_cast<long double>(Round(double(Value()))));
    SetDecimals(0);
}

void TFcSpinEdit::SetMin(long double V)
{
    if (FMin == V)
        return;
    FMin = V;
    if (FMin > FMax)
        FMax = FMin;
    SetValue(Value());
    Invalidate();
}

void TFcSpinEdit::SetMax(long double V)
{
    if (FMax == V)
        return;
    FMax = V;
    if (FMax < FMin)
        FMin = FMax;
    SetValue(Value());
    Invalidate();
}

void TFcSpinEdit::SetButtonWidth(int V)
{
    if (!AssignIfChanged(FButtonWidth, std::max(V, 0)))
        return;
    FSpinButtons->SetWidth(Orientation() == orVertical ? FButtonWidth : 2 * FButtonWidth);
    PositionSpinButtons();
    Invalidate();
}

void TFcSpinEdit::SetFlatButtonColor(TColor V)
{
    SetPaintProperty(FFlatButtonColor, V);
}

// --- the spin buttons ---------------------------------------------------------------------------------

TFcControlButton* TFcSpinEdit::GetButton(TSpinButtonType Button) const
{
    return Button == sbUp ? FSpinButtons->UpRightButton() : FSpinButtons->DownLeftButton();
}

void TFcSpinEdit::SetDirection(TSpinDirection V)
{
    FSpinButtons->SetDirection(V);
}

void TFcSpinEdit::SetOrientation(TOrientation V)
{
    FSpinButtons->SetOrientation(V);
    PositionSpinButtons();
}

void TFcSpinEdit::SetFlatButtons(bool V)
{
    TFcCustomEdit::SetFlatButtons(V);
    FSpinButtons->SetFlat(V);
    PositionSpinButtons();
}

void TFcSpinEdit::SetFrameStyle(TFrameStyle V)
{
    TFcCustomEdit::SetFrameStyle(V);
    PositionSpinButtons();
}

void TFcSpinEdit::ReadOnlyChanged()
{
    TFcCustomEdit::ReadOnlyChanged();
    FSpinButtons->SetVisible(!GetReadOnly());
    PositionSpinButtons();
}

void TFcSpinEdit::CMColorChanged(TMessage& Message)
{
    TFcCustomEdit::CMColorChanged(Message);
    FSpinButtons->SetColor(Color());
}

void TFcSpinEdit::CMEnabledChanged(TMessage& Message)
{
    TFcCustomEdit::CMEnabledChanged(Message);
    FSpinButtons->SetEnabled(Enabled());
    if (FlatButtons())
        FSpinButtons->SetColor(Color());
    SetEditMargins();
}

void TFcSpinEdit::CMFontChanged(TMessage& Message)
{
    TFcCustomEdit::CMFontChanged(Message);
    FSpinButtons->SetEnabled(Enabled());
    SetEditMargins();
}

// Flat buttons look flat in the edit's colour while it is neither focused
// nor under the mouse, and raised in FlatButtonColor otherwise.
void TFcSpinEdit::UpdateFrame(bool ViaMouse, bool Active)
{
    TFcCustomEdit::UpdateFrame(ViaMouse, Active);
    if (!FlatButtons())
        return;
    const bool Resting = !Active && !Focused();
    if (FcThemesEnabled()) {
        FSpinButtons->SetFlat(Resting);
        FSpinButtons->SetColor(Color());
    } else {
        FSpinButtons->SetColor(Resting ? Color() : FFlatButtonColor);
    }
}

// --- layout -------------------------------------------------------------------------------------------

// The buttons take the client area's height at its right edge (its left
// under right-to-left alignment), one pixel in from a frameless edit's
// edges; never over the frame.
void TFcSpinEdit::PositionSpinButtons()
{
    // The client area is the window's: placed when the window is made.
    if (ComponentState().Contains(csLoading) || !HandleAllocated())
        return;
    const int FontHeight = GetFontHeight(Font());
    if (FontHeight > Height()) {
        SetHeight(FontHeight);
        return;
    }
    const TRect Client = ClientRect();
    const int W = SpinButtonsWidth();
    if (UseRightToLeftAlignment())
        FSpinButtons->SetBounds(0, 0, W, Client.Height());
    else if (FrameVisible() || Ctl3D())
        FSpinButtons->SetBounds(Client.Width() - W, 0, W, Client.Height());
    else
        FSpinButtons->SetBounds(Client.Width() - W - 1, 1, W, Client.Height() - 2);
    SetEditMargins();
}

void TFcSpinEdit::SetEditMargins()
{
    if (!HandleAllocated())
        return;
    if (GetReadOnly()) {
        Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        return;
    }
    if (ComponentState().Contains(csLoading))
        return;
    const int Margin = SpinButtonsWidth() + 2;
    Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
            UseRightToLeftAlignment() ? MAKELPARAM(Margin, 0) : MAKELPARAM(0, Margin));
}

TRect TFcSpinEdit::GetEditRect()
{
    TRect R = TFcCustomEdit::GetEditRect();
    if (!GetReadOnly())
        R.Right -= SpinButtonsWidth() + 2;
    return R;
}

// --- keys, wheel, clipboard ------------------------------------------------------------------------------

bool TFcSpinEdit::IsValidChar(QChar Key)
{
    const QChar Separator = FormatSettings.DecimalSeparator;
    const bool Allowed =
        IsSign(Key) || (Key >= QLatin1Char('0') && Key <= QLatin1Char('9')) || (!FIntegersOnly && Key == Separator);
    bool Valid = true;
    if (!Allowed) {
        Valid = Key.unicode() < 32 && Key != QChar(13);
    } else {
        const String T = Text();
        const bool Selection = SelLength() > 0;
        if (Key == Separator)
            Valid = !T.contains(Separator) || (Selection && SelText().contains(Separator));
        if (IsSign(Key)) {
            const bool WholeSelected = Selection && SelLength() == T.size();
            Valid =
                (SelStart() == 0 && !T.contains(QLatin1Char('+')) && !T.contains(QLatin1Char('-'))) || WholeSelected;
        }
    }
    if (!FAllowKeyEdit && (Key.unicode() >= 32 || Key == QChar(8)))
        Valid = false;
    return Valid;
}

void TFcSpinEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TFcCustomEdit::KeyDown(Key, Shift);
    if (!FAllowKeyEdit && Key == VK_DELETE) {
        BeepInvalid();
        Key = 0;
    }
    switch (Key) {
    case VK_PRIOR:
        IncValue(FPageSize);
        break;
    case VK_NEXT:
        DecValue(FPageSize);
        break;
    case VK_UP:
        IncValue(FIncrement);
        break;
    case VK_DOWN:
        DecValue(FIncrement);
        break;
    default:
        return;
    }
    Key = 0;
}

void TFcSpinEdit::KeyPress(QChar& Key)
{
    TFcCustomEdit::KeyPress(Key);
    if (!Key.isNull() && !IsValidChar(Key)) {
        // A character of two code units beeps once, for its first half.
        if (!Key.isLowSurrogate())
            BeepInvalid();
        Key = QChar();
    }
}

bool TFcSpinEdit::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    TFcCustomEdit::DoMouseWheelDown(Shift, MousePos);
    DecValue(Shift.Contains(ssCtrl) ? FPageSize : FIncrement);
    return true;
}

bool TFcSpinEdit::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    TFcCustomEdit::DoMouseWheelUp(Shift, MousePos);
    IncValue(Shift.Contains(ssCtrl) ? FPageSize : FIncrement);
    return true;
}

// A paste leaves a number in the making: digits, a sign only in front and
// at most one decimal separator (when decimals may be typed).
bool TFcSpinEdit::PasteKeepsANumber()
{
    const QClipboard* Clipboard = QApplication::clipboard();
    if (Clipboard == nullptr)
        return false;
    String T = Text();
    T.replace(SelStart(), SelLength(), Clipboard->text());
    const QChar Separator = FormatSettings.DecimalSeparator;
    int Separators = 0;
    for (int I = 0; I < T.size(); ++I) {
        const QChar C = T.at(I);
        if (C == Separator && !FIntegersOnly && ++Separators == 1)
            continue;
        if (IsSign(C) && I == 0)
            continue;
        if (C < QLatin1Char('0') || C > QLatin1Char('9'))
            return false;
    }
    return true;
}

void TFcSpinEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE:
        if (!MayEditByHand())
            return;
        if (!PasteKeepsANumber()) {
            BeepInvalid();
            return;
        }
        break;
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        if (!MayEditByHand())
            return;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // The middle button's paste would pass no rule: the number is
        // typed or pasted from the clipboard.
        return;
    default:
        break;
    }
    TFcCustomEdit::WndProc(Message);
    // The buttons move with the size and to the side the reading order
    // puts them on.
    if (Message.Msg == WM_SIZE || Message.Msg == CM_BIDIMODECHANGED)
        PositionSpinButtons();
}

// --- focus ------------------------------------------------------------------------------------------

void TFcSpinEdit::CMEnter(TMessage& Message)
{
    TFcCustomEdit::CMEnter(Message);
    SetEditMargins();
    if (AutoSelect() && !FControlState.Contains(csLButtonDown))
        SelectAll();
}

void TFcSpinEdit::CMExit(TMessage& Message)
{
    TFcCustomEdit::CMExit(Message);
    SetEditMargins();
    if (FAllowBlank && Text().isEmpty())
        return;
    bool Ok = false;
    const long double V = TextValue(Text(), Ok);
    SetValue(Ok ? V : FMin);
}
