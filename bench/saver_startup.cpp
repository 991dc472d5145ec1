// How long `velmora /s` takes from its start to its first frame on the
// screen of an Xvfb (the clock's red dots read back from the server), next
// to the machine's own baseline in the same run: starting and reaping a
// process that does nothing, and one read-back of the polled area.
// Usage: bench_saver_startup [rounds]
#include "tests/support/ChildProcess.h"
#include "tests/support/XDisplayProbe.h"
#include "tests/support/XvfbServer.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double NowUs()
{
    using namespace std::chrono;
    return static_cast<double>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    // velmora is built beside the benchmarks.
    std::error_code ec;
    const std::string velmora = (std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / "velmora").string();
    if (!std::filesystem::exists(velmora) || !HaveProgram("Xvfb")) {
        std::printf("needs %s and Xvfb; nothing measured\n", velmora.c_str());
        return 0;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::string config = pattern;

    velmora_test::XvfbServer server;
    if (!server.Start(90, 1920, 1080, true)) {
        std::printf("no Xvfb: %s\n", server.Failure().c_str());
        return 0;
    }
    TXDisplayProbe probe(server.DisplayName());
    // The panel's area when centred on 1920 x 1080; the first frame lights dots in it.
    constexpr int kX = 783, kY = 367, kW = 353, kH = 345;

    std::vector<double> firstFrame, covered, spawnOnly, readBack;
    for (int round = 0; round < rounds; ++round) {
        TChildProcess program;
        const double start = NowUs();
        program.Spawn({velmora, "/s"}, {{"DISPLAY", server.DisplayName()}, {"XDG_CONFIG_HOME", config}});
        bool seen = false, black = false;
        while (!seen && NowUs() - start < 10e6 && program.Running()) {
            if (!black) {
                // The window is up once a corner of the root's stipple has turned black.
                const std::vector<uint32_t> corner = probe.Read(probe.Root(), 0, 0, 4, 4);
                black = !corner.empty() && std::all_of(corner.begin(), corner.end(), [](uint32_t p) { return p == 0; });
                if (black) covered.push_back((NowUs() - start) / 1000);
            }
            const double before = NowUs();
            const std::vector<uint32_t> pixels = probe.Read(probe.Root(), kX, kY, kW, kH);
            readBack.push_back(NowUs() - before);
            seen = std::count(pixels.begin(), pixels.end(), 0xFF0000u) > 100;
        }
        if (seen) firstFrame.push_back((NowUs() - start) / 1000);
        kill(program.Pid(), SIGTERM);
        program.WaitExit(5000);

        TChildProcess nothing;
        const double before = NowUs();
        nothing.Spawn({"true"}, {});
        nothing.WaitExit(5000);
        spawnOnly.push_back((NowUs() - before) / 1000);
    }
    std::filesystem::remove_all(config);
    std::printf("first frame on screen: median %.1f ms over %zu of %d rounds\n", Median(firstFrame), firstFrame.size(),
                rounds);
    std::printf("screen covered: median %.1f ms\n", Median(covered));
    std::printf("baseline: start and reap a process that does nothing %.1f ms; one read-back of the area %.2f ms\n",
                Median(spawnOnly), Median(readBack) / 1000);
    return 0;
}
