// A second connection to the test's X server, as "another program" sees the
// screen: pixels read back, a window to host the preview, the pointer image.
// Free of Xlib headers, whose macros clash with the class library's names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TXDisplayProbe {
public:
    explicit TXDisplayProbe(const std::string& displayName);
    ~TXDisplayProbe();
    TXDisplayProbe(const TXDisplayProbe&) = delete;
    TXDisplayProbe& operator=(const TXDisplayProbe&) = delete;

    bool Connected() const { return FDisplay != nullptr; }
    uint64_t Root() const;
    // 0x00RRGGBB pixels of the window's top-left width x height, with what is inside it.
    std::vector<uint32_t> Read(uint64_t window, int width, int height) { return Read(window, 0, 0, width, height); }
    std::vector<uint32_t> Read(uint64_t window, int x, int y, int width, int height);
    // A mapped window with a white background.
    uint64_t CreateWindow(int x, int y, int width, int height);
    void DestroyWindow(uint64_t window);
    // Pixels of the current pointer image that are not fully transparent.
    int VisiblePointerPixels();

private:
    void* FDisplay = nullptr;
};
