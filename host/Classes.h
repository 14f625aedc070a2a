#pragma once
// The component model: TObject, TPersistent (assignment between objects) and
// TComponent (ownership trees, names, free notification, loading state).

#include <cstdint>
#include <string>
#include <typeinfo>
#include <vector>

namespace cartova::host {

/// The name of a class without namespaces ("TMapLayer"), from its type info.
std::string ClassNameOf(const std::type_info& Type);

/// Root of the class hierarchy: a virtual destructor and the class name.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    /// The dynamic class name without namespaces ("TMapLayer").
    std::string ClassName() const;
};

/// An object that can copy its state from another with Assign.
class TPersistent : public TObject {
public:
    /// Copies Source into this object. The default asks Source to AssignTo
    /// this one, and raises EConvertError when neither side knows how.
    virtual void Assign(const TPersistent* Source);

protected:
    /// Copies this object into Dest; the default raises the assignment error.
    virtual void AssignTo(TPersistent* Dest) const;
    /// Raises EConvertError "Cannot assign a <Source> to a <this>".
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

/// What happened to a component a notification speaks of.
enum TOperation { opInsert, opRemove };

/// States of a component during its life.
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csUpdating = 1u << 5,
};
using TComponentState = unsigned;

/// A persistent object with an owner, owned components, a name and a tag.
/// An owner frees the components it owns when it is destroyed (last created
/// first); components linked by FreeNotification hear of each other's end.
class TComponent : public TPersistent {
public:
    /// Creates the component and, when AOwner is given, inserts it into the
    /// owner, which then frees it.
    explicit TComponent(TComponent* AOwner = nullptr);
    /// Notifies the free-notification partners, frees the owned components,
    /// then leaves the owner.
    ~TComponent() override;

    TComponent* GetOwner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    /// Owned component Index; raises EListError when out of range.
    TComponent* GetComponents(int Index) const;
    /// Position of this component in its owner's list, or -1.
    int GetComponentIndex() const;
    /// The owned component with this name (case-insensitive), or nullptr.
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    /// Frees every owned component, last first.
    void DestroyComponents();

    const std::string& GetName() const { return FName; }
    /// Renames; raises EInvalidArgument for a name that is not an identifier or
    /// is already used by a sibling.
    virtual void SetName(const std::string& NewName);
    std::intptr_t GetTag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }

    TComponentState GetComponentState() const { return FComponentState; }
    bool InState(TComponentStateFlag Flag) const { return (FComponentState & Flag) != 0; }
    /// Marks the component as being read from a stream until Loaded.
    void BeginLoading() { FComponentState |= csLoading | csReading; }
    /// Marks the component as shown in a form designer.
    void SetDesigning(bool Value);

    /// Asks to hear, through Notification(AComponent, opRemove), when
    /// AComponent is destroyed; the link works both ways.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    /// Called after the component's published properties have been read.
    virtual void Loaded();

protected:
    /// Told when AComponent is inserted into or removed from the tree this
    /// component owns, or when a free-notification partner is destroyed.
    /// Overrides clear their references and call the inherited method.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    /// Called first in destruction; sets csDestroying on this tree.
    virtual void Destroying();

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    std::intptr_t FTag = 0;
    TComponentState FComponentState = 0;
};

} // namespace cartova::host

namespace cartova {
using host::ClassNameOf;
using host::TObject;
using host::TPersistent;
using host::TComponent;
using host::TOperation;
using host::opInsert;
using host::opRemove;
using host::TComponentState;
using host::TComponentStateFlag;
using host::csLoading;
using host::csReading;
using host::csWriting;
using host::csDestroying;
using host::csDesigning;
using host::csUpdating;
} // namespace cartova
