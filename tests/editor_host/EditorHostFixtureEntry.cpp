#include "framework/vst/EntryPoint.h"
#include "tests/editor_host/EditorHostFixture.h"

VEXIL_DEFINE_ENTRY_POINT(EditorHostFixture)
