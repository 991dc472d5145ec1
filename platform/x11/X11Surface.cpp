#include "platform/x11/X11Surface.h"

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include <sys/ipc.h>
#include <sys/shm.h>

namespace platform::x11 {

namespace {
// Beyond this a window's image is refused rather than allocated.
constexpr int64_t kMaxPixels = int64_t(1) << 26;

Rect Clip(const Rect& area, int width, int height)
{
    Rect r{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, width), std::min(area.bottom, height)};
    return r.empty() ? Rect{} : r;
}

struct CompletionMatch {
    int type;
    ShmSeg segment;
};

Bool IsCompletionOf(Display*, XEvent* event, XPointer arg)
{
    const auto* match = reinterpret_cast<const CompletionMatch*>(arg);
    return event->type == match->type && reinterpret_cast<XShmCompletionEvent*>(event)->shmseg == match->segment;
}

// A channel of 8 bits placed into a visual's mask.
unsigned long Channel(uint32_t value8, unsigned long mask)
{
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long v = bits >= 8 ? (static_cast<unsigned long>(value8) << (bits - 8)) : (value8 >> (8 - bits));
    return (v << shift) & mask;
}

void DestroyImage(XImage*& image)
{
    if (!image) return;
    XDestroyImage(image);
    image = nullptr;
}
}  // namespace

int X11Surface::CompletionEventType(Display* display)
{
    if (!XShmQueryExtension(display)) return 0;
    return XShmGetEventBase(display) + ShmCompletion;
}

X11Surface::X11Surface(Display* display, Visual* visual, int depth, bool useSharedMemory)
    : FDisplay(display), FVisual(visual), FDepth(depth), FTryShared(useSharedMemory)
{
    if (FTryShared) FCompletionType = CompletionEventType(display);
    FTryShared = FCompletionType != 0;
}

X11Surface::~X11Surface()
{
    Release();
}

bool X11Surface::Resize(int width, int height)
{
    if (width == FWidth && height == FHeight && FImage) return true;
    Release();
    if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxPixels) return false;
    const bool made = (FTryShared && !FRefused && CreateShared(width, height)) || CreatePlain(width, height);
    if (!made) return false;
    FWidth = width;
    FHeight = height;
    FDirect = DirectFormat();
    return true;
}

bool X11Surface::CreateShared(int width, int height)
{
    // The image keeps a pointer to the segment description: it must be our member.
    XShmSegmentInfo& segment = FSegment;
    segment = {};
    XImage* image = XShmCreateImage(FDisplay, FVisual, static_cast<unsigned>(FDepth), ZPixmap, nullptr, &segment,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image) return false;
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(image->height);
    segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment.shmid < 0) {
        DestroyImage(image);
        segment = {};
        return false;
    }
    void* address = shmat(segment.shmid, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(segment.shmid, IPC_RMID, nullptr);
        DestroyImage(image);
        segment = {};
        return false;
    }
    segment.shmaddr = image->data = static_cast<char*>(address);
    segment.readOnly = False;
    bool attached = false;
    {
        X11ErrorTrap trap(FDisplay);
        attached = XShmAttach(FDisplay, &segment) && !trap.Failed();
    }
    // Marked for removal at once: the segment goes away with its last user,
    // also when this process dies without cleaning up.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (!attached) {
        FRefused = true;
        image->data = nullptr;
        DestroyImage(image);
        shmdt(address);
        segment = {};
        return false;
    }
    // A new segment holds zeros already; not touching it leaves its pages
    // unmapped until something is drawn there.
    FImage = image;
    FShared = true;
    return true;
}

bool X11Surface::CreatePlain(int width, int height)
{
    const int pad = 32;
    const int bitsPerPixel = FDepth > 16 ? 32 : (FDepth > 8 ? 16 : 8);
    const size_t bytesPerLine = static_cast<size_t>((width * bitsPerPixel + pad - 1) / pad * (pad / 8));
    char* data = static_cast<char*>(std::calloc(bytesPerLine * static_cast<size_t>(height), 1));
    if (!data) return false;
    XImage* image = XCreateImage(FDisplay, FVisual, static_cast<unsigned>(FDepth), ZPixmap, 0, data,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), pad,
                                 static_cast<int>(bytesPerLine));
    if (!image) {
        std::free(data);
        return false;
    }
    // Our pixels are in the host's byte order; Xlib converts for the server.
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    FImage = image;
    FShared = false;
    return true;
}

void X11Surface::Release()
{
    if (!FImage) return;
    if (FShared) {
        // The server detaches after it has served every earlier put.
        XShmDetach(FDisplay, &FSegment);
        FImage->data = nullptr;
        DestroyImage(FImage);
        shmdt(FSegment.shmaddr);
        FSegment = {};
    } else {
        DestroyImage(FImage);  // frees the calloc'd pixels
    }
    FShared = false;
    FPendingCount = 0;
    FUnreported = 0;
    FShown = {};
    FWidth = FHeight = 0;
}

bool X11Surface::DirectFormat() const
{
    const bool hostOrder = FImage->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    return FImage->bits_per_pixel == 32 && hostOrder && FVisual->red_mask == 0xFF0000 &&
           FVisual->green_mask == 0x00FF00 && FVisual->blue_mask == 0x0000FF;
}

uint32_t* X11Surface::DirectPixels(int* stride)
{
    if (!FImage || !FDirect) return nullptr;
    if (stride) *stride = FImage->bytes_per_line / 4;
    return reinterpret_cast<uint32_t*>(FImage->data);
}

void X11Surface::Store(const uint32_t* pixels, int stride, const Rect& area)
{
    if (!FImage || !pixels) return;
    if (FDirect && pixels == reinterpret_cast<const uint32_t*>(FImage->data)) return;
    const Rect r = Clip(area, FWidth, FHeight);
    if (r.empty()) return;
    // No wait for the server's reads of earlier puts here: the put of this
    // area follows, so the screen ends with these pixels, and a round trip
    // per present would cost more than the rare frame torn for one put.
    if (!FDirect) {
        ConvertRows(pixels, stride, r);
        return;
    }
    const size_t rowBytes = sizeof(uint32_t) * static_cast<size_t>(r.width());
    char* base = FImage->data + static_cast<ptrdiff_t>(r.left) * 4;
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(base + static_cast<ptrdiff_t>(y) * FImage->bytes_per_line,
                    pixels + static_cast<ptrdiff_t>(y) * stride + r.left, rowBytes);
}

void X11Surface::ConvertRows(const uint32_t* pixels, int stride, const Rect& area)
{
    // Other visuals (16-bit, swapped channels): slow, but correct.
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t p = row[x];
            const unsigned long value = Channel((p >> 16) & 0xFF, FVisual->red_mask) |
                                        Channel((p >> 8) & 0xFF, FVisual->green_mask) |
                                        Channel(p & 0xFF, FVisual->blue_mask);
            XPutPixel(FImage, x, y, value);
        }
    }
}

void X11Surface::Put(Drawable drawable, GC gc, const Rect& area)
{
    if (!FImage) return;
    const Rect r = Clip(area, FWidth, FHeight);
    if (r.empty()) return;
    FShown = FShown.empty() ? r
                            : Rect{std::min(FShown.left, r.left), std::min(FShown.top, r.top),
                                   std::max(FShown.right, r.right), std::max(FShown.bottom, r.bottom)};
    const unsigned w = static_cast<unsigned>(r.width()), h = static_cast<unsigned>(r.height());
    if (!FShared) {
        // The request carries a copy of the pixels: nothing to wait for later.
        XPutImage(FDisplay, drawable, gc, FImage, r.left, r.top, r.left, r.top, w, h);
        return;
    }
    // The server serves requests in order: one completion event covers the
    // puts before it too. Asking for one every few puts bounds how far we run
    // ahead of the server at a fraction of the events.
    const bool report = ++FUnreported >= kPutsPerReport;
    if (report) {
        if (FPendingCount == kMaxPending) WaitForServer();
        FPending[FPendingCount++] = NextRequest(FDisplay);
        FUnreported = 0;
    }
    XShmPutImage(FDisplay, drawable, gc, FImage, r.left, r.top, r.left, r.top, w, h, report ? True : False);
}

void X11Surface::PutShown(Drawable drawable, GC gc, const Rect& area)
{
    const Rect r{std::max(area.left, FShown.left), std::max(area.top, FShown.top), std::min(area.right, FShown.right),
                 std::min(area.bottom, FShown.bottom)};
    if (!r.empty()) Put(drawable, gc, r);
}

void X11Surface::OnCompletion(const XShmCompletionEvent& event)
{
    if (FShared && event.shmseg == FSegment.shmseg) ForgetUpTo(event.serial);
}

void X11Surface::ForgetUpTo(unsigned long serial)
{
    int kept = 0;
    for (int i = 0; i < FPendingCount; ++i)
        if (FPending[i] > serial) FPending[kept++] = FPending[i];
    FPendingCount = kept;
}

void X11Surface::WaitForServer()
{
    if (FPendingCount == 0) return;
    CompletionMatch match{FCompletionType, FSegment.shmseg};
    XEvent event;
    while (FPendingCount > 0 && XCheckIfEvent(FDisplay, &event, IsCompletionOf, reinterpret_cast<XPointer>(&match)))
        OnCompletion(reinterpret_cast<const XShmCompletionEvent&>(event));
    if (FPendingCount == 0) return;
    // Completions that have arrived but are not read yet spare the round trip.
    XEventsQueued(FDisplay, QueuedAfterReading);
    while (FPendingCount > 0 && XCheckIfEvent(FDisplay, &event, IsCompletionOf, reinterpret_cast<XPointer>(&match)))
        OnCompletion(reinterpret_cast<const XShmCompletionEvent&>(event));
    if (FPendingCount == 0) return;
    // Once the server answers, it has served every earlier put, including
    // those that failed and will never report completion (a window that was
    // destroyed with its foreign parent).
    XSync(FDisplay, False);
    while (XCheckIfEvent(FDisplay, &event, IsCompletionOf, reinterpret_cast<XPointer>(&match))) {
    }
    FPendingCount = 0;
}

}  // namespace platform::x11
