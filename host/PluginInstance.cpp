#include "host/PluginInstance.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "host/HostError.h"

namespace vhost {

namespace {

// Plug-ins copy names whole, past the interface's nominal lengths; give
// every text query room to spare.
constexpr size_t kTextBuffer = 1024;

// The vendor-specific display query answers this when it formatted a value.
constexpr VstIntPtr kDisplayQueryAnswer = 0xBEEF;

std::string Terminated(const char* buffer, size_t size) {
    return std::string(buffer, strnlen(buffer, size));
}

std::string Hex32(VstInt32 v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
    return text;
}

}  // namespace

std::string FourCharText(VstInt32 id) {
    std::string text(4, '.');
    for (int i = 0; i < 4; ++i) {
        unsigned char c =
            static_cast<unsigned char>((static_cast<std::uint32_t>(id) >> (24 - 8 * i)));
        if (std::isprint(c)) text[static_cast<size_t>(i)] = static_cast<char>(c);
    }
    return text;
}

std::unique_ptr<PluginInstance> PluginInstance::Load(const std::string& path,
                                                     const LoadOptions& options) {
    std::unique_ptr<PluginInstance> plugin(new PluginInstance());
    plugin->module_ = std::make_unique<PluginModule>(path);
    VstEntryPoint entry = plugin->module_->EntryPoint();
    if (!entry)
        throw HostError("'" + path +
                        "': not a VST 2 plug-in (no VSTPluginMain or main entry point)");

    plugin->host_ = std::make_unique<HostContext>();
    HostContext& host = *plugin->host_;
    host.identity = options.identity;
    host.sampleRate = options.sampleRate;
    host.blockSize = options.blockSize;

    AEffect* effect = nullptr;
    {
        HostContext::ConstructionScope scope(&host);
        effect = entry(&HostContext::AudioMaster);
    }
    if (!effect)
        throw HostError("'" + path + "': not a VST 2 plug-in (the entry point returned no effect)");
    if (effect->magic != kEffectMagic)
        throw HostError("'" + path + "': not a VST 2 plug-in (bad magic " + Hex32(effect->magic) +
                        ")");
    if (!effect->dispatcher)
        throw HostError("'" + path + "': not a VST 2 plug-in (the effect has no dispatcher)");
    if (effect->numParams < 0 || effect->numPrograms < 0 || effect->numInputs < 0 ||
        effect->numOutputs < 0) {
        // A real record with nonsense in it: let the plug-in free itself. (A
        // record with a wrong magic is not touched at all.)
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        throw HostError("'" + path + "': broken effect record (negative counts)");
    }

    effect->user = &host;
    host.currentUniqueId = effect->uniqueID;
    plugin->effect_ = effect;

    plugin->Dispatch(effOpen);
    plugin->Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(options.sampleRate));
    plugin->Dispatch(effSetBlockSize, 0, options.blockSize);
    return plugin;
}

PluginInstance::~PluginInstance() {
    if (effect_) {
        if (editorOpen_) CloseEditor();
        if (active_) Suspend();
        // The plug-in may still call the host while it closes.
        Dispatch(effClose);
        effect_ = nullptr;
    }
    module_.reset();
    host_.reset();
}

VstIntPtr PluginInstance::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::EffectName() {
    char text[kTextBuffer] = {};
    Dispatch(effGetEffectName, 0, 0, text);
    return Terminated(text, sizeof text);
}

std::string PluginInstance::VendorName() {
    char text[kTextBuffer] = {};
    Dispatch(effGetVendorString, 0, 0, text);
    return Terminated(text, sizeof text);
}

std::string PluginInstance::ProductName() {
    char text[kTextBuffer] = {};
    Dispatch(effGetProductString, 0, 0, text);
    return Terminated(text, sizeof text);
}

VstInt32 PluginInstance::VendorVersion() {
    return static_cast<VstInt32>(Dispatch(effGetVendorVersion));
}

VstIntPtr PluginInstance::CanDo(const std::string& text) {
    std::string copy = text;
    return Dispatch(effCanDo, 0, 0, copy.data());
}

std::optional<VstPinProperties> PluginInstance::PinProperties(bool input, int index) {
    VstPinProperties pin{};
    if (!Dispatch(input ? effGetInputProperties : effGetOutputProperties, index, 0, &pin))
        return std::nullopt;
    pin.label[sizeof pin.label - 1] = '\0';
    pin.shortLabel[sizeof pin.shortLabel - 1] = '\0';
    return pin;
}

std::string PluginInstance::ParamName(int index) {
    char text[kTextBuffer] = {};
    Dispatch(effGetParamName, index, 0, text);
    return Terminated(text, sizeof text);
}

std::string PluginInstance::ParamLabel(int index) {
    char text[kTextBuffer] = {};
    Dispatch(effGetParamLabel, index, 0, text);
    return Terminated(text, sizeof text);
}

std::string PluginInstance::ParamDisplay(int index) {
    char text[kTextBuffer] = {};
    Dispatch(effGetParamDisplay, index, 0, text);
    return Terminated(text, sizeof text);
}

float PluginInstance::GetParam(int index) {
    return effect_->getParameter ? effect_->getParameter(effect_, index) : 0.0f;
}

void PluginInstance::SetParam(int index, float normalized) {
    if (effect_->setParameter) effect_->setParameter(effect_, index, normalized);
}

std::string PluginInstance::DisplayAt(int index, float normalized) {
    if (hasDisplayQuery_.value_or(true)) {
        char text[kTextBuffer] = {};
        VstIntPtr answer = Dispatch(effVendorSpecific, effGetParamDisplay, index, text, normalized);
        if (!hasDisplayQuery_) hasDisplayQuery_ = answer == kDisplayQueryAnswer;
        if (*hasDisplayQuery_) return Terminated(text, sizeof text);
    }
    const float old = GetParam(index);
    SetParam(index, normalized);
    std::string text = ParamDisplay(index);
    SetParam(index, old);
    return text;
}

int PluginInstance::Program() {
    return static_cast<int>(Dispatch(effGetProgram));
}

void PluginInstance::SetProgram(int index) {
    Dispatch(effSetProgram, 0, index);
}

std::string PluginInstance::ProgramName() {
    char text[kTextBuffer] = {};
    Dispatch(effGetProgramName, 0, 0, text);
    return Terminated(text, sizeof text);
}

void PluginInstance::SetProgramName(const std::string& name) {
    std::string copy = name;
    Dispatch(effSetProgramName, 0, 0, copy.data());
}

std::string PluginInstance::ProgramNameIndexed(int index) {
    char text[kTextBuffer] = {};
    Dispatch(effGetProgramNameIndexed, index, -1, text);
    return Terminated(text, sizeof text);
}

std::vector<std::uint8_t> PluginInstance::GetChunk(bool program) {
    void* data = nullptr;
    VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

bool PluginInstance::SetChunk(const std::vector<std::uint8_t>& data, bool program) {
    // The plug-in may keep reading while it loads; hand it a copy it can own
    // for the call.
    std::vector<std::uint8_t> copy = data;
    return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()),
                    copy.empty() ? nullptr : copy.data()) != 0;
}

void PluginInstance::SetSampleRate(double rate) {
    const bool wasActive = active_;
    if (wasActive) Suspend();
    host_->sampleRate = rate;
    Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    if (wasActive) Resume();
}

void PluginInstance::SetBlockSize(VstInt32 frames) {
    const bool wasActive = active_;
    if (wasActive) Suspend();
    host_->blockSize = frames;
    Dispatch(effSetBlockSize, 0, frames);
    if (wasActive) Resume();
}

void PluginInstance::Resume() {
    Dispatch(effMainsChanged, 0, 1);
    active_ = true;
}

void PluginInstance::Suspend() {
    Dispatch(effMainsChanged, 0, 0);
    active_ = false;
}

bool PluginInstance::SupportsReplacing() const {
    return HasFlag(effFlagsCanReplacing) && effect_->processReplacing != nullptr;
}

bool PluginInstance::SupportsDouble() const {
    return HasFlag(effFlagsCanDoubleReplacing) && effect_->processDoubleReplacing != nullptr;
}

bool PluginInstance::ProcessReplacing(float** inputs, float** outputs, VstInt32 frames) {
    if (!SupportsReplacing() || frames < 0 || frames > host_->blockSize) return false;
    effect_->processReplacing(effect_, inputs, outputs, frames);
    host_->AdvanceTransport(frames);
    return true;
}

bool PluginInstance::ProcessAccumulating(float** inputs, float** outputs, VstInt32 frames) {
    if (!SupportsAccumulating() || frames < 0 || frames > host_->blockSize) return false;
    effect_->process(effect_, inputs, outputs, frames);
    host_->AdvanceTransport(frames);
    return true;
}

bool PluginInstance::ProcessDouble(double** inputs, double** outputs, VstInt32 frames) {
    if (!SupportsDouble() || frames < 0 || frames > host_->blockSize) return false;
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
    host_->AdvanceTransport(frames);
    return true;
}

std::optional<ERect> PluginInstance::EditorRect() {
    if (!HasEditor()) return std::nullopt;
    ERect* rect = nullptr;
    if (!Dispatch(effEditGetRect, 0, 0, &rect) || !rect) return std::nullopt;
    return *rect;
}

bool PluginInstance::OpenEditor(void* parent) {
    if (!HasEditor() || editorOpen_) return false;
    editorOpen_ = Dispatch(effEditOpen, 0, 0, parent) != 0;
    return editorOpen_;
}

void PluginInstance::EditorIdle() {
    if (editorOpen_) Dispatch(effEditIdle);
}

void PluginInstance::CloseEditor() {
    if (!editorOpen_) return;
    Dispatch(effEditClose);
    editorOpen_ = false;
}

void PluginInstance::CloseWithEditorOpen() {
    if (!effect_) return;
    if (active_) Suspend();
    Dispatch(effClose);
    effect_ = nullptr;
    editorOpen_ = false;
}

}  // namespace vhost
