#include "controls/lists/FcTabColors.h"

#include "controls/lists/FcTabControl.h"
#include "platform/classes/TypInfo.h"

REGISTER_CLASS(TFcTabColors, TPersistent)
    PUBLISHED(HighlightBar, clHighlight)
    PUBLISHED(Shadow, clBtnFace)
    PUBLISHED(Unselected, clWindow)
END_REGISTER

REGISTER_CLASS(TFcTextColors, TPersistent)
    PUBLISHED(Disabled, clGrayText)
    PUBLISHED(Selected, clBtnText)
    PUBLISHED(Unselected, clBtnText)
END_REGISTER

void TFcTabColors::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcTabColors*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetHighlightBar(Other->FHighlightBar);
    SetShadow(Other->FShadow);
    SetUnselected(Other->FUnselected);
}

TPersistent* TFcTabColors::GetOwner() const
{
    return FOwner;
}

void TFcTabColors::SetHighlightBar(TColor Value)
{
    if (AssignIfChanged(FHighlightBar, Value))
        Changed();
}

void TFcTabColors::SetShadow(TColor Value)
{
    if (AssignIfChanged(FShadow, Value))
        Changed();
}

void TFcTabColors::SetUnselected(TColor Value)
{
    if (AssignIfChanged(FUnselected, Value))
        Changed();
}

void TFcTabColors::Changed()
{
    if (FOwner != nullptr)
        FOwner->FullRepaint();
}

void TFcTextColors::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcTextColors*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetDisabled(Other->FDisabled);
    SetSelected(Other->FSelected);
    SetUnselected(Other->FUnselected);
}

TPersistent* TFcTextColors::GetOwner() const
{
    return FOwner;
}

void TFcTextColors::SetDisabled(TColor Value)
{
    if (AssignIfChanged(FDisabled, Value))
        Changed();
}

void TFcTextColors::SetSelected(TColor Value)
{
    if (AssignIfChanged(FSelected, Value))
        Changed();
}

void TFcTextColors::SetUnselected(TColor Value)
{
    if (AssignIfChanged(FUnselected, Value))
        Changed();
}

void TFcTextColors::Changed()
{
    if (FOwner != nullptr)
        FOwner->FullRepaint();
}
