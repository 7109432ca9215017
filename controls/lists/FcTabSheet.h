#pragma once
// TFcTabSheet: one page of a page control.  It fills itself with its
// colour (unless OnPaintBackground did), tells its page control whenever
// something its tab shows changes, and is shown and hidden by the page
// control alone: writing its Visible raises.
#include "controls/lists/FcTabTypes.h"
#include "platform/windows/CustomControl.h"

class TFcPageControl;

class TFcTabSheet : public TCustomControl {
public:
    explicit TFcTabSheet(TComponent* AOwner);
    ~TFcTabSheet() override;
    void BeforeDestruction() override;

    // A new colour may switch the page control's UseColoredTabs on.
    void SetColor(TColor Value);
    int DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(int Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TFcPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TFcPageControl* Value);
    // The place among the page control's pages (-1 without one); raises
    // EFcTabControlError outside 0 .. PageCount - 1.
    int PageIndex() const;
    void SetPageIndex(int Value);
    bool TabEnabled() const { return FTabEnabled; }
    void SetTabEnabled(bool Value);
    // A page without a visible tab can still be the active page.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    // -1 without a visible tab, else the number of pages before this one
    // with a visible tab.
    int TabIndex() const;
    // Raises EFcTabControlError: pages are shown through their page control.
    void SetVisible(bool Value) override;
    DECLARE_EVENT(TFcPaintBackgroundEvent, OnPaintBackground)
    DECLARE_EVENT(TNotifyEvent, OnHide)
    DECLARE_EVENT(TNotifyEvent, OnShow)

protected:
    friend class TFcPageControl;
    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void ReadState(TReader& Reader) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    // The page control's way to show and hide the page.
    void ShowPage(bool Value) { TCustomControl::SetVisible(Value); }

private:
    void TabChanged();
    int FDisabledIndex = -1;
    int FImageIndex = -1;
    TFcPageControl* FPageControl = nullptr;
    bool FTabEnabled = true;
    bool FTabVisible = true;
    bool FWasShowing = false;
};
