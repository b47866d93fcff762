// Pieces every single-effect editor shares: its size, its images, the
// background that doubles as the label-language switch, and the displays
// and links at its end.
#pragma once

#include <initializer_list>

#include "framework/editor/IGraphics.h"
#include "framework/editor/IGraphicsTypes.h"

class VexilBase;

namespace quorvex {

class SingleEffectOutput;

inline constexpr int kSingleEditorWidth = 274;
inline constexpr int kSingleEditorHeight = 350;
inline constexpr int kSingleEditorFps = 18;
inline constexpr double kKnobGearing = 6.0;
// The vertical version plate at the panel's right edge.
inline constexpr IBox kVersionPlate = {259, 311, 268, 332};

// The editor window of a single effect, with no widgets yet.
IGraphics* NewSingleEditor(VexilBase* plug);

// The images of a single-effect editor, loaded in resource order: the panel
// (id 101, two frames), the knob, the big knob (the drive's only), the
// toggle, the lamp glow, the meter and the digits.
struct SingleEditorImages {
    IImageStrip panel, knob, bigKnob, toggle, glow, meter, digits;
};
SingleEditorImages LoadSingleEditorImages(IGraphics& g, const char* panelName, bool withBigKnob);

// The panel: a two-frame cycle switch bound to "english labels" covering the
// whole editor, taking clicks only in `hitBox` (around the bow-tie symbol)
// and never opening a text entry. Its frame is the label language.
void AddLabelLanguageBackground(IGraphics& g, VexilBase* plug, const IImageStrip& panel,
                                int paramIdx, const IBox& hitBox);

// Vertical knobs of one strip, in the order given.
struct KnobAt {
    int x, y, param;
};
void AddKnobs(IGraphics& g, VexilBase* plug, const IImageStrip& strip,
              std::initializer_list<KnobAt> knobs);

// What ends every single-effect editor: the limiter lamp at (lampX, lampY)
// and the meter, both fed by `output`, the manual link over the logo and
// the version plate.
void AddOutputDisplays(IGraphics& g, VexilBase* plug, SingleEffectOutput& output,
                       const SingleEditorImages& images, int lampX, int lampY,
                       const IBox& manualBox);

}  // namespace quorvex
