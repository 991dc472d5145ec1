// Shared pieces of the X11 backend tests: one Xvfb per test program (a
// global environment sets DISPLAY to it), a fixture with the backend and a
// second connection that plays "another program", and helpers that pump the
// backend until what a test waits for has happened (always bounded).
#pragma once

// GoogleTest first: it has names that Xlib's macros (None) would hide.
#include <gtest/gtest.h>

#include "platform/x11/X11Platform.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace velmora_test {

// The display the global environment started ("" when it could not).
const std::string& TestDisplay();
const std::string& TestDisplayFailure();

using EventMatch = std::function<bool(const platform::Event&)>;

// Pumps until an event matches (true, *match filled) or timeoutMs pass.
// Every event seen, the match included, is appended to *seen.
bool AwaitEvent(platform::IPlatform& platform, const EventMatch& match, platform::Event* found = nullptr,
                int timeoutMs = 5000, std::vector<platform::Event>* seen = nullptr);
// Pumps for forMs and returns what arrived.
std::vector<platform::Event> CollectEvents(platform::IPlatform& platform, int forMs);
// Runs xdotool with these arguments on the test display; its exit status.
int RunXdotool(std::initializer_list<std::string> args);

class X11Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A shown window of `kind`, viewable when this returns.
    platform::WindowId ShowWindow(const platform::Rect& bounds,
                                  platform::WindowKind kind = platform::WindowKind::Popup);
    // Pumps the backend until `window` is viewable (or has gone unviewable).
    bool AwaitMapState(Window window, bool viewable, int timeoutMs = 5000);
    // Waits until the server has done what both connections asked for.
    void Sync();
    // The window's pixels as the server has them, 0x00RRGGBB, width x height.
    std::vector<uint32_t> ReadBack(Window window, int width, int height);
    // The window's position on the screen, as the server has it.
    platform::Point ScreenOrigin(Window window);
    // Moves the pointer to screen (x, y) and waits until the server has it there.
    void MovePointer(int x, int y);

    virtual platform::X11Options Options() const { return {}; }

    std::unique_ptr<platform::X11Platform> FPlatform;
    Display* FInspector = nullptr;  // the other program's connection
};

}  // namespace velmora_test
