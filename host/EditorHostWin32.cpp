// The Windows side of EditorHost: a captioned top-level window on the
// calling thread whose HWND goes to effEditOpen. The editor's child window
// lives on the same thread, so Pump() is the message loop that runs its
// timer and paints, pointer messages are posted to the child and dispatched
// at once, and the pixels are copied from the parent's DC into a DIB.
#include <windows.h>

#include <chrono>
#include <string>

#include "host/EditorHost.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"

namespace vhost {
namespace {

constexpr wchar_t kFrameClass[] = L"QuorvexHostFrame";
constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // The host decides when the editor goes: closing the frame only raises
    // the flag the host's window object keeps in the user data.
    if (msg == WM_CLOSE) {
        if (auto* flag = reinterpret_cast<bool*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            *flag = true;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterFrameClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kFrameClass;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

std::wstring Wide(const std::string& text) {
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wide.size() - 1);
    return wide;
}

class Win32EditorHost : public EditorHost {
  public:
    Win32EditorHost(PluginInstance& plugin, int width, int height)
        : EditorHost(plugin, width, height) {}

    ~Win32EditorHost() override {
        plugin_.CloseEditor();
        if (frame_) DestroyWindow(frame_);
        DrainMessages();
    }

    void Create() {
        if (!RegisterFrameClass()) throw HostError("cannot register a window class");
        RECT r{0, 0, width_, height_};
        AdjustWindowRectEx(&r, kFrameStyle, FALSE, 0);
        std::wstring title = Wide("quorvex-host: " + plugin_.EffectName());
        frame_ =
            CreateWindowExW(0, kFrameClass, title.c_str(), kFrameStyle, 0, 0, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!frame_)
            throw HostError("cannot create a window (error " + std::to_string(GetLastError()) +
                            "); is a display available?");
        SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closeRequested_));
        ShowWindow(frame_, SW_SHOWNOACTIVATE);
        UpdateWindow(frame_);
        DrainMessages();
        if (!plugin_.OpenEditor(frame_))
            throw HostError(plugin_.Path() + ": the editor did not open");
        DrainMessages();
    }

    void* ParentWindow() const override { return frame_; }

    void* EditorWindow() const override {
        HWND child = FindWindowExW(frame_, nullptr, L"VexilWndClass", nullptr);
        // Other plug-ins name their window class as they like.
        if (!child) child = GetWindow(frame_, GW_CHILD);
        return child;
    }

    void Pump(int milliseconds) override {
        using clock = std::chrono::steady_clock;
        auto end = clock::now() + std::chrono::milliseconds(milliseconds);
        auto nextIdle = clock::now();
        do {
            DrainMessages();
            if (clock::now() >= nextIdle) {
                plugin_.EditorIdle();
                nextIdle = clock::now() + std::chrono::milliseconds(kIdleMs);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        } while (clock::now() < end);
    }

    EditorPixels Capture() override {
        DrainMessages();
        EditorPixels pixels;
        pixels.width = width_;
        pixels.height = height_;
        pixels.rgb.resize(std::size_t(width_) * std::size_t(height_));
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width_;
        bi.bmiHeader.biHeight = -height_;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC windowDc = GetDC(frame_);
        HDC memoryDc = windowDc ? CreateCompatibleDC(windowDc) : nullptr;
        void* bits = nullptr;
        HBITMAP dib =
            memoryDc ? CreateDIBSection(memoryDc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        bool copied = false;
        if (dib && bits) {
            HGDIOBJ old = SelectObject(memoryDc, dib);
            copied = BitBlt(memoryDc, 0, 0, width_, height_, windowDc, 0, 0, SRCCOPY) != 0;
            GdiFlush();
            if (copied) {
                const auto* source = static_cast<const std::uint32_t*>(bits);
                for (std::size_t i = 0; i < pixels.rgb.size(); ++i)
                    pixels.rgb[i] = source[i] & 0xffffffu;  // BGRA in memory: 0x00RRGGBB
            }
            SelectObject(memoryDc, old);
        }
        if (dib) DeleteObject(dib);
        if (memoryDc) DeleteDC(memoryDc);
        if (windowDc) ReleaseDC(frame_, windowDc);
        if (!copied) throw HostError("cannot read the window's pixels");
        return pixels;
    }

    void PointerDown(int x, int y, PointerButton button) override {
        bool left = button == PointerButton::Left;
        held_ = left ? MK_LBUTTON : MK_RBUTTON;
        Post(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, held_, x, y);
    }

    void PointerDrag(int x, int y, PointerButton button) override {
        Post(WM_MOUSEMOVE, button == PointerButton::Left ? MK_LBUTTON : MK_RBUTTON, x, y);
    }

    void PointerUp(int x, int y, PointerButton button) override {
        held_ = 0;
        Post(button == PointerButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, x, y);
    }

    void Wheel(int x, int y, int notches) override {
        // The wheel message carries screen coordinates.
        POINT p{x, y};
        ClientToScreen(Target(), &p);
        WPARAM wp = MAKEWPARAM(held_, static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA)));
        PostMessageW(Target(), WM_MOUSEWHEEL, wp, MAKELPARAM(p.x, p.y));
        DrainMessages();
    }

  private:
    static constexpr int kIdleMs = 20;

    HWND Target() const {
        HWND w = static_cast<HWND>(EditorWindow());
        if (!w) throw HostError("the editor has no window inside the parent");
        return w;
    }

    // Through the queue like real input, then dispatched before returning
    // so that callers see the effect at once.
    void Post(UINT msg, WPARAM keys, int x, int y) {
        PostMessageW(Target(), msg, keys, MAKELPARAM(x, y));
        DrainMessages();
    }

    static void DrainMessages() {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }

    HWND frame_ = nullptr;
    WPARAM held_ = 0;
};

}  // namespace

std::unique_ptr<EditorHost> EditorHost::Open(PluginInstance& plugin) {
    int width = 0, height = 0;
    EditorSize(plugin, width, height);
    auto host = std::make_unique<Win32EditorHost>(plugin, width, height);
    host->Create();
    return host;
}

}  // namespace vhost
