#include "app/VelmoraMain.h"

#include "app/CommandLine.h"
#include "app/SettingsStore.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "classlib/forms/Application.h"
#include "classlib/system/SysUtils.h"

#include <string>

TRunMode ChooseRunMode(int argc, const char* const* argv)
{
    TRunMode mode = rmSaver;
    if (argc > 1 && argv && argv[1]) {
        const std::string first = argv[1];
        // All three tests run, in this order; no argument can pass more than one.
        if (LowerCase(first) == "/s") mode = rmSaver;
        if (LowerCase(first) == "/p") mode = rmPreview;
        if (first.find("/c") != std::string::npos) mode = rmSettings;
    }
    return mode;
}

namespace {
void ShowFailure(const Exception& e)
{
    try {
        Application->ShowException(e);
    } catch (...) {
        // Reporting must not turn into a crash: the exit code stays 0.
    }
}
}  // namespace

int VelmoraMain(int argc, char** argv)
{
    return VelmoraMain(argc, argv, {});
}

int VelmoraMain(int argc, char** argv, const std::function<void()>& beforeLoop)
{
    SetCommandLine(argc, argv);
    const TRunMode mode = ChooseRunMode(argc, argv);
    Form1 = nullptr;
    Preview = nullptr;
    Settings = nullptr;

    TApplication application;
    // The caption of the error boxes comes from the executable's name; take
    // it from the executable the settings store works for, which is the
    // running one unless a tool runs the program on behalf of another.
    Application->SetTitle(TApplication::TitleFromExeName(ExecutablePath()));
    try {
        Application->Initialize();
        switch (mode) {
        case rmSaver: Application->CreateForm(Form1); break;
        case rmPreview: Application->CreateForm(Preview); break;
        case rmSettings: Application->CreateForm(Settings); break;
        }
        if (beforeLoop) beforeLoop();
        Application->Run();
    } catch (const Exception& e) {
        ShowFailure(e);
    } catch (...) {
        // Anything else is reported as an exception without a message.
        ShowFailure(Exception(""));
    }
    return 0;
}
