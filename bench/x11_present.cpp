// Presenting through the X11 backend next to a bare XShmPutImage of the same
// rectangle, in the same run and against the same server. Each iteration ends
// with XSync, so the time includes the server's copy.
//
// Uses $DISPLAY when it can be opened, else starts its own Xvfb; without
// either it says so and exits 0.
#include <benchmark/benchmark.h>

#include "platform/x11/X11Platform.h"
#include "tests/support/XvfbServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr platform::Rect kPanel{783, 367, 783 + 354, 367 + 346};
constexpr platform::Rect kFull{0, 0, kScreenW, kScreenH};

struct Bench {
    std::unique_ptr<platform::X11Platform> x11;
    platform::WindowId window = 0;
    std::vector<uint32_t> frame;
    // The bare path: its own full-screen shared image.
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    GC gc = nullptr;
};
Bench gBench;

void WaitViewable(Display* display, Window window)
{
    for (int i = 0; i < 500; ++i) {
        platform::Event e;
        while (gBench.x11->PollEvent(e)) {
        }
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) return;
        gBench.x11->WaitForEvents(10);
    }
}

bool SetUpBareImage(Display* display)
{
    const int screen = DefaultScreen(display);
    gBench.image = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap,
                                   nullptr, &gBench.segment, kScreenW, kScreenH);
    if (!gBench.image) return false;
    gBench.segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(gBench.image->bytes_per_line) * kScreenH, IPC_CREAT | 0600);
    gBench.segment.shmaddr = gBench.image->data = static_cast<char*>(shmat(gBench.segment.shmid, nullptr, 0));
    gBench.segment.readOnly = False;
    const bool attached = XShmAttach(display, &gBench.segment);
    XSync(display, False);
    shmctl(gBench.segment.shmid, IPC_RMID, nullptr);
    for (int y = 0; y < kScreenH; ++y)
        std::memcpy(gBench.image->data + static_cast<ptrdiff_t>(y) * gBench.image->bytes_per_line,
                    &gBench.frame[static_cast<size_t>(y) * kScreenW], kScreenW * 4);
    XGCValues values{};
    values.graphics_exposures = False;
    gBench.gc = XCreateGC(display, static_cast<Window>(gBench.window), GCGraphicsExposures, &values);
    return attached;
}

void BackendPresent(benchmark::State& state, platform::Rect area)
{
    Display* display = gBench.x11->NativeDisplay();
    for (auto _ : state) {
        gBench.x11->Present(gBench.window, gBench.frame.data(), kScreenW, kScreenW, kScreenH, area);
        XSync(display, False);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(area.width()) * area.height() * 4);
}

// The class library drawing straight into the backend's image: no copy.
void BackendPresentOwnBuffer(benchmark::State& state, platform::Rect area)
{
    Display* display = gBench.x11->NativeDisplay();
    int stride = 0;
    uint32_t* pixels = gBench.x11->BackBuffer(gBench.window, kScreenW, kScreenH, &stride);
    if (!pixels) {
        state.SkipWithError("no direct back buffer");
        return;
    }
    for (int y = 0; y < kScreenH; ++y)
        std::memcpy(pixels + static_cast<ptrdiff_t>(y) * stride, &gBench.frame[static_cast<size_t>(y) * kScreenW],
                    kScreenW * 4);
    for (auto _ : state) {
        gBench.x11->Present(gBench.window, pixels, stride, kScreenW, kScreenH, area);
        XSync(display, False);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(area.width()) * area.height() * 4);
}

void BareShmPutImage(benchmark::State& state, platform::Rect area)
{
    Display* display = gBench.x11->NativeDisplay();
    for (auto _ : state) {
        XShmPutImage(display, static_cast<Window>(gBench.window), gBench.gc, gBench.image, area.left, area.top,
                     area.left, area.top, static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()),
                     False);
        XSync(display, False);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(area.width()) * area.height() * 4);
}

// Keeps each run's time per iteration, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // One time per benchmark: the median when repeated, else the single run.
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Iteration && !FFromMedian.count(name)) FTimes[name] = run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                FTimes[name] = run.GetAdjustedRealTime();
                FFromMedian.insert(name);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatio(const char* what, const std::string& backend, const std::string& bare) const
    {
        auto a = FTimes.find(backend), b = FTimes.find(bare);
        if (a == FTimes.end() || b == FTimes.end() || b->second <= 0) return;
        std::printf("%s: %s / bare XShmPutImage = %.2f\n", what, backend.c_str(), a->second / b->second);
    }

private:
    std::map<std::string, double> FTimes;
    std::set<std::string> FFromMedian;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    velmora_test::XvfbServer server;
    gBench.x11 = platform::X11Platform::Open();
    if (!gBench.x11) {
        if (!server.Start(90, kScreenW, kScreenH)) {
            std::printf("x11_present: skipped, no display and no Xvfb (%s)\n", server.Failure().c_str());
            return 0;
        }
        gBench.x11 = platform::X11Platform::Open(server.DisplayName().c_str());
    }
    if (!gBench.x11) {
        std::printf("x11_present: skipped, cannot open the display\n");
        return 0;
    }
    platform::WindowParams params;
    params.kind = platform::WindowKind::Popup;
    params.bounds = kFull;
    gBench.window = gBench.x11->CreateNativeWindow(params, nullptr);
    gBench.x11->ShowNativeWindow(gBench.window, true);
    gBench.frame.resize(static_cast<size_t>(kScreenW) * kScreenH);
    for (size_t i = 0; i < gBench.frame.size(); ++i) gBench.frame[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    Display* display = gBench.x11->NativeDisplay();
    WaitViewable(display, static_cast<Window>(gBench.window));
    // The backend's surface exists from the first present on.
    gBench.x11->Present(gBench.window, gBench.frame.data(), kScreenW, kScreenW, kScreenH, kFull);
    XSync(display, False);
    if (!gBench.x11->PresentsThroughSharedMemory(gBench.window) || !SetUpBareImage(display)) {
        std::printf("x11_present: skipped, the server offers no shared memory\n");
        return 0;
    }

    // Interleaved, so a change in the machine's load hits each kind alike.
    for (const auto& [label, area] : {std::pair{"354x346", kPanel}, std::pair{"1920x1080", kFull}}) {
        const std::string size = label;
        benchmark::RegisterBenchmark(("BareShmPutImage/" + size).c_str(), BareShmPutImage, area);
        benchmark::RegisterBenchmark(("BackendCopy/" + size).c_str(), BackendPresent, area);
        benchmark::RegisterBenchmark(("BackendOwnBuffer/" + size).c_str(), BackendPresentOwnBuffer, area);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* size : {"354x346", "1920x1080"}) {
        const std::string s = size;
        reporter.PrintRatio(size, "BackendCopy/" + s, "BareShmPutImage/" + s);
        reporter.PrintRatio(size, "BackendOwnBuffer/" + s, "BareShmPutImage/" + s);
    }

    XShmDetach(display, &gBench.segment);
    gBench.image->data = nullptr;
    XDestroyImage(gBench.image);
    shmdt(gBench.segment.shmaddr);
    XFreeGC(display, gBench.gc);
    gBench.x11.reset();
    server.Stop();
    benchmark::Shutdown();
    return 0;
}
