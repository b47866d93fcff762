// Writes small PNG images in memory with libpng, so the decoder is tested
// on every colour type without fixture files.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

struct PngRecipe {
    int width = 1, height = 1;
    int colourType = PNG_COLOR_TYPE_RGB;
    int depth = 8;
    std::vector<png_color> palette;
    std::vector<png_byte> trnsAlpha;  // palette transparency
    bool trnsGrey = false;            // grey transparency for sample value trnsValue
    int trnsValue = 0;
    bool interlaced = false;
    // Packed rows exactly as PNG stores them (before filtering).
    std::vector<std::vector<png_byte>> rows;
};

inline std::vector<std::uint8_t> WritePng(const PngRecipe& rule) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* v = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
            v->insert(v->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, rule.width, rule.height, rule.depth, rule.colourType,
                 rule.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!rule.palette.empty())
        png_set_PLTE(png, info, rule.palette.data(), int(rule.palette.size()));
    if (!rule.trnsAlpha.empty())
        png_set_tRNS(png, info, rule.trnsAlpha.data(), int(rule.trnsAlpha.size()), nullptr);
    png_color_16 grey = {};
    grey.gray = png_uint_16(rule.trnsValue);
    if (rule.trnsGrey) png_set_tRNS(png, info, nullptr, 0, &grey);
    png_write_info(png, info);
    if (rule.interlaced) png_set_interlace_handling(png);
    std::vector<png_bytep> rows;
    for (auto& r : rule.rows) rows.push_back(const_cast<png_bytep>(r.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}
