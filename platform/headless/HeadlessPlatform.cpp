// The headless backend's screen, windows, input and presented pixels.
#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr uint32_t kForeignPixel = 0x404040;
// Pixels kept per window; rows beyond are not stored (a huge window still works).
constexpr int64_t kMaxStoredPixels = int64_t(1) << 26;

int StoredHeight(int width, int height)
{
    if (width <= 0 || height <= 0) return 0;
    return static_cast<int>(std::min<int64_t>(height, kMaxStoredPixels / width));
}

Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.empty() ? Rect{} : r;
}

uint32_t DefaultCharacter(uint16_t key, uint32_t shift)
{
    const bool upper = (shift & SHIFT_STATE_SHIFT) != 0;
    if (key >= 'A' && key <= 'Z') return upper ? key : key + ('a' - 'A');
    if (key >= '0' && key <= '9') return key;
    switch (key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 27;
    case VK_TAB: return '\t';
    case VK_BACK: return 8;
    default: return 0;
    }
}
}  // namespace

HeadlessPlatform::HeadlessPlatform() : FMainThread(std::this_thread::get_id())
{
    FWaiters.reserve(16);
}

HeadlessPlatform::~HeadlessPlatform() = default;

// ---- Screen and foreign windows --------------------------------------------

void HeadlessPlatform::SetScreenSize(int width, int height)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FScreenWidth = std::max(0, width);
    FScreenHeight = std::max(0, height);
    FWorkArea = {0, 0, FScreenWidth, FScreenHeight};
}

void HeadlessPlatform::SetWorkArea(const Rect& area)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FWorkArea = area;
}

ScreenMetrics HeadlessPlatform::Screen()
{
    std::lock_guard<std::mutex> lock(FMutex);
    return {FScreenWidth, FScreenHeight, FWorkArea};
}

void HeadlessPlatform::CreateForeignWindow(ForeignId id, const Rect& screenRect)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FForeign[id] = screenRect;
}

void HeadlessPlatform::DestroyForeignWindow(ForeignId id)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FForeign.erase(id)) return;
    for (auto& [wid, w] : FWindows) {
        if (w.destroyed || w.params.kind != WindowKind::Child || w.params.parent != id) continue;
        w.destroyed = true;
        w.visible = false;
        FStacking.erase(std::remove(FStacking.begin(), FStacking.end(), wid), FStacking.end());
        if (FActive == wid) FActive = 0;
    }
    Event e;
    e.type = EventType::ForeignDestroyed;
    e.foreign = id;
    Push(e);
}

bool HeadlessPlatform::ForeignWindowExists(ForeignId window)
{
    std::lock_guard<std::mutex> lock(FMutex);
    return FForeign.count(window) != 0;
}

bool HeadlessPlatform::GetForeignWindowRect(ForeignId window, Rect& rect)
{
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FForeign.find(window);
    if (it == FForeign.end()) return false;
    rect = it->second;
    return true;
}

// ---- Native windows ---------------------------------------------------------

HeadlessPlatform::WindowState* HeadlessPlatform::Find(WindowId window)
{
    auto it = FWindows.find(window);
    return it == FWindows.end() || it->second.destroyed ? nullptr : &it->second;
}

const HeadlessPlatform::WindowState* HeadlessPlatform::Find(WindowId window) const
{
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

WindowId HeadlessPlatform::CreateNativeWindow(const WindowParams& params, Error* error)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (params.kind == WindowKind::Child && !FForeign.count(params.parent)) {
        if (error) *error = {kErrorInvalidWindowHandle, "Invalid window handle."};
        return 0;
    }
    const int w = std::max(0, params.bounds.width());
    const int h = StoredHeight(w, params.bounds.height());
    const WindowId id = FNextWindow++;
    WindowState& state = FWindows[id];
    state.id = id;
    state.params = params;
    state.pixels.assign(static_cast<size_t>(w) * h, 0);
    FStacking.push_back(id);
    return id;
}

void HeadlessPlatform::DestroyNativeWindow(WindowId window)
{
    std::lock_guard<std::mutex> lock(FMutex);
    WindowState* w = Find(window);
    if (!w) return;
    w->destroyed = true;
    w->visible = false;
    FStacking.erase(std::remove(FStacking.begin(), FStacking.end(), window), FStacking.end());
    if (FActive == window) FActive = 0;
}

void HeadlessPlatform::Raise(WindowId window)
{
    FStacking.erase(std::remove(FStacking.begin(), FStacking.end(), window), FStacking.end());
    FStacking.push_back(window);
}

void HeadlessPlatform::ShowNativeWindow(WindowId window, bool visible)
{
    std::lock_guard<std::mutex> lock(FMutex);
    WindowState* w = Find(window);
    if (!w || w->visible == visible) return;
    w->visible = visible;
    if (visible) {
        // Like a native window with a black background, mapped afresh.
        std::fill(w->pixels.begin(), w->pixels.end(), 0u);
        Raise(window);
    } else if (FActive == window) {
        FActive = 0;
        Event e;
        e.type = EventType::Deactivate;
        e.window = window;
        Push(e);
    }
}

void HeadlessPlatform::ActivateNativeWindow(WindowId window)
{
    InjectActivation(window);
}

void HeadlessPlatform::SetNativeBounds(WindowId window, const Rect& bounds)
{
    std::lock_guard<std::mutex> lock(FMutex);
    WindowState* w = Find(window);
    if (!w) return;
    const int oldW = std::max(0, w->params.bounds.width());
    const int oldH = StoredHeight(oldW, w->params.bounds.height());
    const int newW = std::max(0, bounds.width());
    const int newH = StoredHeight(newW, bounds.height());
    w->params.bounds = bounds;
    if (oldW == newW && oldH == newH) return;
    std::vector<uint32_t> pixels(static_cast<size_t>(newW) * newH, 0);
    for (int y = 0; y < std::min(oldH, newH); ++y)
        std::memcpy(&pixels[static_cast<size_t>(y) * newW], &w->pixels[static_cast<size_t>(y) * oldW],
                    sizeof(uint32_t) * std::min(oldW, newW));
    w->pixels.swap(pixels);
}

void HeadlessPlatform::SetNativeCaption(WindowId window, const std::string& caption)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (WindowState* w = Find(window)) w->params.caption = caption;
}

void HeadlessPlatform::SetNativeDecorations(WindowId window, bool decorated)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (WindowState* w = Find(window)) w->params.decorated = decorated;
}

void HeadlessPlatform::SetNativeRegion(WindowId window, const Rect* rects, int count)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (WindowState* w = Find(window)) w->region.assign(rects, rects + std::max(0, count));
}

void HeadlessPlatform::SetPointer(WindowId window, PointerShape shape)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (WindowState* w = Find(window)) w->pointer = shape;
}

void HeadlessPlatform::BeginInteractiveMove(WindowId window, Point screenPoint)
{
    std::lock_guard<std::mutex> lock(FMutex);
    WindowState* w = Find(window);
    if (!w) return;
    const Rect r = ScreenRectOf(*w);
    w->moving = true;
    w->moveGrab = {screenPoint.x - r.left, screenPoint.y - r.top};
}

Rect HeadlessPlatform::ScreenRectOf(const WindowState& window) const
{
    Rect r = window.params.bounds;
    if (window.params.kind == WindowKind::Child) {
        auto it = FForeign.find(window.params.parent);
        if (it != FForeign.end()) {
            r.left += it->second.left;
            r.right += it->second.left;
            r.top += it->second.top;
            r.bottom += it->second.top;
        }
    }
    return r;
}

void HeadlessPlatform::Present(WindowId window, const uint32_t* pixels, int stride, int width, int height,
                               const Rect& area)
{
    std::lock_guard<std::mutex> lock(FMutex);
    WindowState* w = Find(window);
    if (!w || !pixels) return;
    const int ww = std::max(0, w->params.bounds.width()), wh = StoredHeight(ww, w->params.bounds.height());
    const Rect r = Intersect(area, {0, 0, std::min(width, ww), std::min(height, wh)});
    if (r.empty()) return;
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(&w->pixels[static_cast<size_t>(y) * ww + r.left], pixels + static_cast<ptrdiff_t>(y) * stride + r.left,
                    sizeof(uint32_t) * r.width());
    const int64_t count = int64_t(r.width()) * r.height();
    ++w->presentCount;
    w->presentedPixels += count;
    ++FPresentCount;
    FPresentedPixels += count;
    if (!w->isMessageBox) return;
    for (MessageBoxRecord& box : FMessageBoxes) {
        if (box.window != window || !box.pixels.empty()) continue;
        box.width = ww;
        box.height = wh;
        box.pixels = w->pixels;
        if (FAutoDismiss) {
            Event e;
            e.window = window;
            e.key = VK_RETURN;
            e.type = EventType::KeyDown;
            e.character = '\r';
            Push(e);
            e.type = EventType::KeyUp;
            e.character = 0;
            Push(e);
        }
    }
}

void HeadlessPlatform::NoteMessageBox(WindowId window, const std::string& caption, const std::string& text)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (WindowState* w = Find(window)) w->isMessageBox = true;
    MessageBoxRecord record;
    record.window = window;
    record.caption = caption;
    record.text = text;
    FMessageBoxes.push_back(std::move(record));
}

void HeadlessPlatform::ResetPresentStatistics()
{
    std::lock_guard<std::mutex> lock(FMutex);
    FPresentCount = 0;
    FPresentedPixels = 0;
    for (auto& [id, w] : FWindows) {
        w.presentCount = 0;
        w.presentedPixels = 0;
    }
}

std::vector<WindowId> HeadlessPlatform::Windows() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    std::vector<WindowId> ids;
    for (const auto& [id, w] : FWindows) ids.push_back(id);
    return ids;
}

std::vector<WindowId> HeadlessPlatform::LiveWindows() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    std::vector<WindowId> ids;
    for (const auto& [id, w] : FWindows)
        if (!w.destroyed) ids.push_back(id);
    return ids;
}

const HeadlessPlatform::WindowState* HeadlessPlatform::Window(WindowId window) const
{
    std::lock_guard<std::mutex> lock(FMutex);
    return Find(window);
}

WindowId HeadlessPlatform::TopWindow() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    for (auto it = FStacking.rbegin(); it != FStacking.rend(); ++it) {
        auto w = FWindows.find(*it);
        if (w != FWindows.end() && w->second.visible && !w->second.destroyed) return *it;
    }
    return 0;
}

uint32_t HeadlessPlatform::WindowPixel(WindowId window, int x, int y) const
{
    std::lock_guard<std::mutex> lock(FMutex);
    const WindowState* w = Find(window);
    if (!w) return 0xFFFFFFFFu;
    const int ww = std::max(0, w->params.bounds.width()), wh = StoredHeight(ww, w->params.bounds.height());
    if (x < 0 || y < 0 || x >= ww || y >= wh) return 0xFFFFFFFFu;
    return w->pixels[static_cast<size_t>(y) * ww + x];
}

HeadlessPlatform::ScreenImage HeadlessPlatform::ComposeScreen() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    ScreenImage image;
    image.width = FScreenWidth;
    image.height = FScreenHeight;
    image.pixels.assign(static_cast<size_t>(FScreenWidth) * FScreenHeight, 0);
    const Rect screen{0, 0, FScreenWidth, FScreenHeight};
    auto fill = [&](const Rect& r, uint32_t px) {
        const Rect c = Intersect(r, screen);
        for (int y = c.top; y < c.bottom; ++y)
            std::fill_n(&image.pixels[static_cast<size_t>(y) * FScreenWidth + c.left], c.width(), px);
    };
    for (const auto& [id, r] : FForeign) fill(r, kForeignPixel);
    for (WindowId id : FStacking) {
        const WindowState& w = FWindows.at(id);
        if (!w.visible || w.destroyed) continue;
        Rect r = ScreenRectOf(w);
        r.bottom = r.top + StoredHeight(r.width(), r.height());
        Rect clip = screen;
        if (w.params.kind == WindowKind::Child) {
            auto parent = FForeign.find(w.params.parent);
            if (parent == FForeign.end()) continue;
            clip = Intersect(clip, parent->second);
        }
        const std::vector<Rect> whole{{0, 0, r.width(), r.height()}};
        for (const Rect& part : w.region.empty() ? whole : w.region) {
            const Rect onScreen{r.left + part.left, r.top + part.top, r.left + part.right, r.top + part.bottom};
            const Rect c = Intersect(Intersect(onScreen, clip), r);
            for (int y = c.top; y < c.bottom; ++y)
                std::memcpy(&image.pixels[static_cast<size_t>(y) * FScreenWidth + c.left],
                            &w.pixels[static_cast<size_t>(y - r.top) * r.width() + (c.left - r.left)],
                            sizeof(uint32_t) * c.width());
        }
    }
    return image;
}

// ---- Input ------------------------------------------------------------------

void HeadlessPlatform::SetPointerPosition(Point screenPoint)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FPointer = screenPoint;
}

Point HeadlessPlatform::PointerPosition()
{
    std::lock_guard<std::mutex> lock(FMutex);
    return FPointer;
}

void HeadlessPlatform::Push(const Event& event)
{
    FEvents.push_back(event);
    if (FMainWaiter && !FMainWaiter->woken) WakeWaiter(*FMainWaiter, WaitResult::Ready);
}

bool HeadlessPlatform::PollEvent(Event& event)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (FEvents.empty()) return false;
    event = FEvents.front();
    FEvents.pop_front();
    return true;
}

int HeadlessPlatform::PendingEventCount() const
{
    std::lock_guard<std::mutex> lock(FMutex);
    return static_cast<int>(FEvents.size());
}

void HeadlessPlatform::InjectEvent(const Event& event)
{
    std::lock_guard<std::mutex> lock(FMutex);
    Event e = event;
    if (const WindowState* w = Find(e.window)) {
        const Rect r = ScreenRectOf(*w);
        e.screenX = r.left + e.x;
        e.screenY = r.top + e.y;
    }
    switch (e.type) {
    case EventType::ButtonDown:
    case EventType::ButtonUp:
    case EventType::Motion:
    case EventType::Wheel:
    case EventType::Enter:
        FPointer = {e.screenX, e.screenY};
        break;
    default:
        break;
    }
    if (WindowState* w = Find(e.window); w && w->moving) {
        // The platform's move loop takes the pointer until the button is released.
        if (e.type == EventType::Motion) {
            MoveWithPointer(*w, e);
            return;
        }
        if (e.type == EventType::ButtonUp) {
            w->moving = false;
            return;
        }
    }
    Push(e);
}

void HeadlessPlatform::MoveWithPointer(WindowState& window, const Event& motion)
{
    Rect r = window.params.bounds;
    const Rect onScreen = ScreenRectOf(window);
    const int dx = motion.screenX - window.moveGrab.x - onScreen.left;
    const int dy = motion.screenY - window.moveGrab.y - onScreen.top;
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    window.params.bounds = r;
    Event moved;
    moved.type = EventType::Moved;
    moved.window = window.id;
    moved.rect = r;
    Push(moved);
}

void HeadlessPlatform::InjectKeyDown(WindowId window, uint16_t key, uint32_t shift, uint32_t character, bool repeat)
{
    Event e;
    e.type = EventType::KeyDown;
    e.window = window;
    e.key = key;
    e.shift = shift;
    e.character = character;
    e.repeat = repeat;
    InjectEvent(e);
}

void HeadlessPlatform::InjectKeyUp(WindowId window, uint16_t key, uint32_t shift)
{
    Event e;
    e.type = EventType::KeyUp;
    e.window = window;
    e.key = key;
    e.shift = shift;
    InjectEvent(e);
}

void HeadlessPlatform::InjectKeyPress(WindowId window, uint16_t key, uint32_t shift)
{
    InjectKeyDown(window, key, shift, DefaultCharacter(key, shift));
    InjectKeyUp(window, key, shift);
}

namespace {
uint32_t ButtonBit(MouseButton button)
{
    switch (button) {
    case MouseButton::Left: return SHIFT_STATE_LEFT;
    case MouseButton::Right: return SHIFT_STATE_RIGHT;
    case MouseButton::Middle: return SHIFT_STATE_MIDDLE;
    }
    return 0;
}
}  // namespace

void HeadlessPlatform::InjectButtonDown(WindowId window, int x, int y, MouseButton button, uint32_t shift)
{
    Event e;
    e.type = EventType::ButtonDown;
    e.window = window;
    e.x = x;
    e.y = y;
    e.button = button;
    e.shift = shift | ButtonBit(button);
    InjectEvent(e);
}

void HeadlessPlatform::InjectButtonUp(WindowId window, int x, int y, MouseButton button, uint32_t shift)
{
    Event e;
    e.type = EventType::ButtonUp;
    e.window = window;
    e.x = x;
    e.y = y;
    e.button = button;
    e.shift = shift & ~ButtonBit(button);
    InjectEvent(e);
}

void HeadlessPlatform::InjectClick(WindowId window, int x, int y, MouseButton button)
{
    InjectButtonDown(window, x, y, button);
    InjectButtonUp(window, x, y, button);
}

void HeadlessPlatform::InjectWheel(WindowId window, int x, int y, int delta, uint32_t shift)
{
    Event e;
    e.type = EventType::Wheel;
    e.window = window;
    e.x = x;
    e.y = y;
    e.wheelDelta = delta;
    e.shift = shift;
    InjectEvent(e);
}

void HeadlessPlatform::InjectMotion(WindowId window, int x, int y, uint32_t shift)
{
    Event e;
    e.type = EventType::Motion;
    e.window = window;
    e.x = x;
    e.y = y;
    e.shift = shift;
    InjectEvent(e);
}

void HeadlessPlatform::InjectLeave(WindowId window)
{
    Event e;
    e.type = EventType::Leave;
    e.window = window;
    InjectEvent(e);
}

void HeadlessPlatform::InjectActivation(WindowId window)
{
    std::lock_guard<std::mutex> lock(FMutex);
    if (window && !Find(window)) return;
    if (FActive == window) return;
    Event e;
    if (FActive) {
        e.type = EventType::Deactivate;
        e.window = FActive;
        Push(e);
    }
    FActive = window;
    if (window) {
        Raise(window);
        e.type = EventType::Activate;
        e.window = window;
        Push(e);
    }
}

void HeadlessPlatform::InjectSystemCommand(WindowId window, uint32_t command)
{
    Event e;
    e.type = EventType::SystemCommand;
    e.window = window;
    e.command = command;
    InjectEvent(e);
}

void HeadlessPlatform::InjectCloseRequest(WindowId window)
{
    Event e;
    e.type = EventType::CloseRequest;
    e.window = window;
    InjectEvent(e);
}

void HeadlessPlatform::InjectExpose(WindowId window, const Rect& area)
{
    Event e;
    e.type = EventType::Expose;
    e.window = window;
    e.rect = area;
    InjectEvent(e);
}

// ---- Shell ------------------------------------------------------------------

bool HeadlessPlatform::ShellOpen(const std::string& target, Error* error)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FShellOpened.push_back(target);
    if (!FShellOpenSucceeds && error) *error = {kErrorNoAssociation, "No application is associated with the specified file for this operation."};
    return FShellOpenSucceeds;
}

bool HeadlessPlatform::RunCommand(const std::string& commandLine, Error* error)
{
    std::lock_guard<std::mutex> lock(FMutex);
    FCommandsRun.push_back(commandLine);
    if (!FRunCommandSucceeds && error) *error = {kErrorFileNotFound, "The system cannot find the file specified."};
    return FRunCommandSucceeds;
}

}  // namespace platform
