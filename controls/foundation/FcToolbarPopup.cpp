#include "controls/foundation/FcToolbarPopup.h"

#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcPopups.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcToolbar.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"
#include "platform/forms/Forms.h"

#include <memory>

REGISTER_COMPONENT(TFcToolbarPopupButton, TCustomControl)
    PUBLISHED(FrameColor, clBtnShadow)
END_REGISTER

TFcToolbarPopupButton::TFcToolbarPopupButton(TComponent* AOwner)
    : TCustomControl(AOwner), FToolbar(dynamic_cast<TFcToolbar*>(AOwner))
{
    FControlStyle.Include(csNoDesignVisible);
    FControlStyle.Include(csCaptureMouse);
}

// --- the mouse ------------------------------------------------------------------------------------------

void TFcToolbarPopupButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    FTracking = true;
    FDown = true;
    Invalidate();
    SetMouseCapture(true);
}

void TFcToolbarPopupButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FTracking)
        return;
    const bool Inside = PtInRect(GetClientRect(), {X, Y});
    if (AssignIfChanged(FDown, Inside))
        Invalidate();
}

void TFcToolbarPopupButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    SetMouseCapture(false);
    FTracking = false;
    if (!FDown)
        return;
    FDown = false;
    BuildOverflowPopup();
    Invalidate();
}

void TFcToolbarPopupButton::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

// --- painting -------------------------------------------------------------------------------------------

void TFcToolbarPopupButton::Paint()
{
    const TRect R = GetClientRect();
    DrawFace(R, FDown);
    if (FToolbar == nullptr || !(FToolbar->VisualStyle() == vsWinXP && FcThemesEnabled()))
        DrawChevron(R);
}

void TFcToolbarPopupButton::DrawFace(TRect R, bool Down)
{
    TCanvas* C = Canvas();
    const TFcVisualStyle Style = FToolbar != nullptr ? FToolbar->VisualStyle() : vsClassic;
    const TColor Face = FToolbar != nullptr ? FToolbar->Color() : clBtnFace;
    if (Style == vsWinXP && FcThemesEnabled()) {
        ThemeServices().DrawElement(C->Handle(), TThemeServices::GetElementDetails(trRebarRoot), R);
        ThemeServices().DrawElement(C->Handle(),
                                    TThemeServices::GetElementDetails(Down ? trChevronPressed : trChevronNormal), R);
        return;
    }
    R = PaintBoxOutline(C, R, FFrameColor);
    if (Style != vsGradient) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Down ? DarkenColor(Face, 20) : Face);
        C->FillRect(R);
        return;
    }
    TColor Start = FToolbar->GradientColorStart(), Stop = FToolbar->GradientColorStop();
    if (FToolbar->GradientColorStyle() != gcsCustom)
        GetPanelGradientColors(FToolbar->GradientColorStyle(), Start, Stop);
    if (Down)
        std::swap(Start, Stop);
    FillGradientRect(C, R, FToolbar->GradientDirection(), Start, Stop, 1);
}

// The colour of the chevron: the themed drop-down arrow's (unless it would
// vanish on the window colour), black without themes.
TColor TFcToolbarPopupButton::ChevronColor()
{
    if (!FcThemesEnabled())
        return clBlack;
    TBitmap Sample;
    Sample.SetSize(17, 21);
    ThemeServices().DrawElement(Sample.Canvas()->Handle(), TThemeServices::GetElementDetails(tcDropDownButtonNormal),
                                Rect(0, 0, 17, 21));
    const TColor Arrow = Sample.Canvas()->Pixels(8, 10);
    return ColorsAreNear(Arrow, clWindow) ? cl3DDkShadow : Arrow;
}

void TFcToolbarPopupButton::DrawChevron(TRect R)
{
    TCanvas* C = Canvas();
    const TColor OldBrush = C->Brush()->Color();
    const TColor Color = ChevronColor();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Pen()->SetStyle(psClear);
    const int CX = (R.Left + R.Right) / 2;
    const int Y = R.Bottom - 4 + (FDown ? 1 : 0);
    if (!FcThemesEnabled()) {
        C->FillRect(Rect(CX - 3, Y - 5, CX + 4, Y - 4));
        for (int Row = 0; Row < 4; ++Row)
            for (int X = CX - 3 + Row; X <= CX + 3 - Row; ++X)
                C->SetPixels(X, Y - 3 + Row, Color);
    } else {
        C->FillRect(Rect(CX - 3, Y - 6, CX + 4, Y - 5));
        C->Polygon({TPoint{CX, Y}, TPoint{CX - 3, Y - 4}, TPoint{CX, Y - 4}, TPoint{CX, Y - 3}, TPoint{CX + 1, Y - 4},
                    TPoint{CX + 4, Y - 4}});
    }
    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetColor(OldBrush);
}

// --- the popup ------------------------------------------------------------------------------------------

namespace {

// The popup's toolbar looks like the one it stands in for.
void TakeLook(TFcToolbar* T, TFcToolbar* From)
{
    T->SetBorderOuter(fsFlat);
    T->SetBorderSides(AllSides);
    T->SetAlign(alNone);
    T->SetWidth(From->ButtonWidth() * 3 + 8);
    T->SetBackground(From->Background());
    T->SetBiDiMode(From->BiDiMode());
    T->SetButtonHeight(From->ButtonHeight());
    T->SetButtonLayout(From->ButtonLayout());
    T->SetButtonWidth(From->ButtonWidth());
    T->SetColor(From->VisualStyle() == vsGradient ? clWindow : From->Color());
    T->SetGradientColorStart(From->GradientColorStart());
    T->SetGradientColorStop(From->GradientColorStop());
    T->SetGradientColorStyle(From->GradientColorStyle());
    T->SetGradientDirection(From->GradientDirection());
    T->SetImages(From->Images());
    T->SetRowHeight(From->RowHeight());
    T->SetShowButtonCaptions(From->ShowButtonCaptions());
    T->SetShowHint(From->ShowHint());
    T->SetTextOptions(From->TextOptions());
    T->SetVisualStyle(From->VisualStyle());
}

} // namespace

void TFcToolbarPopupButton::BuildOverflowPopup()
{
    TCustomForm* Form = GetParentForm(this);
    if (Form == nullptr || FToolbar == nullptr)
        return;
    // Freed, with its toolbar and the copies, however the popup ends.
    std::unique_ptr<TFcPopupPanel, TComponentDeleter> Panel(new TFcPopupPanel(this));
    auto* T = new TFcToolbar(Panel.get());
    T->SetParent(Panel.get());
    TakeLook(T, FToolbar);
    TFcToolbarControlList* List = FToolbar->ControlList();
    const int End = FToolbar->Width() - FToolbar->Margin();
    for (int I = 0; I < List->Count(); ++I) {
        auto* Source = dynamic_cast<TFcToolButton*>(List->Items(I)->Control());
        if (Source == nullptr || !Source->Visible() || Source->Left() + Source->Width() <= End)
            continue;
        auto* Copy = new TFcPopupToolButton(T);
        Copy->SetPopupButton(this);
        Copy->Assign(Source);
        Copy->SetOnClick(Source->OnClick());
        Copy->SetParent(T);
        T->ControlList()->AddControl(Copy);
    }
    Panel->SetParent(Form);
    Panel->Font()->SetName(Font()->Name());
    Panel->Font()->SetColor(Font()->Color());
    T->HandleNeeded();
    T->SetVisible(true);
    TFcPopupPanel* P = Panel.get();
    T->SetOnClick([P](TObject*) { P->ClosePopup(); });
    FClickedButton = nullptr;
    P->Popup(this);
    TFcToolButton* Clicked = FClickedButton;
    FClickedButton = nullptr;
    if (Clicked != nullptr)
        Clicked->Click();
}

// --- the copies -----------------------------------------------------------------------------------------

TFcPopupToolButton::TFcPopupToolButton(TComponent* AOwner)
    : TFcToolButton(AOwner), FPopupToolbar(dynamic_cast<TFcToolbar*>(AOwner))
{}

void TFcPopupToolButton::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TFcToolButton*>(Source);
    if (S == nullptr) {
        TFcToolButton::Assign(Source);
        return;
    }
    FSourceButton = S;
    SetAlignment(S->Alignment());
    SetAllowAllUp(S->AllowAllUp());
    SetBiDiMode(S->BiDiMode());
    SetCaption(S->Caption());
    SetColor(S->Color());
    SetDisabledIndex(S->DisabledIndex());
    SetDown(S->Down());
    SetDownIndex(S->DownIndex());
    SetDropDownMenu(S->DropDownMenu());
    SetEnabled(S->Enabled());
    SetFlat(S->Flat());
    Font()->Assign(S->Font());
    SetGradientColorStyle(S->GradientColorStyle());
    SetGroupIndex(S->GroupIndex());
    SetHeight(S->Height());
    SetHint(S->Hint());
    SetHotIndex(S->HotIndex());
    SetImageIndex(S->ImageIndex());
    SetImages(S->Images());
    SetLayout(S->Layout());
    SetParentBiDiMode(S->ParentBiDiMode());
    SetParentFont(S->ParentFont());
    SetParentShowHint(S->ParentShowHint());
    SetSelectionColorStart(S->SelectionColorStart());
    SetSelectionColorStop(S->SelectionColorStop());
    SetSelectionFrameColor(S->SelectionFrameColor());
    SetShowCaption(S->ShowCaption());
    SetShowHint(S->ShowHint());
    SetTag(S->Tag());
    SetToolStyle(S->ToolStyle());
    SetTransparent(S->Transparent());
    SetUseToolbarButtonLayout(S->UseToolbarButtonLayout());
    SetUseToolbarButtonSize(S->UseToolbarButtonSize());
    SetUseToolbarShowCaption(S->UseToolbarShowCaption());
    SetUseToolbarVisualStyle(S->UseToolbarVisualStyle());
    SetVisible(S->Visible());
    SetVisualStyle(S->VisualStyle());
    SetWidth(S->Width());
}

void TFcPopupToolButton::Click()
{
    if (FPopupButton != nullptr)
        FPopupButton->SetClickedButton(FSourceButton);
    if (FPopupToolbar != nullptr)
        FPopupToolbar->Click();
}
