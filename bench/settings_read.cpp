// Reading one setting from settings files near the 16 MiB read bound: an INI
// and a hive of blank lines, and of one long line, with the value at the end
// so that every read has to pass the whole file. The saver reads the colour
// seven times and the style once at start, so those two are measured as the
// saver does them. Peak memory: run one filter under /usr/bin/time -v, e.g.
//   /usr/bin/time -v build/bench_settings_read --benchmark_filter=SaverStart
#include "app/SettingsStore.h"
#include "classlib/files/IniFiles.h"
#include "classlib/files/Registry.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr size_t kFileBytes = 16'000'000;

// A folder with the four files, made once and removed at exit.
class TBenchFiles {
public:
    TBenchFiles()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        Folder = pattern;
        std::filesystem::create_directories(Folder + "/velmora");
        const std::string iniTail = "[Skin]\nskin=65280\n";
        const std::string hiveHead = "REGEDIT4\n";
        const std::string hiveTail = "[HKEY_LOCAL_MACHINE\\Software\\Quorvex\\Screensaver]\n\"Style\"=dword:00000000\n";
        Write(Folder + "/blank.ini", "", '\n', kFileBytes - iniTail.size(), iniTail);
        Write(Folder + "/long.ini", "", 'x', kFileBytes - iniTail.size() - 1, "\n" + iniTail);
        Write(Folder + "/blank.reg", hiveHead, '\n', kFileBytes - hiveHead.size() - hiveTail.size(), hiveTail);
        Write(Folder + "/long.reg", hiveHead + ";", 'x', kFileBytes - hiveHead.size() - hiveTail.size() - 2,
              "\n" + hiveTail);
        setenv("XDG_CONFIG_HOME", Folder.c_str(), 1);
        // Zundera.ini beside a pretended executable in the same folder.
        std::filesystem::copy_file(Folder + "/blank.ini", Folder + "/Zundera.ini");
        SetExecutablePathOverride(Folder + "/velmora-bench");
    }
    ~TBenchFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
    // Puts one of the hives in the place TRegistry reads.
    void UseHive(const std::string& name) const
    {
        std::filesystem::copy_file(Folder + "/" + name, Folder + "/velmora/HKEY_LOCAL_MACHINE.reg",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::string Folder;

private:
    // head, then count copies of fill, then tail; written in pieces, so that
    // making the files does not raise the process's peak memory.
    static void Write(const std::string& path, const std::string& head, char fill, size_t count,
                      const std::string& tail)
    {
        std::ofstream out(path, std::ios::binary);
        out << head;
        const std::string piece(65536, fill);
        for (size_t left = count; left > 0;) {
            const size_t n = std::min(left, piece.size());
            out.write(piece.data(), static_cast<std::streamsize>(n));
            left -= n;
        }
        out << tail;
    }
};

const TBenchFiles& Files()
{
    static const TBenchFiles files;
    return files;
}

void IniRead(benchmark::State& state, const char* name)
{
    const TIniFile ini(Files().Folder + "/" + name);
    for (auto _ : state) {
        if (ini.ReadInteger("Skin", "skin", 255) != 65280) state.SkipWithError("wrong value");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

void HiveRead(benchmark::State& state, const char* name)
{
    Files().UseHive(name);
    for (auto _ : state) {
        TRegistry registry(KEY_READ);
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!registry.OpenKey("Software\\Quorvex\\Screensaver", false) || registry.ReadInteger("Style") != 0)
            state.SkipWithError("wrong value");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}

void BM_IniBlankLines(benchmark::State& state) { IniRead(state, "blank.ini"); }
void BM_IniLongLine(benchmark::State& state) { IniRead(state, "long.ini"); }
void BM_HiveBlankLines(benchmark::State& state) { HiveRead(state, "blank.reg"); }
void BM_HiveLongLine(benchmark::State& state) { HiveRead(state, "long.reg"); }

// What the saver reads while its window is made: the style once, the colour seven times.
void BM_SaverStart(benchmark::State& state)
{
    Files().UseHive("blank.reg");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadMotionStyle());
        for (int i = 0; i < 7; ++i) benchmark::DoNotOptimize(ReadClockColor());
    }
}

BENCHMARK(BM_IniBlankLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiveBlankLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiveLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaverStart)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
