// Format conversion: channel widening, a few value rows, every pair of formats
// filling its whole destination, and the per-pair row loops against the
// generic converter, bit for bit.
#include "softblit/core/simd_level.h"
#include "image_test_util.h"

namespace {

using Values = std::vector<uint64_t>;

// Converts one row of pixels from `from` into `to` and returns its values.
// Sub-byte pixels are packed from the top bits down; wider ones are
// little-endian values.
Values Convert(int32_t from, const Values& in, int32_t to) {
    S_FormatDesc d;
    Gfx_GetFormatDesc(from, d);
    C_Image source, out;
    EXPECT_TRUE(source.CreateEmpty(uint32_t(in.size()), 1, from, d.indexed ? GFX_FMT_R8G8B8 : GFX_FMT_NONE));
    std::memset(source.data, 0, source.dataSize);
    for (uint32_t x = 0, bits = d.bitsPerPixel; x < in.size(); ++x) {
        if (bits < 8) source.data[x * bits / 8] |= uint8_t(in[x] << (8 - bits - x * bits % 8));
        else std::memcpy(source.data + x * bits / 8, &in[x], bits / 8);
    }
    EXPECT_TRUE(Gfx_Image_Clone(&source, &out, to, GFX_FMT_NONE));
    Values values(out.width);
    for (uint32_t x = 0, bits = out.bitsPerPixel; x < out.width; ++x) {
        if (bits < 8) values[x] = (out.data[x * bits / 8] >> (8 - bits - x * bits % 8)) & ((1u << bits) - 1);
        else std::memcpy(&values[x], out.data + x * bits / 8, bits / 8);
    }
    return values;
}

struct GenericOnly {
    GenericOnly() { Gfx_Convert_EnableFastPaths(false); }
    ~GenericOnly() { Gfx_Convert_EnableFastPaths(true); }
};

// An image over a random caller-owned buffer with `slack` bytes of padding per
// row; indexed images borrow a random palette from the same buffer.
struct Framed {
    std::vector<uint8_t> memory;
    C_Image image;
    Framed(uint32_t w, uint32_t h, int32_t format, uint32_t slack, bool bottomUp, std::mt19937& rng) {
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        const uint32_t pitch = Image_RowBytes(w, d.bitsPerPixel) + slack;
        memory.resize(size_t(pitch) * h + 1 + 768);
        for (uint8_t& b : memory) b = RandomByte(rng);
        EXPECT_TRUE(image.CreateLocked(w, h, pitch, format, d.indexed ? GFX_FMT_R8G8B8 : GFX_FMT_NONE, memory.data()));
        image.bottomUp = bottomUp;
        if (d.indexed) image.m_palette = memory.data() + memory.size() - 768, image.paletteSize = 768;
    }
    ~Framed() { image.m_palette = nullptr, image.paletteSize = 0; }
};

}  // namespace

TEST(Convert, WideningAndValueRows) {
    const struct {
        int32_t from;
        Values in;
        int32_t to;
        Values out;
    } cases[] = {
        // Widening repeats the source bits: 1 and a 3-bit 7 become 255, and
        // a 5-bit 16 becomes 128. Alpha the source lacks is 0.
        {GFX_FMT_A1R5G5B5, {0x8000, 0x0000}, GFX_FMT_A8R8G8B8, {0xFF000000, 0}},
        {GFX_FMT_R3G3B2, {0xFF, 0xA0, 0x01}, GFX_FMT_A8R8G8B8, {0x00FFFFFF, 0x00B60000, 0x00000055}},
        {GFX_FMT_R5G6B5, {0xFFFF, 0x8410}, GFX_FMT_A8R8G8B8, {0x00FFFFFF, 0x00808080}},
        // Narrowing keeps the top bits; one channel gives red only.
        {GFX_FMT_A8R8G8B8, {0x12F8FC07, 0xFFFFFFFF}, GFX_FMT_R5G6B5, {0xFFE0, 0xFFFF}},
        {GFX_FMT_L8, {0x40}, GFX_FMT_R8G8B8, {0x400000}},
        // Sub-byte pixels, and an index carried into another indexed format.
        {GFX_FMT_L1, {1, 0, 1, 1, 0, 0, 0, 1, 1}, GFX_FMT_L8, {255, 0, 255, 255, 0, 0, 0, 255, 255}},
        {GFX_FMT_L8, {0x80, 0x7F, 0xFF, 0, 0x90, 0x10, 0, 0xF0, 0xC0}, GFX_FMT_L1, {1, 0, 1, 0, 1, 0, 0, 1, 1}},
        {GFX_FMT_PAL4, {9, 15, 0}, GFX_FMT_PAL8, {9, 15, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(Convert(c.from, c.in, c.to), c.out) << c.from << "->" << c.to;
}

TEST(Convert, FloatChannelsToIntegersAndBack) {
    // Four floats of 0.5 (alpha, blue, green, red in memory order of the name's end).
    C_Image source, packed, back;
    ASSERT_TRUE(source.CreateEmpty(2, 1, GFX_FMT_A32B32G32R32F, GFX_FMT_NONE));
    const float half[8] = {0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 0.0f, 0.25f, 1.0f};
    std::memcpy(source.data, half, sizeof half);
    ASSERT_TRUE(Gfx_Image_Clone(&source, &packed, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    uint32_t words[2];
    std::memcpy(words, packed.data, 8);
    EXPECT_EQ(words[0], 0x7F7F7F7Fu);
    ASSERT_TRUE(Gfx_Image_Clone(&packed, &back, GFX_FMT_A32B32G32R32F, GFX_FMT_NONE));
    float floats[8];
    std::memcpy(floats, back.data, sizeof floats);
    // Back to floats, a level v is first widened to 32 bits (v x 2^24 + v).
    auto level = [](uint32_t v) { return float((double(v) * 16777216.0 + v) / 4294967296.0); };
    const float want[8] = {level(127), level(127), level(127), level(127), level(255), 0.0f, level(63), level(255)};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(floats[i], want[i]) << i;
}

// Two conversions into differently filled destinations agree on every pixel.
TEST(Convert, EveryPairWritesEveryDestinationPixel) {
    std::mt19937 rng(5);
    for (int32_t a = 1; a <= 47; ++a) {
        S_FormatDesc da;
        Gfx_GetFormatDesc(a, da);
        C_Image source;
        ASSERT_TRUE(source.CreateEmpty(29, 3, a, da.indexed ? GFX_FMT_R8G8B8 : GFX_FMT_NONE));
        Randomize(source, rng);
        for (int32_t b = 1; b <= 47; ++b) {
            C_Image d1, d2;
            ASSERT_TRUE(d1.CreateEmpty(29, 3, b, GFX_FMT_NONE) && d2.CreateEmpty(29, 3, b, GFX_FMT_NONE));
            std::memset(d1.data, 0x00, d1.dataSize);
            std::memset(d2.data, 0xFF, d2.dataSize);
            SCOPED_TRACE(::testing::Message() << a << "->" << b);
            ASSERT_TRUE(Gfx_Image_Copy_24to32(&source, &d1) && Gfx_Image_Copy_24to32(&source, &d2));
            // The unused low bits of a sub-byte row's last byte are written as 0.
            const uint32_t bits = 29 * d1.bitsPerPixel;
            for (uint32_t y = 0; y < 3; ++y) {
                const uint8_t *r1 = d1.GetRow(y), *r2 = d2.GetRow(y);
                ASSERT_EQ(std::memcmp(r1, r2, d1.rowBytes), 0) << "row " << y;
                ASSERT_EQ(bits % 8 ? r2[bits / 8] & (0xFF >> bits % 8) : 0, 0) << "row " << y;
            }
        }
    }
}

TEST(FastPaths, AllR5G6B5ValuesMatchTheWideningRule) {
    C_Image source, fast, generic;
    ASSERT_TRUE(source.CreateEmpty(256, 256, GFX_FMT_R5G6B5, GFX_FMT_NONE));
    for (uint32_t v = 0; v < 65536; ++v) source.data[2 * v] = uint8_t(v), source.data[2 * v + 1] = uint8_t(v >> 8);
    ASSERT_TRUE(Gfx_Image_Clone(&source, &fast, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    GenericOnly reference;
    ASSERT_TRUE(Gfx_Image_Clone(&source, &generic, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint32_t r = v >> 11, g = (v >> 5) & 63, b = v & 31;
        const uint32_t want = (((r << 3) + (r & 7)) << 16) | (((g << 2) + (g & 3)) << 8) | ((b << 3) + (b & 7));
        ASSERT_EQ(PixelArgb(fast, v & 255, v >> 8), want) << std::hex << v;
        ASSERT_EQ(PixelArgb(generic, v & 255, v >> 8), want) << std::hex << v;
    }
}

// Pixels and padding alike, on odd widths, padded pitches and bottom-up rows,
// at every vector level.
TEST(FastPaths, RandomImagesOfEveryPair) {
    const std::pair<int32_t, int32_t> pairs[] = {
        {GFX_FMT_PAL8, GFX_FMT_A8R8G8B8},   {GFX_FMT_L8, GFX_FMT_A8R8G8B8},       {GFX_FMT_R8G8B8, GFX_FMT_A8R8G8B8},
        {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8}, {GFX_FMT_A8B8G8R8, GFX_FMT_A8R8G8B8}, {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8},
        {GFX_FMT_A8R8G8B8, GFX_FMT_L8}};
    std::mt19937 rng(1234);
    const int32_t restore = Gfx_Simd_Level();
    for (int32_t level = GFX_SIMD_PLAIN; level <= Gfx_Simd_Available(); ++level)
    for (const auto& pair : pairs)
        for (uint32_t w : {1, 2, 3, 7, 9, 10, 11, 15, 16, 17, 31, 37, 63, 64, 65, 67, 641})
            for (uint32_t variant = 0; variant < 4; ++variant) {
                Gfx_Simd_SetLevel(level);
                SCOPED_TRACE(::testing::Message() << pair.first << "->" << pair.second << ", width " << w << ", variant "
                                                  << variant << ", level " << level);
                const uint32_t h = 1 + rng() % 9, slack = variant & 1 ? 3 : 0;
                Framed source(w, h, pair.first, variant & 1 ? 1 + rng() % 13 : 0, variant & 2, rng);
                Framed fast(w, h, pair.second, slack, variant == 1, rng);
                Framed generic(w, h, pair.second, slack, variant == 1, rng);
                std::copy(fast.memory.begin(), fast.memory.end(), generic.memory.begin());  // same padding
                ASSERT_TRUE(Gfx_Image_Copy_24to32(&source.image, &fast.image));
                GenericOnly reference;
                ASSERT_TRUE(Gfx_Image_Copy_24to32(&source.image, &generic.image));
                ASSERT_EQ(fast.memory, generic.memory);
            }
    Gfx_Simd_SetLevel(restore);
}
