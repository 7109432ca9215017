#include "platform/classes/Fixups.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

std::vector<TComponent*>& Roots()
{
    static std::vector<TComponent*> List;
    return List;
}

std::vector<TFreeListener*>& Listeners()
{
    static std::vector<TFreeListener*> List;
    return List;
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
        return Dot < 0 ? rrMissing : rrNoRoot;
    Component = Dot < 0 ? Global : FindNestedComponent(Global, Reference.mid(Dot + 1));
    return Component != nullptr ? rrResolved : rrMissing;
}

void RemoveFixupReferences(TObject* Instance)
{
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
