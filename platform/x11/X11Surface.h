// A window's back buffer on the X side: an image of the window's pixels that
// presenting copies changed rectangles into and sends to the server, through
// a shared-memory segment where the server can reach one (XShmPutImage) and
// as ordinary request data where it cannot (a remote display).
//
// The image also keeps what was presented, so an exposed area is shown
// again without asking the class library to paint.
#pragma once

#include "platform/Platform.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

namespace platform::x11 {

class X11Surface {
public:
    // `useSharedMemory`: try the extension (it may still be refused per segment).
    X11Surface(Display* display, Visual* visual, int depth, bool useSharedMemory);
    ~X11Surface();
    X11Surface(const X11Surface&) = delete;
    X11Surface& operator=(const X11Surface&) = delete;

    // Makes the image width x height pixels, black; false when it cannot be
    // made (too large, out of memory). Unchanged sizes keep the pixels.
    bool Resize(int width, int height);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Shared() const { return FShared; }
    // The segment was refused by the server (e.g. a remote display): the
    // caller stops trying shared memory for later surfaces.
    bool SharedMemoryRefused() const { return FRefused; }

    // The image's own pixels when they are in our 0x00RRGGBB format (null
    // otherwise), rows *stride pixels apart: drawing straight into them
    // saves Store its copy.
    uint32_t* DirectPixels(int* stride);
    // Copies `area` (clipped to the image) of a width x height buffer whose
    // rows are `stride` pixels apart. The image's own pixels are not copied
    // onto themselves.
    void Store(const uint32_t* pixels, int stride, const Rect& area);
    // Sends `area` (clipped to the image) to the same place of `drawable`.
    void Put(Drawable drawable, GC gc, const Rect& area);
    // Sends again the part of `area` that was put since the window was last
    // mapped (an exposure): the rest shows the window's background.
    void PutShown(Drawable drawable, GC gc, const Rect& area);
    // The window is mapped or unmapped: nothing put so far shows any more.
    void ForgetShown() { FShown = {}; }
    // Forgets puts the server has finished, given one of its completion events.
    void OnCompletion(const XShmCompletionEvent& event);
    // The event type of completion events on this display (0 without the extension).
    static int CompletionEventType(Display* display);

private:
    static constexpr int kMaxPending = 16;
    static constexpr int kPutsPerReport = 8;

    bool CreateShared(int width, int height);
    bool CreatePlain(int width, int height);
    void Release();
    bool DirectFormat() const;
    void ConvertRows(const uint32_t* pixels, int stride, const Rect& area);
    // Waits until the server has served every put that asked for a completion.
    void WaitForServer();
    void ForgetUpTo(unsigned long serial);

    Display* FDisplay;
    Visual* FVisual;
    int FDepth;
    bool FTryShared;
    int FCompletionType = 0;
    bool FShared = false;
    bool FRefused = false;
    bool FDirect = false;
    XImage* FImage = nullptr;
    XShmSegmentInfo FSegment{};
    int FWidth = 0;
    int FHeight = 0;
    // Request numbers of the puts that asked for a completion event, not yet reported.
    unsigned long FPending[kMaxPending] = {};
    int FPendingCount = 0;
    int FUnreported = 0;  // puts since the last that asked for a completion
    Rect FShown;          // bounds of what was put since the window was mapped
};

}  // namespace platform::x11
