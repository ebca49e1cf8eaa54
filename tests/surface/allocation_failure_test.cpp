// Every allocation of loading, storing, converting and blitting made to fail
// in turn: the operation must fail with error 3, free what it took (the
// memory in use back to its start; the leak checker of the sanitizer build
// sees the rest) and leave its objects reusable.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/image_test_util.h"
#include "softblit/image/convert.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/blit_kernel.h"
#include "softblit/surface/primitives.h"
#include "softblit/surface/surface.h"
#include "support/sample_files.h"

namespace {

// Fails allocation 1, 2, ... of `op` until `op` runs through without reaching
// the armed one; returns the number of allocations walked.
uint32_t WalkFailures(const std::string& what, const std::function<bool()>& op) {
    const uint32_t start = Sys_Status.memoryInUse;
    for (uint32_t n = 1;; ++n) {
        Err_Set(0, 0, 0, "none");
        Mem_FailAllocation(n);
        const bool ok = op();
        const bool reached = !Mem_FailPending();
        Mem_FailAllocation(0);
        EXPECT_EQ(Sys_Status.memoryInUse, start) << what << ", allocation " << n << " failing";
        if (!reached) {
            EXPECT_TRUE(ok) << what << " fails without a failing allocation";
            return n - 1;
        }
        // An operation that lost an allocation and still reports success has
        // lost data somewhere.
        EXPECT_FALSE(ok) << what << " succeeds with allocation " << n << " failing";
        EXPECT_EQ(Err_GetCause().code, ERR_ALLOC) << what << ", allocation " << n << ": " << Err_GetCause().message;
        if (::testing::Test::HasFailure()) return n;
    }
}

// The engine's edge tables only grow; emptied, the next rotated blit or
// filled circle must allocate them again.
void EmptyEdgeTables() {
    for (C_Buffer* table : {&Gfx_BlitKernel.edgeLeftmost, &Gfx_BlitKernel.edgeRightmost}) table->Release(), table->Reset();
}

Bytes Saved(C_Object& object) {
    C_Stream out;
    out.OpenMemoryForWrite();
    EXPECT_TRUE(object.SaveToStream(&out, 0));
    return Bytes(out.buffer, out.buffer + out.size);
}

TEST(AllocationFailure, EveryLoaderFailsCleanlyAtEveryAllocation) {
    const struct {
        Loader loader;
        std::vector<Bytes> files;
    } kinds[] = {{Loader::Bmp, BmpSeeds()}, {Loader::Pcx, PcxSeeds()}, {Loader::Tga, TgaSeeds()},
                 {Loader::Img, ImgSeeds()}};
    for (const auto& kind : kinds) {
        for (size_t i = 0; i < kind.files.size(); ++i) {
            C_Image image;  // reused across the failures: a failed load must leave it reset
            const uint32_t walked =
                WalkFailures("file " + std::to_string(int(kind.loader)) + "/" + std::to_string(i), [&] {
                    const bool ok = LoadBytes(image, kind.loader, kind.files[i]);
                    EXPECT_TRUE(ok ? image.data != nullptr : IsReset(image));
                    image.Release();
                    image.Reset();
                    return ok;
                });
            EXPECT_GE(walked, 1u);
        }
    }
}

TEST(AllocationFailure, StoringAndConvertingFailCleanly) {
    C_Image source;
    ASSERT_TRUE(source.CreateEmpty(7, 3, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    std::mt19937 rng(7);
    Randomize(source, rng);
    const Bytes record = Saved(source);

    WalkFailures("save", [&] {
        C_Stream out;
        out.OpenMemoryForWrite();
        return source.SaveToStream(&out, 0) && out.size == record.size();
    });
    WalkFailures("create", [] {
        C_Image image;
        return image.CreateEmpty(9, 9, GFX_FMT_PAL8, GFX_FMT_A8R8G8B8);
    });
    WalkFailures("copy", [&] {
        C_Image image;
        image = source;
        return image.data != nullptr && Mem_Compare(image.data, source.data, source.dataSize);
    });
    for (int32_t format : {GFX_FMT_A8R8G8B8, GFX_FMT_R5G6B5, GFX_FMT_L8, GFX_FMT_R8G8B8}) {
        WalkFailures("change format to " + std::to_string(format), [&] {
            C_Image image;
            return LoadBytes(image, Loader::Img, record) && Gfx_Image_ChangeFormat(&image, format, GFX_FMT_KEEP);
        });
        WalkFailures("clone to " + std::to_string(format), [&] {
            C_Image copy;
            return Gfx_Image_Clone(&source, &copy, format, GFX_FMT_KEEP);
        });
    }
    WalkFailures("alpha from key", [&] {
        C_Image alpha;
        return Gfx_Image_GetAlpha_FromKeyColor(&source, &alpha, C_Color(0, 0, 0, 1));
    });
}

TEST(AllocationFailure, SurfacesLoadAndBlitOrFailCleanly) {
    C_Image* colour = new C_Image;
    ASSERT_TRUE(colour->CreateEmpty(6, 5, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    C_Image* alpha = new C_Image;
    ASSERT_TRUE(alpha->CreateEmpty(6, 5, GFX_FMT_L8, GFX_FMT_NONE));
    std::mt19937 rng(3);
    Randomize(*colour, rng), Randomize(*alpha, rng);
    C_Surface stored(0, colour, alpha, nullptr, nullptr, nullptr, nullptr);
    const Bytes record = Saved(stored);

    C_Image* target = new C_Image;
    ASSERT_TRUE(target->CreateEmpty(16, 12, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    C_Surface destination(0, target, nullptr, nullptr, nullptr, nullptr, nullptr);
    EmptyEdgeTables();
    WalkFailures("surface record and blit", [&] {
        C_Surface surface;
        C_Stream in;
        if (!in.OpenMemoryForRead(record.data(), uint32_t(record.size())) || !surface.LoadFromStream(&in, 0))
            return false;
        S_BlitParams p;
        p.angle = 30, p.scale.Set(1.5f, 1.5f), p.filter = 1, p.wrapHorizontal = 1;
        const C_Vector2D at(4, 3);
        const bool ok = Gfx_Surface_BlitImage(&surface, &destination, nullptr, nullptr, &at, 0, &p);
        EmptyEdgeTables();
        return ok;
    });
}

TEST(AllocationFailure, FilledCircleFailsWhenItsEdgeTablesCannotGrow) {
    C_Image* target = new C_Image;
    ASSERT_TRUE(target->CreateEmpty(20, 20, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    C_Surface destination(0, target, nullptr, nullptr, nullptr, nullptr, nullptr);
    const C_Circle circle(C_Vector2D(10, 10), 6);
    const C_Color red(1, 0, 0, 1);
    // Either edge table failing fails the circle; its own row table may fail
    // too, but the circle then finds each row's width without it.
    for (uint32_t n : {1u, 2u}) {
        EmptyEdgeTables();
        const uint32_t start = Sys_Status.memoryInUse;
        Err_Set(0, 0, 0, "none");
        Mem_FailAllocation(n);
        EXPECT_FALSE(Gfx_Surface_Blit(&destination, &circle, &red, nullptr, 1)) << n;
        Mem_FailAllocation(0);
        EXPECT_EQ(Err_GetCause().code, ERR_ALLOC) << n;
        EmptyEdgeTables();
        EXPECT_EQ(Sys_Status.memoryInUse, start) << n;
    }
}

}  // namespace
