// Offscreen editor and widgets for the graphics tests: images are made in
// memory instead of read from resources, and calls are recorded.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "framework/editor/IGraphicsOffscreen.h"
#include "framework/editor/IWidget.h"

class TestGraphics : public IGraphicsOffscreen {
  public:
    using IGraphicsOffscreen::IGraphicsOffscreen;

    // A strip image for id: width 10, height = id % 1000 (at least 1), each
    // pixel tagged with its row.
    DrelSurface* DecodePngResource(int resourceId, const char*) override {
        ++decodes;
        const int h = resourceId % 1000 > 0 ? resourceId % 1000 : 1;
        auto* s = new DrelMemorySurface(10, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 10; ++x) s->Row(y)[x] = 0xFF000000u | std::uint32_t(y) << 8 | x;
        return s;
    }

    bool BlitStrip(const IImageStrip& strip, const IBox& box, int srcX, int srcY,
                   const IBlendSpec* blend) override {
        blits.push_back({srcX, srcY});
        return IGraphicsOffscreen::BlitStrip(strip, box, srcX, srcY, blend);
    }

    void SetPaintBox(const IBox& b) { paintBox_ = b; }

    struct Blit {
        int srcX, srcY;
    };
    std::vector<Blit> blits;
    static inline std::atomic<int> decodes{0};
};

// A widget that logs its calls and paints its box in one colour.
class LogWidget : public IWidget {
  public:
    LogWidget(VexilBase* plug, const IBox& box, int paramIdx, std::vector<std::string>* log,
              const char* name)
        : IWidget(plug, box, paramIdx, BlendReplace, 1.0f), log_(log), name_(name) {}

    void PointerDown(int x, int y, const IMouseKeys& keys) override {
        Log("down " + std::to_string(x) + "," + std::to_string(y));
        IWidget::PointerDown(x, y, keys);
    }
    void PointerUp(int x, int y) override {
        Log("up " + std::to_string(x) + "," + std::to_string(y));
    }
    void PointerDrag(int x, int y, int dx, int dy, const IMouseKeys&) override {
        Log("drag " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void PointerDoubleClick(int x, int y, const IMouseKeys& keys) override {
        Log("double");
        IWidget::PointerDoubleClick(x, y, keys);
    }
    void WheelTurn(int x, int y, const IMouseKeys& keys, int notches) override {
        Log("wheel " + std::to_string(notches));
    }
    void PointerLeave() override { Log("leave"); }
    bool Render(IGraphics& g) override {
        ++renders;
        drawnValue = Value();
        if (onRender) onRender();
        const IBlendSpec blend = Blend();
        g.FillBox(colour, box_, &blend);
        return true;
    }

    int renders = 0;
    double drawnValue = -1;
    IArgb colour = {255, 200, 100, 50};
    std::function<void()> onRender;

  private:
    void Log(const std::string& s) {
        if (log_) log_->push_back(name_ + " " + s);
    }
    std::vector<std::string>* log_;
    std::string name_;
};
