#include "framework/editor/IGraphicsOffscreen.h"

#include <cstring>

#include "framework/platform/Module.h"

bool IGraphicsOffscreen::PresentArea(const IBox& box) {
    ++presentCount;
    lastPresented = box;
    return true;
}

void IGraphicsOffscreen::PromptParamEntry(IWidget* widget, IParameter* param) {
    ++promptCount;
    lastPromptWidget = widget;
    lastPromptParam = param;
}

void IGraphicsOffscreen::HostDirectory(std::string& out) {
    out.clear();
}

void IGraphicsOffscreen::ModuleDirectory(std::string& out) {
    out = vexil::ModulePath();
    const std::size_t cut = out.find_last_of("/\\");
    out = cut == std::string::npos ? std::string() : out.substr(0, cut + 1);
}

void IGraphicsOffscreen::AskForFile(std::string& out, int, const char*, const char*) {
    out.clear();
}

bool IGraphicsOffscreen::AskForColour(IArgb&, const char*) {
    return false;
}

bool IGraphicsOffscreen::OpenTarget(const char*, const char*, const char*, const char*) {
    return false;
}

void* IGraphicsOffscreen::OpenEditorWindow(void*) {
    return nullptr;
}
void IGraphicsOffscreen::CloseEditorWindow() {}
void* IGraphicsOffscreen::EditorWindow() {
    return nullptr;
}

void IGraphicsOffscreen::RenderAll() {
    MarkAllChanged();
    RenderArea({0, 0, width_, height_});
}
