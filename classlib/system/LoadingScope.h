#pragma once

#include "classlib/system/Component.h"

#include <vector>

// The scope a form description runs in. While it lives, the root and every
// component created with the root as owner are csLoading (repaint requests
// are dropped); when it ends, Loaded() is called on the root and then on each
// of those components in creation order. Main thread only; scopes nest.
//
//     TForm1::TForm1(TComponent* owner) : TForm(owner)
//     {
//         { TLoadingScope loading(*this); BuildForm1(*this); }
//         ... constructor body ...
//     }
class TLoadingScope {
public:
    explicit TLoadingScope(TComponent& root);
    // Runs the Loaded() calls unless the scope is left by an exception.
    ~TLoadingScope() noexcept(false);
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;

    // The innermost scope whose root is owner, or nullptr.
    static TLoadingScope* ScopeFor(const TComponent* owner);
    static bool Active();

private:
    friend class TComponent;
    void Add(TComponent* component);
    void Forget(TComponent* component);

    TComponent* FRoot;
    std::vector<TComponent*> FLoaded;
    TLoadingScope* FOuter;
    int FUncaught;
};
