#include "controls/foundation/FcCheckBox.h"

#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/windows/Themes.h"

REGISTER_COMPONENT(TFcCustomCheckBox, TFcCustomGlyphButton)
    PUBLISHED(TabStop, true)
END_REGISTER

REGISTER_COMPONENT(TFcCheckBox, TFcCustomCheckBox)
    PUBLISHED(Alignment, TLeftRight(taRightJustify))
    PUBLISHED(AlignmentVertical, avTop)
    PUBLISHED(AllowGrayed, false)
    PUBLISHED_STORED(Checked, false, &TFcCheckBox::IsCheckedStored)
    PUBLISHED_STORED(Color, clWindow, &TControl::IsColorStored)
    PUBLISHED_OBJECT(CustomGlyphs)
    PUBLISHED_STORED(DisabledColor, clBtnFace, [](const TFcCheckBox& B) { return B.IsFramed(fcpDisabledColor); })
    PUBLISHED_STORED(FillColor, clWindow, [](const TFcCheckBox& B) { return B.IsFramed(fcpColor); })
    PUBLISHED_STORED(FocusColor, clWindow, [](const TFcCheckBox& B) { return B.IsFramed(fcpFocusColor); })
    PUBLISHED_STORED(FrameColor, clBtnShadow, [](const TFcCheckBox& B) { return B.IsFramed(fcpFrameColor); })
    PUBLISHED(FrameController, nullptr)
    PUBLISHED(FrameControllerNotifications, AllFrameControllerNotifications)
    PUBLISHED(HighlightColor, clHighlight)
    PUBLISHED(HotTrack, false)
    PUBLISHED_STORED(HotTrackColor, TColor(0x149BF0), [](const TFcCheckBox& B) { return B.IsFramed(fcpFrameHotColor); })
    PUBLISHED(HotTrackColorType, htctActual)
    PUBLISHED_STORED(HotTrackStyle, htsInterior, [](const TFcCheckBox& B) { return B.IsFramed(fcpFrameHotTrack); })
    PUBLISHED(LightTextStyle, false)
    PUBLISHED(ParentColor, true)
    PUBLISHED(ReadOnly, false)
    PUBLISHED_STORED(ReadOnlyColor, clInfoBk, [](const TFcCheckBox& B) { return B.IsFramed(fcpReadOnlyColor); })
    PUBLISHED_STORED(ReadOnlyColorOnFocus, false,
                     [](const TFcCheckBox& B) { return B.IsFramed(fcpReadOnlyColorOnFocus); })
    PUBLISHED_NODEFAULT(State)
    PUBLISHED(TabOnEnter, false)
    PUBLISHED(TabStop, true)
    PUBLISHED(TextHighlightColor, clBtnHighlight)
    PUBLISHED(TextShadowColor, clBtnShadow)
    PUBLISHED(TextShadowDepth, 2)
    PUBLISHED(TextStyle, tsNormal)
    PUBLISHED(Transparent, false)
    PUBLISHED(TransparentColor, TColor(0x008080))
    PUBLISHED(UseCustomGlyphs, false)
    PUBLISHED(WinMaskColor, TColor(0x00FF00))
END_REGISTER

TFcCustomCheckBox::TFcCustomCheckBox(TComponent* AOwner) : TFcCustomGlyphButton(AOwner, 9)
{
    SetAlignmentVertical(avTop);
}

void TFcCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (!AssignIfChanged(FState, Value))
        return;
    RepaintButton();
    // The handlers are bound before the values of a form definition are
    // read: a state read from one is no click.
    if (!SettingFromAction() && !ComponentState().Contains(csLoading))
        Click();
}

void TFcCustomCheckBox::Toggle()
{
    if (MousePressed() && ReadOnly())
        return;
    switch (FState) {
    case cbUnchecked:
        SetState(AllowGrayed() ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

// --- keys -----------------------------------------------------------------------------------------------

void TFcCustomCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TFcCustomGlyphButton::KeyDown(Key, Shift);
    if (ReadOnly())
        return;
    if (Key == VK_SPACE) {
        FSpacePressed = true;
        SetShownDown(true);
        RepaintButton();
    } else if (Key == VK_ESCAPE) {
        FSpacePressed = false;
        SetShownDown(false);
        RepaintButton();
    }
}

void TFcCustomCheckBox::KeyUp(WORD& Key, TShiftState Shift)
{
    TFcCustomGlyphButton::KeyUp(Key, Shift);
    if (ReadOnly() || Key != VK_SPACE)
        return;
    SetShownDown(false);
    // Only a press that began here, and was not called off, toggles once.
    const bool Press = FSpacePressed;
    FSpacePressed = false;
    if (Press)
        Toggle();
    RepaintButton();
}

void TFcCustomCheckBox::EndPress()
{
    FSpacePressed = false;
    if (!ShownDown())
        return;
    SetShownDown(false);
    RepaintButton();
}

void TFcCustomCheckBox::CMDialogChar(TMessage& Message)
{
    if (!IsAccel(WORD(Message.WParam), Caption()) || !CanFocus()) {
        TFcCustomGlyphButton::CMDialogChar(Message);
        return;
    }
    SetFocus();
    if (Focused() && !ReadOnly()) {
        Toggle();
        RepaintButton();
    }
    Message.Result = 1;
}

void TFcCustomCheckBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case BM_GETCHECK:
        Message.Result = LRESULT(FState);
        return;
    case CM_EXIT:
        TFcCustomGlyphButton::Dispatch(Message);
        EndPress();
        return;
    default:
        TFcCustomGlyphButton::Dispatch(Message);
        return;
    }
}

// --- the glyph ------------------------------------------------------------------------------------------

int TFcCustomCheckBox::CustomCell() const
{
    if (!Enabled())
        return 6 + int(FState);
    return (ShownDown() ? 3 : 0) + int(FState);
}

void TFcCustomCheckBox::DrawFace(TBitmap* Bitmap)
{
    const int W = GlyphWidth(), H = GlyphHeight();
    const TRect R = Rect(0, 0, W, H);
    TCanvas* C = Bitmap->Canvas();
    if (UseCustomGlyphs()) {
        ExtractGlyphCell(CustomCell(), Bitmap, W, H, CustomGlyphs());
        return;
    }
    if (FcThemesEnabled()) {
        static const TThemedButton Normal[] = {tbCheckBoxUncheckedNormal, tbCheckBoxCheckedNormal,
                                               tbCheckBoxMixedNormal};
        // Normal, hot, pressed and disabled follow each other.
        int Look = 0;
        if (!Enabled())
            Look = 3;
        else if (ShownDown())
            Look = 2;
        else if (MouseOver())
            Look = 1;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect(R);
        ThemeServices().DrawElement(C->Handle(),
                                    TThemeServices::GetElementDetails(TThemedButton(Normal[FState] + Look)), R);
        return;
    }
    if (HotTrack()) {
        TColor Hot = MixColors(TColor(0xFFFFFF), HotTrackColor(), 190), HotLight = HotTrackColor();
        if (HotTrackColorType() == htctComplement) {
            Hot = OppositeHueColor(HotTrackColor(), 180);
            HotLight = DarkenColor(Hot, 30);
        }
        int DrawState = 0;
        if (!Enabled())
            DrawState = 3;
        else if (ShownDown())
            DrawState = 1;
        else if (MouseOver())
            DrawState = 2;
        PaintCheckGlyph(C, R, int(FState), DrawState, Focused(), HotTrackStyle(), FrameColor(), HighlightColor(),
                        FillColor(), FocusColor(), DisabledColor(), Hot, HotLight, ReadOnly(), ReadOnlyColorOnFocus(),
                        ReadOnlyColor());
        return;
    }
    unsigned State = DFCS_BUTTONCHECK;
    if (FState == cbChecked)
        State |= DFCS_CHECKED;
    else if (FState == cbGrayed)
        State |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (ShownDown())
        State |= DFCS_PUSHED;
    if (!Enabled())
        State |= DFCS_INACTIVE;
    TRect Box = R;
    DrawFrameControl(C->Handle(), &Box, DFC_BUTTON, State);
}
