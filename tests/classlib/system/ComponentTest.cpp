// The owner tree, free notification, names and the loading scope.
#include "classlib/system/Component.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/LoadingScope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> gEvents;

class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::string tag) : TComponent(owner), FTag(std::move(tag)) {}
    ~TProbe() override
    {
        // The owner is already marked when its children go.
        const bool ownerMarked = Owner() && Owner()->Destroying();
        gEvents.push_back("free " + FTag + (ownerMarked ? " (owner destroying)" : ""));
    }
    void Loaded() override
    {
        gEvents.push_back("loaded " + FTag + (Loading() ? " while loading" : ""));
        TComponent::Loaded();
    }
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Watched) {
            Watched = nullptr;
            gEvents.push_back(FTag + " told");
        }
    }
    TComponent* Watched = nullptr;

private:
    std::string FTag;
};
}  // namespace

TEST(Components, OwnerFreesOwnedNewestFirstWithTheOwnerMarked)
{
    gEvents.clear();
    auto* root = new TProbe(nullptr, "root");
    auto& a = root->Create<TProbe>("a");
    a.Create<TProbe>("a1");
    root->Create<TProbe>("b");
    root->Free();
    EXPECT_EQ(gEvents, (std::vector<std::string>{"free b (owner destroying)", "free a1 (owner destroying)",
                                                 "free a (owner destroying)", "free root"}));
}

TEST(Components, FreeingAChildRemovesItFromItsOwnerAndTellsWatchers)
{
    gEvents.clear();
    TProbe root(nullptr, "root");
    auto& watcher = root.Create<TProbe>("watcher");
    auto* watched = &root.Create<TProbe>("watched");
    watcher.Watched = watched;
    watched->FreeNotification(&watcher);
    EXPECT_EQ(root.ComponentCount(), 2);
    watched->Free();
    EXPECT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(watcher.Watched, nullptr);
    EXPECT_EQ(gEvents, (std::vector<std::string>{"watcher told", "free watched"}));
}

TEST(Components, NamesAreIdentifiersUniqueAmongSiblings)
{
    TComponent root(nullptr);
    auto& a = root.Create<TComponent>();
    auto& b = root.Create<TComponent>();
    a.SetName("Panel1");
    EXPECT_EQ(root.FindComponent("panel1"), &a);
    EXPECT_THROW(b.SetName("PANEL1"), EComponentError);
    EXPECT_THROW(b.SetName("1Panel"), EComponentError);
    EXPECT_THROW(b.SetName("Pan el"), EComponentError);
    b.SetName("_Panel2");
    EXPECT_EQ(b.Name(), "_Panel2");
    a.SetName("");
    EXPECT_EQ(root.FindComponent("Panel1"), nullptr);
}

TEST(Components, LoadingScopeMarksOwnedComponentsAndCallsLoadedInCreationOrder)
{
    gEvents.clear();
    TProbe form(nullptr, "form");
    TProbe* inner = nullptr;
    {
        TLoadingScope loading(form);
        auto& a = form.Create<TProbe>("a");
        // Made by a's own code, not by the description: not loading.
        inner = &a.Create<TProbe>("a's part");
        form.Create<TProbe>("b");
        EXPECT_TRUE(form.Loading());
        EXPECT_TRUE(a.Loading());
        EXPECT_FALSE(inner->Loading());
        EXPECT_TRUE(gEvents.empty());
    }
    EXPECT_FALSE(form.Loading());
    EXPECT_EQ(gEvents, (std::vector<std::string>{"loaded form while loading", "loaded a while loading", "loaded b while loading"}));
}

TEST(Components, ADescriptionThatFailsCallsNoLoaded)
{
    gEvents.clear();
    TProbe form(nullptr, "form");
    try {
        TLoadingScope loading(form);
        form.Create<TProbe>("a");
        throw Exception("bad description");
    } catch (const Exception&) {
    }
    EXPECT_EQ(gEvents, std::vector<std::string>{});
    EXPECT_FALSE(TLoadingScope::Active());
}
