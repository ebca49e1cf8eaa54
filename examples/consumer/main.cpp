// Smallest program against the installed package: store a string in memory
// and read it back, then draw it as a line of text with a font rasterised
// from DejaVu Sans.
#include <softblit/softblit.h>

#include <cstdio>
#include <cstring>

int main() {
    C_String greeting("hello, softblit");
    C_Stream stream;
    stream.OpenMemoryForWrite();
    greeting.SaveToStream(&stream, 0);

    C_Stream reader;
    reader.OpenMemoryForRead(stream.buffer, stream.size);
    C_String loaded;
    if (!loaded.LoadFromStream(&reader, 0)) {
        std::printf("load failed: %s\n", Err_GetCause().message);
        return 1;
    }
    std::printf("%s\n", loaded.GetText());
    if (!(loaded == "hello, softblit")) return 1;

    C_Font font;
    font.AddFaces(32, 127);
    const C_String dejaVu("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (!Gfx_Font_AddGlyphsFromOutline(dejaVu, C_BitmapGlyph(16, FONT_RENDER_ANTIALIASED, FONT_STYLE_REGULAR),
                                       &font)) {
        std::printf("font failed: %s\n", Err_GetCause().message);
        return 1;
    }
    C_Surface canvas;
    C_Image* image = new C_Image();
    image->CreateEmpty(200, 32, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    std::memset(image->data, 0, image->dataSize);
    canvas.AddPlane(image, GFX_PLANE_COLOR);
    const C_FontType type(C_String("DejaVu Sans"), 16, FONT_RENDER_ANTIALIASED, 0, 0, 0, 0, 0);
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(4, 2);
    if (!Gfx_Surface_DrawText(&loaded, &font, &type, &canvas, &white, &at, 0)) return 1;

    uint32_t lit = 0;
    for (uint32_t i = 0; i < image->dataSize; i += 4) lit += image->data[i] > 128;
    std::printf("text drawn: %u bright pixels\n", lit);
    return lit > 100 ? 0 : 1;
}
