// The VST 2 binary interface as our plug-ins and our host see it: records,
// opcode numbers and flags. Written from the published binary layout; every
// size and offset is pinned below for both pointer sizes.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

using VstInt32 = std::int32_t;
using VstIntPtr = std::intptr_t;

struct AEffect;

using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode,
                                                     VstInt32 index, VstIntPtr value, void* ptr,
                                                     float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode,
                                                       VstInt32 index, VstIntPtr value, void* ptr,
                                                       float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs,
                                                    double** outputs, VstInt32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, VstInt32 index);

// Packs four characters, the first in the most significant byte.
constexpr VstInt32 VstFourCC(char a, char b, char c, char d) {
    return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                 static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = VstFourCC('V', 's', 't', 'P');

struct AEffect {
    VstInt32 magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    VstInt32 initialDelay;
    VstInt32 realQualities;
    VstInt32 offQualities;
    float ioRatio;
    void* object;
    void* user;
    VstInt32 uniqueID;
    VstInt32 version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

enum VstAEffectFlags : VstInt32 {
    effFlagsHasEditor = 1,
    effFlagsCanMono = 8,
    effFlagsCanReplacing = 0x10,
    effFlagsProgramChunks = 0x20,
    effFlagsIsSynth = 0x100,
    effFlagsNoSoundInStop = 0x200,
    effFlagsCanDoubleReplacing = 0x1000,
};

// Host to plug-in (dispatcher) opcodes.
enum AEffectOpcodes : VstInt32 {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effGetVu = 9,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditDraw = 16,
    effEditMouse = 17,
    effEditKey = 18,
    effEditIdle = 19,
    effEditTop = 20,
    effEditSleep = 21,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetNumProgramCategories = 30,
    effCopyProgram = 31,
    effConnectInput = 32,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetParameterProperties = 56,
    effGetVstVersion = 58,
    effGetMidiKeyName = 66,
    effGetSpeakerArrangement = 69,
};

// Plug-in to host (audioMaster) opcodes.
enum AudioMasterOpcodes : VstInt32 {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterCanDo = 37,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

constexpr VstInt32 kPlugCategEffect = 1;

struct VstTimeInfo {
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    VstInt32 timeSigNumerator;
    VstInt32 timeSigDenominator;
    VstInt32 smpteOffset;
    VstInt32 smpteFrameRate;
    VstInt32 samplesToNextClock;
    VstInt32 flags;
};

enum VstTimeInfoFlags : VstInt32 {
    kVstTransportChanged = 1,
    kVstTransportPlaying = 2,
    kVstTransportCycleActive = 4,
    kVstTransportRecording = 8,
    kVstNanosValid = 0x100,
    kVstPpqPosValid = 0x200,
    kVstTempoValid = 0x400,
    kVstBarsValid = 0x800,
    kVstCyclePosValid = 0x1000,
    kVstTimeSigValid = 0x2000,
    kVstSmpteValid = 0x4000,
    kVstClockValid = 0x8000,
};

constexpr VstInt32 kVstMidiType = 1;
constexpr VstInt32 kVstSysExType = 6;

struct VstEvent {
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    char data[16];
};

struct VstMidiEvent {
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 noteLength;
    VstInt32 noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct VstEvents {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[2];  // really numEvents long
};

enum VstPinPropertiesFlags : VstInt32 {
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,
    kVstPinUseSpeaker = 4,
};

struct VstPinProperties {
    char label[64];
    VstInt32 flags;
    VstInt32 arrangementType;
    char shortLabel[8];
    char future[48];
};

struct VstSpeakerProperties {
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    VstInt32 type;
    char future[28];
};

struct VstSpeakerArrangement {
    VstInt32 type;
    VstInt32 numChannels;
    VstSpeakerProperties speakers[8];
};

struct MidiKeyName {
    VstInt32 thisProgramIndex;
    VstInt32 thisKeyNumber;
    char keyName[64];
    VstInt32 reserved;
    VstInt32 flags;
};

struct ERect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

// The layouts hosts and plug-ins agree on; a mismatch here is a broken ABI.
namespace vst_abi_check {
constexpr bool k64 = sizeof(void*) == 8;
constexpr std::size_t P(std::size_t off32, std::size_t off64) { return k64 ? off64 : off32; }

static_assert(sizeof(VstIntPtr) == sizeof(void*));
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == P(4, 8));
static_assert(offsetof(AEffect, process) == P(8, 16));
static_assert(offsetof(AEffect, setParameter) == P(12, 24));
static_assert(offsetof(AEffect, getParameter) == P(16, 32));
static_assert(offsetof(AEffect, numPrograms) == P(20, 40));
static_assert(offsetof(AEffect, numParams) == P(24, 44));
static_assert(offsetof(AEffect, numInputs) == P(28, 48));
static_assert(offsetof(AEffect, numOutputs) == P(32, 52));
static_assert(offsetof(AEffect, flags) == P(36, 56));
static_assert(offsetof(AEffect, resvd1) == P(40, 64));
static_assert(offsetof(AEffect, resvd2) == P(44, 72));
static_assert(offsetof(AEffect, initialDelay) == P(48, 80));
static_assert(offsetof(AEffect, realQualities) == P(52, 84));
static_assert(offsetof(AEffect, offQualities) == P(56, 88));
static_assert(offsetof(AEffect, ioRatio) == P(60, 92));
static_assert(offsetof(AEffect, object) == P(64, 96));
static_assert(offsetof(AEffect, user) == P(68, 104));
static_assert(offsetof(AEffect, uniqueID) == P(72, 112));
static_assert(offsetof(AEffect, version) == P(76, 116));
static_assert(offsetof(AEffect, processReplacing) == P(80, 120));
static_assert(offsetof(AEffect, processDoubleReplacing) == P(84, 128));
static_assert(offsetof(AEffect, future) == P(88, 136));
static_assert(sizeof(AEffect) == P(144, 192));

static_assert(offsetof(VstTimeInfo, samplePos) == 0);
static_assert(offsetof(VstTimeInfo, sampleRate) == 8);
static_assert(offsetof(VstTimeInfo, nanoSeconds) == 16);
static_assert(offsetof(VstTimeInfo, ppqPos) == 24);
static_assert(offsetof(VstTimeInfo, tempo) == 32);
static_assert(offsetof(VstTimeInfo, barStartPos) == 40);
static_assert(offsetof(VstTimeInfo, cycleStartPos) == 48);
static_assert(offsetof(VstTimeInfo, cycleEndPos) == 56);
static_assert(offsetof(VstTimeInfo, timeSigNumerator) == 64);
static_assert(offsetof(VstTimeInfo, timeSigDenominator) == 68);
static_assert(offsetof(VstTimeInfo, smpteOffset) == 72);
static_assert(offsetof(VstTimeInfo, smpteFrameRate) == 76);
static_assert(offsetof(VstTimeInfo, samplesToNextClock) == 80);
static_assert(offsetof(VstTimeInfo, flags) == 84);
static_assert(sizeof(VstTimeInfo) == 88);

static_assert(sizeof(VstEvent) == 32 && offsetof(VstEvent, data) == 16);
static_assert(sizeof(VstMidiEvent) == 32);
static_assert(offsetof(VstMidiEvent, noteLength) == 16 && offsetof(VstMidiEvent, noteOffset) == 20);
static_assert(offsetof(VstMidiEvent, midiData) == 24 && offsetof(VstMidiEvent, detune) == 28);
static_assert(offsetof(VstMidiEvent, noteOffVelocity) == 29);
static_assert(offsetof(VstMidiEvent, reserved1) == 30 && offsetof(VstMidiEvent, reserved2) == 31);
static_assert(offsetof(VstEvents, reserved) == P(4, 8));
static_assert(offsetof(VstEvents, events) == P(8, 16));
static_assert(sizeof(VstEvents) == P(16, 32));

static_assert(sizeof(VstPinProperties) == 128);
static_assert(offsetof(VstPinProperties, flags) == 64);
static_assert(offsetof(VstPinProperties, arrangementType) == 68);
static_assert(offsetof(VstPinProperties, shortLabel) == 72);
static_assert(offsetof(VstPinProperties, future) == 80);

static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(offsetof(VstSpeakerProperties, name) == 16);
static_assert(offsetof(VstSpeakerProperties, type) == 80);
static_assert(offsetof(VstSpeakerProperties, future) == 84);
static_assert(sizeof(VstSpeakerArrangement) == 904);
static_assert(offsetof(VstSpeakerArrangement, numChannels) == 4);
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);

static_assert(sizeof(MidiKeyName) == 80);
static_assert(offsetof(MidiKeyName, keyName) == 8);
static_assert(offsetof(MidiKeyName, reserved) == 72);
static_assert(offsetof(MidiKeyName, flags) == 76);

static_assert(sizeof(ERect) == 8 && offsetof(ERect, left) == 2 && offsetof(ERect, bottom) == 4 &&
              offsetof(ERect, right) == 6);
}  // namespace vst_abi_check
