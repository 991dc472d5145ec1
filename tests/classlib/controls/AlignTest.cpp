// Alignment of children in their parent's client area.
#include "classlib/controls/Panel.h"
#include "classlib/system/LoadingScope.h"
#include "tests/support/HeadlessFixture.h"

#include <vector>

namespace {
struct TChild {
    TAlign align;
    TRect bounds;    // as placed before aligning
    TRect expected;  // after aligning in a 200 x 100 panel
};

struct TAlignCase {
    const char* name;
    int borderWidth;
    std::vector<TChild> children;
};

const std::vector<TAlignCase> kCases = {
    {"each edge then the client",
     0,
     {{alTop, {0, 0, 10, 10}, {0, 0, 200, 10}},
      {alBottom, {0, 0, 10, 20}, {0, 80, 200, 100}},
      {alLeft, {0, 0, 30, 10}, {0, 10, 30, 80}},
      {alRight, {0, 0, 40, 10}, {160, 10, 200, 80}},
      {alClient, {0, 0, 1, 1}, {30, 10, 160, 80}}}},
    {"two tops stack by their top",
     0,
     {{alTop, {0, 50, 10, 60}, {0, 15, 200, 25}}, {alTop, {0, 5, 10, 20}, {0, 0, 200, 15}}, {alNone, {7, 7, 9, 9}, {7, 7, 9, 9}}}},
    {"inside the border",
     5,
     {{alLeft, {0, 0, 20, 5}, {5, 5, 25, 95}}, {alClient, {0, 0, 1, 1}, {25, 5, 195, 95}}}},
};

class Alignment : public HeadlessTest, public ::testing::WithParamInterface<size_t> {};
}  // namespace

TEST_P(Alignment, PlacesChildrenAsTheTableSays)
{
    const TAlignCase& c = kCases[GetParam()];
    auto& form = app->Create<TForm>();
    std::vector<TControl*> made;
    {
        // As a form description does: everything placed, then aligned once loaded.
        TLoadingScope loading(form);
        auto& panel = form.Create<TPanel>();
        panel.SetParent(&form);
        panel.SetBevelOuter(bvNone);
        panel.SetBorderWidth(c.borderWidth);
        panel.SetBounds(0, 0, 200, 100);
        for (const TChild& child : c.children) {
            auto& control = form.Create<TPanel>();
            control.SetBoundsRect(child.bounds);
            control.SetAlign(child.align);
            control.SetParent(&panel);
            made.push_back(&control);
        }
    }
    for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i]->BoundsRect(), c.children[i].expected) << c.name << " child " << i;
}

INSTANTIATE_TEST_SUITE_P(Table, Alignment, ::testing::Range<size_t>(0, kCases.size()));

TEST_F(HeadlessTest, AlignmentFollowsResizeAndVisibility)
{
    auto& form = app->Create<TForm>();
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBevelOuter(bvNone);
    panel.SetBounds(0, 0, 200, 100);
    auto& top = form.Create<TPanel>();
    top.SetHeight(30);
    top.SetAlign(alTop);
    top.SetParent(&panel);
    auto& client = form.Create<TPanel>();
    client.SetAlign(alClient);
    client.SetParent(&panel);
    panel.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(top.BoundsRect(), TRect(0, 0, 300, 30));
    EXPECT_EQ(client.BoundsRect(), TRect(0, 30, 300, 150));
    top.SetVisible(false);
    EXPECT_EQ(client.BoundsRect(), TRect(0, 0, 300, 150));
}
