#pragma once
// TCollection / TCollectionItem: an owning, ordered list of items that know
// their collection, their index and a stable ID.

#include "host/Classes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cartova::host {

class TCollection;

/// An item of a collection. Creating it with a collection adds it there
/// (TCollection::Add is the usual way); destroying it removes it.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* ACollection = nullptr);
    ~TCollectionItem() override;

    TCollection* GetCollection() const { return FCollection; }
    /// Moves the item to another collection (or out of any, with nullptr).
    void SetCollection(TCollection* Value);
    /// Position in the collection, or -1.
    int GetIndex() const;
    /// Moves the item to position Value.
    void SetIndex(int Value);
    /// A number unique within the collection, never reused.
    int GetID() const { return FID; }
    virtual std::string GetDisplayName() const { return ClassName(); }

protected:
    /// Tells the collection that this item (or, with AllItems, all) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

/// Creates a new item of a collection's item class inside that collection.
using TCollectionItemClass = TCollectionItem* (*)(TCollection*);

/// The item class of a collection of T: `CollectionItemClass<TPart>()`.
template <typename T>
TCollectionItemClass CollectionItemClass()
{
    return [](TCollection* C) -> TCollectionItem* { return new T(C); };
}

/// An owning list of items of one class. Frees its items when cleared or
/// destroyed; indices out of range raise EListError.
class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass AItemClass);
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    /// Item Index; raises EListError when out of range.
    TCollectionItem* GetItems(int Index) const;
    /// Copies Source's item at this Index into ours with Assign.
    void SetItems(int Index, const TCollectionItem* Value);

    /// Creates a new item at the end.
    TCollectionItem* Add();
    /// Creates a new item at Index (0..Count).
    TCollectionItem* Insert(int Index);
    /// Frees item Index.
    void Delete(int Index);
    /// Frees every item, the last first; linear in the number of items.
    void Clear();
    /// The item with this ID, or nullptr.
    TCollectionItem* FindItemID(int ID) const;

    /// Replaces the items with copies of another collection's (same item class).
    void Assign(const TPersistent* Source) override;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }
    TCollectionItemClass GetItemClass() const { return FItemClass; }

protected:
    /// Told when Item (nullptr: the whole collection) changed, outside updates.
    virtual void Update(TCollectionItem* Item) {}
    /// Told after an item was added (opInsert) or before it leaves (opRemove).
    virtual void Notify(TCollectionItem* Item, TOperation Action) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void MoveItem(TCollectionItem* Item, int NewIndex);
    void Check(int Index) const;

    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};

namespace detail {
/// The slots the collections of this thread have looked at to find the items
/// they removed: the work of removals, for complexity checks.
std::uint64_t& RemovalSearchSteps();
} // namespace detail

/// A collection whose items are all of class T, with typed access.
template <typename T>
class TTypedCollection : public TCollection {
public:
    TTypedCollection() : TCollection(CollectionItemClass<T>()) {}
    explicit TTypedCollection(TCollectionItemClass AItemClass) : TCollection(AItemClass) {}

    T* Add() { return static_cast<T*>(TCollection::Add()); }
    T* Insert(int Index) { return static_cast<T*>(TCollection::Insert(Index)); }
    T* GetItems(int Index) const { return static_cast<T*>(TCollection::GetItems(Index)); }
    T* operator[](int Index) const { return GetItems(Index); }
};

} // namespace cartova::host

namespace cartova {
using host::TCollection;
using host::TCollectionItem;
using host::TCollectionItemClass;
using host::CollectionItemClass;
using host::TTypedCollection;
} // namespace cartova
