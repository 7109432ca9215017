#pragma once
// TCollection and TCollectionItem: an ordered list of items of one class,
// each owned by the collection, streamed as "< item ... end >".
#include "platform/classes/ClassInfo.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <vector>

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Adds itself at the end of Collection (when given).
    explicit TCollectionItem(TCollection* Collection);
    // Removes itself from its collection.
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (nullptr: none).
    void SetCollection(TCollection* Value);
    // Position in the collection; -1 without one.
    int Index() const;
    // Moves the item within its collection; raises EListError out of range.
    virtual void SetIndex(int Value);
    // Unique within the collection, never reused, kept when items move.
    int ID() const { return FID; }
    String DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const String& Value);

    TPersistent* GetOwner() const override;
    // "Owner.Collection[Index]" as the classic name path.
    String GetNamePath() const override;

protected:
    // The class name unless an item class knows better.
    virtual String GetDisplayName() const;
    // Tells the collection: this item only, or all items.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return int(FItems.size()); }
    // Raise EListError "List index out of bounds (%d)" outside 0..Count-1.
    TCollectionItem* Items(int Index) const;
    // Assigns Value to the item at Index.
    void SetItems(int Index, TCollectionItem* Value);
    // A new item of ItemClass at the end.  Notify(cnAdded) and Update see
    // it only once it is fully constructed, so they may use its own class;
    // an item built directly on a collection is announced from its base
    // constructor, while it is not yet the item it will be.
    TCollectionItem* Add();
    // A new item at Index (0..Count).
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    virtual void Clear();
    // The item with that ID, or nullptr.
    TCollectionItem* FindItemID(int ID) const;
    void Exchange(int Index1, int Index2);

    // Changes inside an update are told once, at the outermost EndUpdate,
    // as a change of the whole collection.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    TCollectionItemClass ItemClass() const { return FItemClass; }
    // Replaces the items by copies of Source's items (same class or a
    // class that can assign them).
    void Assign(TPersistent* Source) override;
    String GetNamePath() const override;
    // The name of the owner's property that holds this collection ("Items"
    // when the owner does not publish it).
    String PropName() const;
    void SetPropName(const String& Value) { FPropName = Value; }

    // Range-for over the items.
    std::vector<TCollectionItem*>::const_iterator begin() const { return FItems.begin(); }
    std::vector<TCollectionItem*>::const_iterator end() const { return FItems.end(); }

protected:
    // Item changed (nullptr: the whole collection changed).
    virtual void Update(TCollectionItem* Item) { (void)Item; }
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) { (void)Item; (void)Action; }
    // Calls Update(nullptr) unless inside an update.
    void Changed();
    [[noreturn]] static void IndexError(int Index);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void ItemChanged(TCollectionItem* Item);

    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    // Add is constructing an item; the item it inserts waits for the end
    // of its construction before it is announced.
    bool FAdding = false;
    TCollectionItem* FUnannounced = nullptr;
    mutable String FPropName;
};

// A collection that belongs to a persistent object (its GetOwner).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(ItemClass), FOwner(AOwner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};
