#pragma once
// Pointer lists in the host's style: TList<T> holds references, TObjectList<T>
// owns its items. Indices out of range raise EListError.

#include "host/Classes.h"
#include "host/Exceptions.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace cartova::host {

/// What happened to an item of a list, as told to Notify.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

/// An ordered list of references to T. Subclasses hear of every insertion and
/// removal through Notify; the list itself never frees an item.
template <typename T>
class TList : public TObject {
public:
    TList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }

    /// Item Index; raises EListError when out of range.
    T* GetItems(int Index) const
    {
        Check(Index);
        return FItems[static_cast<std::size_t>(Index)];
    }
    /// Replaces item Index; the old one is told lnDeleted, the new lnAdded.
    void SetItems(int Index, T* Item)
    {
        Check(Index);
        T* Old = FItems[static_cast<std::size_t>(Index)];
        if (Old == Item)
            return;
        FItems[static_cast<std::size_t>(Index)] = Item;
        if (Old)
            Notify(Old, lnDeleted);
        if (Item)
            Notify(Item, lnAdded);
    }
    T* operator[](int Index) const { return GetItems(Index); }

    /// Appends Item and returns its index.
    int Add(T* Item)
    {
        FItems.push_back(Item);
        if (Item)
            Notify(Item, lnAdded);
        return Count() - 1;
    }
    /// Inserts Item before Index (0..Count).
    void Insert(int Index, T* Item)
    {
        if (Index < 0 || Index > Count())
            throw EListError::OutOfBounds(Index);
        FItems.insert(FItems.begin() + Index, Item);
        if (Item)
            Notify(Item, lnAdded);
    }
    /// Removes item Index.
    void Delete(int Index)
    {
        Check(Index);
        T* Item = FItems[static_cast<std::size_t>(Index)];
        FItems.erase(FItems.begin() + Index);
        if (Item)
            Notify(Item, lnDeleted);
    }
    /// Removes the first occurrence of Item; returns its former index or -1.
    int Remove(T* Item)
    {
        const int Index = IndexOf(Item);
        if (Index >= 0)
            Delete(Index);
        return Index;
    }
    /// Takes Item out of the list without it being deleted by an owning list.
    T* Extract(T* Item)
    {
        const int Index = IndexOf(Item);
        if (Index < 0)
            return nullptr;
        FItems.erase(FItems.begin() + Index);
        Notify(Item, lnExtracted);
        return Item;
    }
    /// Takes item Index out of the list without it being deleted by an
    /// owning list, and returns it.
    T* ExtractAt(int Index)
    {
        Check(Index);
        T* Item = FItems[static_cast<std::size_t>(Index)];
        FItems.erase(FItems.begin() + Index);
        if (Item)
            Notify(Item, lnExtracted);
        return Item;
    }
    int IndexOf(const T* Item) const
    {
        const auto It = std::find(FItems.begin(), FItems.end(), Item);
        return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
    }
    bool Contains(const T* Item) const { return IndexOf(Item) >= 0; }
    /// The first item; raises EListError on an empty list.
    T* First() const { return GetItems(0); }
    /// The last item; raises EListError on an empty list.
    T* Last() const { return GetItems(Count() - 1); }

    /// Moves the item at CurIndex to NewIndex.
    void Move(int CurIndex, int NewIndex)
    {
        if (CurIndex == NewIndex)
            return;
        Check(CurIndex);
        Check(NewIndex);
        T* Item = FItems[static_cast<std::size_t>(CurIndex)];
        FItems.erase(FItems.begin() + CurIndex);
        FItems.insert(FItems.begin() + NewIndex, Item);
    }
    void Exchange(int Index1, int Index2)
    {
        Check(Index1);
        Check(Index2);
        std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
    }
    /// Removes every item, last first, each told lnDeleted.
    virtual void Clear()
    {
        while (!FItems.empty()) {
            T* Item = FItems.back();
            FItems.pop_back();
            if (Item)
                Notify(Item, lnDeleted);
        }
    }
    /// Removes the null entries.
    void Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }
    int GetCapacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int Value) { FItems.reserve(static_cast<std::size_t>(std::max(Value, 0))); }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    const std::vector<T*>& Items() const { return FItems; }

protected:
    /// Told after Item was added, or after it left the list.
    virtual void Notify(T* Item, TListNotification Action) {}

    void Check(int Index) const
    {
        if (Index < 0 || Index >= Count())
            throw EListError::OutOfBounds(Index);
    }

private:
    std::vector<T*> FItems;
};

/// A list that owns its items: deleting, clearing or destroying it frees them
/// (unless OwnsObjects is false); Extract hands an item back to the caller.
template <typename T>
class TObjectList : public TList<T> {
public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override { TObjectList::Clear(); }

    bool GetOwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    void Clear() override { TList<T>::Clear(); }

protected:
    void Notify(T* Item, TListNotification Action) override
    {
        if (FOwnsObjects && Action == lnDeleted)
            delete Item;
    }

private:
    bool FOwnsObjects;
};

} // namespace cartova::host

namespace cartova {
using host::TList;
using host::TObjectList;
using host::TListNotification;
using host::lnAdded;
using host::lnExtracted;
using host::lnDeleted;
} // namespace cartova
