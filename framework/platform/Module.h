// The plug-in library this code lives in: its handle and its file path.
#pragma once

namespace vexil {

// The module instance handle (HINSTANCE on Windows, stored by DllMain; the
// load address of the library elsewhere). Null only if nothing is known.
void* ModuleHandle();

// Full path of the library file, empty when it cannot be found.
const char* ModulePath();

}  // namespace vexil
