#pragma once
// Actions and action lists: TCustomAction carries a caption, enabled and
// checked state, hint, image index, shortcut and visibility that every
// linked client follows; TActionLink is the client's side, which follows
// a property only while the client's own value still equals the action's
// (a property changed by hand stops following).  THintAction carries the
// application's hint to whatever control shows it.
#include "platform/actions/ImgList.h"
#include "platform/classes/BasicAction.h"

#include <cstdint>
#include <vector>

class TCustomActionList;

using TShortCut = std::uint16_t;

class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;

    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsHelpContextLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();
    // The client's answer before a hint shows (an action may add its
    // shortcut to the text).
    virtual bool DoShowHint(String& HintStr);

    virtual void SetAutoCheck(bool Value) { (void)Value; }
    virtual void SetCaption(const String& Value) { (void)Value; }
    virtual void SetChecked(bool Value) { (void)Value; }
    virtual void SetEnabled(bool Value) { (void)Value; }
    virtual void SetGroupIndex(int Value) { (void)Value; }
    virtual void SetHelpContext(int Value) { (void)Value; }
    virtual void SetHint(const String& Value) { (void)Value; }
    virtual void SetImageIndex(int Value) { (void)Value; }
    virtual void SetShortCut(TShortCut Value) { (void)Value; }
    virtual void SetVisible(bool Value) { (void)Value; }
};

class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* Value);
    String Category() const { return FCategory; }
    void SetCategory(const String& Value);
    int Index() const;
    void SetIndex(int Value);

    // Runs the list's OnExecute, then the application's, then OnExecute.
    bool Execute() override;
    bool Update() override;

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return FActionList != nullptr; }
    void SetParentComponent(TComponent* Value) override;

    // Called by the list.
    void SetActionListField(TCustomActionList* Value) { FActionList = Value; }

private:
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(TComponent* AOwner);

    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value);
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
    void SetDisableIfNoHandler(bool Value) { FDisableIfNoHandler = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value);
    String Hint() const { return FHint; }
    void SetHint(const String& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    using THintEvent = std::function<void(String& HintStr, bool& CanShow)>;
    THintEvent OnHint() const { return FOnHint; }
    void SetOnHint(THintEvent Value) { FOnHint = std::move(Value); }

    bool Execute() override;
    // Without any handler that updates it, an enabled action that has no
    // OnExecute either disables itself (DisableIfNoHandler).
    bool Update() override;
    // True unless OnHint refuses.
    virtual bool DoHint(String& HintStr);

    bool Checking() const { return FChecking; }

private:
    bool FAutoCheck = false;
    String FCaption;
    bool FChecked = false;
    bool FChecking = false;
    bool FDisableIfNoHandler = true;
    bool FEnabled = true;
    int FGroupIndex = 0;
    int FHelpContext = 0;
    String FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    bool FVisible = true;
    TEventSlot<THintEvent> FOnHint;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner);
};

// The application's hint, handed to whichever control wants to show it.
class THintAction : public TCustomAction {
public:
    explicit THintAction(TComponent* AOwner);
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;
    void BeforeDestruction() override;

    int ActionCount() const { return int(FActions.size()); }
    TContainedAction* Actions(int Index) const;
    // The images the actions' ImageIndex refers to.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TActionEvent OnExecute() const { return FOnExecute; }
    void SetOnExecute(TActionEvent Value) { FOnExecute = std::move(Value); }
    TActionEvent OnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(TActionEvent Value) { FOnUpdate = std::move(Value); }
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // OnExecute / OnUpdate of the list; true when the list handled it.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);
    // Whether a key matches an action's shortcut; runs it when it does.
    bool IsShortCut(TShortCut ShortCut);
    // Idle-time update of every action (each asks its handlers; one that
    // nobody handles and that has no OnExecute disables itself).
    void UpdateActions();

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

    void AddAction(TContainedAction* Action);
    void RemoveAction(TContainedAction* Action);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change();

private:
    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TEventSlot<TActionEvent> FOnExecute;
    TEventSlot<TActionEvent> FOnUpdate;
    TEventSlot<TNotifyEvent> FOnChange;
};

class TActionList : public TCustomActionList {
public:
    explicit TActionList(TComponent* AOwner);
};

// Every live action list, for the application's idle-time updates and its
// shortcut search.
const std::vector<TCustomActionList*>& ActionLists();

// What the application does with actions that nobody else handled
// (installed by the application object).
struct TActionHooks {
    std::function<bool(TBasicAction*)> Execute;
    std::function<bool(TBasicAction*)> Update;
};
TActionHooks& ActionHooks();
