// The few editor calls the plug-in makes, kept in one place so that the
// core depends on the editor's interface only here.
#pragma once

class IGraphics;

namespace editor_link {

void ApplyParamFromPlug(IGraphics* graphics, int paramIdx, double value, bool normalized);
void PrepareSurfaces(IGraphics* graphics);
int Width(IGraphics* graphics);
int Height(IGraphics* graphics);
void* OpenEditorWindow(IGraphics* graphics, void* parent);
void CloseEditorWindow(IGraphics* graphics);
bool IsWindowOpen(IGraphics* graphics);
void Delete(IGraphics* graphics);

}  // namespace editor_link
