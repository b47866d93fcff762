// Pieces every single-effect editor shares: its size, the background that
// doubles as the label-language switch, and the link to the manual.
#pragma once

#include "framework/editor/IGraphics.h"
#include "framework/editor/IGraphicsTypes.h"

class VexilBase;

namespace quorvex {

inline constexpr int kSingleEditorWidth = 274;
inline constexpr int kSingleEditorHeight = 350;
inline constexpr int kSingleEditorFps = 18;
inline constexpr double kKnobGearing = 6.0;
// The vertical version plate at the panel's right edge.
inline constexpr IBox kVersionPlate = {259, 311, 268, 332};

// The panel: a two-frame cycle switch bound to "english labels" covering the
// whole editor, taking clicks only in `hitBox` (around the bow-tie symbol)
// and never opening a text entry. Its frame is the label language.
void AddLabelLanguageBackground(IGraphics& g, VexilBase* plug, const IImageStrip& panel,
                                int paramIdx, const IBox& hitBox);

// An invisible area that opens the manual next to the plug-in library.
void AddManualLink(IGraphics& g, VexilBase* plug, const IBox& box);

}  // namespace quorvex
