// A minimal plug-in for the editor tests: records every call the editor
// makes into the plug-in, in order.
#pragma once

#include <string>
#include <vector>

#include "framework/core/GrowBuffer.h"
#include "framework/core/IParameter.h"
#include "framework/core/MidiMessage.h"
#include "framework/core/VexilBase.h"

class FakePlug : public VexilBase {
  public:
    explicit FakePlug(int nParams = 4)
        : VexilBase(nParams, "2-2", 1, "Fake", "", "Tests", 0x10002, 0x46616b65, 0x54657374, 0,
                    false, false, false) {
        for (int i = 0; i < nParams; ++i) Param(i)->SetupContinuous("p", 0.0, 0.0, 10.0, 0.01);
    }

    void HostEditBegin(int i) override { log.push_back("begin " + std::to_string(i)); }
    void HostAutomate(int i, double v) override {
        log.push_back("automate " + std::to_string(i));
        lastAutomated = v;
    }
    void HostEditEnd(int i) override { log.push_back("end " + std::to_string(i)); }
    std::int64_t HostSamplePosition() override { return 0; }
    double HostTempo() override { return 120.0; }
    void HostTimeSignature(int& n, int& d) override { n = d = 4; }
    void EditorResized(int w, int h) override { log.push_back("resized"); }
    bool SendMidiMessage(const MidiMessage&) override { return false; }
    bool SendMidiMessages(const GrowBuffer&) override { return false; }

    std::vector<std::string> log;
    double lastAutomated = -1;
};
