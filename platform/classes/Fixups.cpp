#include "platform/classes/Fixups.h"

#include "platform/classes/ClassInfo.h"

#include <algorithm>
#include <vector>

namespace {

struct TGlobalFixup {
    TComponent* Root;
    TObject* Instance; // nullptr once dropped while the list is being resolved
    TObject* Holder;
    const TPropInfo* PropInfo;
    String Reference;
    String Where;
};

std::vector<TComponent*>& Roots()
{
    static std::vector<TComponent*> List;
    return List;
}

std::vector<TGlobalFixup>& Fixups()
{
    static std::vector<TGlobalFixup> List;
    return List;
}

// Above zero while GlobalFixupReferences walks the list: a setter it calls
// may free objects (or read another module, resolving again), and entries
// are then only marked as dropped, not erased under the walk.
int Resolving = 0;

std::vector<TFreeListener*>& Listeners()
{
    static std::vector<TFreeListener*> List;
    return List;
}

void EraseDropped()
{
    auto& List = Fixups();
    List.erase(std::remove_if(List.begin(), List.end(), [](const TGlobalFixup& F) { return F.Instance == nullptr; }),
               List.end());
}

} // namespace

void RegisterGlobalRoot(TComponent* Root)
{
    if (Root != nullptr && std::find(Roots().begin(), Roots().end(), Root) == Roots().end())
        Roots().push_back(Root);
}

void UnregisterGlobalRoot(TComponent* Root)
{
    Roots().erase(std::remove(Roots().begin(), Roots().end(), Root), Roots().end());
}

TComponent* FindGlobalComponent(const String& Name)
{
    if (Name.isEmpty())
        return nullptr;
    for (TComponent* Root : Roots())
        if (Root->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return Root;
    return nullptr;
}

TComponent* FindNestedComponent(TComponent* Root, const String& NamePath)
{
    if (Root == nullptr || NamePath.isEmpty())
        return nullptr;
    const QStringList Parts = NamePath.split(QLatin1Char('.'));
    TComponent* Current = Root;
    for (int I = 0; I < Parts.size(); ++I) {
        TComponent* Next = Current->FindComponent(Parts.at(I));
        if (Next == nullptr && I == 0 && Parts.at(I).compare(Root->Name(), Qt::CaseInsensitive) == 0)
            Next = Root;
        if (Next == nullptr)
            return nullptr;
        Current = Next;
    }
    return Current;
}

TReferenceResult ResolveReference(TComponent* Root, const String& Reference, TComponent*& Component)
{
    Component = FindNestedComponent(Root, Reference);
    if (Component != nullptr)
        return rrResolved;
    const int Dot = Reference.indexOf(QLatin1Char('.'));
    const String Module = Dot < 0 ? Reference : Reference.left(Dot);
    TComponent* Global = FindGlobalComponent(Module);
    if (Global == nullptr)
        return Dot < 0 ? rrMissing : rrPending;
    Component = Dot < 0 ? Global : FindNestedComponent(Global, Reference.mid(Dot + 1));
    return Component != nullptr ? rrResolved : rrMissing;
}

void AddGlobalFixup(TComponent* Root, TObject* Instance, TObject* Holder, const TPropInfo* PropInfo,
                    const String& Reference, const String& Where)
{
    Fixups().push_back(TGlobalFixup{Root, Instance, Holder != nullptr ? Holder : Instance, PropInfo, Reference, Where});
}

void GlobalFixupReferences()
{
    ++Resolving;
    auto& List = Fixups();
    try {
        // By index: the list may grow while a setter runs.
        for (std::size_t I = 0; I < List.size(); ++I) {
            const TGlobalFixup F = List[I];
            TComponent* Found = nullptr;
            if (F.Instance != nullptr && ResolveReference(F.Root, F.Reference, Found) == rrResolved
                && F.PropInfo->SetObject && F.PropInfo->SetObject(F.Instance, Found))
                List[I].Instance = nullptr;
        }
    } catch (...) {
        if (--Resolving == 0)
            EraseDropped();
        throw;
    }
    if (--Resolving == 0)
        EraseDropped();
}

void RemoveFixupReferences(TObject* Instance)
{
    for (TGlobalFixup& F : Fixups())
        if (F.Instance == Instance || F.Holder == Instance || static_cast<TObject*>(F.Root) == Instance)
            F.Instance = nullptr;
    if (Resolving == 0)
        EraseDropped();
    // By index: a listener never adds or removes listeners, but stay safe.
    for (std::size_t I = 0; I < Listeners().size(); ++I)
        Listeners()[I]->FOnFree(Instance);
}

TFreeListener::TFreeListener(std::function<void(TObject* Instance)> OnFree) : FOnFree(std::move(OnFree))
{
    Listeners().push_back(this);
}

TFreeListener::~TFreeListener()
{
    Listeners().erase(std::remove(Listeners().begin(), Listeners().end(), this), Listeners().end());
}

QStringList PendingGlobalFixups()
{
    QStringList Result;
    for (const TGlobalFixup& F : Fixups())
        if (F.Instance != nullptr)
            Result.append(F.Where + QStringLiteral(": ") + F.Reference);
    return Result;
}
