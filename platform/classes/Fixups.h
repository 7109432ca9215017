#pragma once
// Component references across roots.  Roots that others may refer to by
// name (data modules, forms) are listed here while they exist; a reference
// "Module.Name" to a module that is not loaded yet waits in the global
// fix-up list and is resolved when that module has been read (the classic
// GlobalFixupReferences).
#include "platform/classes/Component.h"

#include <QStringList>

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
void AddGlobalFixup(TComponent* Root, TObject* Instance, const TPropInfo* PropInfo, const String& Reference,
                    const String& Where);
// Resolves every waiting reference whose module is there now.
void GlobalFixupReferences();
// Forgets the references held by Instance or read into the root Instance.
void RemoveFixupReferences(TObject* Instance);
// "Where: Reference" for every reference still waiting.
QStringList PendingGlobalFixups();
