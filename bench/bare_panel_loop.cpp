// The machine's own baseline for bench/saver_cpu: a bare program that does
// only what a saver pass cannot do without. Every 10 ms it moves a 354 x 346
// area one pixel on both axes (bouncing off the edges like the saver's panel),
// fills it in a full-screen shared image, puts that area on a full-screen
// window, looks for input and sleeps. It runs until it is sent SIGTERM.
// Usage: DISPLAY=... bench_bare_panel_loop
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <thread>

#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

std::atomic<bool> gStop{false};

void OnTerm(int)
{
    gStop = true;
}

constexpr int kPanelW = 354, kPanelH = 346;

// One axis of the bounce: moves by one pixel and turns past either edge.
void Step(int& position, bool& forward, int limit)
{
    position += forward ? 1 : -1;
    if (position < 0 || position > limit) {
        forward = !forward;
        position += forward ? 2 : -2;
    }
}

}  // namespace

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_bare_panel_loop: no X display\n");
        return 1;
    }
    std::signal(SIGTERM, OnTerm);
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen), height = DisplayHeight(display, screen);

    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.override_redirect = True;
    const Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                        CWBackPixel | CWOverrideRedirect, &attributes);
    XSelectInput(display, window, KeyPressMask | ButtonPressMask | PointerMotionMask);
    XMapRaised(display, window);
    const GC gc = XCreateGC(display, window, 0, nullptr);

    XShmSegmentInfo segment{};
    XImage* image = XShmCreateImage(display, DefaultVisual(display, screen), static_cast<unsigned>(DefaultDepth(display, screen)),
                                    ZPixmap, nullptr, &segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image) return 1;
    segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height), IPC_CREAT | 0600);
    if (segment.shmid < 0) return 1;
    segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    shmctl(segment.shmid, IPC_RMID, nullptr);
    segment.readOnly = False;
    if (segment.shmaddr == reinterpret_cast<char*>(-1) || !XShmAttach(display, &segment)) {
        std::fprintf(stderr, "bench_bare_panel_loop: no shared memory with the X server\n");
        return 1;
    }
    XSync(display, False);

    int x = (width - kPanelW) / 2, y = (height - kPanelH) / 2;
    bool right = false, down = false;
    uint32_t colour = 0x200000;
    while (!gStop) {
        const int oldX = x, oldY = y;
        Step(x, right, width - kPanelW);
        Step(y, down, height - kPanelH);
        colour ^= 0x010000;
        // The area the old and the new place cover together: the panel's new
        // place in its colour, the strips it left black, sent in one put.
        const int left = oldX < x ? oldX : x, top = oldY < y ? oldY : y;
        for (int row = top; row <= top + kPanelH; ++row) {
            auto* pixels = reinterpret_cast<uint32_t*>(image->data + static_cast<ptrdiff_t>(row) * image->bytes_per_line);
            const bool inPanel = row >= y && row < y + kPanelH;
            for (int column = left; column <= left + kPanelW; ++column)
                pixels[column] = inPanel && column >= x && column < x + kPanelW ? colour : 0;
        }
        XShmPutImage(display, window, gc, image, left, top, left, top, kPanelW + 1, kPanelH + 1, False);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    XShmDetach(display, &segment);
    image->data = nullptr;  // the segment is not the image's to free
    XDestroyImage(image);
    shmdt(segment.shmaddr);
    XCloseDisplay(display);
    return 0;
}
