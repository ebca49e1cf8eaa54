// libFuzzer entry point for the ".srf" surface record, followed by a blit of
// whatever loaded: the first 24 bytes choose the blit, the rest is the record.
// Surfaces are what the demo loads from disk and hands straight to the blit
// engine, so a record that loads must also draw without harm.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/surface.h"

namespace {

struct S_Choice {
    float x, y, scale, angle, opacity;
    uint8_t flags, pad[3];
};
static_assert(sizeof(S_Choice) == 24, "the choice is the first 24 bytes");

void Require(bool condition) {
    if (!condition) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(S_Choice) || size > (1u << 22)) return 0;
    S_Choice choice;
    memcpy(&choice, data, sizeof choice);

    C_Surface source;
    C_Stream stream;
    stream.OpenMemoryForRead(data + sizeof choice, static_cast<uint32_t>(size - sizeof choice));
    if (!source.LoadFromStream(&stream, 0)) return 0;

    // Saving what loaded and loading it again gives the same planes.
    C_Stream out;
    out.OpenMemoryForWrite();
    Require(source.SaveToStream(&out, 0));
    C_Stream in;
    in.OpenMemoryForRead(out.buffer, out.size);
    C_Surface again;
    Require(again.LoadFromStream(&in, 0));
    Require(again.planes == nullptr || source.planes == nullptr ||
            again.planes->GetCount() == source.planes->GetCount());

    C_Image* colour = new C_Image;
    Require(colour->CreateEmpty(48, 40, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    colour->bottomUp = choice.flags & 1;
    C_Image* alpha = nullptr;
    if (choice.flags & 2) {
        alpha = new C_Image;
        Require(alpha->CreateEmpty(48, 40, GFX_FMT_L8, GFX_FMT_NONE));
    }
    C_Surface destination(0, colour, alpha, nullptr, nullptr, nullptr, nullptr);

    S_BlitParams params;
    params.scale.Set(choice.scale, choice.scale);
    params.angle = choice.angle;
    params.opacity = choice.opacity;
    params.flipHorizontal = (choice.flags >> 2) & 1;
    params.flipVertical = (choice.flags >> 3) & 1;
    params.filter = (choice.flags >> 4) & 1;
    params.useKeyColor = (choice.flags >> 5) & 1;
    params.useFillColor = (choice.flags >> 6) & 1;
    params.wrapHorizontal = params.wrapVertical = (choice.flags >> 7) & 1;
    C_Vector2D position(choice.x, choice.y);
    Gfx_Surface_BlitImage(&source, &destination, nullptr, nullptr, &position, 0, &params);
    return 0;
}
