// PNG decoding into Drel surfaces. libpng reads from memory through our own
// reader; every libpng error long-jumps back here and the decode fails.
#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/editor/Drel.h"

namespace {
// Larger images are refused before any pixel memory is taken: editor
// images are a few hundred pixels on a side.
constexpr png_uint_32 kMaxSide = 16384;

struct Reader {
    const std::uint8_t* bytes;
    std::size_t size;
    std::size_t pos;
};

// Everything the error path must release lives here, outside the frame
// that setjmp saved, so a long jump loses nothing.
struct DecodeState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    DrelSurface* created = nullptr;
    png_bytep* rows = nullptr;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t wanted) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    std::memset(out, 0, wanted);
    const std::size_t left = r->size - r->pos;
    const std::size_t n = wanted < left ? wanted : left;
    std::memcpy(out, r->bytes + r->pos, n);
    r->pos += n;
    // Running out of bytes means a truncated file; decoding on zeros would
    // hand back a picture that is not in the file.
    if (n < wanted) png_error(png, "truncated PNG data");
}

void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

void Release(DecodeState& st, bool failed) {
    std::free(st.rows);
    st.rows = nullptr;
    if (st.png) png_destroy_read_struct(&st.png, st.info ? &st.info : nullptr, nullptr);
    if (failed) {
        delete st.created;
        st.created = nullptr;
    }
}

// The libpng calls, kept free of C++ objects with destructors so the long
// jump of the error path skips nothing that needs cleaning up.
bool Decode(Reader* reader, DrelSurface* dest, DecodeState* st) {
    st->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!st->png) return false;
    st->info = png_create_info_struct(st->png);
    if (!st->info) return false;
    if (setjmp(png_jmpbuf(st->png))) return false;

    png_set_user_limits(st->png, kMaxSide, kMaxSide);
    png_set_read_fn(st->png, reader, ReadBytes);
    png_read_info(st->png, st->info);

    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    png_get_IHDR(st->png, st->info, &width, &height, &depth, &colourType, nullptr, nullptr,
                 nullptr);

    // Every colour type becomes 8-bit A, R, G, B: expand palettes and small
    // greys, transparency to alpha, 16 bits to 8, grey to RGB, an opaque
    // filler in front where there is no alpha, alpha moved to the front.
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(st->png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(st->png);
    const bool hasTrns = png_get_valid(st->png, st->info, PNG_INFO_tRNS) != 0;
    if (hasTrns) png_set_tRNS_to_alpha(st->png);
    if (depth == 16) png_set_strip_16(st->png);
    if (depth < 8) png_set_packing(st->png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(st->png);
    const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns;
    if (hasAlpha)
        png_set_swap_alpha(st->png);
    else
        png_set_filler(st->png, 0xFF, PNG_FILLER_BEFORE);
    png_set_interlace_handling(st->png);
    png_read_update_info(st->png, st->info);
    if (png_get_rowbytes(st->png, st->info) != png_size_t(width) * 4) return false;

    DrelSurface* target = dest;
    if (target) {
        target->Resize(int(width), int(height));
    } else {
        target = st->created = new (std::nothrow) DrelMemorySurface(int(width), int(height));
        if (!target) return false;
    }
    if (target->Width() != int(width) || target->Height() != int(height) || !target->Bits())
        return false;

    st->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (!st->rows) return false;
    for (png_uint_32 y = 0; y < height; ++y)
        st->rows[y] = reinterpret_cast<png_bytep>(target->Row(int(y)));
    png_read_image(st->png, st->rows);
    return true;
}
}  // namespace

DrelSurface* DrelDecodePng(const std::uint8_t* bytes, std::size_t size, DrelSurface* dest) {
    if (!bytes || size < 8 || png_sig_cmp(bytes, 0, 8) != 0) return nullptr;
    Reader reader{bytes, size, 0};
    DecodeState st;
    const bool ok = Decode(&reader, dest, &st);
    DrelSurface* target = dest ? dest : st.created;
    Release(st, !ok);
    if (!ok) return nullptr;

    // Bytes A, R, G, B in memory become the word 0xAARRGGBB.
    for (int y = 0; y < target->Height(); ++y) {
        std::uint32_t* row = target->Row(y);
        for (int x = 0; x < target->Width(); ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(row + x);
            row[x] = std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 |
                     std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
        }
    }
    return target;
}
