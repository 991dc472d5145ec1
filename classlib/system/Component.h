// TComponent: the owner tree, names, free notifications and the loading state.
#pragma once

#include "classlib/system/Classes.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum TComponentStateFlag : uint16_t {
    csLoading = 0x0001,     // being built by a form description; Loaded() ends it
    csReading = 0x0002,
    csWriting = 0x0004,
    csDestroying = 0x0008,  // being freed: nothing repaints or notifies it any more
    csDesigning = 0x0010,   // never set: there is no designer
    csAncestor = 0x0020,
    csUpdating = 0x0040,
    csFixups = 0x0080,
    csFreeNotification = 0x0100,
    csInline = 0x0200,
};
using TComponentState = uint16_t;

enum TOperation { opInsert, opRemove };

class TLoadingScope;

// A component is created with an owner, which frees it (and so its own
// subtree) when the owner is freed, in reverse creation order. Free a
// component with Free() (or let its owner do it), not with delete: Free marks
// the whole subtree csDestroying and frees what it owns while the component is
// still intact.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Creates a T owned by this component: T(this, args...), then AfterConstruction().
    template <typename T, typename... TArgs>
    T& Create(TArgs&&... args)
    {
        T* instance = new T(this, std::forward<TArgs>(args)...);
        try {
            instance->AfterConstruction();
        } catch (...) {
            instance->Free();
            throw;
        }
        return *instance;
    }

    // Runs once the most-derived constructor has finished (forms raise OnCreate here).
    virtual void AfterConstruction() {}
    // Marks the subtree csDestroying and frees the owned components, newest first.
    virtual void BeforeDestruction();
    // Frees this component: BeforeDestruction, then delete.
    void Free();

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    // A valid identifier (or empty), unique among the owner's components;
    // otherwise EComponentError.
    virtual void SetName(const std::string& value);
    TComponentState ComponentState() const { return FComponentState; }
    bool Loading() const { return (FComponentState & csLoading) != 0; }
    bool Destroying() const { return (FComponentState & csDestroying) != 0; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    // The owned component of that name (case ignored), or nullptr.
    TComponent* FindComponent(const std::string& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    // Asks to be told (Notification opRemove) when component is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Called once a form description has been applied; clears csLoading.
    virtual void Loaded();

    intptr_t Tag = 0;

protected:
    // Told when a component is inserted into or removed from this one's
    // owned list, and when a free-notification partner goes away.
    virtual void Notification(TComponent* component, TOperation operation);
    void SetComponentStateFlag(TComponentState flag, bool on);
    // Sets csDestroying on this component and everything it owns.
    void MarkDestroying();
    // Tells every free-notification partner that this component goes.
    void TellFreeNotifies();

private:
    friend class TLoadingScope;
    TComponent* FOwner = nullptr;
    std::string FName;
    TComponentState FComponentState = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Frees the component (if any) and clears the pointer.
template <typename T>
void FreeAndNil(T*& component)
{
    T* c = component;
    component = nullptr;
    if (c) c->Free();
}
