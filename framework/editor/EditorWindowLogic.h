// What both editor windows (Windows and X11) do once the system has told
// them about an event: the mapping from pointer events to the graphics
// object's entry points, the timer tick of the redraw cycle and the states
// of the in-place value entry. The windows only translate system events
// into these calls and carry out the results, so the behaviour is one code
// and can be driven without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/editor/IGraphicsTypes.h"

class IGraphics;
class IWidget;
class IParameter;

// A pointer event stripped of the system that delivered it. Coordinates are
// editor pixels; keys hold the state including the button of this event.
enum class PointerKind {
    Move,
    LeftDown,
    RightDown,
    LeftUp,
    RightUp,
    LeftDoubleClick,
    Wheel,
    Leave
};

struct PointerEvent {
    PointerKind kind = PointerKind::Move;
    int x = 0;
    int y = 0;
    IMouseKeys keys;
    int wheelDelta = 0;  // 120 per notch, positive away from the user
};

// What the window does with the pointer capture after an event.
enum class CaptureChange { Keep, Take, Release };

struct PointerResult {
    bool handled = false;  // false: the system's default processing
    CaptureChange capture = CaptureChange::Keep;
};

// Entry states: 0 idle, 1 the entry has the keyboard focus, 2 refresh its
// text on the next tick, 3 close it on the next tick, 4 apply and close.
enum EntryState {
    EntryIdle = 0,
    EntryFocused = 1,
    EntryRefresh = 2,
    EntryCancel = 3,
    EntryApply = 4
};

// The native entry (edit box or value list) as the shared logic drives it.
class EntryControl {
  public:
    virtual ~EntryControl() = default;
    virtual void SetEntryText(const std::string& text) = 0;
    virtual std::string EntryText(int maxChars) = 0;
    // Removes the native entry; the logic forgets the control afterwards.
    virtual void DestroyEntry() = 0;
};

// Where and what the entry shows, worked out before the window creates it.
struct EntryLayout {
    bool isList = false;  // value list (parameter with value texts) or edit box
    IBox box;
    std::string text;  // the parameter's current display text
    std::vector<std::string> items;
    int selected = -1;  // last item equal to text, -1 when none
};

// Windows' rule for telling a second press from a double click: within the
// double-click time and a 4 x 4 pixel square centred on the first press.
class DoubleClickRule {
  public:
    static constexpr std::uint32_t kTimeMs = 500;
    static constexpr int kHalfSquare = 2;

    // A left press at `timeMs` (wrapping millisecond clock); true when it
    // completes a double click. The press after a double click starts anew.
    bool Press(std::uint32_t timeMs, int x, int y);
    void Reset() { armed_ = false; }

  private:
    bool armed_ = false;
    std::uint32_t time_ = 0;
    int x_ = 0;
    int y_ = 0;
};

class EditorWindowLogic {
  public:
    explicit EditorWindowLogic(IGraphics& graphics) : graphics_(graphics) {}

    // Timer period for a frame rate (the graphics object already turned 0
    // into its default).
    static int TimerPeriodMs(int fps);
    // Wheel delta to notches, truncated toward zero.
    static int WheelNotches(int delta);
    // The typed text as a decimal number: optional leading white space,
    // optional sign, digits with an optional point and exponent; reading
    // stops at the first other character; 0 when no number starts the text.
    // Independent of the process locale (hosts set their own).
    static double ParseEnteredNumber(const char* text);
    // The entry for a widget and its parameter; false when either is null.
    static bool LayoutEntry(IWidget* widget, IParameter* param, EntryLayout& out);

    // True while the entry has the focus: the window then leaves every
    // event but a right press to the system, timer ticks included.
    bool EventsHeldByEntry() const { return control_ && state_ == EntryFocused; }

    PointerResult OnPointer(const PointerEvent& e, bool windowHasCapture);

    // One timer tick. With an entry in state 2, 3 or 4 the tick serves the
    // entry and draws nothing (returns false). Otherwise the dirty area of
    // the widgets goes into `dirty` and the result is true when there is
    // something to paint; the window paints it at once.
    bool Tick(IBox& dirty);

    // Entry bookkeeping. A second entry while one exists is refused.
    bool CanOpenEntry(IWidget* widget, IParameter* param) const {
        return widget && param && !control_;
    }
    void EntryOpened(EntryControl* control, IWidget* widget, IParameter* param);
    void EntryFocusChanged(bool gained);
    void EntryCommitted();  // Enter, or a choice in the value list
    // Forgets the entry without touching the control (its window went or is
    // going with the editor window).
    void AbandonEntry();

    bool HasEntry() const { return control_ != nullptr; }
    int EntryStateValue() const { return state_; }
    IWidget* EntryWidget() const { return widget_; }
    IParameter* EntryParameter() const { return param_; }

  private:
    void CloseEntry();
    void ApplyEntry();

    IGraphics& graphics_;
    EntryControl* control_ = nullptr;
    IWidget* widget_ = nullptr;
    IParameter* param_ = nullptr;
    int state_ = EntryIdle;
};
