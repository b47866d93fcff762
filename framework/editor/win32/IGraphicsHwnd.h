// The Windows editor window: a child window of class "VexilWndClass" inside
// the host's frame, driven by a window timer (id 2) at the editor's frame
// rate, painting by copying the DIB-section drawing surface, with in-place
// EDIT and COMBOBOX value entry and the system prompts. Pointer mapping,
// entry states and the tick are the shared window logic.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/editor/EditorWindowLogic.h"
#include "framework/editor/IGraphicsDrel.h"

class IGraphicsHwnd : public IGraphicsDrel {
  public:
    IGraphicsHwnd(VexilBase* plug, int width, int height, int fps);
    ~IGraphicsHwnd() override;

    bool PresentArea(const IBox& box) override;
    bool WriteText(const IFontSpec& font, const char* text, const IBox& box) override;
    void ResizeEditor(int w, int h) override;
    void PromptParamEntry(IWidget* widget, IParameter* param) override;
    void HostDirectory(std::string& out) override;
    void ModuleDirectory(std::string& out) override;
    void AskForFile(std::string& out, int action, const char* directory,
                    const char* extensions) override;
    bool AskForColour(IArgb& colour, const char* prompt) override;
    bool OpenTarget(const char* target, const char* caption, const char* question,
                    const char* failureText) override;
    void* OpenEditorWindow(void* parent) override;
    void CloseEditorWindow() override;
    void* EditorWindow() override { return window_; }

    void* EntryWindow() const { return entryWindow_; }
    const EditorWindowLogic& Logic() const { return logic_; }

    // The window procedures' bodies (HWND, UINT, WPARAM, LPARAM as plain
    // integers so that this header stays free of the system's headers).
    std::intptr_t EditorMessage(void* hwnd, unsigned msg, std::uintptr_t wp, std::intptr_t lp);
    std::intptr_t EntryMessage(void* hwnd, unsigned msg, std::uintptr_t wp, std::intptr_t lp);

  private:
    class Entry;
    void Tick();
    void ClearEntryFields();
    void* ModuleInstance() const;

    EditorWindowLogic logic_;
    void* window_ = nullptr;  // HWND
    void* entryWindow_ = nullptr;
    void* entryProc_ = nullptr;  // previous WNDPROC of the entry window
    std::unique_ptr<Entry> entry_;
    unsigned long* customColours_ = nullptr;  // 16 COLORREFs
    void* parent_ = nullptr;
    bool tracking_ = false;  // leave tracking requested
    bool fontSelected_ = false;
    IArgb textColour_ = {255, 0, 0, 0};
    void* font_ = nullptr;  // HFONT
};
