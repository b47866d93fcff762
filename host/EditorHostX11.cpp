// The Linux side of EditorHost: a top-level Xlib window on $DISPLAY whose id
// goes to effEditOpen. The editor runs on its own connection and thread, so
// pointer events are sent to its window with XSendEvent (the server delivers
// them to the connection that selected them), and this connection only
// keeps the parent alive and reads its pixels.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/EditorHost.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"

// Xlib last: its macros clash with ordinary names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vhost {
namespace {

// Xlib's error handler is process-wide and its default ends the process.
// Errors on the host's own connections are counted here; all others go to
// whatever handler was installed before (the plug-in may install its own
// chaining one after ours, which is why ours is never taken out).
struct ErrorTrap {
    std::mutex mutex;
    std::vector<std::pair<Display*, unsigned long>> displays;
    XErrorHandler previous = nullptr;
    bool installed = false;
};

ErrorTrap& Trap() {
    static ErrorTrap trap;
    return trap;
}

int OnXError(Display* display, XErrorEvent* event) {
    XErrorHandler previous;
    {
        std::lock_guard<std::mutex> lock(Trap().mutex);
        for (auto& d : Trap().displays)
            if (d.first == display) {
                ++d.second;
                return 0;
            }
        previous = Trap().previous;
    }
    return previous ? previous(display, event) : 0;
}

void TrapErrors(Display* display) {
    std::lock_guard<std::mutex> lock(Trap().mutex);
    if (!Trap().installed) {
        Trap().previous = XSetErrorHandler(OnXError);
        Trap().installed = true;
    }
    Trap().displays.emplace_back(display, 0);
}

void ReleaseErrors(Display* display) {
    std::lock_guard<std::mutex> lock(Trap().mutex);
    auto& v = Trap().displays;
    v.erase(std::remove_if(v.begin(), v.end(), [&](auto& d) { return d.first == display; }),
            v.end());
}

unsigned long ErrorCount(Display* display) {
    std::lock_guard<std::mutex> lock(Trap().mutex);
    for (auto& d : Trap().displays)
        if (d.first == display) return d.second;
    return 0;
}

// An X server resets when its last client leaves (unless told otherwise)
// and drops connections made meanwhile; a host that just closed its own
// window may be that last client, so a refused connection is tried again.
Display* OpenDisplay() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return nullptr;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* d = XOpenDisplay(nullptr)) return d;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

// The shift that brings a colour mask's top bit to bit 7.
int MaskShift(unsigned long mask) {
    int top = 63;
    while (top >= 0 && !(mask & (1ul << top))) --top;
    return top - 7;
}

std::uint32_t Channel(unsigned long pixel, unsigned long mask, int shift) {
    unsigned long v = pixel & mask;
    return std::uint32_t((shift >= 0 ? v >> shift : v << -shift) & 0xff);
}

class X11EditorHost : public EditorHost {
  public:
    X11EditorHost(PluginInstance& plugin, int width, int height)
        : EditorHost(plugin, width, height) {}

    ~X11EditorHost() override {
        plugin_.CloseEditor();
        if (display_) {
            if (window_) XDestroyWindow(display_, window_);
            XSync(display_, False);
            ReleaseErrors(display_);
            XCloseDisplay(display_);
        }
    }

    void Create() {
        // The editor's thread uses its own connection, but Xlib must know
        // about threads before the first connection of the process.
        XInitThreads();
        const char* name = std::getenv("DISPLAY");
        display_ = OpenDisplay();
        if (!display_)
            throw HostError(name && *name
                                ? std::string("cannot open display ") + name
                                : std::string("cannot open a display: DISPLAY is not set"));
        TrapErrors(display_);
        int screen = DefaultScreen(display_);
        window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0,
                                      unsigned(width_), unsigned(height_), 0,
                                      BlackPixel(display_, screen), BlackPixel(display_, screen));
        std::string title = "quorvex-host: " + plugin_.EffectName();
        XStoreName(display_, window_, title.c_str());
        // A fixed-size window, as hosts make for editors that do not resize.
        XSizeHints* hints = XAllocSizeHints();
        if (hints) {
            hints->flags = PMinSize | PMaxSize;
            hints->min_width = hints->max_width = width_;
            hints->min_height = hints->max_height = height_;
            XSetWMNormalHints(display_, window_, hints);
            XFree(hints);
        }
        XSelectInput(display_, window_, StructureNotifyMask | ExposureMask);
        // Asked to close rather than have the window manager cut the connection.
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        protocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
        XSetWMProtocols(display_, window_, &deleteWindow_, 1);
        // Kept when other windows cover it, so that its pixels (the editor's
        // included) can be read on a shared display.
        XSetWindowAttributes keep{};
        keep.backing_store = Always;
        XChangeWindowAttributes(display_, window_, CWBackingStore, &keep);
        XMapRaised(display_, window_);
        XSync(display_, False);
        if (ErrorCount(display_) != 0)
            throw HostError("cannot create a window on display " + std::string(name ? name : ""));
        WaitForMap();
        if (!plugin_.OpenEditor(reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_))))
            throw HostError(plugin_.Path() + ": the editor did not open");
        XSync(display_, False);
    }

    void* ParentWindow() const override {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
    }

    void* EditorWindow() const override {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display_, window_, &root, &parent, &children, &count) && children) {
            // The topmost child: an editor that reopened leaves only one.
            if (count > 0) found = children[count - 1];
            XFree(children);
        }
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(found));
    }

    void Pump(int milliseconds) override {
        using clock = std::chrono::steady_clock;
        auto end = clock::now() + std::chrono::milliseconds(milliseconds);
        auto nextIdle = clock::now();
        do {
            DrainEvents();
            if (clock::now() >= nextIdle) {
                plugin_.EditorIdle();
                nextIdle = clock::now() + std::chrono::milliseconds(kIdleMs);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (clock::now() < end);
    }

    EditorPixels Capture() override {
        int screen = DefaultScreen(display_);
        if (width_ > DisplayWidth(display_, screen) || height_ > DisplayHeight(display_, screen))
            throw HostError("the editor (" + std::to_string(width_) + " x " +
                            std::to_string(height_) + ") does not fit on the screen");
        XSync(display_, False);
        unsigned long before = ErrorCount(display_);
        XImage* image = XGetImage(display_, window_, 0, 0, unsigned(width_), unsigned(height_),
                                  AllPlanes, ZPixmap);
        XSync(display_, False);
        if (!image || ErrorCount(display_) != before) {
            if (image) XDestroyImage(image);
            throw HostError("cannot read the window's pixels");
        }
        EditorPixels pixels;
        pixels.width = width_;
        pixels.height = height_;
        pixels.rgb.resize(std::size_t(width_) * std::size_t(height_));
        int rs = MaskShift(image->red_mask), gs = MaskShift(image->green_mask),
            bs = MaskShift(image->blue_mask);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                unsigned long p = XGetPixel(image, x, y);
                pixels.rgb[std::size_t(y) * std::size_t(width_) + std::size_t(x)] =
                    Channel(p, image->red_mask, rs) << 16 | Channel(p, image->green_mask, gs) << 8 |
                    Channel(p, image->blue_mask, bs);
            }
        XDestroyImage(image);
        return pixels;
    }

    void PointerDown(int x, int y, PointerButton button) override {
        SendButton(ButtonPress, x, y, ButtonOf(button), 0);
        held_ = MaskOf(button);
    }

    void PointerDrag(int x, int y, PointerButton button) override {
        Window target = Target();
        XEvent e{};
        e.xmotion.type = MotionNotify;
        e.xmotion.display = display_;
        e.xmotion.window = target;
        e.xmotion.root = DefaultRootWindow(display_);
        e.xmotion.x = x;
        e.xmotion.y = y;
        e.xmotion.x_root = x;
        e.xmotion.y_root = y;
        e.xmotion.state = MaskOf(button);
        e.xmotion.time = ++time_;
        e.xmotion.same_screen = True;
        XSendEvent(display_, target, False, ButtonMotionMask | PointerMotionMask, &e);
        XFlush(display_);
    }

    void PointerUp(int x, int y, PointerButton button) override {
        SendButton(ButtonRelease, x, y, ButtonOf(button), MaskOf(button));
        held_ = 0;
    }

    void Wheel(int x, int y, int notches) override {
        unsigned button = notches > 0 ? Button4 : Button5;
        for (int i = 0; i < std::abs(notches); ++i) {
            SendButton(ButtonPress, x, y, button, 0);
            SendButton(ButtonRelease, x, y, button, 0);
        }
    }

  private:
    static constexpr int kIdleMs = 20;

    static unsigned ButtonOf(PointerButton b) {
        return b == PointerButton::Left ? Button1 : Button3;
    }
    static unsigned MaskOf(PointerButton b) {
        return b == PointerButton::Left ? Button1Mask : Button3Mask;
    }

    Window Target() const {
        auto w = static_cast<Window>(reinterpret_cast<std::uintptr_t>(EditorWindow()));
        if (!w) throw HostError("the editor has no window inside the parent");
        return w;
    }

    void SendButton(int type, int x, int y, unsigned button, unsigned state) {
        Window target = Target();
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.display = display_;
        e.xbutton.window = target;
        e.xbutton.root = DefaultRootWindow(display_);
        e.xbutton.x = x;
        e.xbutton.y = y;
        e.xbutton.x_root = x;
        e.xbutton.y_root = y;
        e.xbutton.button = button;
        e.xbutton.state = state | held_;
        e.xbutton.time = ++time_;
        e.xbutton.same_screen = True;
        XSendEvent(display_, target, False,
                   type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
        XFlush(display_);
    }

    void WaitForMap() {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end) {
            while (XPending(display_)) {
                XEvent e;
                XNextEvent(display_, &e);
                if (e.type == MapNotify && e.xmap.window == window_) return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        throw HostError("the window was not shown within 5 seconds");
    }

    void DrainEvents() {
        while (XPending(display_)) {
            XEvent e;
            XNextEvent(display_, &e);
            if (e.type == ClientMessage && e.xclient.window == window_ &&
                e.xclient.message_type == protocols_ && e.xclient.format == 32 &&
                Atom(e.xclient.data.l[0]) == deleteWindow_)
                closeRequested_ = true;
        }
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    Atom protocols_ = 0;
    Atom deleteWindow_ = 0;
    Time time_ = 1;
    unsigned held_ = 0;
};

}  // namespace

std::unique_ptr<EditorHost> EditorHost::Open(PluginInstance& plugin) {
    int width = 0, height = 0;
    EditorSize(plugin, width, height);
    auto host = std::make_unique<X11EditorHost>(plugin, width, height);
    host->Create();
    return host;
}

}  // namespace vhost
