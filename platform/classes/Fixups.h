#pragma once
// Component references across roots.  Roots that others may refer to by
// name (data modules and forms) are registered here while they exist; a
// reference "Root.Name" in a form definition is resolved against them when
// the definition has been read.
//
// A reference to a root that does not exist when its definition has been
// read is an error, never a reference left waiting: the program creates
// its data module and main window first, and a window whose image list or
// data source stayed nil would fail later without saying why.
#include "platform/classes/Component.h"

#include <functional>

void RegisterGlobalRoot(TComponent* Root);
void UnregisterGlobalRoot(TComponent* Root);
// The registered root of that name (any case), or nullptr.
TComponent* FindGlobalComponent(const String& Name);

// Follows "A.B.C" from Root through owned components (any case); the
// first part may also be Root's own name.  nullptr when a part is missing.
TComponent* FindNestedComponent(TComponent* Root, const String& NamePath);

enum TReferenceResult { rrResolved, rrNoRoot, rrMissing };
// Finds Reference as seen from Root: nested in Root, then a global root
// ("Module" or "Module.Name").  rrNoRoot when it names a root ("Module.")
// that is not registered.
TReferenceResult ResolveReference(TComponent* Root, const String& Reference, TComponent*& Component);

// Called by every component and collection item as it goes: tells every
// reader at work (TFreeListener).
void RemoveFixupReferences(TObject* Instance);

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
