// A small form as the product builds them: a description under the loading
// scope with a panel, a label, an opaque graphic control and a timer. Its
// frames on the headless screen are checked pixel by pixel.
#include "classlib/controls/Label.h"
#include "classlib/controls/Panel.h"
#include "classlib/controls/Timer.h"
#include "classlib/graphics/PngImage.h"
#include "classlib/system/DateUtils.h"
#include "classlib/system/LoadingScope.h"
#include "tests/support/HeadlessFixture.h"

#include <cstdlib>
#include <filesystem>

namespace {
// One red cell per elapsed second on black, repainted by itself (opaque).
class TSecondsBar : public TGraphicControl {
public:
    explicit TSecondsBar(TComponent* owner) : TGraphicControl(owner)
    {
        FControlStyle |= csOpaque;
        SetBounds(0, 0, 120, 10);
    }
    int Seconds = 0;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clBlack);
        c->FillRect(ClientRect());
        c->Brush()->SetColor(clRed);
        for (int s = 0; s < Seconds && s < 12; ++s) c->FillRect({s * 10 + 1, 1, s * 10 + 9, 9});
    }
};

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner) : TForm(owner)
    {
        {
            TLoadingScope loading(*this);
            SetBorderStyle(bsNone);
            SetBounds(100, 50, 200, 150);
            SetColor(clBlack);
            Panel = &Create<TPanel>();
            Panel->SetName("Panel1");
            Panel->SetParent(this);
            Panel->SetBounds(10, 10, 180, 130);
            Panel->SetBevelOuter(bvNone);
            Panel->SetCaption("");
            Panel->SetColor(clNavy);
            Label = &Create<TLabel>();
            Label->SetParent(Panel);
            Label->SetBounds(5, 5, 10, 10);
            Label->SetCaption("Demo");
            Label->SetTransparent(true);
            Label->Font()->SetColor(clWhite);
            Bar = &Create<TSecondsBar>();
            Bar->SetParent(Panel);
            Bar->SetBounds(30, 100, 120, 10);
            Ticker = &Create<TTimer>();
            Ticker->SetInterval(1000);
            Ticker->SetOnTimer([this](TObject*) {
                ++Bar->Seconds;
                Bar->Repaint();
            });
        }
        Started = Now();
    }
    TPanel* Panel = nullptr;
    TLabel* Label = nullptr;
    TSecondsBar* Bar = nullptr;
    TTimer* Ticker = nullptr;
    TDateTime Started = 0;
};

// Black, navy panel, the bar's cells: the expected picture outside the label.
uint32_t Expected(int x, int y, int seconds)
{
    if (x < 10 || y < 10 || x >= 190 || y >= 140) return 0x000000;
    const int bx = x - 40, by = y - 110;
    if (bx >= 0 && by >= 0 && bx < 120 && by < 10) {
        const int cell = bx / 10, inCell = bx % 10;
        const bool lit = cell < seconds && inCell >= 1 && inCell <= 8 && by >= 1 && by <= 8;
        return lit ? 0xFF0000 : 0x000000;
    }
    return 0x000080;
}

void SaveFrame(const platform::HeadlessPlatform::ScreenImage& screen, const char* name)
{
    std::vector<uint32_t> pixels = screen.pixels;
    const std::string path = std::string(VELMORA_BINARY_DIR) + "/" + name;
    SavePng({pixels.data(), screen.width, screen.height, screen.width}, path);
    std::printf("saved %s\n", path.c_str());
}
}  // namespace

TEST_F(HeadlessTest, DemoFormFramesAreExact)
{
    hp.SetScreenSize(400, 300);
    hp.SetLocalTime(2012, 4, 26, 17, 36, 15);
    TDemoForm* form = nullptr;
    app->CreateForm(form);
    EXPECT_EQ(form->Bar->Paints, 0) << "nothing paints while the description is applied";
    int year, month, day;
    DecodeDate(form->Started, year, month, day);
    EXPECT_EQ(year * 10000 + month * 100 + day, 20120426) << "Now() reads the platform's clock";

    form->Show();
    int failures = 0;
    for (int seconds : {0, 3, 12}) {
        RunFor(seconds == 0 ? 0 : (seconds == 3 ? 3000 : 9000));
        ASSERT_EQ(form->Bar->Seconds, seconds);
        const auto screen = hp.ComposeScreen();
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                if (x >= 15 && x < 95 && y >= 15 && y < 45) continue;  // the label's text
                const uint32_t got = screen.At(100 + x, 50 + y);
                if (got != Expected(x, y, seconds) && ++failures < 5)
                    ADD_FAILURE() << "at " << seconds << " s, pixel (" << x << ", " << y << ") is " << std::hex << got
                                  << " not " << Expected(x, y, seconds);
            }
        if (failures || std::getenv("VELMORA_SAVE_FRAMES")) SaveFrame(screen, "demo.png");
    }
    // The label sized itself to its text and drew it over the panel.
    EXPECT_GT(form->Label->Width(), 15);
    EXPECT_GT(form->Label->Height(), 5);
    const auto screen = hp.ComposeScreen();
    int lit = 0;
    for (int y = 0; y < form->Label->Height(); ++y)
        for (int x = 0; x < form->Label->Width(); ++x) lit += screen.At(115 + x, 65 + y) != 0x000080;
    EXPECT_GT(lit, 10);
}
