// The loading scope of form descriptions.
#include "classlib/system/LoadingScope.h"

#include <algorithm>
#include <exception>

namespace {
// Innermost scope; form descriptions run on the main thread only.
TLoadingScope* gInnermost = nullptr;
}  // namespace

TLoadingScope::TLoadingScope(TComponent& root)
    : FRoot(&root), FOuter(gInnermost), FUncaught(std::uncaught_exceptions())
{
    root.FComponentState |= csLoading;
    gInnermost = this;
}

TLoadingScope::~TLoadingScope() noexcept(false)
{
    gInnermost = FOuter;
    if (std::uncaught_exceptions() > FUncaught) return;  // the description failed: nothing is finished
    // Loaded may free components; each one removes itself from FLoaded.
    std::vector<TComponent*> order;
    order.reserve(FLoaded.size() + 1);
    order.push_back(FRoot);
    order.insert(order.end(), FLoaded.begin(), FLoaded.end());
    FLoaded.swap(order);
    for (size_t i = 0; i < FLoaded.size(); ++i) {
        TComponent* c = FLoaded[i];
        if (c && c->Loading()) c->Loaded();
    }
}

TLoadingScope* TLoadingScope::ScopeFor(const TComponent* owner)
{
    if (!owner) return gInnermost;
    for (TLoadingScope* s = gInnermost; s; s = s->FOuter)
        if (s->FRoot == owner) return s;
    return nullptr;
}

bool TLoadingScope::Active()
{
    return gInnermost != nullptr;
}

void TLoadingScope::Add(TComponent* component)
{
    FLoaded.push_back(component);
}

void TLoadingScope::Forget(TComponent* component)
{
    // Keeps indices stable while the Loaded() loop runs.
    std::replace(FLoaded.begin(), FLoaded.end(), component, static_cast<TComponent*>(nullptr));
    if (FRoot == component) FRoot = nullptr;
}
