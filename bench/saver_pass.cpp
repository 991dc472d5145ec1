// One idle pass of the moving saver (motion step, paint, present) on the
// headless backend, at 1920 x 1080 and 3840 x 2160, next to the machine's
// baseline in the same run: a bare fill and present of the two panel-sized
// rectangles a one-pixel move touches. The counter "presented" is the number
// of pixels presented per pass; neither it nor the time should grow with the
// screen.
#include <benchmark/benchmark.h>

#include "app/SettingsStore.h"
#include "app/Unit1.h"
#include "app/VelmoraMain.h"
#include "classlib/forms/Application.h"
#include "platform/headless/HeadlessPlatform.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A private configuration folder (no registry key: moving mode, no settings
// file: red), removed again at the end.
class TPrivateSettings {
public:
    TPrivateSettings()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) FFolder = pattern;
        setenv("XDG_CONFIG_HOME", (FFolder / "config").c_str(), 1);
        SetExecutablePathOverride((FFolder / "velmora").string());
    }
    ~TPrivateSettings()
    {
        SetExecutablePathOverride("");
        std::error_code ec;
        std::filesystem::remove_all(FFolder, ec);
    }

private:
    std::filesystem::path FFolder;
};

void SaverPass(benchmark::State& state)
{
    TPrivateSettings settings;
    platform::HeadlessPlatform headless;
    headless.SetScreenSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    platform::SetPlatform(&headless);
    std::string program = "velmora", mode = "/s";
    char* argv[] = {program.data(), mode.data(), nullptr};
    VelmoraMain(2, argv, [&] {
        // Count the saver's own idle passes and drive the loop one pass at a time.
        bool passed = false;
        TIdleEvent appIdle = Application->OnIdle;
        Application->OnIdle = [&, appIdle](TObject* Sender, bool& Done) {
            appIdle(Sender, Done);
            passed = true;
        };
        Form1->Show();
        auto onePass = [&] {
            passed = false;
            while (!passed) Application->HandleMessage();
        };
        for (int i = 0; i < 50; ++i) onePass();  // first frame and warm-up
        headless.ResetPresentStatistics();
        for (auto _ : state) onePass();
        state.counters["presented"] =
            benchmark::Counter(static_cast<double>(headless.PresentedPixels()) / static_cast<double>(state.iterations()));
        Application->OnIdle = appIdle;
        Application->Terminate();
    });
    platform::SetPlatform(nullptr);
}

// The same platform's cost of filling and presenting the two rectangles.
void BarePanelFillAndPresent(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    platform::HeadlessPlatform headless;
    headless.SetScreenSize(width, height);
    platform::WindowParams params;
    params.kind = platform::WindowKind::Popup;
    params.bounds = {0, 0, width, height};
    const platform::WindowId window = headless.CreateNativeWindow(params, nullptr);
    headless.ShowNativeWindow(window, true);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    int x = (width - 353) / 2, y = (height - 345) / 2;
    headless.ResetPresentStatistics();
    for (auto _ : state) {
        const platform::Rect old{x, y, x + 354, y + 346};
        x = x > 0 ? x - 1 : (width - 353) / 2;
        y = y > 0 ? y - 1 : (height - 345) / 2;
        const platform::Rect now{x, y, x + 354, y + 346};
        for (const platform::Rect& r : {old, now}) {
            for (int row = r.top; row < r.bottom; ++row)
                std::fill_n(&pixels[static_cast<size_t>(row) * width + r.left], r.width(), row == now.top ? 0xFF0000u : 0u);
            headless.Present(window, pixels.data(), width, width, height, r);
        }
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["presented"] =
        benchmark::Counter(static_cast<double>(headless.PresentedPixels()) / static_cast<double>(state.iterations()));
}

}  // namespace

BENCHMARK(SaverPass)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BarePanelFillAndPresent)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
