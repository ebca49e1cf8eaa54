#include "text/glyph_page.h"

#include "softblit/image/image.h"
#include "softblit/surface/blit_kernel.h"

C_Surface* GlyphPage_Drawable(const C_Font& font, const C_BitmapGlyph& glyph) {
    C_Surface* page = font.GetPage(glyph.pageIndex);
    const C_SurfacePlane* plane = page ? page->GetPlane(GFX_PLANE_ALPHA) : nullptr;
    if (plane == nullptr) return nullptr;
    const C_Image* alpha = Gfx_BlitKernel.displayBlit ? plane->displayCopy : plane->image;
    if (alpha == nullptr || alpha->bitsPerPixel != 8) return nullptr;
    const C_Frame& f = glyph.frame;
    const int64_t width = alpha->width, height = alpha->height;
    if (f.left < 0 || f.left >= f.right || f.right > width) return nullptr;
    if (f.top < 0 || f.top >= f.bottom || f.bottom > height) return nullptr;
    return page;
}
