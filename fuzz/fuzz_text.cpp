// libFuzzer entry point for text drawing: the font, the text and every
// drawing option come from the input, and the text is drawn into a
// destination stored top-down and one stored bottom-up. Text from loaded
// files meets the blit engine with whatever frames and pages the file holds,
// so nothing it draws may reach outside the destination.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz_text_choice.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/font/all.h"
#include "softblit/image/image.h"
#include "softblit/surface/blit_kernel.h"

namespace {

void Require(bool condition) {
    if (!condition) abort();
}

const S_GlyphPlacement* Turn(const S_GlyphPlacement* p) {
    static S_GlyphPlacement out;
    out = *p;
    out.position.x += 3.5f;
    out.position.y -= 7.25f;
    out.angle += 33.0f;
    return &out;
}

void DrawInto(bool bottomUp, const S_TextChoice& c, const C_String& text, C_Font& font) {
    C_Image* colour = new C_Image();
    Require(colour->CreateEmpty(64, 48, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    colour->bottomUp = bottomUp ? 1 : 0;
    C_Image* alpha = new C_Image();
    Require(alpha->CreateEmpty(64, 48, GFX_FMT_L8, GFX_FMT_NONE));
    C_Surface destination(0, colour, alpha, nullptr, nullptr, nullptr, nullptr);

    const C_FontType type(C_String("fuzz"), c.size, c.renderMode, c.style & 1, (c.style >> 1) & 1,
                          (c.style >> 2) & 1, (c.style >> 3) & 1, 0);
    const C_Color ink(1.0f, 0.5f, 0.25f, 0.75f);
    const C_Frame clip(c.clipLeft, c.clipTop, c.clipRight, c.clipBottom);
    const C_Frame* clipFrame = (c.options & 1) ? &clip : nullptr;
    const C_Vector2D at(c.x, c.y, c.anchor);
    glyphTransform = (c.options & 2) ? Turn : nullptr;
    Gfx_Text_SetReferenceRule((c.options & 4) ? FONT_REFERENCE_FIRST_ABOVE_32 : FONT_REFERENCE_FIRST);
    Gfx_BlitKernel.displayBlit = (c.options & 16) ? 1 : 0;
    if (c.options & 8) {
        Gfx_Surface_DrawText(&text, &font, &type, &destination, &ink, &at, c.wrap, 0, clipFrame, 0);
    } else {
        const C_Rect area(c.areaLeft, c.areaTop, c.areaRight, c.areaBottom);
        Gfx_Surface_DrawTextEx(&text, &font, &type, &destination, &ink, &area, 0, 0, c.wrap, 0, &at, 0, c.cursor, 0,
                               0, 0, nullptr, clipFrame, 0, 0, 0, 0);
    }
    glyphTransform = nullptr;
    Gfx_BlitKernel.displayBlit = 0;
    Gfx_Text_SetReferenceRule(FONT_REFERENCE_FIRST);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(S_TextChoice) || size > (1u << 20)) return 0;
    S_TextChoice choice;
    memcpy(&choice, data, sizeof choice);
    data += sizeof choice;
    size -= sizeof choice;
    if (choice.textLength > size) return 0;

    char bytes[256];
    memcpy(bytes, data, choice.textLength);
    bytes[choice.textLength] = 0;  // a zero byte inside ends the text early
    const C_String text(bytes);

    C_Font font;
    C_Stream in;
    in.OpenMemoryForRead(data + choice.textLength, static_cast<uint32_t>(size - choice.textLength));
    if (!font.LoadFromStream(&in, 0)) return 0;
    DrawInto(false, choice, text, font);
    DrawInto(true, choice, text, font);
    return 0;
}
