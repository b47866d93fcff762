// One loaded and opened VST 2 plug-in, driven only through its exported
// interface: the calls a host makes, in the order hosts make them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/vst/VstAbi.h"
#include "host/HostContext.h"
#include "host/PluginModule.h"

namespace vhost {

struct LoadOptions {
    HostIdentity identity;
    double sampleRate = 44100.0;
    VstInt32 blockSize = 512;
};

class PluginInstance {
  public:
    // Loads the library, runs its entry point with our audioMaster, checks
    // the record, then effOpen, the sample rate and the block size. Throws
    // HostError with a one-line reason when any of it fails.
    static std::unique_ptr<PluginInstance> Load(const std::string& path,
                                                const LoadOptions& options = {});
    // Suspends, closes the plug-in (effClose) and unloads the library.
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* Effect() const { return effect_; }
    HostContext& Host() { return *host_; }
    const std::string& Path() const { return module_->Path(); }
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);

    // The record.
    int NumParams() const { return effect_->numParams; }
    int NumPrograms() const { return effect_->numPrograms; }
    int NumInputs() const { return effect_->numInputs; }
    int NumOutputs() const { return effect_->numOutputs; }
    VstInt32 Flags() const { return effect_->flags; }
    VstInt32 UniqueId() const { return effect_->uniqueID; }
    VstInt32 Version() const { return effect_->version; }
    bool HasFlag(VstInt32 flag) const { return (effect_->flags & flag) != 0; }

    // Names.
    std::string EffectName();
    std::string VendorName();
    std::string ProductName();
    VstInt32 VendorVersion();
    VstIntPtr CanDo(const std::string& text);
    std::optional<VstPinProperties> PinProperties(bool input, int index);

    // Parameters; values at the boundary are normalized (0..1).
    std::string ParamName(int index);
    std::string ParamLabel(int index);
    std::string ParamDisplay(int index);
    float GetParam(int index);
    void SetParam(int index, float normalized);
    // The display text the parameter would show at a normalized position.
    // Uses the plug-in's vendor-specific display query when it answers it,
    // otherwise sets the value, reads the text and restores the old value.
    std::string DisplayAt(int index, float normalized);

    // Programs.
    int Program();
    void SetProgram(int index);
    std::string ProgramName();
    void SetProgramName(const std::string& name);
    // Empty when the plug-in does not name programs by index.
    std::string ProgramNameIndexed(int index);

    // State chunks (bank when program is false).
    std::vector<std::uint8_t> GetChunk(bool program);
    bool SetChunk(const std::vector<std::uint8_t>& data, bool program);

    // Processing setup. Changing the rate or the block size suspends and
    // resumes around the call when the plug-in is active.
    void SetSampleRate(double rate);
    void SetBlockSize(VstInt32 frames);
    double SampleRate() const { return host_->sampleRate; }
    VstInt32 BlockSize() const { return host_->blockSize; }
    void Resume();   // effMainsChanged 1
    void Suspend();  // effMainsChanged 0
    bool Active() const { return active_; }

    // The three processing calls. Each refuses (returns false) more frames
    // than the announced block size or a form the plug-in lacks, and moves
    // the transport on by the block afterwards.
    bool SupportsReplacing() const;
    bool SupportsAccumulating() const { return effect_->process != nullptr; }
    bool SupportsDouble() const;
    bool ProcessReplacing(float** inputs, float** outputs, VstInt32 frames);
    bool ProcessAccumulating(float** inputs, float** outputs, VstInt32 frames);
    bool ProcessDouble(double** inputs, double** outputs, VstInt32 frames);

    // Editor: a thin layer over the opcodes; the parent is a native window
    // (an HWND on Windows, an X11 window id carried in the pointer on Linux).
    bool HasEditor() const { return HasFlag(effFlagsHasEditor); }
    std::optional<ERect> EditorRect();
    bool OpenEditor(void* parent);
    void EditorIdle();
    void CloseEditor();
    bool EditorOpen() const { return editorOpen_; }
    // effClose with the editor left open, as hosts that tear a plug-in down
    // in one step do. Only destruction (which unloads the library) may follow.
    void CloseWithEditorOpen();

  private:
    PluginInstance() = default;

    std::unique_ptr<PluginModule> module_;
    std::unique_ptr<HostContext> host_;
    AEffect* effect_ = nullptr;
    bool active_ = false;
    bool editorOpen_ = false;
    std::optional<bool> hasDisplayQuery_;
};

// The unique id as its four characters, with non-printing ones as '.'.
std::string FourCharText(VstInt32 id);

}  // namespace vhost
