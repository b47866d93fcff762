#include "framework/editor/win32/IGraphicsHwnd.h"

// clang-format off
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <wininet.h>
// clang-format on

#include <cstring>
#include <string>

#include "framework/core/IParameter.h"
#include "framework/editor/IWidget.h"
#include "framework/platform/Module.h"

namespace {

constexpr UINT_PTR kTimerId = 2;
constexpr int kEntryId = 0x63;
const char kClassName[] = "VexilWndClass";

// Module-wide, touched only by open and close on the host's editor thread.
int openWindows = 0;
double timerRate = 24.0;

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        SetTimer(hwnd, kTimerId, UINT(EditorWindowLogic::TimerPeriodMs(int(timerRate))), nullptr);
        return 0;
    }
    auto* g = reinterpret_cast<IGraphicsHwnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!g || g->EditorWindow() != hwnd) return DefWindowProcA(hwnd, msg, wp, lp);
    return LRESULT(g->EditorMessage(hwnd, msg, wp, lp));
}

LRESULT CALLBACK EntryWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* g = reinterpret_cast<IGraphicsHwnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!g || g->EntryWindow() != hwnd) return DefWindowProcA(hwnd, msg, wp, lp);
    return LRESULT(g->EntryMessage(hwnd, msg, wp, lp));
}

IMouseKeys KeysFrom(WPARAM wp) {
    IMouseKeys keys;
    keys.left = (wp & MK_LBUTTON) != 0;
    keys.right = (wp & MK_RBUTTON) != 0;
    keys.shift = (wp & MK_SHIFT) != 0;
    keys.ctrl = (wp & MK_CONTROL) != 0;
    keys.alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    return keys;
}

void FolderOf(const char* path, std::string& out) {
    const char* slash = std::strrchr(path, '\\');
    out = slash ? std::string(path, size_t(slash - path + 1)) : std::string();
}

// The connection check only makes sense for addresses on the network; a
// document on this computer opens without one.
bool IsNetworkAddress(const char* target) {
    const char* colon = std::strstr(target, "://");
    if (!colon) return std::strncmp(target, "www.", 4) == 0;
    return _strnicmp(target, "file://", 7) != 0;
}

UINT_PTR CALLBACK ColourHook(HWND dialog, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* cc = reinterpret_cast<CHOOSECOLORA*>(lp);
        const char* prompt = reinterpret_cast<const char*>(cc->lCustData);
        if (prompt) SetWindowTextA(dialog, prompt);
    }
    return 0;
}

}  // namespace

// The native entry control as the shared logic sees it.
class IGraphicsHwnd::Entry : public EntryControl {
  public:
    explicit Entry(IGraphicsHwnd& owner) : owner_(owner) {}
    void SetEntryText(const std::string& text) override {
        HWND w = static_cast<HWND>(owner_.entryWindow_);
        if (!w) return;
        // For a list the text is the selection: select the matching item.
        char cls[16] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (_stricmp(cls, "COMBOBOX") == 0) {
            int n = int(SendMessageA(w, CB_GETCOUNT, 0, 0)), found = -1;
            for (int k = 0; k < n; ++k) {
                char item[256] = {};
                if (SendMessageA(w, CB_GETLBTEXTLEN, WPARAM(k), 0) < LRESULT(sizeof item))
                    SendMessageA(w, CB_GETLBTEXT, WPARAM(k), LPARAM(item));
                if (text == item) found = k;
            }
            SendMessageA(w, CB_SETCURSEL, WPARAM(found), 0);
        } else {
            SetWindowTextA(w, text.c_str());
        }
    }
    std::string EntryText(int maxChars) override {
        char buffer[256] = {};
        if (maxChars > 255) maxChars = 255;
        GetWindowTextA(static_cast<HWND>(owner_.entryWindow_), buffer, maxChars + 1);
        return buffer;
    }
    void DestroyEntry() override {
        HWND w = static_cast<HWND>(owner_.entryWindow_);
        if (w) {
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(owner_.entryProc_));
            DestroyWindow(w);
        }
        owner_.ClearEntryFields();
    }

  private:
    IGraphicsHwnd& owner_;
};

IGraphicsHwnd::IGraphicsHwnd(VexilBase* plug, int width, int height, int fps)
    : IGraphicsDrel(plug, width, height, fps), logic_(*this), entry_(new Entry(*this)) {}

IGraphicsHwnd::~IGraphicsHwnd() {
    CloseEditorWindow();
    delete[] customColours_;
    if (font_) DeleteObject(static_cast<HFONT>(font_));
}

void* IGraphicsHwnd::ModuleInstance() const {
    return module_ ? module_ : vexil::ModuleHandle();
}

void IGraphicsHwnd::ClearEntryFields() {
    entryWindow_ = nullptr;
    entryProc_ = nullptr;
    logic_.AbandonEntry();
}

void* IGraphicsHwnd::OpenEditorWindow(void* parent) {
    parent_ = parent;
    int x = 0, y = 0, w = width_, h = height_;
    if (window_) {
        RECT pr{}, wr{};
        GetWindowRect(static_cast<HWND>(parent), &pr);
        GetWindowRect(static_cast<HWND>(window_), &wr);
        CloseEditorWindow();
        x = wr.left - pr.left;
        y = wr.top - pr.top;
        w = wr.right - wr.left;
        h = wr.bottom - wr.top;
    }
    HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
    if (openWindows++ == 0) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = EditorProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    timerRate = fps_;
    HWND hwnd = CreateWindowExA(0, kClassName, "Vexil", WS_CHILD | WS_VISIBLE, x, y, w, h,
                                static_cast<HWND>(parent), nullptr, instance, this);
    if (!hwnd) {
        if (--openWindows == 0) UnregisterClassA(kClassName, instance);
        return nullptr;
    }
    window_ = hwnd;
    tracking_ = false;
    MarkAllChanged();
    return window_;
}

void IGraphicsHwnd::CloseEditorWindow() {
    if (!window_) return;
    // An open entry is abandoned; its window goes with ours.
    ClearEntryFields();
    HWND hwnd = static_cast<HWND>(window_);
    window_ = nullptr;
    DestroyWindow(hwnd);
    if (--openWindows == 0) UnregisterClassA(kClassName, static_cast<HINSTANCE>(ModuleInstance()));
}

std::intptr_t IGraphicsHwnd::EditorMessage(void* handle, unsigned msg, std::uintptr_t wp,
                                           std::intptr_t lp) {
    HWND hwnd = static_cast<HWND>(handle);
    PointerEvent e;
    e.x = int(short(LOWORD(lp)));
    e.y = int(short(HIWORD(lp)));
    e.keys = KeysFrom(wp);
    bool pointer = true;
    switch (msg) {
        case WM_MOUSEMOVE:
            e.kind = PointerKind::Move;
            if (!tracking_ && !logic_.EventsHeldByEntry()) {
                TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd, 0};
                tracking_ = TrackMouseEvent(&tme) != 0;
            }
            break;
        case WM_LBUTTONDOWN:
            e.kind = PointerKind::LeftDown;
            break;
        case WM_RBUTTONDOWN:
            e.kind = PointerKind::RightDown;
            break;
        case WM_LBUTTONUP:
            e.kind = PointerKind::LeftUp;
            break;
        case WM_RBUTTONUP:
            e.kind = PointerKind::RightUp;
            break;
        case WM_LBUTTONDBLCLK:
            e.kind = PointerKind::LeftDoubleClick;
            break;
        case WM_MOUSEWHEEL: {
            // Wheel positions arrive in screen coordinates.
            RECT r{};
            GetWindowRect(hwnd, &r);
            e.x -= r.left;
            e.y -= r.top;
            e.kind = PointerKind::Wheel;
            e.wheelDelta = int(short(HIWORD(wp)));
            break;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            e.kind = PointerKind::Leave;
            break;
        default:
            pointer = false;
            break;
    }
    if (pointer) {
        if (msg == WM_LBUTTONDOWN || (msg == WM_RBUTTONDOWN && !logic_.HasEntry())) {
            if (!logic_.EventsHeldByEntry()) SetCapture(hwnd);
        }
        PointerResult r = logic_.OnPointer(e, GetCapture() == hwnd);
        if (!r.handled) return DefWindowProcA(hwnd, msg, wp, lp);
        if (r.capture == CaptureChange::Take && GetCapture() != hwnd) SetCapture(hwnd);
        if (r.capture == CaptureChange::Release) ReleaseCapture();
        return 0;
    }
    switch (msg) {
        case WM_PAINT: {
            // Painted even while an entry has the focus: leaving the update
            // region to the default handling would validate it unpainted.
            RECT r{};
            if (GetUpdateRect(hwnd, &r, FALSE) && r.right > r.left && r.bottom > r.top) {
                RenderArea({int(r.left), int(r.top), int(r.right), int(r.bottom)});
                return 0;
            }
            return DefWindowProcA(hwnd, msg, wp, lp);
        }
        case WM_TIMER:
            if (logic_.EventsHeldByEntry()) return DefWindowProcA(hwnd, msg, wp, lp);
            if (wp == kTimerId) Tick();
            return 0;
        case WM_CLOSE:
            CloseEditorWindow();
            return 0;
        case WM_COMMAND:
            // The value list reports its choice to us, its parent.
            if (entryWindow_ && reinterpret_cast<HWND>(lp) == entryWindow_ &&
                HIWORD(wp) == CBN_SELCHANGE) {
                logic_.EntryCommitted();
                return 0;
            }
            return DefWindowProcA(hwnd, msg, wp, lp);
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

void IGraphicsHwnd::Tick() {
    IBox dirty;
    if (logic_.Tick(dirty)) {
        RECT r{dirty.left, dirty.top, dirty.right, dirty.bottom};
        InvalidateRect(static_cast<HWND>(window_), &r, FALSE);
        UpdateWindow(static_cast<HWND>(window_));
    }
}

std::intptr_t IGraphicsHwnd::EntryMessage(void* handle, unsigned msg, std::uintptr_t wp,
                                          std::intptr_t lp) {
    HWND hwnd = static_cast<HWND>(handle);
    WNDPROC previous = reinterpret_cast<WNDPROC>(entryProc_);
    switch (msg) {
        case WM_SETFOCUS:
            logic_.EntryFocusChanged(true);
            break;
        case WM_KILLFOCUS:
            logic_.EntryFocusChanged(false);
            break;
        case WM_KEYDOWN:
            if (wp == VK_RETURN) {
                logic_.EntryCommitted();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (HIWORD(wp) == 1) {
                logic_.EntryCommitted();
                return 0;
            }
            break;
        default:
            break;
    }
    return previous ? CallWindowProcA(previous, hwnd, msg, wp, lp)
                    : DefWindowProcA(hwnd, msg, wp, lp);
}

bool IGraphicsHwnd::PresentArea(const IBox& box) {
    HWND hwnd = static_cast<HWND>(window_);
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    HDC source = drawing_ ? static_cast<HDC>(drawing_->DeviceContext()) : nullptr;
    if (dc && source)
        BitBlt(dc, box.left, box.top, box.W(), box.H(), source, box.left, box.top, SRCCOPY);
    EndPaint(hwnd, &ps);
    return true;
}

bool IGraphicsHwnd::WriteText(const IFontSpec& font, const char* text, const IBox& box) {
    if (!text) return true;
    HDC dc = drawing_ ? static_cast<HDC>(drawing_->DeviceContext()) : nullptr;
    if (!dc) return false;
    bool justSelected = false;
    if (!fontSelected_) {
        HFONT f = CreateFontA(font.size, 0, font.angle * 10, font.angle * 10,
                              font.style == FontBold ? FW_BOLD : 0, font.style == FontItalic, FALSE,
                              FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face);
        if (!f) return false;
        font_ = f;
        SelectObject(dc, f);
        SetBkMode(dc, TRANSPARENT);
        fontSelected_ = true;
        justSelected = true;
    }
    if (justSelected || !(font.colour == textColour_)) {
        SetTextColor(dc, RGB(font.colour.r, font.colour.g, font.colour.b));
        textColour_ = font.colour;
    }
    UINT align = font.align == AlignCentre  ? DT_CENTER
                 : font.align == AlignRight ? DT_RIGHT
                                            : DT_LEFT;
    RECT r{box.left, box.top, box.right, box.bottom};
    return DrawTextA(dc, text, -1, &r, align | DT_NOCLIP) != 0;
}

void IGraphicsHwnd::ResizeEditor(int w, int h) {
    int oldW = width_, oldH = height_;
    IGraphicsDrel::ResizeEditor(w, h);
    HWND hwnd = static_cast<HWND>(window_);
    if (!hwnd) return;
    int dw = w - oldW, dh = h - oldH;
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    auto grow = [&](HWND target) {
        RECT r{};
        GetWindowRect(target, &r);
        SetWindowPos(target, nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    grow(hwnd);
    auto isPlainChild = [](HWND target) {
        LONG_PTR style = GetWindowLongPtrA(target, GWL_STYLE);
        LONG_PTR ex = GetWindowLongPtrA(target, GWL_EXSTYLE);
        return (style & WS_CHILD) && !(ex & WS_EX_MDICHILD);
    };
    if (isPlainChild(hwnd)) {
        HWND parent = GetParent(hwnd);
        if (parent) {
            grow(parent);
            if (isPlainChild(parent) && GetParent(parent)) grow(GetParent(parent));
        }
    }
    RECT old{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    InvalidateRect(hwnd, &old, FALSE);
}

void IGraphicsHwnd::PromptParamEntry(IWidget* widget, IParameter* param) {
    if (!window_ || !logic_.CanOpenEntry(widget, param)) return;
    EntryLayout layout;
    if (!EditorWindowLogic::LayoutEntry(widget, param, layout)) return;
    HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
    HWND parent = static_cast<HWND>(window_);
    HWND w;
    if (layout.isList) {
        w = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                            layout.box.left, layout.box.top, layout.box.W(), layout.box.H(), parent,
                            reinterpret_cast<HMENU>(INT_PTR(kEntryId)), instance, nullptr);
        if (!w) return;
        for (const std::string& item : layout.items)
            SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(w, CB_SETCURSEL, WPARAM(layout.selected), 0);
    } else {
        w = CreateWindowExA(0, "EDIT", layout.text.c_str(),
                            WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_CENTER, layout.box.left,
                            layout.box.top, layout.box.W(), layout.box.H(), parent,
                            reinterpret_cast<HMENU>(INT_PTR(kEntryId)), instance, nullptr);
        if (!w) return;
    }
    entryWindow_ = w;
    entryProc_ = reinterpret_cast<void*>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EntryWndProc)));
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HFONT f = CreateFontA(14, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
    SendMessageA(w, WM_SETFONT, WPARAM(f), FALSE);
    logic_.EntryOpened(entry_.get(), widget, param);
}

void IGraphicsHwnd::HostDirectory(std::string& out) {
    char path[256] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) {
        out.clear();
        return;
    }
    FolderOf(path, out);
}

void IGraphicsHwnd::ModuleDirectory(std::string& out) {
    char path[256] = {};
    DWORD n = GetModuleFileNameA(static_cast<HMODULE>(ModuleInstance()), path, sizeof path);
    if (n == 0 || n >= sizeof path) {
        out.clear();
        return;
    }
    FolderOf(path, out);
}

void IGraphicsHwnd::AskForFile(std::string& out, int action, const char* directory, const char*) {
    out.clear();
    if (!window_) return;
    std::string folder = directory && *directory ? directory : "";
    if (folder.empty()) HostDirectory(folder);
    char file[256] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(window_);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file - 1;
    ofn.lpstrInitialDir = folder.c_str();
    bool ok;
    if (action == 1) {
        ofn.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
        ok = GetSaveFileNameA(&ofn) != 0;
    } else {
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
        ok = GetOpenFileNameA(&ofn) != 0;
    }
    if (ok) out = file;
}

bool IGraphicsHwnd::AskForColour(IArgb& colour, const char* prompt) {
    if (!window_) return false;
    if (!customColours_) customColours_ = new unsigned long[16]();
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = static_cast<HWND>(window_);
    cc.rgbResult = RGB(colour.r, colour.g, colour.b);
    cc.lpCustColors = reinterpret_cast<COLORREF*>(customColours_);
    cc.Flags = CC_ANYCOLOR | CC_SOLIDCOLOR | CC_ENABLEHOOK | CC_FULLOPEN | CC_RGBINIT;
    cc.lpfnHook = ColourHook;
    cc.lCustData = reinterpret_cast<LPARAM>(prompt);
    if (!ChooseColorA(&cc)) return false;
    colour.r = GetRValue(cc.rgbResult);
    colour.g = GetGValue(cc.rgbResult);
    colour.b = GetBValue(cc.rgbResult);
    return true;
}

bool IGraphicsHwnd::OpenTarget(const char* target, const char* caption, const char* question,
                               const char* failureText) {
    if (!target || !*target) return false;
    HWND owner = static_cast<HWND>(window_);
    if (question && MessageBoxA(owner, question, caption, MB_YESNO) != IDYES) return false;
    DWORD state = 0;
    bool connected = !IsNetworkAddress(target) || InternetGetConnectedState(&state, 0);
    if (connected) {
        HINSTANCE r = ShellExecuteA(owner, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(r) > 32) return true;
    }
    if (failureText) MessageBoxA(owner, failureText, caption, MB_OK);
    return false;
}
