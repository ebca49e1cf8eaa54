#include <gtest/gtest.h>

#include <vector>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Ids = std::vector<uint32_t>;

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

Ids PlaneOrder(const C_Surface& s) {
    Ids ids;
    for (uint32_t i = 0; s.planes != nullptr && i < s.planes->GetCount(); ++i)
        ids.push_back(static_cast<C_SurfacePlane*>(s.planes->GetAt(i))->planeId);
    return ids;
}

// A surface with a 3x2 colour plane (filed first) and alpha plane.
void AddTwoPlanes(C_Surface& s, int32_t format = GFX_FMT_A8R8G8B8) {
    s.AddPlane(NewImage(3, 2, format), GFX_PLANE_COLOR);
    s.AddPlane(NewImage(3, 2, GFX_FMT_L8), GFX_PLANE_ALPHA);
}

TEST(Surface, PlanesAreFiledNewestFirstReplacedByIdAndFreedUnlessShared) {
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Image* colour = NewImage(4, 3, GFX_FMT_A8R8G8B8);
        C_Image* alpha = NewImage(4, 3, GFX_FMT_L8);
        C_Surface s(0, colour, alpha, nullptr, nullptr, NewImage(1, 1, GFX_FMT_L8), nullptr);
        EXPECT_EQ(PlaneOrder(s), (Ids{8, 2, 1}));
        EXPECT_EQ(s.GetWidth(), 4u);
        EXPECT_EQ(s.GetHeight(), 3u);
        EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_ALPHA), alpha);
        EXPECT_EQ(s.GetPlane(GFX_PLANE_ALPHA)->displayCopy, nullptr);
        EXPECT_EQ(s.GetPlane(3), nullptr);
        C_Image* bigger = NewImage(7, 5, GFX_FMT_A8R8G8B8);
        ASSERT_TRUE(s.AddPlane(bigger, GFX_PLANE_COLOR));  // the old colour image is freed here
        EXPECT_EQ(PlaneOrder(s), (Ids{8, 2, 1}));
        EXPECT_EQ(s.GetWidth(), 7u);
        ASSERT_TRUE(s.AddPlane(bigger, GFX_PLANE_COLOR));  // filing a plane's own image again must not free it
        EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_COLOR)->width, 7u);
        EXPECT_FALSE(s.AddPlane(nullptr, GFX_PLANE_ALPHA));
        EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);

    C_Surface empty;
    EXPECT_EQ(empty.GetPlane(GFX_PLANE_COLOR), nullptr);
    EXPECT_EQ(empty.GetPlaneImage(GFX_PLANE_ALPHA), nullptr);
    EXPECT_FALSE(empty.Prepare(GFX_PLANE_COLOR));
    EXPECT_FALSE(empty.Unprepare(GFX_PLANE_ALL));

    // A sharing surface never frees what it is given.
    C_Image a, b;
    a.CreateEmpty(2, 2, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    b.CreateEmpty(3, 3, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    {
        C_Surface shared(1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        shared.AddPlane(&a, GFX_PLANE_COLOR);
        shared.AddPlane(&b, GFX_PLANE_COLOR);
        EXPECT_EQ(shared.GetWidth(), 3u);
    }
    EXPECT_EQ(a.width + b.width, 5u);
}

int g_calls = 0, g_lastPlane = 0;
bool CountingHook(C_Surface*, int32_t plane) { return ++g_calls, g_lastPlane = plane, true; }

TEST(Surface, HooksRunWithTheSurfaceAndReleaseUnprepares) {
    g_calls = 0;
    {
        C_Surface s;
        s.prepareHook = s.unprepareHook = s.hook1 = CountingHook;
        EXPECT_TRUE(s.Prepare(GFX_PLANE_ALPHA));
        EXPECT_EQ(g_lastPlane, GFX_PLANE_ALPHA);
        EXPECT_TRUE(s.CallHook1(3));
        EXPECT_FALSE(s.CallHook2(3));
        s.Reset();  // hooks survive a reset
        EXPECT_EQ(g_calls, 2);
    }
    EXPECT_EQ(g_calls, 3);  // released: unprepared
    EXPECT_EQ(g_lastPlane, GFX_PLANE_ALL);
}

TEST(Surface, StreamFormIsByteExactAndReloadsInReverseOrder) {
    C_Surface none, back;
    EXPECT_EQ(Save(none), (Bytes{0x0D, 0x00, 0x80}));
    back.AddPlane(NewImage(1, 1, GFX_FMT_L8), GFX_PLANE_COLOR);
    ASSERT_TRUE(Load(back, {0x0D, 0x00, 0x80}));
    EXPECT_EQ(back.planes, nullptr);
    EXPECT_EQ(back.GetWidth(), 0u);

    C_Surface colourOnly;
    C_Image* colour = NewImage(2, 1, GFX_FMT_A8R8G8B8);
    colourOnly.AddPlane(colour, GFX_PLANE_COLOR);
    const Bytes img = Save(*colour);
    Bytes expected = {0x0D, 0x00, 0x7F, 0x81, 0x01, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), img.begin(), img.end());
    expected.push_back(0x80);
    EXPECT_EQ(Save(colourOnly), expected);

    // Planes 2 then 1 in the array; saved in that order, reloaded reversed.
    C_Surface two, loaded, twice;
    AddTwoPlanes(two);
    const Bytes bytes = Save(two);
    EXPECT_EQ(bytes[3], 0x81);
    EXPECT_EQ(bytes[4], 0x02);
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(PlaneOrder(loaded), (Ids{1, 2}));
    EXPECT_EQ(loaded.GetWidth(), 3u);
    EXPECT_EQ(loaded.GetHeight(), 2u);
    EXPECT_EQ(loaded.planesShared, 0);
    const Bytes again = Save(loaded);
    EXPECT_EQ(again[4], 0x01);
    EXPECT_EQ(again.size(), bytes.size());
    ASSERT_TRUE(Load(twice, again));
    EXPECT_EQ(Save(twice), bytes);
    EXPECT_EQ(Save(*twice.GetPlaneImage(GFX_PLANE_ALPHA)), Save(*two.GetPlaneImage(GFX_PLANE_ALPHA)));

    // Stray bytes between entries are skipped one at a time.
    Bytes stray = {0x0D, 0x00, 0x7F, 0x00, 0x42};
    stray.insert(stray.end(), bytes.begin() + 3, bytes.end());
    ASSERT_TRUE(Load(loaded, stray));
    EXPECT_EQ(PlaneOrder(loaded), (Ids{1, 2}));
}

TEST(Surface, DamagedStreamsFailAndKeepWhatWasRead) {
    C_Surface two;
    AddTwoPlanes(two);
    const Bytes bytes = Save(two);
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Surface s;
        EXPECT_FALSE(Load(s, {0x06, 0x00, 0x80}));
        EXPECT_EQ(Err_GetCause().code, ERR_DATA);
        EXPECT_STREQ(Err_GetCause().message, "C_Surface::LoadFromStream{class_type}");
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);

        // A record cut anywhere fails; the planes read completely stay.
        for (size_t cut = 2; cut < bytes.size(); ++cut)
            EXPECT_FALSE(Load(s, Bytes(bytes.begin(), bytes.begin() + cut))) << "cut at " << cut;
        EXPECT_FALSE(Load(s, {0x0D, 0x00, 0x7F}));
        EXPECT_STREQ(Err_GetCause().message, "C_Surface::LoadFromStream{stream}");
        EXPECT_NE(s.planes, nullptr);
        EXPECT_EQ(s.planes->GetCount(), 0u);

        Bytes badSecond = bytes;
        const size_t second = 3 + 5 + Save(*two.GetPlaneImage(GFX_PLANE_ALPHA)).size();  // plane 1's entry
        ASSERT_EQ(badSecond[second], 0x81);
        badSecond[second + 5] = 0x07;  // its image tag
        EXPECT_FALSE(Load(s, badSecond));
        EXPECT_EQ(PlaneOrder(s), Ids{2});
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}

TEST(Surface, ChangeFormatConvertsColourAndAlphaPlanes) {
    C_Surface s, sixteen;
    AddTwoPlanes(s);
    ASSERT_TRUE(Gfx_Surface_ChangeFormat(&s, GFX_FMT_R5G6B5, GFX_FMT_NONE));
    EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_COLOR)->format, GFX_FMT_R5G6B5);
    EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_ALPHA)->format, GFX_FMT_L8);
    AddTwoPlanes(sixteen, GFX_FMT_R16G16B16A16);
    ASSERT_TRUE(Gfx_Surface_ChangeFormat(&sixteen, GFX_FMT_A16R16G16B16, GFX_FMT_NONE));
    EXPECT_EQ(sixteen.GetPlaneImage(GFX_PLANE_ALPHA)->format, GFX_FMT_L16);

    EXPECT_FALSE(Gfx_Surface_ChangeFormat(nullptr, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    EXPECT_STREQ(Err_GetCause().message, "Gfx_Surface_ChangeFormat{pSurface->format}");
    // A conversion that fails is reported, not hidden.
    EXPECT_FALSE(Gfx_Surface_ChangeFormat(&s, 99, GFX_FMT_NONE));
    EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_COLOR)->format, GFX_FMT_R5G6B5);
    EXPECT_TRUE(Gfx_Surface_ChangeFormat(&s, GFX_FMT_KEEP, GFX_FMT_NONE));
    EXPECT_EQ(s.GetPlaneImage(GFX_PLANE_ALPHA)->format, GFX_FMT_L8);
}

}  // namespace
