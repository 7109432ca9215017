#pragma once
// TFcClockStatus (unit FcStatus): a polling pane that shows the date and
// time, in the short date and long time format or in Format, refreshed on
// every tick of the shared polling timer.  OnGetDateTime may replace the
// time shown.
#include "controls/foundation/FcPollingStatus.h"
#include "platform/rtl/DateUtils.h"

using TFcGetDateTimeEvent = std::function<void(TObject* Sender, TDateTime& DateTime)>;

class TFcClockStatus : public TFcPollingStatus {
public:
    explicit TFcClockStatus(TComponent* AOwner);

    // FormatDateTime's format; empty shows DateTimeToStr.
    String Format() const { return FFormat; }
    void SetFormat(const String& Value);
    DECLARE_EVENT(TFcGetDateTimeEvent, OnGetDateTime)

    // Reads the clock and shows the time when its text changed.
    void UpdateTime();
    void TimerExpired() override;
    // Under the bar's size grip the text stops 12 pixels earlier.
    void GetTextRect(TRect& R) override;

protected:
    void Loaded() override;

private:
    String FFormat;
    String FCurrentText;
};
