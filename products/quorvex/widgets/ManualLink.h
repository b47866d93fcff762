// The link to the manual that every editor of the family carries: an
// invisible area opening the manual next to the plug-in library.
#pragma once

#include "framework/editor/IGraphicsTypes.h"

class IGraphics;
class ILinkWidget;
class VexilBase;

namespace quorvex {

inline constexpr const char* kManualFile = "Quorvex_manual.pdf";

// A new link over `box` to the manual in the folder of the library that
// `graphics` belongs to; the caller adds it to the editor.
ILinkWidget* NewManualLink(IGraphics& graphics, VexilBase* plug, const IBox& box);

}  // namespace quorvex
