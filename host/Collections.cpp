#include "host/Collections.h"

#include "host/Exceptions.h"

#include <algorithm>
#include <iterator>

namespace cartova::host {

TCollectionItem::TCollectionItem(TCollection* ACollection)
{
    // The collection hears of the new item (Notify, Update) from Add, once the
    // item is fully constructed.
    if (ACollection)
        ACollection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value) {
        Value->InsertItem(this);
        Value->Notify(this, opInsert);
        Value->Changed();
    }
}

int TCollectionItem::GetIndex() const
{
    if (!FCollection)
        return -1;
    const auto& Items = FCollection->FItems;
    const auto It = std::find(Items.begin(), Items.end(), this);
    return It == Items.end() ? -1 : static_cast<int>(It - Items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    if (FCollection && Value != GetIndex())
        FCollection->MoveItem(this, Value);
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemClass AItemClass) : FItemClass(AItemClass) {}

TCollection::~TCollection()
{
    FUpdateCount = 1; // no Update calls while tearing down
    Clear();
}

TCollectionItem* TCollection::GetItems(int Index) const
{
    Check(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

void TCollection::SetItems(int Index, const TCollectionItem* Value)
{
    GetItems(Index)->Assign(Value);
}

TCollectionItem* TCollection::Add()
{
    if (!FItemClass)
        throw EInvalidOperation("Collection has no item class");
    TCollectionItem* Item = FItemClass(this);
    Notify(Item, opInsert);
    Changed();
    return Item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        throw EListError::OutOfBounds(Index);
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
    delete GetItems(Index);
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* Item : FItems)
        if (Item->FID == ID)
            return Item;
    return nullptr;
}

void TCollection::Assign(const TPersistent* Source)
{
    const auto* Other = dynamic_cast<const TCollection*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (const TCollectionItem* Item : Other->FItems)
            Add()->Assign(Item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, opRemove);
    // Searched from the end: Clear and the destructor remove the last item,
    // so freeing a collection looks at one slot an item.
    const auto It = std::find(FItems.rbegin(), FItems.rend(), Item);
    detail::RemovalSearchSteps() += static_cast<std::uint64_t>(It - FItems.rbegin()) + 1;
    if (It != FItems.rend())
        FItems.erase(std::next(It).base());
    Item->FCollection = nullptr;
    Changed();
}

std::uint64_t& detail::RemovalSearchSteps()
{
    thread_local std::uint64_t Steps = 0;
    return Steps;
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex)
{
    Check(NewIndex);
    const int Cur = Item->GetIndex();
    FItems.erase(FItems.begin() + Cur);
    FItems.insert(FItems.begin() + NewIndex, Item);
    Changed();
}

void TCollection::Check(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
}

} // namespace cartova::host
