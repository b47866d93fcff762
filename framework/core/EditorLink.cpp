#include "framework/core/EditorLink.h"

#include "framework/editor/IGraphics.h"

namespace editor_link {

void ApplyParamFromPlug(IGraphics* graphics, int paramIdx, double value, bool normalized) {
#if defined(VEXIL_HAVE_EDITOR)
    graphics->ApplyParamFromPlug(paramIdx, value, normalized);
#else
    // The editor library is not part of this build yet; nothing to tell.
    (void)graphics, (void)paramIdx, (void)value, (void)normalized;
#endif
}

void PrepareSurfaces(IGraphics* graphics) {
    graphics->PrepareSurfaces();
}
int Width(IGraphics* graphics) {
    return graphics->Width();
}
int Height(IGraphics* graphics) {
    return graphics->Height();
}
void* OpenEditorWindow(IGraphics* graphics, void* parent) {
    return graphics->OpenEditorWindow(parent);
}
void CloseEditorWindow(IGraphics* graphics) {
    graphics->CloseEditorWindow();
}
bool IsWindowOpen(IGraphics* graphics) {
    return graphics->IsWindowOpen();
}
void Delete(IGraphics* graphics) {
    delete graphics;
}

}  // namespace editor_link
