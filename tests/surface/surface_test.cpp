// The ".srf" record byte for byte, and reloads that fail cleanly.
#include <gtest/gtest.h>

#include <vector>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

namespace {
using Bytes = std::vector<uint8_t>;

C_Image* NewImage(uint32_t w, uint32_t h, int32_t format) {
    C_Image* image = new C_Image();
    image->CreateEmpty(w, h, format, GFX_FMT_NONE);
    for (uint32_t i = 0; i < image->dataSize; ++i) image->data[i] = static_cast<uint8_t>(i * 7 + w);
    return image;
}

Bytes Save(C_Object& object) {
    C_Stream stream;
    stream.OpenMemoryForWrite();
    EXPECT_TRUE(object.SaveToStream(&stream, 0));
    Bytes bytes(stream.buffer, stream.buffer + stream.size);
    stream.Close();
    return bytes;
}

bool Load(C_Object& object, const Bytes& bytes) {
    C_Stream stream;
    stream.OpenMemoryForRead(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const bool ok = object.LoadFromStream(&stream, 0);
    stream.Close();
    return ok;
}

TEST(Surface, StreamFormIsByteExactAndReloadsInReverseOrder) {
    C_Surface colourOnly;
    C_Image* colour = NewImage(2, 1, GFX_FMT_A8R8G8B8);
    colourOnly.AddPlane(colour, GFX_PLANE_COLOR);
    const Bytes img = Save(*colour);
    Bytes expected = {0x0D, 0x00, 0x7F, 0x81, 0x01, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), img.begin(), img.end());
    expected.push_back(0x80);
    EXPECT_EQ(Save(colourOnly), expected);

    // Planes 2 then 1 in the array, colour filed first; saved in that order, reloaded reversed.
    C_Surface two, loaded, twice;
    two.AddPlane(NewImage(3, 2, GFX_FMT_A8R8G8B8), GFX_PLANE_COLOR);
    two.AddPlane(NewImage(3, 2, GFX_FMT_L8), GFX_PLANE_ALPHA);
    const Bytes bytes = Save(two);
    EXPECT_EQ(bytes[3], 0x81);
    EXPECT_EQ(bytes[4], 0x02);
    ASSERT_TRUE(Load(loaded, bytes));
    ASSERT_EQ(loaded.planes->GetCount(), 2u);
    EXPECT_EQ(static_cast<C_SurfacePlane*>(loaded.planes->GetAt(0))->planeId, 1u);
    ASSERT_TRUE(Load(twice, Save(loaded)));  // reversed once more: the original bytes
    EXPECT_EQ(Save(twice), bytes);

    // Every cut fails, with nothing leaked.
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Surface s;
        for (size_t cut = 2; cut < bytes.size(); ++cut)
            EXPECT_FALSE(Load(s, Bytes(bytes.begin(), bytes.begin() + cut))) << "cut at " << cut;
        EXPECT_EQ(Err_GetCause().code, ERR_DATA);
        EXPECT_STREQ(Err_GetCause().message, "C_Surface::LoadFromStream{stream}");
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);

    C_Surface missing;
    EXPECT_FALSE(missing.LoadFromFile("/nonexistent/softblit/missing.srf", 0));
    EXPECT_EQ(Err_GetCause().code, ERR_OPEN_READ);
}

TEST(Surface, PlanesAreBoundedAsAWhole) {
    // 179 bytes: five planes of a format whose rows the record does not carry,
    // each claiming 2^28 bytes (1024 x 32768 at 64 bits).
    Bytes bytes = {0x0D, 0x00, 0x7F};
    auto put = [&bytes](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
    };
    for (int plane = 0; plane < 5; ++plane) {
        bytes.push_back(0x81);
        put(GFX_PLANE_COLOR, 4);
        put(6, 2);
        for (uint32_t v : {1u << 28, 1024u, 32768u, 8192u, 64u, uint32_t(GFX_FMT_A16B16G16R16), 0u}) put(v, 4);
    }
    bytes.push_back(0x80);
    ASSERT_EQ(bytes.size(), 179u);
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Surface s;
        EXPECT_FALSE(Load(s, bytes));
        EXPECT_EQ(Err_GetCause().code, ERR_DATA);
        EXPECT_STREQ(Err_GetCause().message, "C_Surface::LoadFromStream{stream}");
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_TRUE(s.planes == nullptr);
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
    // One such plane is within the bound.
    Bytes single(bytes.begin(), bytes.begin() + 3 + 35);
    single.push_back(0x80);
    C_Surface one;
    EXPECT_TRUE(Load(one, single));
}

TEST(Surface, ReplacingAPlaneKeepsItsDisplayCopyAndTheCallersImage) {
    C_Surface s;
    C_Image* first = NewImage(2, 2, GFX_FMT_L8);
    ASSERT_TRUE(s.AddPlane(first, GFX_PLANE_COLOR));
    C_Image* copy = NewImage(2, 2, GFX_FMT_A8R8G8B8);
    s.GetPlane(GFX_PLANE_COLOR)->displayCopy = copy;
    // The display frees copies through the record it finds; replacing the
    // record must hand the copy on, not drop it.
    ASSERT_TRUE(s.AddPlane(NewImage(3, 1, GFX_FMT_L8), GFX_PLANE_COLOR));
    EXPECT_EQ(s.GetPlane(GFX_PLANE_COLOR)->displayCopy, copy);
    EXPECT_EQ(s.width, 3u);
    // Filing a plane's own image again keeps it alive.
    C_Image* same = s.GetPlaneImage(GFX_PLANE_COLOR);
    ASSERT_TRUE(s.AddPlane(same, GFX_PLANE_COLOR));
    EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_COLOR)->width, 3u);
    s.GetPlane(GFX_PLANE_COLOR)->displayCopy = nullptr;
    delete copy;
}

}  // namespace
