#include "host/EditorHost.h"

#include <string>

#include "host/HostError.h"
#include "host/PluginInstance.h"

namespace vhost {

namespace {
// Larger than any screen; a bigger rectangle is a broken plug-in.
constexpr int kMaxEditorSide = 16384;
}  // namespace

void EditorSize(PluginInstance& plugin, int& width, int& height) {
    if (!plugin.HasEditor()) throw HostError(plugin.Path() + ": the plug-in has no editor");
    auto rect = plugin.EditorRect();
    if (!rect) throw HostError(plugin.Path() + ": the plug-in reports no editor size");
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0 || width > kMaxEditorSide || height > kMaxEditorSide)
        throw HostError(plugin.Path() + ": the plug-in reports an editor of " +
                        std::to_string(width) + " x " + std::to_string(height) + " pixels");
}

void EditorHost::Drag(int x, int y, int dx, int dy, int steps) {
    if (steps < 1) steps = 1;
    PointerDown(x, y);
    for (int i = 1; i <= steps; ++i) PointerDrag(x + dx * i / steps, y + dy * i / steps);
    PointerUp(x + dx, y + dy);
}

void EditorHost::CloseEditor() {
    plugin_.CloseEditor();
}

}  // namespace vhost
