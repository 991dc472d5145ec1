// A small demo form of the class library, to compare what the backends show.
// This header knows neither the class library nor Xlib: the class library's
// global `Screen` and Xlib's `Screen` type cannot meet in one file.
#pragma once

#include "platform/Platform.h"

#include <memory>
#include <vector>

namespace velmora_test {

constexpr platform::Rect kDemoFormBounds{60, 40, 300, 200};

// The application and the demo form on the platform that is current, shown.
class DemoFormRun {
public:
    DemoFormRun();
    ~DemoFormRun();
    DemoFormRun(const DemoFormRun&) = delete;
    DemoFormRun& operator=(const DemoFormRun&) = delete;

    platform::WindowId NativeWindow() const;
    void ProcessMessages();

private:
    struct State;
    std::unique_ptr<State> FState;
};

// The demo form's frame on a fresh headless backend, row by row.
std::vector<uint32_t> HeadlessDemoFrame();

}  // namespace velmora_test
