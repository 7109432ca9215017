#pragma once
// TFcPageControl: the tab strip turned into a page control.  Each visible
// tab stands for a page (TFcTabSheet); choosing a tab shows its page before
// the change events fire, Ctrl+Tab and Ctrl+Shift+Tab step through the
// pages with a visible, enabled tab, the close button frees the active page
// and a dragged tab moves its page.  As a dock site it gives each docked
// control a page of its own and floats it again on a double click on its
// tab.
#include "controls/lists/FcTabControl.h"
#include "controls/lists/FcTabSheet.h"

#include <vector>

class TFcPageControl : public TFcCustomTabControl {
public:
    explicit TFcPageControl(TComponent* AOwner);
    ~TFcPageControl() override;
    void BeforeDestruction() override;

    virtual TFcTabSheet* Pages(int Index) const;
    virtual int PageCount() const { return int(FPages.size()); }
    TFcTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TFcTabSheet* Value);
    // The page shown after loading, whatever ActivePage the definition names.
    TFcTabSheet* ActivePageDefault() const { return FActivePageDefault; }
    void SetActivePageDefault(TFcTabSheet* Value);
    virtual int ActivePageIndex() const;
    // Outside the pages no page shows.
    void SetActivePageIndex(int Value);
    bool DblClickUndocks() const { return FDblClickUndocks; }
    void SetDblClickUndocks(bool Value) { FDblClickUndocks = Value; }
    // Hidden pages give up their windows (recreated when shown again).
    bool SaveResources() const { return FSaveResources; }
    void SetSaveResources(bool Value);
    void SetUseColoredTabs(bool Value) override;

    // The next page from Current (wrapping round), with a visible tab when
    // CheckTabVisible (and then an enabled one, as choosing a tab needs);
    // nullptr when there is none.
    TFcTabSheet* FindNextPage(TFcTabSheet* Current, bool GoForward, bool CheckTabVisible);
    void SelectNextPage(bool GoForward);
    // A page of this control becomes the active page.
    void ShowControl(TControl* AControl);
    // The docked control whose tab lies under a client point (nullptr: none).
    TControl* DockClientAt(TPoint P);

    void TabsChanged() override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;
    void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) override;
    bool DockOver(TDragDockObject* Source, int X, int Y, TDragState State) override;

protected:
    friend class TFcTabSheet;
    void DoChanging(int NewIndex, bool& AllowChange) override;
    TColor CardColor(int ARow) override;
    void CloseCurrentTab() override;
    void MoveCurrentTab(int NewIndex) override;
    void Change() override;
    void PageChange() override;
    void HideAllTabs() override;
    void ShowAllTabs() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void CMDockClient(TMessage& Message) override;
    void CMUnDockClient(TMessage& Message) override;
    void DoAddDockClient(TControl* Client, const TRect& ARect) override;
    void DoRemoveDockClient(TControl* Client) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMLButtonDblClk(TMessage& Message) override;

private:
    void InsertPage(TFcTabSheet* Page);
    void RemovePage(TFcTabSheet* Page);
    void MovePage(TFcTabSheet* Page, int NewIndex);
    void ChangeActivePage(TFcTabSheet* Page);
    TFcTabSheet* PageOfTab(int TabIndex) const;
    bool Destroying() const;
    void DockNotification(TMessage& Message);
    void FocusHiddenTabPage();
    void FreePageHandle(TFcTabSheet* Page);

    TFcTabSheet* FActivePage = nullptr;
    TFcTabSheet* FActivePageDefault = nullptr;
    TFcTabSheet* FNewDockSheet = nullptr;
    TFcTabSheet* FUndockingSheet = nullptr;
    bool FDblClickUndocks = true;
    std::vector<TFcTabSheet*> FPages;
    bool FSaveResources = false;
    bool FLoading = false;
};
