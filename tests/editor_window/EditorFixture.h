// A tiny plug-in with an editor for the window tests: a background, a knob
// on a continuous parameter (no value texts) and a knob on a three-way
// choice (value texts). The images are made here, in memory.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "framework/core/VexilBase.h"
#include "framework/editor/IGraphics.h"

namespace fixture {

constexpr int kWidth = 200;
constexpr int kHeight = 120;
constexpr int kFps = 18;
// Widget boxes (50 x 50 knobs).
constexpr IBox kKnobBox = {20, 30, 70, 80};
constexpr IBox kChoiceBox = {120, 30, 170, 80};
constexpr int kKnobParam = 0;
constexpr int kChoiceParam = 1;

struct HostCall {
    char kind;  // 'b' begin, 'a' automate, 'e' end
    int param;
    double value;
};

class FixturePlug : public VexilBase {
  public:
    FixturePlug();
    ~FixturePlug() override;

    void HostEditBegin(int paramIdx) override;
    void HostAutomate(int paramIdx, double normalized) override;
    void HostEditEnd(int paramIdx) override;
    std::int64_t HostSamplePosition() override { return 0; }
    double HostTempo() override { return 120.0; }
    void HostTimeSignature(int& n, int& d) override { n = d = 4; }
    void EditorResized(int, int) override {}
    bool SendMidiMessage(const MidiMessage&) override { return false; }
    bool SendMidiMessages(const GrowBuffer&) override { return false; }

    std::vector<HostCall> Calls();
    void ClearCalls();

  private:
    std::mutex callsMutex_;
    std::vector<HostCall> calls_;
};

// Adds the fixture's widgets to an editor and attaches it to the plug-in.
void BuildEditor(FixturePlug& plug, IGraphics* graphics);

}  // namespace fixture
