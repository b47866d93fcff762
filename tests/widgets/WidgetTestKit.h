// A plug-in that records what the editor tells it, and an offscreen editor
// that records what widgets draw, for the product widget tests.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/GrowBuffer.h"
#include "framework/core/IParameter.h"
#include "framework/core/MidiMessage.h"
#include "framework/core/VexilBase.h"
#include "framework/editor/Drel.h"
#include "framework/editor/IGraphicsOffscreen.h"
#include "framework/editor/IWidget.h"

namespace widgets_test {

struct PlugCall {
    std::string what;  // "begin", "automate", "end"
    int param;
    double value;
    bool operator==(const PlugCall&) const = default;
};

inline void PrintTo(const PlugCall& c, std::ostream* os) {
    *os << c.what << " " << c.param << " " << c.value;
}

// Parameters 0..n-1 are continuous 0..1, so a normalized value is the value
// itself; parameters 4 and 5 are toggles, like the multi-effect's LFO sync.
class TestPlug : public VexilBase {
  public:
    explicit TestPlug(int version = 0x10002)
        : VexilBase(8, "2-2", 1, "Test", "", "Tests", version, 0x54657374, 0x54657374, 0, false,
                    false, false) {
        for (int i = 0; i < 8; ++i) {
            if (i == 4 || i == 5)
                Param(i)->SetupToggle("sync", false);
            else
                Param(i)->SetupContinuous("p", 0.0, 0.0, 1.0, 0.0001);
        }
    }

    void HostEditBegin(int i) override { calls.push_back({"begin", i, 0.0}); }
    void HostAutomate(int i, double v) override { calls.push_back({"automate", i, v}); }
    void HostEditEnd(int i) override { calls.push_back({"end", i, 0.0}); }
    std::int64_t HostSamplePosition() override { return 0; }
    double HostTempo() override { return 120.0; }
    void HostTimeSignature(int& n, int& d) override { n = d = 4; }
    void EditorResized(int, int) override {}
    bool SendMidiMessage(const MidiMessage&) override { return false; }
    bool SendMidiMessages(const GrowBuffer&) override { return false; }

    // Values the plug-in was sent through automation, in order.
    std::vector<double> Automated() const {
        std::vector<double> v;
        for (const PlugCall& c : calls)
            if (c.what == "automate") v.push_back(c.value);
        return v;
    }

    std::vector<PlugCall> calls;
};

struct BlitCall {
    const DrelSurface* surface;
    IBox box;
    int srcY;
    IBlendSpec blend;
};

struct LineCall {
    IArgb colour;
    float x1, y1, x2, y2;
    IBlendSpec blend;
    bool antialias;
};

class RecordingGraphics : public IGraphicsOffscreen {
  public:
    using IGraphicsOffscreen::IGraphicsOffscreen;

    bool BlitStrip(const IImageStrip& strip, const IBox& box, int srcX, int srcY,
                   const IBlendSpec* blend) override {
        blits.push_back({strip.surface, box, srcY, blend ? *blend : IBlendSpec{-1, -1.0f}});
        return strip.surface ? IGraphicsOffscreen::BlitStrip(strip, box, srcX, srcY, blend) : true;
    }
    bool StrokeLine(const IArgb& colour, float x1, float y1, float x2, float y2,
                    const IBlendSpec* blend, bool antialias) override {
        lines.push_back(
            {colour, x1, y1, x2, y2, blend ? *blend : IBlendSpec{-1, -1.0f}, antialias});
        return IGraphicsOffscreen::StrokeLine(colour, x1, y1, x2, y2, blend, antialias);
    }

    // Draws one widget as a redraw pass over its box would.
    void Draw(int widgetIdx) {
        blits.clear();
        lines.clear();
        RenderArea(WidgetByIndex(widgetIdx)->Box());
    }
    // The 1-based frame of `strip` the last blit showed.
    static int FrameOf(const BlitCall& b, const IImageStrip& strip) {
        const int frameHeight = strip.height / strip.frames;
        return b.srcY / frameHeight + 1;
    }

    std::vector<BlitCall> blits;
    std::vector<LineCall> lines;
};

// A plug-in with an attached offscreen editor and images made in memory.
class WidgetFixture {
  public:
    WidgetFixture(int version = 0x10002) : plug(std::make_unique<TestPlug>(version)) {
        graphics = new RecordingGraphics(plug.get(), 400, 300, 18);
        plug->AttachEditor(graphics);  // the plug-in owns it from now on
    }

    // A strip of `frames` frames, w wide and frameHeight tall each, filled
    // with one opaque colour.
    IImageStrip Strip(int w, int frameHeight, int frames, std::uint32_t pixel = 0xFF808080u) {
        auto surface = std::make_unique<DrelMemorySurface>(w, frameHeight * frames);
        for (int y = 0; y < frameHeight * frames; ++y)
            for (int x = 0; x < w; ++x) surface->Bits()[y * surface->RowSpan() + x] = pixel;
        IImageStrip s{surface.get(), w, frameHeight * frames, frames};
        surfaces.push_back(std::move(surface));
        return s;
    }

    template <class W>
    W* Add(W* w, int* index = nullptr) {
        const int i = graphics->AddWidget(w);
        if (index) *index = i;
        return w;
    }

    void Press(int x, int y, bool right = false) {
        IMouseKeys keys;
        keys.left = !right;
        keys.right = right;
        graphics->HandlePointerDown(x, y, keys);
    }
    void Release(int x, int y) { graphics->HandlePointerUp(x, y); }
    void DragTo(int x, int y) { graphics->HandlePointerDrag(x, y, IMouseKeys{true}); }

    std::vector<std::unique_ptr<DrelSurface>> surfaces;  // outlive the plug-in's editor
    std::unique_ptr<TestPlug> plug;
    RecordingGraphics* graphics;
};

}  // namespace widgets_test
