#include "controls/foundation/FcToolbar.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcImageLists.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcToolbarPopup.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

#include <algorithm>

REGISTER_ENUM(TFcToolbarTextOptions, ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom)

REGISTER_COMPONENT(TFcToolbar, TFcCustomPanel)
    PUBLISHED(Align, alTop)
    PUBLISHED_STORED(Anchors, (TAnchors{akLeft, akTop, akRight}),
                     [](const TFcToolbar& T) { return T.Anchors() != AnchorAlign(T.Align()); })
    PUBLISHED(AutoSize, false)
    PUBLISHED_NODEFAULT(BorderInner)
    PUBLISHED_NODEFAULT(BorderOuter)
    PUBLISHED_NODEFAULT(BorderSides)
    PUBLISHED_NODEFAULT(BorderWidth)
    PUBLISHED(FullRepaint, false)
    PUBLISHED(Height, 32)
    PUBLISHED(Width, 32)
    PUBLISHED(ShowDockClientCaptions, false)
    PUBLISHED(AutoResize, true)
    PUBLISHED(AutoStyle, true)
    PUBLISHED_OBJECT(Background)
    PUBLISHED(Images, nullptr)
    PUBLISHED(Margin, 4)
    PUBLISHED(TopMargin, 2)
    PUBLISHED(Orientation, orHorizontal)
    PUBLISHED(ButtonLayout, blGlyphLeft)
    PUBLISHED(ButtonWidth, 25)
    PUBLISHED(ButtonHeight, 25)
    PUBLISHED(RowHeight, 25)
    PUBLISHED(RegIniFile, nullptr)
    PUBLISHED(ShowButtonCaptions, false)
    PUBLISHED(ShowDivider, true)
    PUBLISHED(TextOptions, ttoNoTextLabels)
    PUBLISHED(WrapControls, true)
    PUBLISHED_EVENT(OnVisibleChanged)
    PUBLISHED_OBJECT(CustomizeCaptions)
END_REGISTER

namespace {

constexpr int PopupButtonWidth = 14;

struct TTextPreset {
    TButtonLayout Layout;
    int Width, Height;
    bool Captions;
    int RowHeight, RowHeightVertical;
};

// Indexed by TFcToolbarTextOptions (ttoCustom has none).
const TTextPreset TextPresets[] = {
    {blGlyphLeft, 25, 25, false, 25, 25},
    {blGlyphTop, 60, 40, true, 40, 60},
    {blGlyphLeft, 60, 25, true, 25, 60},
};

} // namespace

TFcToolbar::TFcToolbar(TComponent* AOwner)
    : TFcCustomPanel(AOwner), FBackground(std::make_unique<TBitmap>()),
      FImageChangeLink(std::make_unique<TChangeLink>()), FCustomizeCaptions(std::make_unique<TFcCustomizeCaptions>())
{
    FBackground->SetOnChange([this](TObject*) { Invalidate(); });
    FImageChangeLink->SetOnChange([this](TObject*) { Invalidate(); });
    FControlList = CreateControlList();
    TFcCustomPanel::SetBorderInner(fsNone);
    TFcCustomPanel::SetBorderOuter(fsGroove);
    TFcCustomPanel::SetBorderSides({sdTop});
    SetBorderWidth(0);
    TControl::SetAlign(alTop);
    FHeight = 32;
    FWidth = 32;
    SetShowDockClientCaptions(false);
    SetFullRepaint(false);
}

TFcToolbar::~TFcToolbar()
{
    if (FImages != nullptr)
        FImages->UnRegisterChanges(FImageChangeLink.get());
}

void TFcToolbar::BeforeDestruction()
{
    // Its children go with it: none of them is taken out of the list one by one.
    FPopupButton = nullptr;
    TFcCustomPanel::BeforeDestruction();
}

std::unique_ptr<TFcToolbarControlList> TFcToolbar::CreateControlList()
{
    return std::make_unique<TFcToolbarControlList>(this);
}

// --- properties ---------------------------------------------------------------------------------------

void TFcToolbar::CheckAutoResize(bool& Value)
{
    // A page scroller or a platform toolbar sizes what it holds itself.
    if (Parent() != nullptr) {
        const String Name = Parent()->ClassName();
        if (Name == QLatin1String("TPageScroller") || Name == QLatin1String("TToolbar"))
            Value = false;
    }
}

void TFcToolbar::SetAutoResize(bool Value)
{
    CheckAutoResize(Value);
    if (AssignIfChanged(FAutoResize, Value))
        PositionControls();
}

void TFcToolbar::SetAutoStyle(bool Value)
{
    if (AssignIfChanged(FAutoStyle, Value) && Value && !ComponentState().Contains(csLoading))
        AdjustBorderToAlign(Align());
}

void TFcToolbar::SetBackground(TBitmap* Value)
{
    FBackground->Assign(Value);
}

void TFcToolbar::SetImages(TCustomImageList* Value)
{
    if (ChangeImageList(this, FImageChangeLink.get(), FImages, Value))
        Invalidate();
}

void TFcToolbar::SetMargin(int Value)
{
    if (AssignIfChanged(FMargin, Value))
        PositionControls();
}

void TFcToolbar::SetTopMargin(int Value)
{
    if (AssignIfChanged(FTopMargin, Value))
        PositionControls();
}

void TFcToolbar::SetOrientation(TOrientation Value)
{
    if (FOrientation == Value)
        return;
    FOrientation = Value;
    for (int I = 0; I < ControlCount(); ++I)
        if (auto* Spacer = dynamic_cast<TFcSpacer*>(Controls(I)))
            Spacer->SetOrientation(Value);
    PositionControls();
}

void TFcToolbar::SetRowHeight(int Value)
{
    if (AssignIfChanged(FRowHeight, Value))
        PositionControls();
}

void TFcToolbar::SetWrapControls(bool Value)
{
    if (AssignIfChanged(FWrapControls, Value))
        PositionControls();
}

void TFcToolbar::MadeCustom()
{
    if (!FApplyingTextOptions)
        FTextOptions = ttoCustom;
}

void TFcToolbar::NotifyButtons(UINT Msg)
{
    NotifyControls(Msg);
}

void TFcToolbar::SetShowButtonCaptions(bool Value)
{
    if (!AssignIfChanged(FShowButtonCaptions, Value))
        return;
    NotifyButtons(CM_TOOLBARSHOWCAPTIONCHANGED);
    MadeCustom();
}

void TFcToolbar::SetButtonLayout(TButtonLayout Value)
{
    if (!AssignIfChanged(FButtonLayout, Value))
        return;
    NotifyButtons(CM_TOOLBARBUTTONLAYOUTCHANGED);
    MadeCustom();
}

void TFcToolbar::SetButtonWidth(int Value)
{
    if (!AssignIfChanged(FButtonWidth, Value))
        return;
    NotifyButtons(CM_TOOLBARBUTTONSIZECHANGED);
    MadeCustom();
}

void TFcToolbar::SetButtonHeight(int Value)
{
    if (!AssignIfChanged(FButtonHeight, Value))
        return;
    NotifyButtons(CM_TOOLBARBUTTONSIZECHANGED);
    MadeCustom();
}

void TFcToolbar::SetGradientColorStyle(TFcGradientColorStyle Value)
{
    TFcCustomPanel::SetGradientColorStyle(Value);
    NotifyButtons(CM_TOOLBARVISUALSTYLECHANGED);
}

void TFcToolbar::SetVisualStyle(TFcVisualStyle Value)
{
    TFcCustomPanel::SetVisualStyle(Value);
    NotifyButtons(CM_TOOLBARVISUALSTYLECHANGED);
}

void TFcToolbar::SetShowDivider(bool Value)
{
    if (!AssignIfChanged(FShowDivider, Value))
        return;
    TFcCustomPanel::SetBorderOuter(Value ? fsGroove : fsNone);
    Invalidate();
}

void TFcToolbar::SetTextOptions(TFcToolbarTextOptions Value)
{
    if (!AssignIfChanged(FTextOptions, Value) || Value == ttoCustom)
        return;
    const TTextPreset& P = TextPresets[Value];
    FApplyingTextOptions = true;
    try {
        SetButtonLayout(P.Layout);
        SetButtonSize(P.Width, P.Height, P.Captions);
        SetRowHeight(FOrientation == orVertical ? P.RowHeightVertical : P.RowHeight);
    } catch (...) {
        FApplyingTextOptions = false;
        throw;
    }
    FApplyingTextOptions = false;
}

// The sizes and captions of a preset go to the tool buttons through their
// messages; the rows take the buttons' size across the toolbar.
void TFcToolbar::SetButtonSize(int AWidth, int AHeight, bool ShowCaptions)
{
    SetShowButtonCaptions(ShowCaptions);
    SetButtonWidth(AWidth);
    SetButtonHeight(AHeight);
    SetRowHeight(FOrientation == orVertical ? AWidth : AHeight);
}

void TFcToolbar::SetCustomizeCaptions(TFcCustomizeCaptions* Value)
{
    FCustomizeCaptions->Assign(Value);
}

void TFcToolbar::SetRegIniFile(TFcRegIniFile* Value)
{
    if (FRegIniFile == Value)
        return;
    if (FRegIniFile != nullptr)
        FRegIniFile->RemoveFreeNotification(this);
    FRegIniFile = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

// --- borders and alignment ------------------------------------------------------------------------------

void TFcToolbar::SetBorderInner(TFrameStyleEx Value)
{
    const TFrameStyleEx Old = BorderInner();
    TFcCustomPanel::SetBorderInner(Value);
    if (BorderInner() != Old)
        FAutoStyle = false;
}

void TFcToolbar::SetBorderOuter(TFrameStyleEx Value)
{
    const TFrameStyleEx Old = BorderOuter();
    TFcCustomPanel::SetBorderOuter(Value);
    if (BorderOuter() != Old)
        FAutoStyle = false;
}

void TFcToolbar::SetBorderSides(TSides Value)
{
    const TSides Old = BorderSides();
    TFcCustomPanel::SetBorderSides(Value);
    if (BorderSides() != Old)
        FAutoStyle = false;
}

// The automatic border is set through the panel's own setters, so that
// applying it does not switch AutoStyle off.
void TFcToolbar::AdjustBorderToAlign(TAlign Value)
{
    TFcCustomPanel::SetBorderInner(fsNone);
    TFcCustomPanel::SetBorderOuter(FShowDivider ? fsGroove : fsNone);
    switch (Value) {
    case alBottom:
        TFcCustomPanel::SetBorderSides({sdBottom});
        break;
    case alLeft:
        TFcCustomPanel::SetBorderSides({sdLeft});
        break;
    case alRight:
        TFcCustomPanel::SetBorderSides({sdRight});
        break;
    default:
        TFcCustomPanel::SetBorderSides({sdTop});
        break;
    }
    Invalidate();
}

void TFcToolbar::SetAlign(TAlign Value)
{
    if (FAutoStyle)
        AdjustBorderToAlign(Value);
    TControl::SetAlign(Value);
    if (!FAutoResize)
        return;
    if (Value == alLeft || Value == alRight)
        SetWidth(32);
    else
        SetHeight(32);
}

void TFcToolbar::SetParent(TWinControl* AParent)
{
    TFcCustomPanel::SetParent(AParent);
    bool Value = FAutoResize;
    CheckAutoResize(Value);
    FAutoResize = Value;
}

// --- the control list -----------------------------------------------------------------------------------

void TFcToolbar::AlignControls(TControl* AControl, TRect& Rect)
{
    (void)Rect;
    if (!ComponentState().Contains(csLoading) && AControl != nullptr && AControl->Parent() == this
        && AControl != FPopupButton)
        ListControl(AControl);
    PositionControls();
    PlacePopupButton();
}

void TFcToolbar::Notification(TComponent* AComponent, TOperation Operation)
{
    TFcCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FRegIniFile)
        FRegIniFile = nullptr;
    if (AComponent == FPopupButton)
        FPopupButton = nullptr;
    // Compared as components: a control's own parts may be gone already.
    if (AComponent == this || ComponentState().Contains(csDestroying))
        return;
    for (int I = 0; I < FControlList->Count(); ++I) {
        TControl* C = FControlList->Items(I)->Control();
        if (static_cast<TComponent*>(C) == AComponent) {
            FControlList->RemoveControl(C);
            PositionControls();
            return;
        }
    }
}

// Listed, and heard of when it goes, whoever owns it.
void TFcToolbar::ListControl(TControl* Control)
{
    FControlList->AddControl(Control);
    Control->FreeNotification(this);
}

bool TFcToolbar::HasNamedControls() const
{
    for (int I = 0; I < FControlList->Count(); ++I) {
        const TControl* C = FControlList->Items(I)->Control();
        if (C != nullptr && !C->Name().isEmpty())
            return true;
    }
    return false;
}

void TFcToolbar::DefineProperties(TFiler& Filer)
{
    TFcCustomPanel::DefineProperties(Filer);
    Filer.DefineProperty(
        QStringLiteral("ToolbarControls"), [this](TReader& R) { ReadControls(R); },
        [this](TWriter& W) { WriteControls(W); }, HasNamedControls());
}

void TFcToolbar::ReadControls(TReader& Reader)
{
    TFcToolbarControlList* Names = FControlList->NeedNameList();
    Names->Clear();
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        Names->AddName(Reader.ReadIdent());
    Reader.ReadListEnd();
}

// Unnamed controls cannot be found again by name: only named ones are
// written, so that the definition reads back.
void TFcToolbar::WriteControls(TWriter& Writer)
{
    Writer.WriteListBegin();
    for (int I = 0; I < FControlList->Count(); ++I) {
        const TControl* C = FControlList->Items(I)->Control();
        if (C != nullptr && !C->Name().isEmpty())
            Writer.WriteIdent(C->Name());
    }
    Writer.WriteListEnd();
}

// The names read become the list of the controls still on the toolbar, in
// the order read.  When one of them has moved elsewhere, every child of
// the toolbar is taken in as well; names that find nothing are dropped.
void TFcToolbar::ResolveNames()
{
    TFcToolbarControlList* Names = FControlList->NameList();
    bool Moved = false;
    if (Names != nullptr && Owner() != nullptr) {
        for (int I = 0; I < Names->Count(); ++I) {
            const String Name = Names->Items(I)->Name();
            auto* C = dynamic_cast<TControl*>(Owner()->FindComponent(Name));
            if (C == nullptr)
                continue;
            if (C->Parent() != this) {
                FControlList->RemoveName(Name);
                Moved = true;
            } else {
                ListControl(C);
            }
        }
    }
    if (Names == nullptr || Moved)
        for (int I = 0; I < ControlCount(); ++I)
            if (Controls(I) != FPopupButton)
                ListControl(Controls(I));
    FControlList->FreeNameList();
}

void TFcToolbar::Loaded()
{
    TFcCustomPanel::Loaded();
    ResolveNames();
    PositionControls();
    if (FAutoStyle)
        AdjustBorderToAlign(Align());
}

// --- layout ---------------------------------------------------------------------------------------------

int TFcToolbar::GetRowHeight(int Row)
{
    (void)Row;
    return FRowHeight;
}

TControl* TFcToolbar::LastLaidOutControl() const
{
    for (int I = FControlList->Count() - 1; I >= 0; --I) {
        TControl* C = FControlList->Items(I)->Control();
        if (C != nullptr && C->Parent() == this && C->Visible())
            return C;
    }
    return nullptr;
}

// Only a horizontal toolbar without wrapping overflows: switched to
// either, the overflow button goes.
void TFcToolbar::UpdateOverflow()
{
    const TControl* Last = FOrientation == orHorizontal && !FWrapControls ? LastLaidOutControl() : nullptr;
    const bool Overflow = Last != nullptr && Width() - FMargin < Last->Left() + Last->Width();
    if (Overflow == FOverflow)
        return;
    FOverflow = Overflow;
    if (FPopupButton == nullptr) {
        FPopupButton = new TFcToolbarPopupButton(this);
        TColor Flat;
        int Adjustment;
        GetFlatColors(Flat, Adjustment);
        FPopupButton->SetFrameColor(ShiftColorLightness(Flat, Adjustment));
        FPopupButton->SetVisible(false);
        FPopupButton->SetParent(this);
    }
    FPopupButton->SetVisible(Overflow);
    Invalidate();
}

void TFcToolbar::PlacePopupButton()
{
    if (FPopupButton == nullptr || !FOverflow || FOrientation != orHorizontal || FWrapControls
        || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
        return;
    FPopupButton->SetBounds(Width() - PopupButtonWidth, 0, PopupButtonWidth, Height());
}

void TFcToolbar::PositionControl(int Index, int Row, int& Pos)
{
    TControl* C = FControlList->Items(Index)->Control();
    if (C == nullptr || C->ComponentState().Contains(csDestroying))
        return;
    const bool Margins = C->AlignWithMargins();
    if (FOrientation == orHorizontal) {
        if (Margins)
            Pos += C->Margins()->Left();
        const int Y = (Row - 1) * FCurrentRowHeight + FTopMargin + FRowHeight / 2 - C->Height() / 2;
        const int X = C->UseRightToLeftAlignment() ? Width() - C->Width() - Pos : Pos;
        C->SetBounds(X, Y, C->Width(), C->Height());
        Pos += C->Width() + (Margins ? C->Margins()->Right() : 0);
        return;
    }
    if (Margins)
        Pos += C->Margins()->Top();
    const int X = (Row - 1) * FCurrentRowHeight + FMargin + FRowHeight / 2 - C->Width() / 2;
    C->SetBounds(X, Pos, C->Width(), C->Height());
    Pos += C->Height() + (Margins ? C->Margins()->Bottom() : 0);
}

void TFcToolbar::PositionControls()
{
    if (FPositioning)
        return;
    FPositioning = true;
    const bool Horizontal = FOrientation == orHorizontal;
    if (FControlList->Count() > 0 || FOverflow)
        UpdateOverflow();
    const bool Designing = ComponentState().Contains(csDesigning);
    int Pos = FMargin, Extent = 0, Row = 1;
    FCurrentRowHeight = GetRowHeight(1);
    bool First = true;
    for (int I = 0; I < FControlList->Count(); ++I) {
        TControl* C = FControlList->Items(I)->Control();
        // Only what is on the toolbar is laid out by it.
        if (C == nullptr || C->Parent() != this || (!C->Visible() && !Designing))
            continue;
        const int Room = Horizontal ? Width() : Height();
        const int Size = Horizontal ? C->Width() : C->Height();
        if (FWrapControls && !First && Room - FMargin < Pos + Size) {
            Pos = FMargin;
            ++Row;
            FCurrentRowHeight = GetRowHeight(Row);
        }
        PositionControl(I, Row, Pos);
        Extent = std::max(Extent, Pos);
        First = false;
    }
    FPositioning = false;
    FitSize(Extent, Row);
}

// With AutoResize the toolbar takes the size of its rows across, and the
// length of its one row along a side; alone, it has nothing to fit into.
void TFcToolbar::FitSize(int Extent, int Rows)
{
    if (!FAutoResize || Parent() == nullptr)
        return;
    const TAlign A = Align();
    const bool Side = A == alLeft || A == alRight;
    const bool Along = A == alNone || A == alTop || A == alBottom;
    int W = Width(), H = Height();
    if (FOrientation == orHorizontal) {
        if (Side && Extent != 0)
            W = FMargin + Extent;
        else if (Along)
            H = FRowHeight * Rows + 2 * FTopMargin;
    } else {
        if (Side)
            W = FRowHeight * Rows + 2 + FTopMargin;
        else if (Along && Extent != 0)
            H = FMargin + Extent;
    }
    if (W == Width() && H == Height())
        return;
    Invalidate();
    SetBounds(Left(), Top(), W, H);
    NotifyParentOfSize();
}

// The parent hears that its content changed size, as a resize of its own.
void TFcToolbar::NotifyParentOfSize()
{
    TWinControl* P = Parent();
    if (P == nullptr || !P->Visible() || !P->HandleAllocated())
        return;
    const HWND Wnd = P->WindowHandle();
    const WPARAM Kind = IsZoomed(Wnd) ? SIZE_MAXIMIZED : IsIconic(Wnd) ? SIZE_MINIMIZED : SIZE_RESTORED;
    PostMessage(Wnd, WM_SIZE, Kind, MAKELPARAM(P->Width(), P->Height()));
}

TPoint TFcToolbar::GetRepaintMargin()
{
    if (FOverflow && FOrientation == orHorizontal && !FWrapControls)
        return {PopupButtonWidth + 1, 1};
    return TFcCustomPanel::GetRepaintMargin();
}

// --- painting and messages ------------------------------------------------------------------------------

void TFcToolbar::Paint()
{
    TCanvas* C = Canvas();
    if (VisualStyle() == vsWinXP && FcThemesEnabled()) {
        ThemeServices().DrawElement(C->Handle(), TThemeServices::GetElementDetails(trRebarRoot), GetClientRect());
    } else {
        TFcCustomPanel::Paint();
        if (!FBackground->Empty()) {
            TRect R = GetClientRect();
            AdjustRectForBorders(R, true);
            const int Saved = SaveDC(C->Handle());
            IntersectClipRect(C->Handle(), R.Left, R.Top, R.Right, R.Bottom);
            for (int Y = R.Top; Y < ClientHeight(); Y += FBackground->Height())
                for (int X = R.Left; X < ClientWidth(); X += FBackground->Width())
                    C->Draw(X, Y, FBackground.get());
            RestoreDC(C->Handle(), Saved);
        }
    }
    if (FPopupButton != nullptr && FOverflow)
        FPopupButton->Invalidate();
}

void TFcToolbar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        TFcCustomPanel::Dispatch(Message);
        if (FOnVisibleChanged)
            FOnVisibleChanged(this);
        return;
    case CM_BIDIMODECHANGED:
        TFcCustomPanel::Dispatch(Message);
        PositionControls();
        return;
    default:
        TFcCustomPanel::Dispatch(Message);
        return;
    }
}
