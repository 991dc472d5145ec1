// snapshot: runs velmora's real entry point on the headless backend and
// writes what is on the screen as a PNG file; prints the text of every error
// box shown and the exit code.
#include "app/SettingsStore.h"
#include "app/VelmoraMain.h"
#include "classlib/graphics/PngImage.h"
#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tools/snapshot/ScreenCapture.h"
#include "tools/snapshot/SnapshotOptions.h"

#include <cstdio>
#include <filesystem>

namespace {

constexpr platform::ForeignId kForeignId = 4711;

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// One line per box: line breaks in the text are shown escaped.
std::string OneLine(const std::string& text)
{
    return ReplaceAll(ReplaceAll(text, "\r", "\\r"), "\n", "\\n");
}

// The folder the program believes it runs from: --exe-dir, else the tool's own.
std::string ProgramPath(const TSnapshotOptions& options)
{
    std::filesystem::path folder = options.ExeDir;
    if (folder.empty()) {
        std::error_code ec;
        folder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    }
    return (folder / "velmora").string();
}

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<TSnapshotOptions> options = ParseSnapshotOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "snapshot: %s\n%s", error.c_str(), kSnapshotUsage);
        return 2;
    }

    platform::HeadlessPlatform headless;
    headless.SetScreenSize(options->ScreenWidth, options->ScreenHeight);
    if (const auto& t = options->Time) headless.SetLocalTime(t->Year, t->Month, t->Day, t->Hour, t->Minute, t->Second);
    if (const auto& f = options->Foreign) headless.CreateForeignWindow(kForeignId, {0, 0, f->first, f->second});
    platform::SetPlatform(&headless);

    const std::string programPath = ProgramPath(*options);
    SetExecutablePathOverride(programPath);
    std::vector<std::string> arguments{programPath};
    for (const std::string& argument : options->ProgramArguments)
        arguments.push_back(ReplaceAll(argument, "{foreign}", std::to_string(kForeignId)));
    std::vector<char*> programArgv;
    for (std::string& argument : arguments) programArgv.push_back(argument.data());
    programArgv.push_back(nullptr);

    int exitCode = 0;
    bool written = false;
    {
        TScreenCapture capture(headless, options->RunMs);
        exitCode = VelmoraMain(static_cast<int>(arguments.size()), programArgv.data(), [&] { capture.Arm(); });
        if (!capture.Taken()) capture.TakeAfterRun();
        const auto& image = capture.Image();
        TPixelSurface surface;
        surface.Bits = const_cast<uint32_t*>(image.pixels.data());
        surface.Width = image.width;
        surface.Height = image.height;
        surface.Stride = image.width;
        try {
            SavePng(surface, options->Out);
            written = true;
        } catch (const Exception& e) {
            std::fprintf(stderr, "snapshot: %s\n", e.Message().c_str());
        }
    }
    for (const auto& box : headless.MessageBoxes()) std::printf("error box: %s\n", OneLine(box.text).c_str());
    std::printf("exit code: %d\n", exitCode);
    platform::SetPlatform(nullptr);
    return written ? 0 : 1;
}
