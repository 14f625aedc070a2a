#include "host/Classes.h"

#include "host/Exceptions.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace cartova::host {

namespace {

bool SameName(const std::string& A, const std::string& B)
{
    return QString::fromStdString(A).compare(QString::fromStdString(B), Qt::CaseInsensitive) == 0;
}

bool IsValidIdent(const std::string& S)
{
    if (S.empty() || !(std::isalpha(static_cast<unsigned char>(S[0])) || S[0] == '_'))
        return false;
    return std::all_of(S.begin(), S.end(), [](char C) {
        return std::isalnum(static_cast<unsigned char>(C)) || C == '_';
    });
}

} // namespace

std::string ClassNameOf(const std::type_info& Type)
{
    const char* Mangled = Type.name();
    int Status = 0;
    std::unique_ptr<char, void (*)(void*)> Demangled(
        abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
    std::string Name = (Status == 0 && Demangled) ? Demangled.get() : Mangled;
    const auto Colon = Name.rfind("::");
    return Colon == std::string::npos ? Name : Name.substr(Colon + 2);
}

std::string TObject::ClassName() const
{
    return ClassNameOf(typeid(*this));
}

void TPersistent::Assign(const TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const
{
    if (!Dest)
        throw EConvertError("Cannot assign a " + ClassName() + " to a nil");
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const
{
    const std::string SourceName = Source ? Source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + SourceName + " to a " + ClassName());
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell every partner first, while this component is still whole.
    while (!FFreeNotifies.empty()) {
        TComponent* Partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Partner->RemoveNotification(this);
        Partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::GetComponents(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError::OutOfBounds(Index);
    return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::GetComponentIndex() const
{
    if (!FOwner)
        return -1;
    const auto& List = FOwner->FComponents;
    const auto It = std::find(List.begin(), List.end(), this);
    return It == List.end() ? -1 : static_cast<int>(It - List.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* C : FComponents)
        if (SameName(C->FName, AName))
            return C;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner == this)
        return;
    if (!AComponent->FName.empty() && FindComponent(AComponent->FName))
        throw EInvalidArgument("A component named " + AComponent->FName + " already exists");
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner != this)
        return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* Last = FComponents.back();
        Remove(Last);
        delete Last;
    }
}

void TComponent::SetName(const std::string& NewName)
{
    if (NewName == FName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EInvalidArgument("'" + NewName + "' is not a valid component name");
    if (FOwner && !NewName.empty()) {
        TComponent* Other = FOwner->FindComponent(NewName);
        if (Other && Other != this)
            throw EInvalidArgument("A component named " + NewName + " already exists");
    }
    FName = NewName;
}

void TComponent::SetDesigning(bool Value)
{
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~static_cast<unsigned>(csDesigning);
    for (TComponent* C : FComponents)
        C->SetDesigning(Value);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& Theirs = AComponent->FFreeNotifies;
    if (std::find(Theirs.begin(), Theirs.end(), this) == Theirs.end())
        Theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                        FFreeNotifies.end());
}

void TComponent::Loaded()
{
    FComponentState &= ~static_cast<unsigned>(csLoading | csReading);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Copy: a handler may free or insert components while we walk.
    const std::vector<TComponent*> Owned = FComponents;
    for (TComponent* C : Owned)
        if (std::find(FComponents.begin(), FComponents.end(), C) != FComponents.end())
            C->Notification(AComponent, Operation);
}

void TComponent::Destroying()
{
    if (InState(csDestroying))
        return;
    FComponentState |= csDestroying;
    for (TComponent* C : FComponents)
        C->Destroying();
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent),
                      FComponents.end());
    AComponent->FOwner = nullptr;
}

} // namespace cartova::host
