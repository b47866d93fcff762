// The Linux editor window on Xlib: a child of the host's window with its own
// display connection and event thread. A timer at the editor's frame rate
// drives the same redraw cycle as the Windows window, the drawing surface is
// presented with XPutImage, and pointer events and the in-place entry go
// through the shared window logic.
//
// Threads: the host opens and closes the window from its own thread, often
// with the plug-in lock held; the event thread runs everything else. The
// event thread never waits on the plug-in lock: it tries it and gives up
// when the window is being closed, so a close under the lock cannot
// deadlock with a knob move in flight.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "framework/editor/EditorWindowLogic.h"
#include "framework/editor/IGraphicsDrel.h"

class X11Entry;
// Xlib's types, declared here so that its macros stay out of product code.
struct _XDisplay;
union _XEvent;

class IGraphicsX11 : public IGraphicsDrel {
  public:
    IGraphicsX11(VexilBase* plug, int width, int height, int fps);
    ~IGraphicsX11() override;

    bool PresentArea(const IBox& box) override;
    void ResizeEditor(int w, int h) override;
    void PromptParamEntry(IWidget* widget, IParameter* param) override;
    void HostDirectory(std::string& out) override;
    void ModuleDirectory(std::string& out) override;
    void AskForFile(std::string& out, int action, const char* directory,
                    const char* extensions) override;
    bool AskForColour(IArgb& colour, const char* prompt) override;
    bool OpenTarget(const char* target, const char* caption, const char* question,
                    const char* failureText) override;
    // parent: the host's X11 Window id cast to a pointer. Returns our
    // window id the same way, or null on failure.
    void* OpenEditorWindow(void* parent) override;
    void CloseEditorWindow() override;
    void* EditorWindow() override;

    // For tests: the entry the window shows, or null.
    X11Entry* Entry() const { return entry_.get(); }
    const EditorWindowLogic& Logic() const { return logic_; }
    // Timer ticks run so far in the current window (any thread may read).
    int TickCount() const { return ticks_.load(std::memory_order_relaxed); }

  private:
    void Run();
    void HandleEvent(_XEvent& event);
    void Pointer(const PointerEvent& e);
    void Tick();
    void DropClosedEntry();
    bool LockPlug();
    void UnlockPlug();
    void Wake();

    EditorWindowLogic logic_;
    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;  // Window
    unsigned long parent_ = 0;  // Window
    void* gc_ = nullptr;        // GC
    void* visual_ = nullptr;    // Visual*
    int depth_ = 0;
    bool directImage_ = false;  // the surface's pixel layout is the window's
    IBox geometry_;             // position relative to the parent and size
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> windowGone_{false};
    std::atomic<int> ticks_{0};
    int wake_[2] = {-1, -1};
    bool capture_ = false;
    DoubleClickRule doubleClick_;
    IBox exposed_;
    std::unique_ptr<X11Entry> entry_;
};
