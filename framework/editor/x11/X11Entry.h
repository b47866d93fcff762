// The in-place value entry of the X11 editor window, drawn by us: an edit
// box or a value list in a child window of the editor. It reports focus
// changes and commits to the shared window logic, which decides when the
// value is applied or the entry closed.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "framework/editor/EditorWindowLogic.h"

class X11Entry : public EntryControl {
  public:
    // Creates and maps the entry window; Valid() is false when that failed.
    X11Entry(Display* display, Window editor, const EntryLayout& layout, EditorWindowLogic& logic,
             int editorWidth, int editorHeight);
    ~X11Entry() override;
    X11Entry(const X11Entry&) = delete;
    X11Entry& operator=(const X11Entry&) = delete;

    bool Valid() const { return window_ != 0; }
    Window Handle() const { return window_; }
    // Handles an event addressed to the entry window; false for others.
    bool HandleEvent(XEvent& event);

    void SetEntryText(const std::string& text) override;
    std::string EntryText(int maxChars) override;
    void DestroyEntry() override;

    bool IsList() const { return isList_; }
    bool Dropped() const { return dropped_; }
    int Selected() const { return selected_; }

    static constexpr int kFieldHeight = 20;
    static constexpr int kItemHeight = 16;

  private:
    void Draw();
    void OnKey(XKeyEvent& key);
    void OnPress(XButtonEvent& button);
    void SetDropped(bool dropped);
    void Select(int index);

    Display* display_;
    EditorWindowLogic& logic_;
    Window window_ = 0;
    GC gc_ = nullptr;
    XFontStruct* font_ = nullptr;
    bool isList_;
    IBox box_;        // closed geometry in editor pixels
    int openHeight_;  // list height when dropped
    std::string text_;
    size_t cursor_ = 0;
    std::vector<std::string> items_;
    int selected_;
    bool dropped_ = false;
    bool focused_ = false;
};
