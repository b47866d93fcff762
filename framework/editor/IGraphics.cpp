#include "framework/editor/IGraphics.h"

#include <algorithm>
#include <cmath>

#include "framework/core/IParameter.h"
#include "framework/core/VexilBase.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IWidget.h"

IBox IBox::Intersection(const IBox& o) const {
    if (!Intersects(o)) return {};
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
}

IBox IBox::Union(const IBox& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
}

IGraphics::IGraphics(VexilBase* plug, int width, int height, int fps)
    : plug_(plug), width_(width), height_(height), fps_(fps > 0 ? fps : 24) {}

IGraphics::~IGraphics() {
    DeleteWidgets();
}

void IGraphics::DeleteWidgets() {
    while (!widgets_.empty()) {
        delete widgets_.back();
        widgets_.pop_back();
    }
}

void IGraphics::ResizeEditor(int w, int h) {
    width_ = w;
    height_ = h;
    capture_ = -1;
    lastX_ = lastY_ = -1;
    DeleteWidgets();
    if (plug_) plug_->EditorResized(w, h);
}

bool IGraphics::IsWindowOpen() {
    return EditorWindow() != nullptr;
}

int IGraphics::SpareHook(int, int) {
    return 0;
}

void IGraphics::SetBackground(int resourceId, const char* name) {
    IImageStrip strip = LoadStrip(resourceId, name, 1);
    widgets_.insert(widgets_.begin(), new IFrameWidget(plug_, 0, 0, strip, BlendReplace));
}

int IGraphics::AddWidget(IWidget* widget) {
    widgets_.push_back(widget);
    return int(widgets_.size()) - 1;
}

IWidget* IGraphics::WidgetByIndex(int index) const {
    if (index < 0 || index >= int(widgets_.size())) return nullptr;
    return widgets_[std::size_t(index)];
}

void IGraphics::ApplyParamFromPlug(int paramIdx, double value, bool normalized) {
    if (!normalized) {
        IParameter* param = plug_ ? plug_->Param(paramIdx) : nullptr;
        if (!param) return;  // no such parameter, so no widget can be bound to it
        value = param->ToNormalized(value);
    }
    for (IWidget* w : widgets_)
        if (w->ParamIdx() == paramIdx) w->ApplyHostValue(value);
}

void IGraphics::ApplyWidgetFromPlug(int widgetIdx, double normalized) {
    if (IWidget* w = WidgetByIndex(widgetIdx)) w->ApplyHostValue(normalized);
}

void IGraphics::SetParamLimits(int paramIdx, double low, double high, bool normalized) {
    if (!normalized) {
        IParameter* param = plug_ ? plug_->Param(paramIdx) : nullptr;
        if (!param) return;
        low = param->ToNormalized(low);
        high = param->ToNormalized(high);
    }
    for (IWidget* w : widgets_)
        if (w->ParamIdx() == paramIdx) w->SetClamp(low, high);
}

void IGraphics::MarkAllChanged() {
    for (IWidget* w : widgets_) w->MarkChanged(false);
}

bool IGraphics::CollectDirtyArea(IBox& box) {
    bool found = false;
    for (IWidget* w : widgets_) {
        if (w->NeedsRedraw()) {
            box = box.Union(w->Box());
            found = true;
        }
    }
    return found;
}

bool IGraphics::RenderArea(const IBox& box) {
    if (widgets_.empty()) return false;
    paintBox_ = box;
    for (IWidget* w : widgets_) {
        if (!w->IsHidden() && box.Intersects(w->Box())) w->Render(*this);
        w->MarkDrawn();
    }
    PresentArea(box);
    return true;
}

int IGraphics::WidgetAt(int x, int y) const {
    if (capture_ >= 0) return capture_;
    for (int i = int(widgets_.size()) - 1; i >= 0; --i) {
        IWidget* w = widgets_[std::size_t(i)];
        if (w->IsHidden() || w->IsDisabled()) continue;
        if (w->Contains(x, y)) return i;
    }
    return -1;
}

void IGraphics::DrawStripFrame(const IImageStrip& strip, const IBox& box, int frame,
                               const IBlendSpec* blend) {
    int srcY = 0;
    if (strip.frames > 1 && frame > 1)
        srcY = int(double(strip.height) * (frame - 1) / strip.frames + 0.5);
    BlitStrip(strip, box, 0, srcY, blend);
}

void IGraphics::StrokeRadial(const IArgb& colour, float cx, float cy, float angle, float inner,
                             float outer, const IBlendSpec* blend, bool antialias) {
    // Angle 0 points straight up; positive angles turn clockwise.
    const double s = std::sin(angle), c = std::cos(angle);
    StrokeLine(colour, float(cx + s * inner), float(cy - c * inner), float(cx + s * outer),
               float(cy - c * outer), blend, antialias);
}

void IGraphics::HandlePointerDown(int x, int y, const IMouseKeys& keys) {
    capture_ = -1;
    lastX_ = lastY_ = -1;
    const int i = WidgetAt(x, y);
    if (i < 0) return;
    capture_ = i;
    lastX_ = x;
    lastY_ = y;
    IWidget* w = widgets_[std::size_t(i)];
    w->PointerDown(x, y, keys);
    if (plug_ && w->ParamIdx() >= 0) plug_->HostEditBegin(w->ParamIdx());
}

void IGraphics::HandlePointerUp(int x, int y) {
    const int i = WidgetAt(x, y);
    capture_ = -1;
    lastX_ = lastY_ = -1;
    if (i < 0) return;
    IWidget* w = widgets_[std::size_t(i)];
    w->PointerUp(x, y);
    if (plug_ && w->ParamIdx() >= 0) plug_->HostEditEnd(w->ParamIdx());
}

void IGraphics::HandlePointerDrag(int x, int y, const IMouseKeys& keys) {
    IWidget* w = WidgetByIndex(capture_);
    if (!w || (x == lastX_ && y == lastY_)) return;
    const int dx = x - lastX_, dy = y - lastY_;
    lastX_ = x;
    lastY_ = y;
    w->PointerDrag(x, y, dx, dy, keys);
}

bool IGraphics::HandleDoubleClick(int x, int y, const IMouseKeys& keys) {
    capture_ = -1;
    lastX_ = lastY_ = -1;
    const int i = WidgetAt(x, y);
    if (i >= 0) widgets_[std::size_t(i)]->PointerDoubleClick(x, y, keys);
    return false;
}

void IGraphics::HandleWheel(int x, int y, const IMouseKeys& keys, int notches) {
    const int i = WidgetAt(x, y);
    if (i >= 0) widgets_[std::size_t(i)]->WheelTurn(x, y, keys, notches);
}

bool IGraphics::HandlePointerHover(int, int, const IMouseKeys&) {
    return false;
}

void IGraphics::HandlePointerLeave() {
    for (IWidget* w : widgets_) w->PointerLeave();
    hover_ = -1;
}
