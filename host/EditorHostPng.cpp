// PNG files of editor pictures, through libpng. libpng reports errors by
// jumping back to png_jmpbuf, so the code between setjmp and the end of each
// attempt keeps no object with a destructor of its own.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include "host/EditorHost.h"
#include "host/HostError.h"

namespace vhost {
namespace {

struct File {
    std::FILE* f = nullptr;
    ~File() {
        if (f) std::fclose(f);
    }
};

// Errors are reported by the caller after the jump; warnings are not
// worth a line.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

bool WriteRows(std::FILE* f, int width, int height, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Decodes to 8-bit RGBA rows in `out` (width * height * 4 bytes, allocated
// by the caller once the size is known through `size`).
bool ReadRows(std::FILE* f, EditorPixels* size, std::vector<png_byte>* out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w == 0 || h == 0 || w > 16384 || h > 16384) png_error(png, "size");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != w * 4) png_error(png, "layout");
    size->width = int(w);
    size->height = int(h);
    out->resize(std::size_t(w) * h * 4);
    for (png_uint_32 y = 0; y < h; ++y)
        png_read_row(png, out->data() + std::size_t(y) * w * 4, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

void WritePng(const std::string& path, const EditorPixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 ||
        pixels.rgb.size() != std::size_t(pixels.width) * std::size_t(pixels.height))
        throw HostError("no picture to write to " + path);
    std::vector<png_byte> bytes(pixels.rgb.size() * 3);
    for (std::size_t i = 0; i < pixels.rgb.size(); ++i) {
        bytes[i * 3] = png_byte(pixels.rgb[i] >> 16);
        bytes[i * 3 + 1] = png_byte(pixels.rgb[i] >> 8);
        bytes[i * 3 + 2] = png_byte(pixels.rgb[i]);
    }
    std::vector<png_bytep> rows(std::size_t(pixels.height));
    for (int y = 0; y < pixels.height; ++y)
        rows[std::size_t(y)] = bytes.data() + std::size_t(y) * std::size_t(pixels.width) * 3;
    File file;
    file.f = std::fopen(path.c_str(), "wb");
    if (!file.f) throw HostError("cannot write " + path);
    bool written = WriteRows(file.f, pixels.width, pixels.height, rows.data());
    bool closed = std::fclose(file.f) == 0;
    file.f = nullptr;
    if (!written || !closed) {
        std::remove(path.c_str());
        throw HostError("cannot write " + path);
    }
}

EditorPixels ReadPng(const std::string& path) {
    File file;
    file.f = std::fopen(path.c_str(), "rb");
    if (!file.f) throw HostError("cannot read " + path);
    EditorPixels pixels;
    std::vector<png_byte> bytes;
    if (!ReadRows(file.f, &pixels, &bytes)) throw HostError(path + " is not a readable PNG file");
    pixels.rgb.resize(std::size_t(pixels.width) * std::size_t(pixels.height));
    for (std::size_t i = 0; i < pixels.rgb.size(); ++i)
        pixels.rgb[i] = std::uint32_t(bytes[i * 4]) << 16 | std::uint32_t(bytes[i * 4 + 1]) << 8 |
                        bytes[i * 4 + 2];
    return pixels;
}

}  // namespace vhost
