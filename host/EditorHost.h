// A plug-in's editor in a real top-level window, as a DAW shows it: the
// window is sized from effEditGetRect, the editor opened into it with
// effEditOpen, pointer events are sent to the editor's own child window, and
// the window's pixels can be read back. Linux uses Xlib on $DISPLAY, Windows
// a Win32 window on the calling thread, whose messages Pump() dispatches.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vhost {

class PluginInstance;

// Pixels as 0x00RRGGBB, row by row from the top-left corner.
struct EditorPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t At(int x, int y) const { return rgb[std::size_t(y) * std::size_t(width) + x]; }
};

enum class PointerButton { Left, Right };

class EditorHost {
  public:
    // Opens the plug-in's editor in a new top-level window of the editor's
    // size and shows it. Throws HostError when the plug-in has no editor,
    // reports no size, the display or window cannot be made, or the editor
    // refuses to open.
    static std::unique_ptr<EditorHost> Open(PluginInstance& plugin);
    // Closes the editor (effEditClose) if still open, then the window.
    virtual ~EditorHost() = default;
    EditorHost(const EditorHost&) = delete;
    EditorHost& operator=(const EditorHost&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The parent window handed to effEditOpen (an X11 window id or an HWND).
    virtual void* ParentWindow() const = 0;
    // The editor's own window inside the parent (found by the window
    // system, not asked of the plug-in); null when there is none.
    virtual void* EditorWindow() const = 0;

    // Handles window-system events and calls effEditIdle for about the
    // given time, as a host's user-interface loop does.
    virtual void Pump(int milliseconds) = 0;
    // True once the user has asked the window manager to close the window
    // (WM_DELETE_WINDOW on X11, WM_CLOSE on Windows), as seen by Pump().
    // The window stays open: the host decides when the editor goes.
    bool CloseRequested() const { return closeRequested_; }
    // The parent window's pixels, the editor's drawing included. Throws
    // HostError when they cannot be read.
    virtual EditorPixels Capture() = 0;

    // Pointer events in editor coordinates, delivered to the editor window.
    virtual void PointerDown(int x, int y, PointerButton button = PointerButton::Left) = 0;
    // A move with the button held.
    virtual void PointerDrag(int x, int y, PointerButton button = PointerButton::Left) = 0;
    virtual void PointerUp(int x, int y, PointerButton button = PointerButton::Left) = 0;
    // Wheel notches, positive away from the user.
    virtual void Wheel(int x, int y, int notches) = 0;
    // Press, move by (dx, dy) in `steps` moves, release.
    void Drag(int x, int y, int dx, int dy, int steps = 4);

    // effEditClose, leaving the window open (the host's close order).
    void CloseEditor();

  protected:
    EditorHost(PluginInstance& plugin, int width, int height)
        : plugin_(plugin), width_(width), height_(height) {}

    PluginInstance& plugin_;
    int width_;
    int height_;
    bool closeRequested_ = false;
};

// The editor's size as effEditGetRect reports it; throws HostError when the
// plug-in has no editor or reports an empty or absurd rectangle.
void EditorSize(PluginInstance& plugin, int& width, int& height);

// An 8-bit RGB PNG of the pixels; throws HostError when the file cannot be
// written.
void WritePng(const std::string& path, const EditorPixels& pixels);
// Reads a PNG of any colour type into opaque pixels (alpha dropped); throws
// HostError for a missing or broken file.
EditorPixels ReadPng(const std::string& path);

}  // namespace vhost
