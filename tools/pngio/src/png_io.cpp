#include "softblit/pngio/png_io.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

const char kSavePlace[] = "Png_Save";
const char kLoadPlace[] = "Png_Load";

void OnPngWarning(png_structp, png_const_charp) {}

// libpng's own handler prints to stderr; keep its words for our one line.
struct S_PngError {
    char text[128];
};
[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    S_PngError* error = static_cast<S_PngError*>(png_get_error_ptr(png));
    if (error) std::snprintf(error->text, sizeof(error->text), "%s", message ? message : "error");
    png_longjmp(png, 1);
}

// Writes height rows of width pixels of `channels` bytes. Everything libpng
// may jump out of is kept in this function, with no destructors to skip.
bool WriteRows(FILE* file, uint32_t width, uint32_t height, int channels, png_bytep* rows) {
    S_PngError error = {{0}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Fixed settings so the same pixels always give the same bytes.
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

struct ReadResult {
    uint32_t width = 0;
    uint32_t height = 0;
    bool alpha = false;
    std::vector<uint8_t> pixels;  // RGBA or RGB, 8 bits a channel
};

bool ReadRows(FILE* file, ReadResult* out, S_PngError* error) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, error, OnPngError, OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    png_bytep* volatile rows = nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        delete[] rows;
        return false;
    }
    png_init_io(png, file);
    png_set_user_limits(png, 1u << 14, 1u << 14);
    png_read_info(png, info);
    const png_byte type = png_get_color_type(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    out->width = png_get_image_width(png, info);
    out->height = png_get_image_height(png, info);
    const int channels = png_get_channels(png, info);
    out->alpha = channels == 4;
    out->pixels.resize(static_cast<size_t>(out->width) * out->height * channels);
    rows = new png_bytep[out->height];
    for (uint32_t y = 0; y < out->height; ++y)
        rows[y] = out->pixels.data() + static_cast<size_t>(y) * out->width * channels;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    delete[] rows;
    return true;
}

}  // namespace

bool Png_Save(const C_Image* colour, const C_Image* alpha, const char* fileName) {
    if (!colour || !colour->data || !fileName) return Err_Fail(ERR_MISSING, "Png_Save{image}", kSavePlace);
    if (alpha && (!alpha->data || alpha->width != colour->width || alpha->height != colour->height))
        return Err_Fail(ERR_DATA, "Png_Save{alpha}", kSavePlace);
    C_Image rgb;
    if (!Gfx_Image_Clone(colour, &rgb, GFX_FMT_R8G8B8, GFX_FMT_NONE)) return false;
    C_Image level;
    if (alpha && !Gfx_Image_Clone(alpha, &level, GFX_FMT_L8, GFX_FMT_NONE)) return false;

    const uint32_t w = rgb.width, h = rgb.height;
    const int channels = alpha ? 4 : 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * channels);
    std::vector<png_bytep> rows(h);
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* src = rgb.GetRow(y);
        const uint8_t* lv = alpha ? level.GetRow(y) : nullptr;
        uint8_t* dst = pixels.data() + static_cast<size_t>(y) * w * channels;
        rows[y] = dst;
        for (uint32_t x = 0; x < w; ++x, src += 3, dst += channels) {
            dst[0] = src[2];  // memory order of a 24-bit pixel is blue, green, red
            dst[1] = src[1];
            dst[2] = src[0];
            if (lv) dst[3] = lv[x];
        }
    }
    FILE* file = std::fopen(fileName, "wb");
    if (!file) {
        Err_Set(ERR_OPEN_WRITE, 0, 0, "%s", std::strerror(errno));
        Err_Fatal(kSavePlace);
        return false;
    }
    const bool written = WriteRows(file, w, h, channels, rows.data());
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        Err_Set(ERR_OPEN_WRITE, 0, 0, "cannot write %s", fileName);
        Err_Fatal(kSavePlace);
        return false;
    }
    return true;
}

bool Png_Load(const char* fileName, C_Image* colour, C_Image* alpha, bool* hasAlpha) {
    if (!fileName || !colour) return Err_Fail(ERR_MISSING, "Png_Load{image}", kLoadPlace);
    FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        Err_Set(ERR_OPEN_READ, 0, 0, "%s", std::strerror(errno));
        Err_Fatal(kLoadPlace);
        return false;
    }
    ReadResult read;
    S_PngError error = {{0}};
    const bool ok = ReadRows(file, &read, &error);
    std::fclose(file);
    if (!ok) {
        Err_Set(ERR_DATA, 0, 0, "%s", error.text[0] ? error.text : "not a readable PNG file");
        Err_Fatal(kLoadPlace);
        return false;
    }
    if (!colour->CreateEmpty(read.width, read.height, GFX_FMT_R8G8B8, GFX_FMT_NONE)) return false;
    const bool wantAlpha = read.alpha && alpha;
    if (wantAlpha && !alpha->CreateEmpty(read.width, read.height, GFX_FMT_L8, GFX_FMT_NONE)) return false;
    const int channels = read.alpha ? 4 : 3;
    for (uint32_t y = 0; y < read.height; ++y) {
        const uint8_t* src = read.pixels.data() + static_cast<size_t>(y) * read.width * channels;
        uint8_t* dst = colour->GetRow(y);
        uint8_t* lv = wantAlpha ? alpha->GetRow(y) : nullptr;
        for (uint32_t x = 0; x < read.width; ++x, src += channels, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            if (lv) lv[x] = src[3];
        }
    }
    if (hasAlpha) *hasAlpha = read.alpha;
    return true;
}
