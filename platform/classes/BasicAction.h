#pragma once
// TBasicAction and TBasicActionLink: a command object that any number of
// clients (controls, menu items) link to.  The link tells its client when
// the action changes and runs the action when the client is used.
#include "platform/classes/Component.h"

#include <vector>

class TBasicAction;

class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* Client);
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    virtual void SetAction(TBasicAction* Value);
    // Runs the action for Target (the client component); false when the
    // action did not run.
    virtual bool Execute(TComponent* Target = nullptr);
    // Asks the action to update itself (idle-time enabling).
    virtual bool Update();
    virtual bool IsOnExecuteLinked() { return true; }
    virtual void SetOnExecute(const TNotifyEvent& Value) { (void)Value; }
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // The action tells its links of a change through this.
    virtual void Change();

protected:
    virtual void AssignClient(TObject* Client) { (void)Client; }

private:
    friend class TBasicAction;
    TBasicAction* FAction = nullptr;
    TEventSlot<TNotifyEvent> FOnChange;
};

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;
    void BeforeDestruction() override;

    // OnExecute, else false (a descendant may execute itself).
    virtual bool Execute();
    // OnUpdate; true when a handler ran.
    virtual bool Update();
    virtual bool HandlesTarget(TObject* Target) { (void)Target; return false; }
    virtual void UpdateTarget(TObject* Target) { (void)Target; }
    virtual void ExecuteTarget(TObject* Target) { (void)Target; }
    // The component that started the action (set while it runs).
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* Value);

    void RegisterChanges(TBasicActionLink* Link);
    void UnRegisterChanges(TBasicActionLink* Link);
    int ClientCount() const { return int(FClients.size()); }
    TBasicActionLink* Clients(int Index) const { return FClients[std::size_t(Index)]; }

    TNotifyEvent OnExecute() const { return FOnExecute; }
    virtual void SetOnExecute(const TNotifyEvent& Value);
    TNotifyEvent OnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(TNotifyEvent Value) { FOnUpdate = std::move(Value); }
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
    virtual void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    std::vector<TBasicActionLink*> FClients;

private:
    TEventSlot<TNotifyEvent> FOnExecute;
    TEventSlot<TNotifyEvent> FOnUpdate;
    TEventSlot<TNotifyEvent> FOnChange;
    TComponent* FActionComponent = nullptr;
};
