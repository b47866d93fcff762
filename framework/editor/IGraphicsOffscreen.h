// An editor without a window: draws into its memory surface only. Used to
// render pictures of an editor (snapshots) and by tests; window services
// report failure.
#pragma once

#include "framework/editor/IGraphicsDrel.h"

class IGraphicsOffscreen : public IGraphicsDrel {
  public:
    using IGraphicsDrel::IGraphicsDrel;

    bool PresentArea(const IBox& box) override;
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
    void* EditorWindow() override;

    // Draws every widget once, as the first tick after opening would.
    void RenderAll();

    // What the tests look at.
    int presentCount = 0;
    IBox lastPresented;
    int promptCount = 0;
    IWidget* lastPromptWidget = nullptr;
    IParameter* lastPromptParam = nullptr;
};
