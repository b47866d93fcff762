#include "framework/editor/ILinkWidget.h"

#include <cstring>

#include "framework/editor/IGraphics.h"

namespace {
template <std::size_t N>
void CopyText(char (&field)[N], const char* text) {
    if (!text || !*text) return;
    std::strncpy(field, text, N - 1);
    field[N - 1] = '\0';
}
}  // namespace

ILinkWidget::ILinkWidget(VexilBase* plug, const IBox& box, const char* target, const char* fallback,
                         const char* caption)
    : IWidget(plug, box, -1, BlendNormal, 1.0f) {
    CopyText(target_, target);
    CopyText(fallback_, fallback);
    CopyText(caption_, caption);
}

void ILinkWidget::PointerDown(int, int, const IMouseKeys&) {
    // Any button opens the target; the fallback when the target fails.
    IGraphics* g = Graphics();
    if (!g) return;
    if (target_[0] && g->OpenTarget(target_, caption_, nullptr, nullptr)) return;
    if (fallback_[0]) g->OpenTarget(fallback_, caption_, nullptr, nullptr);
}

bool ILinkWidget::Render(IGraphics&) {
    return true;
}
