#pragma once
// TScrollBar: a scroll bar of its own, not tied to a window's contents.
// Position runs from Min to Max (less PageSize - 1 when PageSize shows the
// visible part as the thumb's length); the arrows move it by SmallChange,
// the track and Page Up / Page Down by LargeChange.  OnScroll hears every
// step the user takes and may change where it lands; OnChange follows
// every change of Position, by the user or by code.
#include "platform/windows/WinControl.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);

    // Changing the kind turns the bar (width and height swap).
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = std::clamp(Value, 1, 32767); }
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = std::clamp(Value, 1, 32767); }
    int Min() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    // All three at once; raises EInvalidOperation "Scrollbar property out
    // of range" when Max is below Min or PageSize.  Position is kept
    // within Min and Max.
    void SetParams(int APosition, int AMin, int AMax);
    DECLARE_EVENT(TNotifyEvent, OnChange)
    DECLARE_EVENT(TScrollEvent, OnScroll)

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
    void DoScroll(TMessage& Message);
    void UpdateScrollInfo();

    TScrollBarKind FKind = sbHorizontal;
    int FLargeChange = 1;
    int FSmallChange = 1;
    int FMin = 0;
    int FMax = 100;
    int FPageSize = 0;
    int FPosition = 0;
};
