// The messages a form receives, in order, for showing, painting, activation
// and closing.
#include "tests/support/HeadlessFixture.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {
const std::set<UINT> kWatched = {WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
                                 WM_NCPAINT, WM_ERASEBKGND, WM_PAINT, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY};

std::string NameOf(UINT msg)
{
    switch (msg) {
    case WM_CREATE: return "CREATE";
    case WM_SIZE: return "SIZE";
    case WM_MOVE: return "MOVE";
    case WM_SHOWWINDOW: return "SHOWWINDOW";
    case WM_ACTIVATE: return "ACTIVATE";
    case WM_SETFOCUS: return "SETFOCUS";
    case WM_KILLFOCUS: return "KILLFOCUS";
    case WM_NCPAINT: return "NCPAINT";
    case WM_ERASEBKGND: return "ERASEBKGND";
    case WM_PAINT: return "PAINT";
    case WM_SYSCOMMAND: return "SYSCOMMAND";
    case WM_CLOSE: return "CLOSE";
    case WM_DESTROY: return "DESTROY";
    case WM_NCDESTROY: return "NCDESTROY";
    default: return std::to_string(msg);
    }
}

struct TOrderCase {
    const char* name;
    TFormBorderStyle border;
    std::function<void(HeadlessTest&, TForm&)> act;
    std::vector<std::string> expected;
};

class MessageOrder : public HeadlessTest, public ::testing::WithParamInterface<int> {};

const std::vector<TOrderCase>& Cases()
{
    static const std::vector<TOrderCase> cases = {
        {"show", bsNone, [](HeadlessTest&, TForm& f) { f.Show(); },
         {"CREATE", "SIZE", "MOVE", "SHOWWINDOW", "ACTIVATE", "SETFOCUS", "ERASEBKGND", "PAINT"}},
        {"show with a frame drawn by us", bsDialog,
         [](HeadlessTest&, TForm& f) {
             f.Show();
             Application->ProcessMessages();
             // Without the caption the platform draws no frame: the form's own frame shows.
             SetWindowLong(f.Handle(), GWL_STYLE, GetWindowLong(f.Handle(), GWL_STYLE) & ~static_cast<int32_t>(WS_CAPTION));
             SetWindowPos(f.Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
         },
         {"CREATE", "SIZE", "MOVE", "SHOWWINDOW", "ACTIVATE", "SETFOCUS", "ERASEBKGND", "PAINT", "SIZE", "NCPAINT",
          "ERASEBKGND", "PAINT"}},
        {"invalidate", bsNone,
         [](HeadlessTest&, TForm& f) {
             f.Show();
             Application->ProcessMessages();
             f.Invalidate();
             f.Invalidate();
         },
         {"CREATE", "SIZE", "MOVE", "SHOWWINDOW", "ACTIVATE", "SETFOCUS", "ERASEBKGND", "PAINT", "ERASEBKGND", "PAINT"}},
        {"deactivate and activate again", bsNone,
         [](HeadlessTest& t, TForm& f) {
             f.Show();
             Application->ProcessMessages();
             t.hp.InjectActivation(0);
             Application->ProcessMessages();
             t.hp.InjectActivation(NativeWindowOf(f.Handle()));
         },
         {"CREATE", "SIZE", "MOVE", "SHOWWINDOW", "ACTIVATE", "SETFOCUS", "ERASEBKGND", "PAINT", "ACTIVATE", "KILLFOCUS",
          "ACTIVATE", "SETFOCUS"}},
        {"close request of a second form", bsNone,
         [](HeadlessTest& t, TForm& f) {
             f.Show();
             Application->ProcessMessages();
             t.hp.InjectCloseRequest(NativeWindowOf(f.Handle()));
         },
         {"CREATE", "SIZE", "MOVE", "SHOWWINDOW", "ACTIVATE", "SETFOCUS", "ERASEBKGND", "PAINT", "SYSCOMMAND", "CLOSE",
          "SHOWWINDOW", "ACTIVATE", "KILLFOCUS"}},
        {"free", bsNone,
         [](HeadlessTest&, TForm& f) {
             f.Show();
             Application->ProcessMessages();
             f.DestroyHandle();
         },
         {"CREATE", "SIZE", "MOVE", "SHOWWINDOW", "ACTIVATE", "SETFOCUS", "ERASEBKGND", "PAINT", "DESTROY", "NCDESTROY"}},
    };
    return cases;
}
}  // namespace

TEST_P(MessageOrder, FollowsTheTable)
{
    const TOrderCase& c = Cases()[static_cast<size_t>(GetParam())];
    // The main form is another one: closing this one only hides it.
    TForm* main = nullptr;
    app->CreateForm(main);
    auto& form = app->Create<TForm>();
    form.SetBorderStyle(c.border);
    form.SetBounds(0, 0, 80, 60);
    std::vector<std::string> log;
    const TWndMethod inherited = form.WindowProc;
    form.WindowProc = [&](TMessage& m) {
        if (kWatched.count(m.Msg)) log.push_back(NameOf(m.Msg));
        inherited(m);
    };
    c.act(*this, form);
    app->ProcessMessages();
    form.WindowProc = inherited;
    EXPECT_EQ(log, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, MessageOrder, ::testing::Range(0, static_cast<int>(Cases().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string n = Cases()[static_cast<size_t>(info.param)].name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });
