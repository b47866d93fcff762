// Finds a resource of the plug-in library by id and type. Windows keeps the
// images as resources compiled into the DLL; Linux links the same bytes into
// the library with a table of entries generated at build time.
#pragma once

#include <cstddef>

// One entry of the table a plug-in library links in on Linux.
struct QuorvexResourceEntry {
    int id;
    const char* type;  // for example "PNG"
    const unsigned char* data;
    std::size_t size;
};

namespace vexil {

struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// Data and size of the resource, or {nullptr, 0} when there is none.
ResourceBytes FindResourceBytes(int id, const char* type);

}  // namespace vexil
