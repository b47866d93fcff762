#include "framework/editor/x11/IGraphicsX11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "framework/core/VexilBase.h"
#include "framework/editor/x11/X11Entry.h"
#include "framework/editor/x11/X11ErrorTrap.h"

namespace {

constexpr long kEditorEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                               ButtonMotionMask | LeaveWindowMask | StructureNotifyMask;

// Xlib must know about threads before any of our connections is used from
// the event thread while the host thread closes it.
void InitXlibThreads() {
    static std::once_flag once;
    std::call_once(once, [] { XInitThreads(); });
}

IMouseKeys KeysFromState(unsigned int state) {
    IMouseKeys keys;
    keys.left = (state & Button1Mask) != 0;
    keys.right = (state & Button3Mask) != 0;
    keys.shift = (state & ShiftMask) != 0;
    keys.ctrl = (state & ControlMask) != 0;
    keys.alt = (state & Mod1Mask) != 0;
    return keys;
}

Visual* AsVisual(void* v) {
    return static_cast<Visual*>(v);
}
GC AsGC(void* gc) {
    return static_cast<GC>(gc);
}

int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) mask >>= 1, ++shift;
    return shift;
}

int MaskBits(unsigned long mask) {
    int bits = 0;
    while (mask) bits += int(mask & 1), mask >>= 1;
    return bits;
}

// One 8-bit channel into the bits of a visual's colour mask.
unsigned long PlaceChannel(unsigned int value, unsigned long mask) {
    int bits = MaskBits(mask);
    if (bits == 0) return 0;
    unsigned long v = bits >= 8 ? (unsigned long)value << (bits - 8) : value >> (8 - bits);
    return (v << MaskShift(mask)) & mask;
}

}  // namespace

IGraphicsX11::IGraphicsX11(VexilBase* plug, int width, int height, int fps)
    : IGraphicsDrel(plug, width, height, fps), logic_(*this) {}

IGraphicsX11::~IGraphicsX11() {
    CloseEditorWindow();
}

void* IGraphicsX11::EditorWindow() {
    return display_ ? reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_)) : nullptr;
}

void* IGraphicsX11::OpenEditorWindow(void* parent) {
    IBox geometry{0, 0, width_, height_};
    if (display_) {
        // Reopening keeps where the window was and how large it was. The
        // window's thread writes the geometry, so it is read once that
        // thread has ended.
        CloseEditorWindow();
        geometry = geometry_;
    }
    if (!parent) return nullptr;
    InitXlibThreads();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "vexil editor: cannot connect to the X server\n");
        return nullptr;
    }
    x11trap::Register(display);
    Window parentWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent));
    XWindowAttributes pa{};
    Window window = 0;
    if (XGetWindowAttributes(display, parentWindow, &pa) && pa.depth > 0) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = kEditorEvents;
        attributes.background_pixmap = None;
        attributes.border_pixel = 0;
        attributes.colormap = pa.colormap;
        window = XCreateWindow(
            display, parentWindow, geometry.left, geometry.top, unsigned(std::max(1, geometry.W())),
            unsigned(std::max(1, geometry.H())), 0, pa.depth, InputOutput, pa.visual,
            CWEventMask | CWBackPixmap | CWBorderPixel | CWColormap, &attributes);
        if (window) XMapWindow(display, window);
    }
    XSync(display, False);
    if (!window || x11trap::ErrorCount(display) > 0 || pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
        std::fprintf(stderr, "vexil editor: cannot create the editor window in 0x%lx\n",
                     static_cast<unsigned long>(parentWindow));
        if (window) XDestroyWindow(display, window);
        XSync(display, False);
        x11trap::Unregister(display);
        XCloseDisplay(display);
        wake_[0] = wake_[1] = -1;
        return nullptr;
    }
    display_ = display;
    window_ = window;
    parent_ = parentWindow;
    visual_ = pa.visual;
    depth_ = pa.depth;
    geometry_ = geometry;
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    // Our pixels are 0xAARRGGBB words; when the window's visual stores the
    // same layout the surface is handed to the server as it is.
    directImage_ = false;
    if (XImage* probe = XCreateImage(display_, AsVisual(visual_), unsigned(depth_), ZPixmap, 0,
                                     nullptr, 1, 1, 32, 0)) {
        Visual* v = AsVisual(visual_);
        directImage_ = probe->bits_per_pixel == 32 && probe->byte_order == LSBFirst &&
                       v->red_mask == 0xff0000 && v->green_mask == 0xff00 && v->blue_mask == 0xff;
        XDestroyImage(probe);
    }
    stop_ = false;
    windowGone_ = false;
    ticks_ = 0;
    capture_ = false;
    exposed_ = IBox{};
    doubleClick_.Reset();
    MarkAllChanged();
    thread_ = std::thread([this] { Run(); });
    return EditorWindow();
}

void IGraphicsX11::CloseEditorWindow() {
    if (!display_) return;
    if (thread_.joinable()) {
        if (thread_.get_id() == std::this_thread::get_id()) {
            // A handler on the window's own thread cannot wait for itself;
            // the host's close request does the rest.
            std::fprintf(stderr, "vexil editor: close requested from the editor's own thread\n");
            return;
        }
        stop_ = true;
        Wake();
        thread_.join();
    }
    // An open entry is abandoned; its window goes with ours.
    logic_.AbandonEntry();
    bool lost = x11trap::ConnectionLost(display_);
    if (!lost) {
        entry_.reset();
        if (gc_) XFreeGC(display_, AsGC(gc_));
        if (!windowGone_) XDestroyWindow(display_, window_);
        // Errors of a window the host already destroyed arrive here, while
        // the connection is still ours.
        XSync(display_, False);
    } else {
        // Its connection is unusable; nothing can be freed through it.
        (void)entry_.release();
    }
    x11trap::Unregister(display_);
    if (!lost) XCloseDisplay(display_);
    close(wake_[0]);
    close(wake_[1]);
    wake_[0] = wake_[1] = -1;
    display_ = nullptr;
    window_ = 0;
    gc_ = nullptr;
    capture_ = false;
}

void IGraphicsX11::Wake() {
    if (wake_[1] >= 0) {
        char c = 1;
        ssize_t r = write(wake_[1], &c, 1);
        (void)r;
    }
}

void IGraphicsX11::Run() {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(EditorWindowLogic::TimerPeriodMs(fps_));
    auto next = Clock::now() + period;
    const int fd = ConnectionNumber(display_);
    while (!stop_) {
        if (x11trap::ConnectionLost(display_)) break;
        while (!stop_ && XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            HandleEvent(event);
        }
        if (stop_ || windowGone_ || x11trap::ConnectionLost(display_)) break;
        auto now = Clock::now();
        if (now >= next) {
            Tick();
            next += period;
            if (next <= now) next = now + period;
        }
        if (!exposed_.Empty()) {
            IBox box = exposed_;
            exposed_ = IBox{};
            RenderArea(box);
        }
        XFlush(display_);
        int timeout =
            int(std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count());
        if (timeout < 0) timeout = 0;
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (XPending(display_) == 0) poll(fds, 2, timeout);
        char drain[16];
        while (read(wake_[0], drain, sizeof drain) > 0) {
        }
    }
}

void IGraphicsX11::HandleEvent(XEvent& event) {
    if (entry_ && entry_->HandleEvent(event)) return;
    if (event.xany.window != window_) return;
    switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            exposed_ = exposed_.Union({e.x, e.y, e.x + e.width, e.y + e.height});
            break;
        }
        case ConfigureNotify: {
            const XConfigureEvent& e = event.xconfigure;
            geometry_ = {e.x, e.y, e.x + e.width, e.y + e.height};
            break;
        }
        case DestroyNotify:
            if (event.xdestroywindow.window == window_) windowGone_ = true;
            break;
        case ButtonPress: {
            const XButtonEvent& b = event.xbutton;
            PointerEvent e;
            e.x = b.x;
            e.y = b.y;
            e.keys = KeysFromState(b.state);
            if (b.button == Button1) {
                e.keys.left = true;
                bool twice = doubleClick_.Press(std::uint32_t(b.time), b.x, b.y);
                e.kind = twice ? PointerKind::LeftDoubleClick : PointerKind::LeftDown;
            } else if (b.button == Button3) {
                e.keys.right = true;
                doubleClick_.Reset();
                e.kind = PointerKind::RightDown;
            } else if (b.button == Button4 || b.button == Button5) {
                e.kind = PointerKind::Wheel;
                e.wheelDelta = b.button == Button4 ? 120 : -120;
            } else {
                break;
            }
            Pointer(e);
            break;
        }
        case ButtonRelease: {
            const XButtonEvent& b = event.xbutton;
            if (b.button != Button1 && b.button != Button3) break;
            PointerEvent e;
            e.kind = b.button == Button1 ? PointerKind::LeftUp : PointerKind::RightUp;
            e.x = b.x;
            e.y = b.y;
            e.keys = KeysFromState(b.state);
            if (b.button == Button1) e.keys.left = false;
            if (b.button == Button3) e.keys.right = false;
            Pointer(e);
            break;
        }
        case MotionNotify: {
            // Only the newest position of a burst matters for a drag.
            while (XCheckTypedWindowEvent(display_, window_, MotionNotify, &event)) {
            }
            const XMotionEvent& m = event.xmotion;
            PointerEvent e;
            e.kind = PointerKind::Move;
            e.x = m.x;
            e.y = m.y;
            e.keys = KeysFromState(m.state);
            Pointer(e);
            break;
        }
        case LeaveNotify:
            if (event.xcrossing.mode == NotifyNormal) {
                PointerEvent e;
                e.kind = PointerKind::Leave;
                Pointer(e);
            }
            break;
        default:
            break;
    }
}

void IGraphicsX11::Pointer(const PointerEvent& e) {
    // While the entry has the focus only a right press counts; that one
    // does not reach the plug-in, so there is no need for its lock.
    if (logic_.EventsHeldByEntry() && e.kind != PointerKind::RightDown) return;
    if (!LockPlug()) return;
    PointerResult result = logic_.OnPointer(e, capture_);
    UnlockPlug();
    if (result.capture == CaptureChange::Take) capture_ = true;
    if (result.capture == CaptureChange::Release) capture_ = false;
    DropClosedEntry();
}

void IGraphicsX11::Tick() {
    ticks_.fetch_add(1, std::memory_order_relaxed);
    if (logic_.EventsHeldByEntry()) return;
    bool applies = logic_.HasEntry() && logic_.EntryStateValue() == EntryApply;
    if (applies && !LockPlug()) return;
    IBox dirty;
    bool paint = logic_.Tick(dirty);
    if (applies) UnlockPlug();
    DropClosedEntry();
    if (paint) exposed_ = exposed_.Union(dirty);
}

void IGraphicsX11::DropClosedEntry() {
    if (entry_ && !logic_.HasEntry()) entry_.reset();
}

// The host may hold the plug-in lock while it waits for this thread to end
// (closing the editor); so this thread only tries the lock and gives up
// when asked to stop.
bool IGraphicsX11::LockPlug() {
    if (!plug_) return true;
    vexil::RecursiveLock& lock = plug_->PluginLock();
    while (!lock.TryLock()) {
        if (stop_) return false;
        pollfd wake = {wake_[0], POLLIN, 0};
        poll(&wake, 1, 1);
    }
    return true;
}

void IGraphicsX11::UnlockPlug() {
    if (plug_) plug_->PluginLock().Unlock();
}

bool IGraphicsX11::PresentArea(const IBox& box) {
    if (!display_ || windowGone_ || !drawing_ || !drawing_->Bits()) return true;
    const int sw = drawing_->Width();
    const int sh = drawing_->Height();
    IBox b = box.Intersection({0, 0, sw, sh});
    if (b.W() <= 0 || b.H() <= 0) return true;
    if (directImage_ && !drawing_->IsBottomUp()) {
        XImage* image = XCreateImage(display_, AsVisual(visual_), unsigned(depth_), ZPixmap, 0,
                                     reinterpret_cast<char*>(drawing_->Bits()), unsigned(sw),
                                     unsigned(sh), 32, drawing_->RowSpan() * 4);
        if (!image) return true;
        XPutImage(display_, window_, AsGC(gc_), image, b.left, b.top, b.left, b.top,
                  unsigned(b.W()), unsigned(b.H()));
        image->data = nullptr;  // the surface owns the pixels
        XDestroyImage(image);
        return true;
    }
    XImage* image = XCreateImage(display_, AsVisual(visual_), unsigned(depth_), ZPixmap, 0, nullptr,
                                 unsigned(b.W()), unsigned(b.H()), 32, 0);
    if (!image) return true;
    image->data = static_cast<char*>(std::malloc(size_t(image->bytes_per_line) * size_t(b.H())));
    if (!image->data) {
        XDestroyImage(image);
        return true;
    }
    Visual* v = AsVisual(visual_);
    for (int y = 0; y < b.H(); ++y) {
        const std::uint32_t* row = drawing_->Row(b.top + y) + b.left;
        for (int x = 0; x < b.W(); ++x) {
            std::uint32_t p = row[x];
            unsigned long pixel = PlaceChannel((p >> 16) & 255, v->red_mask) |
                                  PlaceChannel((p >> 8) & 255, v->green_mask) |
                                  PlaceChannel(p & 255, v->blue_mask);
            XPutPixel(image, x, y, pixel);
        }
    }
    XPutImage(display_, window_, AsGC(gc_), image, 0, 0, b.left, b.top, unsigned(b.W()),
              unsigned(b.H()));
    XDestroyImage(image);
    return true;
}

void IGraphicsX11::ResizeEditor(int w, int h) {
    IGraphicsDrel::ResizeEditor(w, h);
    if (display_ && !windowGone_) {
        XResizeWindow(display_, window_, unsigned(std::max(1, w)), unsigned(std::max(1, h)));
        XFlush(display_);
    }
}

void IGraphicsX11::PromptParamEntry(IWidget* widget, IParameter* param) {
    if (!display_ || windowGone_ || !logic_.CanOpenEntry(widget, param)) return;
    EntryLayout layout;
    if (!EditorWindowLogic::LayoutEntry(widget, param, layout)) return;
    auto entry = std::make_unique<X11Entry>(display_, window_, layout, logic_, width_, height_);
    if (!entry->Valid()) return;
    logic_.EntryOpened(entry.get(), widget, param);
    entry_ = std::move(entry);
}
