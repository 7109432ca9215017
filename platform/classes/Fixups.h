#pragma once
// Component references across roots.  Roots that others may refer to by
// name (data modules, forms) are listed here while they exist; a reference
// "Module.Name" to a module that is not loaded yet waits in the global
// fix-up list and is resolved when that module has been read (the classic
// GlobalFixupReferences).
#include "platform/classes/Component.h"

#include <QStringList>
#include <functional>

class TPropInfo;

void RegisterGlobalRoot(TComponent* Root);
void UnregisterGlobalRoot(TComponent* Root);
// The registered root of that name (any case), or nullptr.
TComponent* FindGlobalComponent(const String& Name);

// Follows "A.B.C" from Root through owned components (any case); the
// first part may also be Root's own name.  nullptr when a part is missing.
TComponent* FindNestedComponent(TComponent* Root, const String& NamePath);

enum TReferenceResult { rrResolved, rrPending, rrMissing };
// Finds Reference as seen from Root: nested in Root, then a global root
// ("Module" or "Module.Name").  rrPending when it names a module that is
// not registered (yet).
TReferenceResult ResolveReference(TComponent* Root, const String& Reference, TComponent*& Component);

// Keeps a reference for later; Where names source and line for reports.
// Holder is the component or collection item whose definition set it:
// Instance itself, or the owner of the sub-object Instance ("Font.Link").
void AddGlobalFixup(TComponent* Root, TObject* Instance, TObject* Holder, const TPropInfo* PropInfo,
                    const String& Reference, const String& Where);
// Resolves every waiting reference whose module is there now.
void GlobalFixupReferences();
// Called by every component and collection item as it goes: forgets the
// references held by Instance or read into the root Instance, and tells
// every reader at work (TFreeListener).
void RemoveFixupReferences(TObject* Instance);
// "Where: Reference" for every reference still waiting.
QStringList PendingGlobalFixups();

// Hears of every component and collection item that goes while it lives.  A
// reader keeps the components it has read and the references it has queued
// until the whole text is read; anything freed meanwhile (a collection set
// twice, a component a setter replaces) must drop out of those lists.
class TFreeListener {
public:
    explicit TFreeListener(std::function<void(TObject* Instance)> OnFree);
    ~TFreeListener();
    TFreeListener(const TFreeListener&) = delete;
    TFreeListener& operator=(const TFreeListener&) = delete;

private:
    friend void RemoveFixupReferences(TObject* Instance);
    std::function<void(TObject* Instance)> FOnFree;
};
