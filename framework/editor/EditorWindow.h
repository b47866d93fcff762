// The editor window class of the platform being built. Products write
// `new IGraphicsWindow(this, width, height, fps)`.
#pragma once

#if defined(_WIN32)
#include "framework/editor/win32/IGraphicsHwnd.h"
using IGraphicsWindow = IGraphicsHwnd;
#else
#include "framework/editor/x11/IGraphicsX11.h"
using IGraphicsWindow = IGraphicsX11;
#endif
