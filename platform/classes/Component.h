#pragma once
// TComponent: the owned, named, streamable object that every control, data
// set and data module derives from.
//
// Ownership: a component owns the components created with it as owner and
// deletes them (last created first) when it goes.  Any other pointer between
// components is a plain pointer kept safe by FreeNotification: the component
// that goes calls Notification(this, opRemove) on every component that asked
// for it, so they can clear their pointers.
//
// Destruction: C++ runs the derived destructors before ~TComponent, so by the
// time the base would free the owned components the owner's own members are
// gone.  Owners therefore free their components through BeforeDestruction(),
// which runs while the object is still whole: Free() and the owner's
// DestroyComponents() call it before delete.  A root deleted with plain
// `delete` (or std::unique_ptr) still works; a class whose owned components
// talk back to it while they go calls DestroyComponents() at the start of its
// own destructor.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <cstdint>
#include <functional>
#include <vector>

class TComponent;
class TFieldInfo;
class TReader;
class TWriter;

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Runs once right after construction through CreateComponent<T>() or a
    // class registry factory, when the object is whole: roots stream their
    // form definition here and fire OnCreate.
    virtual void AfterConstruction() {}
    // Deletes the component the way its owner would: BeforeDestruction
    // first (notifications, owned components), then the destructors.
    void Free();
    // Sets csDestroying, tells the free-notified components (opRemove) and
    // frees the owned components; safe to call more than once.
    virtual void BeforeDestruction();
    // Frees the owned components, last first, without telling this one.
    void DestroyComponents();
    // Sets csDestroying on this component and all it owns.
    void Destroying();

    // --- owner and owned components ---
    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    // Raises EListError "List index out of bounds (%d)" outside 0..Count-1.
    TComponent* Components(int Index) const;
    // Position among the owner's components; -1 without owner.
    int ComponentIndex() const;
    void SetComponentIndex(int Value);
    // By name, without regard to case; nullptr when absent or Name is empty.
    TComponent* FindComponent(const String& AName) const;
    // Takes AComponent over from its current owner (if any).  Raises
    // EComponentError when its name is already taken here.  The owner's
    // published field of its name (PUBLISHED_FIELD) then points at it.
    void InsertComponent(TComponent* AComponent);
    // Gives AComponent up; it then has no owner (the caller frees it), and
    // the published field that pointed at it is cleared.
    void RemoveComponent(TComponent* AComponent);

    // --- name ---
    String Name() const { return FName; }
    // Raises EComponentError "'%s' is not a valid component name" for a
    // non-identifier, "A component named %s already exists" when a sibling
    // (same owner) has the name, compared without regard to case, and "%s.%s
    // holds a %s, not a %s" when the owner has a published field of that
    // name for another class.  The field of the old name is cleared, the
    // field of the new one set.
    virtual void SetName(const String& NewName);

    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }

    // --- state ---
    TComponentState ComponentState() const { return FComponentState; }
    // Marks (and clears) csUpdating while a designer changes the component.
    virtual void Updating();
    virtual void Updated();
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetInline(bool Value);
    // Design-time position of a component without a window, kept so that
    // "Left"/"Top" of non-visual components survive a round trip.
    std::int32_t DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(std::int32_t Value) { FDesignInfo = Value; }

    // --- notifications ---
    // When this component goes, AComponent gets Notification(this,
    // opRemove); the link is mutual, as in the classic library, so this one
    // also hears of AComponent going.  Idempotent.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // --- streaming hooks ---
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    // The reader calls it with Reader.Parent() before ReadState (the root
    // for top-level objects); components without a parent ignore it.
    virtual void SetParentComponent(TComponent* Value) { (void)Value; }
    // Calls Proc for each child the writer should write under this one.
    virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
    virtual void SetChildOrder(TComponent* Child, int Order);
    // Who owns and who parents the children read under this component:
    // nullptr means the root (the classic default), this component.
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    // Reads the published properties and children; override to wrap it.
    virtual void ReadState(TReader& Reader);
    virtual void WriteState(TWriter& Writer);

    TPersistent* GetOwner() const override { return FOwner; }
    String GetNamePath() const override { return FName; }
    void DefineProperties(TFiler& Filer) override;

    // Non-empty, starts with a letter or '_', then letters, digits or '_'
    // (ASCII only).
    static bool IsValidIdent(const String& Ident);

protected:
    // Called once after the component and its whole tree have been read;
    // clears csLoading.  Overrides call the base.
    virtual void Loaded();
    // AComponent was inserted into or is about to leave a component this one
    // knows of.  The base forgets free-notification links to a leaving
    // component and passes the news on to the owned components.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
    virtual void ValidateContainer(TComponent* AComponent);
    virtual void ValidateInsert(TComponent* AComponent) { (void)AComponent; }

    // Whether BeforeDestruction has run.  A destructor that calls it for a
    // component deleted outright asks first: a component that went through
    // Free() would otherwise be taken apart twice.
    bool DestructionStarted() const { return FDestructionStarted; }

    void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
    void ExcludeState(TComponentStateItem Item) { FComponentState.Exclude(Item); }

private:
    friend class TReader;
    friend class TWriter;

    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    // The owner's published field for a component called AName under
    // AOwner, or nullptr.  CheckFieldClass raises EComponentError "%s.%s
    // holds a %s, not a %s" when this component may not be called AName
    // there because the field is of another class.
    static const TFieldInfo* OwnerField(const TComponent* AOwner, const String& AName);
    void CheckFieldClass(const TComponent* AOwner, const String& AName) const;
    // Points the owner's published field of this name at this component, or
    // clears the one it points from.
    void SetReference(bool Enable);
    void RemoveNotification(TComponent* AComponent);
    void NotifyAndUnlink();

    TComponent* FOwner = nullptr;
    String FName;
    std::intptr_t FTag = 0;
    std::int32_t FDesignInfo = 0;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    bool FDestructionStarted = false;
    const TFieldInfo* FOwnerField = nullptr;
};

// The second half of every virtual constructor: AfterConstruction() on a
// component just built, which is freed (and the exception passed on) when
// that raises.  Returns Instance.
TComponent* FinishConstruction(TComponent* Instance);

// The classic virtual constructor: new T(AOwner), then AfterConstruction().
template <typename T>
T* CreateComponent(TComponent* AOwner)
{
    return static_cast<T*>(FinishConstruction(new T(AOwner)));
}

// The same, with SetUp run on the new object before its definition is
// read and its OnCreate runs: values a window's creation already needs
// (whether it edits a new record, what is selected) are given here.
template <typename T, typename TSetUp>
T* CreateComponent(TComponent* AOwner, TSetUp&& SetUp)
{
    T* Instance = new T(AOwner);
    try {
        SetUp(Instance);
    } catch (...) {
        Instance->Free();
        throw;
    }
    return static_cast<T*>(FinishConstruction(Instance));
}

// Deletes a component through Free() (for std::unique_ptr).
struct TComponentDeleter {
    void operator()(TComponent* C) const
    {
        if (C != nullptr)
            C->Free();
    }
};
