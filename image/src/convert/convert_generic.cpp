// The generic converter: every pixel is read into channel values, each value
// is adapted to the destination's channel width, and the values are packed.
#include <cstring>

#include "convert/convert_internal.h"
#include "convert/pixel_access.h"
#include "softblit/image/image.h"

namespace {

// Width adaptation of one channel from s to t bits as
//   ((c * mul) >> k) + (c & low)
// which covers narrowing (c >> (s - t)), widening by at most s bits
// ((c << d) + (c & (2^d - 1))) and widening further by repeating the source
// bits until t bits are filled (so that full scale stays full scale).
struct S_Adapt {
    uint64_t mul;
    uint32_t k;
    uint64_t low;

    uint64_t operator()(uint64_t c) const { return ((c * mul) >> k) + (c & low); }
};

// `repeat` false keeps the plain widening rule at every distance (the rule
// used on the way to float channels).
S_Adapt MakeAdapt(uint32_t s, uint32_t t, bool repeat) {
    if (s == 0 || t == 0) return {0, 0, 0};
    if (t <= s) return {1, s - t, 0};
    const uint32_t d = t - s;
    if (d <= s || !repeat) return {uint64_t(1) << d, 0, (uint64_t(1) << d) - 1};
    uint64_t pattern = 1;
    uint32_t filled = s;
    while (filled < t) {
        pattern = (pattern << s) | 1;
        filled += s;
    }
    return {pattern, filled - t, 0};
}

uint64_t FieldMask(uint32_t bits) { return bits >= 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1; }

bool IsFloat(const S_FormatDesc& d) {
    return d.componentType == GFX_COMPONENT_FLOAT || d.componentType == GFX_COMPONENT_DOUBLE;
}

// ---- integer to integer -------------------------------------------------

struct S_IntChannel {
    uint32_t srcShift;
    uint64_t srcMask;
    S_Adapt adapt;
    uint64_t dstMask;
    uint32_t dstShift;
};

void ConvertInt(const S_PixelView& s, const S_PixelView& d) {
    S_IntChannel ch[4];
    uint32_t count = 0;
    const bool carryIndex = s.desc.indexed && d.desc.indexed;
    for (uint32_t c = 0; c < 4; ++c) {
        const uint32_t sb = s.desc.bits[c], db = d.desc.bits[c];
        if (db == 0 || sb == 0) continue;  // absent on either side: contributes 0
        S_IntChannel& m = ch[count++];
        m.srcShift = s.desc.shift[c];
        m.srcMask = FieldMask(sb);
        // An index keeps its value; a level keeps its scale.
        m.adapt = carryIndex ? S_Adapt{1, 0, 0} : MakeAdapt(sb, db, true);
        m.dstMask = FieldMask(db);
        m.dstShift = d.desc.shift[c];
    }
    const Pixel_FetchFn fetch = Pixel_Fetcher(s.desc.bitsPerPixel);
    const Pixel_StoreFn store = Pixel_Storer(d.desc.bitsPerPixel);
    for (uint32_t y = 0; y < s.height; ++y) {
        const uint8_t* srow = s.Row(y);
        uint8_t* drow = d.Row(y);
        for (uint32_t x = 0; x < s.width; ++x) {
            const uint64_t raw = fetch(srow, x);
            uint64_t out = 0;
            for (uint32_t i = 0; i < count; ++i) {
                const S_IntChannel& m = ch[i];
                out |= (m.adapt((raw >> m.srcShift) & m.srcMask) & m.dstMask) << m.dstShift;
            }
            store(drow, x, out);
        }
    }
}

// ---- conversions that involve float channels ----------------------------

struct S_FloatPlan {
    const S_FormatDesc* s;
    const S_FormatDesc* d;
    Pixel_FetchFn fetch;  // integer sources
    Pixel_StoreFn store;  // integer destinations
    S_Adapt to32[4];      // integer source channel to 32 bits
    double scale[4];      // 2^t - 1 of integer destination channels
};

void ReadValues(const S_FloatPlan& p, const uint8_t* row, uint32_t x, double v[4]) {
    const S_FormatDesc& s = *p.s;
    if (s.componentType == GFX_COMPONENT_DOUBLE) {
        std::memcpy(&v[0], row + static_cast<uintptr_t>(x) * 8, 8);
        v[1] = v[2] = v[3] = 0.0;
        return;
    }
    if (s.componentType == GFX_COMPONENT_FLOAT) {
        const uint8_t* px = row + static_cast<uintptr_t>(x) * s.bytesPerPixel;
        for (int c = 0; c < 4; ++c) {
            float f = 0.0f;
            if (s.bits[c]) std::memcpy(&f, px + s.shift[c] / 8, 4);
            v[c] = f;
        }
        return;
    }
    const uint64_t raw = p.fetch(row, x);
    for (int c = 0; c < 4; ++c) {
        const uint64_t level = (raw >> s.shift[c]) & FieldMask(s.bits[c]);
        v[c] = static_cast<double>(p.to32[c](level)) * (1.0 / 4294967296.0);
    }
}

void WriteValues(const S_FloatPlan& p, uint8_t* row, uint32_t x, const double v[4]) {
    const S_FormatDesc& d = *p.d;
    if (d.componentType == GFX_COMPONENT_DOUBLE) {
        std::memcpy(row + static_cast<uintptr_t>(x) * 8, &v[0], 8);
        return;
    }
    if (d.componentType == GFX_COMPONENT_FLOAT) {
        uint8_t* px = row + static_cast<uintptr_t>(x) * d.bytesPerPixel;
        for (int c = 0; c < 4; ++c) {
            if (!d.bits[c]) continue;
            const float f = static_cast<float>(v[c]);
            std::memcpy(px + d.shift[c] / 8, &f, 4);
        }
        return;
    }
    uint64_t out = 0;
    for (int c = 0; c < 4; ++c) {
        if (!d.bits[c]) continue;
        // Out-of-range and NaN values saturate instead of overflowing.
        const double f = v[c] > 0.0 ? (v[c] < 1.0 ? v[c] : 1.0) : 0.0;
        out |= static_cast<uint64_t>(f * p.scale[c]) << d.shift[c];
    }
    p.store(row, x, out);
}

void ConvertFloat(const S_PixelView& s, const S_PixelView& d) {
    S_FloatPlan p;
    p.s = &s.desc;
    p.d = &d.desc;
    p.fetch = Pixel_Fetcher(s.desc.bitsPerPixel);
    p.store = Pixel_Storer(d.desc.bitsPerPixel);
    for (int c = 0; c < 4; ++c) {
        p.to32[c] = MakeAdapt(s.desc.bits[c], 32, false);
        p.scale[c] = static_cast<double>(FieldMask(d.desc.bits[c] > 32 ? 32 : d.desc.bits[c]));
    }
    double v[4];
    for (uint32_t y = 0; y < s.height; ++y) {
        const uint8_t* srow = s.Row(y);
        uint8_t* drow = d.Row(y);
        for (uint32_t x = 0; x < s.width; ++x) {
            ReadValues(p, srow, x, v);
            WriteValues(p, drow, x, v);
        }
    }
}

// ---- indexed sources into non-indexed destinations ----------------------

void ConvertThroughPalette(const S_PixelView& s, const S_PixelView& d, const uint8_t* table) {
    const Pixel_FetchFn fetchIndex = Pixel_Fetcher(s.desc.bitsPerPixel);
    const uint32_t bpp = d.desc.bitsPerPixel;
    const uint32_t bytes = d.desc.bytesPerPixel;
    if (bpp < 8) {
        const Pixel_FetchFn fetchEntry = Pixel_Fetcher(bpp);
        const Pixel_StoreFn store = Pixel_Storer(bpp);
        for (uint32_t y = 0; y < s.height; ++y) {
            const uint8_t* srow = s.Row(y);
            uint8_t* drow = d.Row(y);
            for (uint32_t x = 0; x < s.width; ++x)
                store(drow, x, fetchEntry(table, static_cast<uint32_t>(fetchIndex(srow, x))));
        }
        return;
    }
    for (uint32_t y = 0; y < s.height; ++y) {
        const uint8_t* srow = s.Row(y);
        uint8_t* drow = d.Row(y);
        for (uint32_t x = 0; x < s.width; ++x)
            std::memcpy(drow + static_cast<uintptr_t>(x) * bytes,
                        table + fetchIndex(srow, x) * bytes, bytes);
    }
}

}  // namespace

bool Convert_MakeView(const C_Image* image, S_PixelView& view) {
    std::memset(&view, 0, sizeof(view));
    if (!Gfx_GetFormatDesc(image->format, view.desc) || view.desc.bitsPerPixel == 0) return false;
    view.width = image->width;
    view.height = image->height;
    view.palette = image->m_palette;
    view.paletteSize = image->m_palette ? image->paletteSize : 0;
    view.paletteFormat = image->paletteFormat;
    if (image->width == 0 || image->height == 0) return true;
    const uint64_t rowBits = static_cast<uint64_t>(image->width) * view.desc.bitsPerPixel;
    if (!image->data || rowBits >= IMAGE_MAX_ROW_BITS) return false;
    const uint32_t rowBytes = static_cast<uint32_t>((rowBits + 7) / 8);
    const uint64_t span = static_cast<uint64_t>(image->height - 1) * image->pitch + rowBytes;
    if (image->pitch < rowBytes || span > image->dataSize) return false;
    view.row0 = image->GetRow(0);
    view.step = image->bottomUp ? -static_cast<ptrdiff_t>(image->pitch)
                                : static_cast<ptrdiff_t>(image->pitch);
    return true;
}

E_ConvertResult Convert_PaletteTable(const S_PixelView& s, const S_FormatDesc& d,
                                     uint8_t table[256 * 16]) {
    S_FormatDesc pal;
    if (!s.palette || !Gfx_GetFormatDesc(s.paletteFormat, pal) || pal.bitsPerPixel < 8 ||
        pal.indexed)
        return CONVERT_BAD_PALETTE;
    const uint32_t entries = 1u << s.desc.bits[0];
    if (s.paletteSize < entries * pal.bytesPerPixel) return CONVERT_BAD_PALETTE;

    S_PixelView from;
    std::memset(&from, 0, sizeof(from));
    from.row0 = const_cast<uint8_t*>(s.palette);
    from.width = entries;
    from.height = 1;
    from.desc = pal;
    S_PixelView to = from;
    to.row0 = table;
    to.desc = d;
    to.palette = nullptr;
    std::memset(table, 0, 256 * 16);
    if (pal.format == d.format) {
        std::memcpy(table, s.palette, entries * pal.bytesPerPixel);
        return CONVERT_OK;
    }
    return Convert_Generic(from, to);
}

E_ConvertResult Convert_Generic(const S_PixelView& s, const S_PixelView& d) {
    if (s.desc.indexed && !d.desc.indexed) {
        uint8_t table[256 * 16];
        const E_ConvertResult result = Convert_PaletteTable(s, d.desc, table);
        if (result != CONVERT_OK) return result;
        ConvertThroughPalette(s, d, table);
        return CONVERT_OK;
    }
    if (IsFloat(s.desc) || IsFloat(d.desc))
        ConvertFloat(s, d);
    else
        ConvertInt(s, d);
    return CONVERT_OK;
}
