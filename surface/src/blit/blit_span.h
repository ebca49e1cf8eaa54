// The record that set-up hands to every span kernel: everything a kernel needs
// is decided and precomputed here, so a kernel only runs its loop.
#pragma once

#include <cstdint>
#include <cstring>

struct S_BlitSpan {
    // Fixed for the whole blit.
    uint32_t srcShift[3];          // red, green, blue bit positions (8-bit channels)
    uint32_t dstShift[3];
    const uint8_t* srcOrigin;      // source row 0, column 0 (own row order honoured)
    intptr_t srcPitch;             // bytes from source row r to r + 1 (may be negative)
    const uint8_t* srcAlphaOrigin; // 8-bit source alpha plane, or null
    intptr_t srcAlphaPitch;
    int32_t boxLeft, boxTop, boxRight, boxBottom;  // integer source box: nearest cells clamp into it
    int32_t srcWidth, srcHeight;   // bilinear neighbours wrap around the whole image
    uint32_t key;                  // packed in the source format
    uint32_t fill;
    int32_t fillChannel[3];
    int32_t opacity;               // 0..256 (256 opaque), larger values saturate like 256
    // Effects family, source colours: contrast, brightness and the clamp
    // folded into one table per channel (the identity when both are off).
    uint8_t tone[3][256];
    // Serial number of the blit (never 0 once chosen): kernels that keep
    // work from row to row keep it for one blit only.
    uint32_t blit;

    // Set by the walker for each row.
    const uint8_t* src;            // unscaled: first source pixel; scaled: the sampled source row
    const uint8_t* srcAlpha;       // the same in the source alpha plane
    uint8_t* dst;                  // first destination pixel
    uint8_t* dstAlpha;             // its 8-bit destination alpha, or null
    int32_t count;                 // pixels in the row (>= 1)
    int32_t u, v;                  // 16.16 source position of the first pixel
    int32_t du, dv;                // 16.16 step per destination pixel
};

typedef void (*T_SpanKernel)(S_BlitSpan& span);

// Pixels are 32-bit words at any byte address (pitches need not be multiples of 4).
inline uint32_t Pixel_Load(const uint8_t* p) {
    uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

inline void Pixel_Store(uint8_t* p, uint32_t w) { std::memcpy(p, &w, 4); }

// Kernel families and the options that split them into separate loops.
enum : uint32_t {
    SPAN_MIRROR = 1,      // unscaled: the source is walked backwards
    SPAN_FILL = 2,        // the fill colour replaces source colours
    SPAN_SRC_ALPHA = 4,   // an 8-bit source alpha plane gives the coverage
    SPAN_DST_ALPHA = 8,   // an 8-bit destination alpha plane is blended and updated
    SPAN_OPAQUE = 16,     // opacity factor exactly 256
    SPAN_KEY = 32,        // source words equal to the key are skipped
    SPAN_BILINEAR = 64,   // effects of scaled and rotated walks: bilinear samples
    SPAN_OPTION_COUNT = 128,
};

enum E_BlitMode : int32_t { BLIT_UNSCALED = 0, BLIT_SCALED = 1, BLIT_ROTATED = 2 };
enum E_BlitFamily : int32_t { BLIT_PLAIN = 0, BLIT_BLEND = 1, BLIT_EFFECTS = 2 };

// The kernel of one family for one walking mode and set of options.
T_SpanKernel Kernel_Choose(E_BlitMode mode, E_BlitFamily family, uint32_t options);
