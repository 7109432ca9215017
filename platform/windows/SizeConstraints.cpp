#include "platform/windows/SizeConstraints.h"

#include "platform/classes/TypInfo.h"
#include "platform/windows/Controls.h"

#include <algorithm>

REGISTER_CLASS(TSizeConstraints, TPersistent)
    PUBLISHED(MaxHeight, 0)
    PUBLISHED(MaxWidth, 0)
    PUBLISHED(MinHeight, 0)
    PUBLISHED(MinWidth, 0)
END_REGISTER

REGISTER_CLASS(TMargins, TPersistent)
    PUBLISHED(Left, 3)
    PUBLISHED(Top, 3)
    PUBLISHED(Right, 3)
    PUBLISHED(Bottom, 3)
END_REGISTER

REGISTER_CLASS(TPadding, TMargins)
    PUBLISHED(Left, 0)
    PUBLISHED(Top, 0)
    PUBLISHED(Right, 0)
    PUBLISHED(Bottom, 0)
END_REGISTER

void TSizeConstraints::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TSizeConstraints*>(Source)) {
        FMaxHeight = S->FMaxHeight;
        FMaxWidth = S->FMaxWidth;
        FMinHeight = S->FMinHeight;
        FMinWidth = S->FMinWidth;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

TPersistent* TSizeConstraints::GetOwner() const
{
    return FControl;
}

void TSizeConstraints::SetMaxHeight(int Value)
{
    Value = std::max(0, Value);
    if (Value == FMaxHeight)
        return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight)
        FMinHeight = Value;
    Changed();
}

void TSizeConstraints::SetMaxWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FMaxWidth)
        return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth)
        FMinWidth = Value;
    Changed();
}

void TSizeConstraints::SetMinHeight(int Value)
{
    Value = std::max(0, Value);
    if (Value == FMinHeight)
        return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && Value > FMaxHeight)
        FMaxHeight = Value;
    Changed();
}

void TSizeConstraints::SetMinWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FMinWidth)
        return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && Value > FMaxWidth)
        FMaxWidth = Value;
    Changed();
}

void TSizeConstraints::Apply(int& Width, int& Height) const
{
    if (FMinWidth > 0 && Width < FMinWidth)
        Width = FMinWidth;
    if (FMaxWidth > 0 && Width > FMaxWidth)
        Width = FMaxWidth;
    if (FMinHeight > 0 && Height < FMinHeight)
        Height = FMinHeight;
    if (FMaxHeight > 0 && Height > FMaxHeight)
        Height = FMaxHeight;
}

void TSizeConstraints::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

TMargins::TMargins(TControl* Control, int Default)
    : FControl(Control), FDefault(Default), FLeft(Default), FTop(Default), FRight(Default), FBottom(Default)
{
}

void TMargins::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TMargins*>(Source)) {
        SetBounds(S->FLeft, S->FTop, S->FRight, S->FBottom);
        return;
    }
    TPersistent::Assign(Source);
}

TPersistent* TMargins::GetOwner() const
{
    return FControl;
}

void TMargins::SetBounds(int ALeft, int ATop, int ARight, int ABottom)
{
    if (ALeft == FLeft && ATop == FTop && ARight == FRight && ABottom == FBottom)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FRight = ARight;
    FBottom = ABottom;
    if (FOnChange)
        FOnChange(this);
}

void TMargins::SetMargin(int& Field, int Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (FOnChange)
        FOnChange(this);
}
