// The three processing callbacks and the parameter callbacks. A call with
// more frames than the announced block size is processed in slices of at
// most the block size, so no scratch buffer is ever overrun.
#include "framework/vst/VexilVST.h"

namespace {

VexilVST* PlugOf(AEffect* effect) {
    return effect ? static_cast<VexilVST*>(effect->object) : nullptr;
}

template <class T>
void Slice(T** slice, T** host, int n, int offset) {
    for (int i = 0; i < n; ++i) slice[i] = host && host[i] ? host[i] + offset : nullptr;
}

}  // namespace

void VexilVST::Process32(float** inputs, float** outputs, VstInt32 sampleFrames, Run run) {
    vexil::ScopedLock hold(PluginLock());
    if (DoesMidi()) CallHost(audioMasterWantMidi);
    const int block = BlockSize();
    if (sampleFrames <= 0 || block <= 0) return;
    // The host hands one buffer per connected channel; only those are read.
    const int nIn = ConnectedInputs();
    const int nOut = ConnectedOutputs();
    for (int done = 0; done < sampleFrames;) {
        const int n = sampleFrames - done < block ? sampleFrames - done : block;
        Slice(sliceIn32_.get(), inputs, nIn, done);
        Slice(sliceOut32_.get(), outputs, nOut, done);
        BindInputs(0, MaxInputs(), sliceIn32_.get(), n);
        BindOutputs(0, MaxOutputs(), sliceOut32_.get());
        if (run == Run::Accumulating)
            RunBlockAccumulating(n);
        else
            RunBlock32(n);
        done += n;
    }
}

void VexilVST::Process64(double** inputs, double** outputs, VstInt32 sampleFrames) {
    vexil::ScopedLock hold(PluginLock());
    if (DoesMidi()) CallHost(audioMasterWantMidi);
    const int block = BlockSize();
    if (sampleFrames <= 0 || block <= 0) return;
    // The host hands one buffer per connected channel; only those are read.
    const int nIn = ConnectedInputs();
    const int nOut = ConnectedOutputs();
    for (int done = 0; done < sampleFrames;) {
        const int n = sampleFrames - done < block ? sampleFrames - done : block;
        Slice(sliceIn64_.get(), inputs, nIn, done);
        Slice(sliceOut64_.get(), outputs, nOut, done);
        BindInputs(0, MaxInputs(), sliceIn64_.get());
        BindOutputs(0, MaxOutputs(), sliceOut64_.get(), n);
        RunBlock(n);
        done += n;
    }
}

void VSTCALLBACK VexilVST::VSTProcess(AEffect* effect, float** inputs, float** outputs,
                                      VstInt32 sampleFrames) {
    if (VexilVST* plug = PlugOf(effect)) {
        try {
            plug->Process32(inputs, outputs, sampleFrames, Run::Accumulating);
        } catch (...) {
        }
    }
}

void VSTCALLBACK VexilVST::VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                               VstInt32 sampleFrames) {
    if (VexilVST* plug = PlugOf(effect)) {
        try {
            plug->Process32(inputs, outputs, sampleFrames, Run::Replacing32);
        } catch (...) {
        }
    }
}

void VSTCALLBACK VexilVST::VSTProcessDoubleReplacing(AEffect* effect, double** inputs,
                                                     double** outputs, VstInt32 sampleFrames) {
    if (VexilVST* plug = PlugOf(effect)) {
        try {
            plug->Process64(inputs, outputs, sampleFrames);
        } catch (...) {
        }
    }
}

float VSTCALLBACK VexilVST::VSTGetParameter(AEffect* effect, VstInt32 index) {
    VexilVST* plug = PlugOf(effect);
    if (!plug) return 0.0f;
    vexil::ScopedLock hold(plug->PluginLock());
    const IParameter* param = plug->Param(index);
    return param ? static_cast<float>(param->Normalized()) : 0.0f;
}

void VSTCALLBACK VexilVST::VSTSetParameter(AEffect* effect, VstInt32 index, float value) {
    VexilVST* plug = PlugOf(effect);
    if (!plug) return;
    vexil::ScopedLock hold(plug->PluginLock());
    IParameter* param = plug->Param(index);
    if (!param) return;
    try {
        plug->ApplyToEditor(index, value, true);
        param->SetFromNormalized(value);
        plug->ParamChanged(index);
    } catch (...) {
    }
}
