#include "platform/classes/Collection.h"

#include "platform/classes/Fixups.h"
#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_CLASS(TCollectionItem, TPersistent)
END_REGISTER

REGISTER_CLASS(TCollection, TPersistent)
END_REGISTER

// --- TCollectionItem -----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    RemoveFixupReferences(this);
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value)
        return;
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
    if (Value != nullptr)
        Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (FCollection == nullptr)
        return -1;
    const auto& Items = FCollection->FItems;
    const auto It = std::find(Items.begin(), Items.end(), this);
    return It == Items.end() ? -1 : int(It - Items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int Current = Index();
    if (Current < 0 || Current == Value)
        return;
    auto& Items = FCollection->FItems;
    if (Value < 0 || Value >= int(Items.size()))
        TCollection::IndexError(Value);
    Items.erase(Items.begin() + Current);
    Items.insert(Items.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String& Value)
{
    (void)Value;
    Changed(false);
}

String TCollectionItem::GetDisplayName() const
{
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection == nullptr || FCollection->FUpdateCount > 0)
        return;
    FCollection->ItemChanged(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const
{
    return FCollection;
}

String TCollectionItem::GetNamePath() const
{
    if (FCollection == nullptr)
        return ClassName();
    return QStringLiteral("%1[%2]").arg(FCollection->GetNamePath()).arg(Index());
}

// --- TCollection ------------------------------------------------------------------

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection()
{
    FUpdateCount = 1; // no change notices while going
    while (!FItems.empty())
        delete FItems.back();
}

void TCollection::IndexError(int Index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        IndexError(Index);
    return FItems[std::size_t(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value)
{
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::Add()
{
    if (FItemClass == nullptr)
        throw EComponentError(QStringLiteral("Collection has no item class"));
    // The item inserts itself from TCollectionItem's constructor, before
    // its own class exists: Notify and Update would see a bare base object
    // whose members are not built yet.  They are told once it is whole.
    FAdding = true;
    TCollectionItem* Item = nullptr;
    try {
        Item = FItemClass->CreateItem(this);
    } catch (...) {
        FAdding = false;
        FUnannounced = nullptr;
        throw;
    }
    FAdding = false;
    if (FUnannounced == Item) {
        FUnannounced = nullptr;
        Notify(Item, cnAdded);
        Changed();
    }
    return Item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        IndexError(Index);
    BeginUpdate();
    TCollectionItem* Item = nullptr;
    try {
        Item = Add();
        Item->SetIndex(Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return Item;
}

void TCollection::Delete(int Index)
{
    TCollectionItem* Item = Items(Index);
    Notify(Item, cnDeleting);
    delete Item;
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    try {
        while (!FItems.empty()) {
            Notify(FItems.back(), cnDeleting);
            delete FItems.back();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* Item : FItems)
        if (Item->FID == ID)
            return Item;
    return nullptr;
}

void TCollection::Exchange(int Index1, int Index2)
{
    Items(Index1);
    Items(Index2);
    std::swap(FItems[std::size_t(Index1)], FItems[std::size_t(Index2)]);
    Changed();
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount <= 0)
        return;
    if (--FUpdateCount == 0)
        Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::ItemChanged(TCollectionItem* Item)
{
    if (FUpdateCount == 0)
        Update(Item);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    if (FAdding && FUnannounced == nullptr) {
        FUnannounced = Item;
        return;
    }
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It == FItems.end())
        return;
    if (Item == FUnannounced) {
        // Its constructor failed: it goes as silently as it came.
        FUnannounced = nullptr;
        FItems.erase(It);
        Item->FCollection = nullptr;
        return;
    }
    Notify(Item, cnExtracting);
    FItems.erase(It);
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TCollection*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* Item : Other->FItems)
            Add()->Assign(Item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TCollection::PropName() const
{
    if (!FPropName.isEmpty())
        return FPropName;
    TPersistent* Owner = GetOwner();
    if (Owner != nullptr) {
        for (const TPropInfo* P : GetPropList(Owner))
            if (P->Kind() == tkClass && P->GetObject && P->GetObject(Owner) == this) {
                FPropName = P->Name;
                return FPropName;
            }
    }
    return QStringLiteral("Items");
}

String TCollection::GetNamePath() const
{
    TPersistent* Owner = GetOwner();
    if (Owner == nullptr)
        return ClassName();
    const String OwnerPath = Owner->GetNamePath();
    if (OwnerPath.isEmpty())
        return ClassName();
    return OwnerPath + QLatin1Char('.') + PropName();
}
