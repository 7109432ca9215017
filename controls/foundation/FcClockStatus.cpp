#include "controls/foundation/FcClockStatus.h"

#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TFcClockStatus, TFcPollingStatus)
    PUBLISHED(Format, String())
    PUBLISHED_EVENT(OnGetDateTime)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED(AutoSize, false)
    PUBLISHED(Blinking, false)
    PUBLISHED(BlinkColor, clHighlight)
    PUBLISHED(BlinkIntervalOff, 500)
    PUBLISHED(BlinkIntervalOn, 500)
    PUBLISHED(CaptionOffset, 2)
    PUBLISHED(DefaultWidth, 40)
END_REGISTER

TFcClockStatus::TFcClockStatus(TComponent* AOwner) : TFcPollingStatus(AOwner)
{
    FWidth = 150;
}

void TFcClockStatus::SetFormat(const String& Value)
{
    if (!AssignIfChanged(FFormat, Value))
        return;
    UpdateTime();
    Invalidate();
}

void TFcClockStatus::UpdateTime()
{
    TDateTime T = Now();
    if (FOnGetDateTime)
        FOnGetDateTime(this, T);
    const String Text = FFormat.isEmpty() ? DateTimeToStr(T) : FormatDateTime(FFormat, T);
    if (Text == FCurrentText)
        return;
    FCurrentText = Text;
    SetCaption(Text);
    AdjustSize();
    Invalidate();
}

void TFcClockStatus::TimerExpired()
{
    UpdateTime();
    TFcPollingStatus::TimerExpired();
}

void TFcClockStatus::GetTextRect(TRect& R)
{
    TFcPollingStatus::GetTextRect(R);
    if (IsUnderSizeGrip())
        R.Right -= 12;
}

void TFcClockStatus::Loaded()
{
    TFcPollingStatus::Loaded();
    UpdateTime();
}
