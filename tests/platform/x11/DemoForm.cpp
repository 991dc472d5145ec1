#include "tests/platform/x11/DemoForm.h"

#include "classlib/controls/Label.h"
#include "classlib/controls/Panel.h"
#include "classlib/forms/Application.h"
#include "classlib/windowing/WindowGeometry.h"
#include "classlib/windowing/WindowTree.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/TestPlatform.h"

namespace velmora_test {

namespace {
// A filled, outlined ellipse: shapes are part of the comparison.
class TDisc : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->Pen()->SetColor(clWhite);
        Canvas()->Ellipse(0, 0, Width(), Height());
    }
};

// A raised panel with a label and a disc on a coloured borderless form.
TForm& BuildDemoForm(TApplication& app)
{
    auto& form = app.Create<TForm>();
    form.SetBorderStyle(bsNone);
    const platform::Rect& b = kDemoFormBounds;
    form.SetBounds(b.left, b.top, b.width(), b.height());
    form.SetColor(static_cast<TColor>(0x00406080));
    auto& panel = form.Create<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(12, 10, 200, 120);
    panel.SetColor(clBtnFace);
    auto& label = panel.Create<TLabel>();
    label.SetParent(&panel);
    label.SetBounds(8, 8, 150, 20);
    label.SetCaption("Velmora 12:34");
    auto& disc = panel.Create<TDisc>();
    disc.SetParent(&panel);
    disc.SetBounds(120, 50, 61, 47);
    return form;
}
}  // namespace

struct DemoFormRun::State {
    TApplication app;
    TForm* form = nullptr;
};

DemoFormRun::DemoFormRun() : FState(std::make_unique<State>())
{
    FState->form = &BuildDemoForm(FState->app);
    FState->form->Show();
    FState->app.ProcessMessages();
}

DemoFormRun::~DemoFormRun() = default;

platform::WindowId DemoFormRun::NativeWindow() const
{
    return NativeWindowOf(FState->form->Handle());
}

void DemoFormRun::ProcessMessages()
{
    FState->app.ProcessMessages();
}

std::vector<uint32_t> HeadlessDemoFrame()
{
    platform::HeadlessPlatform headless;
    platform::SetPlatform(&headless);
    std::vector<uint32_t> pixels;
    {
        DemoFormRun run;
        const platform::Rect& b = kDemoFormBounds;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) pixels.push_back(headless.WindowPixel(run.NativeWindow(), x, y));
    }
    platform::SetPlatform(&TestPlatform());
    return pixels;
}

}  // namespace velmora_test
