// The multi-effect with its editor, built as the plug-in constructor builds
// it, and a host callback that records what the plug-in tells the host.
#pragma once

#include <vector>

#include "framework/core/IParameter.h"
#include "framework/editor/IGraphics.h"
#include "framework/editor/IWidget.h"
#include "framework/vst/VstAbi.h"
#include "products/quorvex/Quorvex.h"

namespace quorvex_editor_test {

struct HostCall {
    int opcode;
    int index;
    float value;
};

// One recorder for the whole test program; tests clear it.
inline std::vector<HostCall>& HostCalls() {
    static std::vector<HostCall> calls;
    return calls;
}

inline VstIntPtr VSTCALLBACK RecordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr,
                                           void*, float opt) {
    if (opcode == audioMasterAutomate || opcode == audioMasterBeginEdit ||
        opcode == audioMasterEndEdit)
        HostCalls().push_back({opcode, index, opt});
    return 0;
}

class EditorPlug : public quorvex::Quorvex {
  public:
    EditorPlug() : Quorvex(&RecordingHost) { HostCalls().clear(); }

    // A plain value, as state loading writes it, with the engine told.
    void Set(int paramIdx, double value) {
        Param(paramIdx)->SetClamped(value);
        ParamChanged(paramIdx);
    }
    IGraphics& G() { return *Editor(); }
    IWidget* W(int index) { return Editor()->WidgetByIndex(index); }
    double WidgetValue(int index) { return W(index)->Value(); }

    // Runs n-frame blocks of a constant level on both main inputs.
    void Run(int blocks, double level, int n = 512) {
        std::vector<std::vector<double>> in(4, std::vector<double>(size_t(n), 0.0));
        std::vector<std::vector<double>> out(2, std::vector<double>(size_t(n), 0.0));
        for (int i = 0; i < n; ++i) in[0][size_t(i)] = in[1][size_t(i)] = (i % 2 ? level : -level);
        double* ins[4] = {in[0].data(), in[1].data(), in[2].data(), in[3].data()};
        double* outs[2] = {out[0].data(), out[1].data()};
        for (int b = 0; b < blocks; ++b) ProcessBlock(ins, outs, n);
    }
};

}  // namespace quorvex_editor_test
