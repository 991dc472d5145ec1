// TComponent: the owner tree, names, component state and free notification.
#include "classlib/system/Component.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/LoadingScope.h"
#include "classlib/system/SysUtils.h"

#include <algorithm>

namespace {
bool IsValidIdent(const std::string& name)
{
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0])) return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}
}  // namespace

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
    if (TLoadingScope* scope = TLoadingScope::ScopeFor(AOwner)) {
        FComponentState |= csLoading;
        scope->Add(this);
    }
}

TComponent::~TComponent()
{
    // Normally BeforeDestruction (through Free) has done all of this already.
    MarkDestroying();
    TellFreeNotifies();
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
    for (TLoadingScope* scope = TLoadingScope::ScopeFor(nullptr); scope; scope = scope->FOuter) scope->Forget(this);
}

void TComponent::MarkDestroying()
{
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->MarkDestroying();
}

void TComponent::TellFreeNotifies()
{
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(partner->FFreeNotifies, this);
        partner->Notification(this, opRemove);
    }
}

void TComponent::BeforeDestruction()
{
    MarkDestroying();
    TellFreeNotifies();
    DestroyComponents();
}

void TComponent::Free()
{
    BeforeDestruction();
    delete this;
}

void TComponent::DestroyComponents()
{
    // Each one leaves the list as it goes, knowing its owner until then.
    while (!FComponents.empty()) FComponents.back()->Free();
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->FOwner == this) return;
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError(Format("A component named %s already exists", component->FName));
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    Notification(component, opRemove);
    FComponents.erase(std::find(FComponents.begin(), FComponents.end(), component));
    component->FOwner = nullptr;
}

int TComponent::ComponentIndex() const
{
    if (!FOwner) return -1;
    auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
    return static_cast<int>(it - FOwner->FComponents.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& value)
{
    if (value == FName) return;
    if (!value.empty() && !IsValidIdent(value)) throw EComponentError(Format("''%s'' is not a valid component name", value));
    if (FOwner && !value.empty()) {
        TComponent* other = FOwner->FindComponent(value);
        if (other && other != this) throw EComponentError(Format("A component named %s already exists", value));
    }
    FName = value;
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(component);
        component->FreeNotification(this);
    }
    FComponentState |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component) return;
    std::erase(FFreeNotifies, component);
    std::erase(component->FFreeNotifies, this);
}

void TComponent::Loaded()
{
    FComponentState &= static_cast<TComponentState>(~csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component) RemoveFreeNotification(component);
}

void TComponent::SetComponentStateFlag(TComponentState flag, bool on)
{
    if (on)
        FComponentState |= flag;
    else
        FComponentState &= static_cast<TComponentState>(~flag);
}
