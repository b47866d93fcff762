#include "framework/editor/EditorWindowLogic.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cstdlib>

#include "framework/core/IParameter.h"
#include "framework/editor/IGraphics.h"
#include "framework/editor/IWidget.h"

namespace {

// Decimal order of magnitude of a plain number text (digits, optional point,
// optional exponent), enough to tell overflow from underflow.
long DecimalMagnitude(const char* p, const char* end) {
    long intDigits = 0;
    long fracZeros = 0;
    bool nonZero = false;
    while (p < end && std::isdigit(static_cast<unsigned char>(*p))) {
        if (*p != '0' || nonZero) {
            nonZero = true;
            ++intDigits;
        }
        ++p;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && *p == '0' && !nonZero) ++fracZeros, ++p;
        while (p < end && std::isdigit(static_cast<unsigned char>(*p))) ++p;
    }
    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool neg = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-')) ++p;
        while (p < end && std::isdigit(static_cast<unsigned char>(*p))) {
            if (exponent < 100000000) exponent = exponent * 10 + (*p - '0');
            ++p;
        }
        if (neg) exponent = -exponent;
    }
    return (intDigits > 0 ? intDigits : -fracZeros) + exponent;
}

}  // namespace

bool DoubleClickRule::Press(std::uint32_t timeMs, int x, int y) {
    bool isDouble = armed_ && std::uint32_t(timeMs - time_) <= kTimeMs &&
                    std::abs(x - x_) <= kHalfSquare && std::abs(y - y_) <= kHalfSquare;
    armed_ = !isDouble;
    time_ = timeMs;
    x_ = x;
    y_ = y;
    return isDouble;
}

int EditorWindowLogic::TimerPeriodMs(int fps) {
    if (fps <= 0) fps = 24;
    int period = int(1000.0 / fps);
    return period > 0 ? period : 1;
}

int EditorWindowLogic::WheelNotches(int delta) {
    return int(std::int16_t(delta)) / 120;
}

double EditorWindowLogic::ParseEnteredNumber(const char* text) {
    if (!text) return 0.0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Only plain decimal notation: no hexadecimal, no infinity or NaN words.
    const char* start = p;
    const char* q = p;
    bool digits = false;
    while (std::isdigit(static_cast<unsigned char>(*q))) ++q, digits = true;
    if (*q == '.') {
        ++q;
        while (std::isdigit(static_cast<unsigned char>(*q))) ++q, digits = true;
    }
    if (!digits) return 0.0;
    if (*q == 'e' || *q == 'E') {
        const char* e = q + 1;
        if (*e == '+' || *e == '-') ++e;
        if (std::isdigit(static_cast<unsigned char>(*e))) {
            while (std::isdigit(static_cast<unsigned char>(*e))) ++e;
            q = e;
        }
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(start, q, value, std::chars_format::general);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Beyond the double range: the largest finite number when the text
        // is huge (the parameter's clamp takes it from there), 0 when tiny.
        value = DecimalMagnitude(start, q) > 0 ? DBL_MAX : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

bool EditorWindowLogic::LayoutEntry(IWidget* widget, IParameter* param, EntryLayout& out) {
    if (!widget || !param) return false;
    const IBox& wb = widget->Box();
    int cx = int((wb.left + wb.right) * 0.5);
    int cy = int((wb.top + wb.bottom) * 0.5);
    char current[256] = {};
    param->FormatCurrent(current);
    out = EntryLayout{};
    out.text = current;
    int n = param->ValueTextCount();
    if (n > 0) {
        out.isList = true;
        size_t longest = 0;
        for (int k = 0; k < n; ++k) {
            const char* t = param->ValueTextFor(k);
            out.items.emplace_back(t ? t : "");
            if (out.items.back().size() > longest) longest = out.items.back().size();
            if (out.items.back() == out.text) out.selected = k;
        }
        int w = int(8 * longest + 24);
        if (w < 24) w = 24;
        int h = 36 * (n + 1);
        int x = cx - w / 2;
        out.box = {x, cy, x + w, cy + h};
    } else {
        out.box = {cx - 18, cy - 8, cx + 18, cy + 8};
    }
    return true;
}

PointerResult EditorWindowLogic::OnPointer(const PointerEvent& e, bool windowHasCapture) {
    if (EventsHeldByEntry()) {
        if (e.kind == PointerKind::RightDown) {
            state_ = EntryCancel;
            return {true, CaptureChange::Keep};
        }
        return {false, CaptureChange::Keep};
    }
    switch (e.kind) {
        case PointerKind::Move:
            if (e.keys.left || e.keys.right) {
                if (windowHasCapture) graphics_.HandlePointerDrag(e.x, e.y, e.keys);
            } else {
                graphics_.HandlePointerHover(e.x, e.y, e.keys);
            }
            return {true, CaptureChange::Keep};
        case PointerKind::RightDown:
            if (control_) {
                // A right press while an entry is open only closes the entry.
                state_ = EntryCancel;
                return {true, CaptureChange::Keep};
            }
            [[fallthrough]];
        case PointerKind::LeftDown:
            graphics_.HandlePointerDown(e.x, e.y, e.keys);
            return {true, CaptureChange::Take};
        case PointerKind::LeftUp:
        case PointerKind::RightUp:
            graphics_.HandlePointerUp(e.x, e.y);
            return {true, CaptureChange::Release};
        case PointerKind::LeftDoubleClick: {
            bool capture = graphics_.HandleDoubleClick(e.x, e.y, e.keys);
            return {true, capture ? CaptureChange::Take : CaptureChange::Keep};
        }
        case PointerKind::Wheel:
            graphics_.HandleWheel(e.x, e.y, e.keys, WheelNotches(e.wheelDelta));
            return {true, CaptureChange::Keep};
        case PointerKind::Leave:
            graphics_.HandlePointerLeave();
            return {true, CaptureChange::Keep};
    }
    return {false, CaptureChange::Keep};
}

bool EditorWindowLogic::Tick(IBox& dirty) {
    dirty = IBox{};
    if (control_ && state_ != EntryIdle) {
        switch (state_) {
            case EntryRefresh: {
                char current[256] = {};
                param_->FormatCurrent(current);
                control_->SetEntryText(current);
                state_ = EntryIdle;
                break;
            }
            case EntryCancel:
                CloseEntry();
                break;
            case EntryApply:
                ApplyEntry();
                CloseEntry();
                break;
            default:
                state_ = EntryIdle;
                break;
        }
        return false;
    }
    bool any = graphics_.CollectDirtyArea(dirty);
    if (control_) state_ = EntryRefresh;
    return any;
}

void EditorWindowLogic::ApplyEntry() {
    std::string text = control_->EntryText(31);
    if (text.size() > 31) text.resize(31);
    double value = 0.0;
    if (param_->ValueTextCount() > 0) {
        if (!param_->FindValueByText(text.c_str(), value)) value = 0.0;
    } else {
        value = ParseEnteredNumber(text.c_str());
    }
    widget_->ApplyEnteredValue(param_->ToNormalized(value));
}

void EditorWindowLogic::CloseEntry() {
    EntryControl* control = control_;
    AbandonEntry();
    if (control) control->DestroyEntry();
}

void EditorWindowLogic::EntryOpened(EntryControl* control, IWidget* widget, IParameter* param) {
    control_ = control;
    widget_ = widget;
    param_ = param;
    state_ = EntryIdle;
}

void EditorWindowLogic::EntryFocusChanged(bool gained) {
    if (!control_) return;
    // Where focus changes arrive after the clicks that caused them (X11
    // delivers them asynchronously), a pick or a cancel made in between
    // must stay; otherwise the entry would hold the events for good.
    if (state_ == EntryApply || state_ == EntryCancel) return;
    state_ = gained ? EntryFocused : EntryIdle;
}

void EditorWindowLogic::EntryCommitted() {
    if (control_) state_ = EntryApply;
}

void EditorWindowLogic::AbandonEntry() {
    control_ = nullptr;
    widget_ = nullptr;
    param_ = nullptr;
    state_ = EntryIdle;
}
