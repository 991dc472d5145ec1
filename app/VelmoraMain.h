// The entry point of velmora: chooses the run mode from the first argument,
// creates that mode's form as the main form and runs the message loop.
#pragma once

#include <cstdint>
#include <functional>

enum TRunMode : uint8_t { rmSaver = 0, rmPreview = 1, rmSettings = 2 };

// "/s" (any case) saver, "/p" (any case) preview, anything containing "/c"
// (exactly so) settings; no argument or any other runs the saver. Only the
// first argument after the program counts.
TRunMode ChooseRunMode(int argc, const char* const* argv);

// Runs the program on the current platform and returns its exit code, which
// is 0 in every case: a failure escaping form creation is shown in the
// standard error box first.
int VelmoraMain(int argc, char** argv);
// The same; beforeLoop runs once the main form exists, right before the
// message loop starts (tools and tests watch or drive the run through it).
int VelmoraMain(int argc, char** argv, const std::function<void()>& beforeLoop);
