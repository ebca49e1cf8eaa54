// Region images to window shapes.
#include "softblit/core/status.h"
#include "softblit/image/format.h"
#include "window/window_native.h"
#include "window/window_region.h"

bool Region_CollectRuns(const C_Image* image, C_Buffer* runs, uint32_t* count) {
    *count = 0;
    S_FormatDesc desc;
    if (image == nullptr || !Gfx_GetFormatDesc(image->format, desc) || desc.bitsPerPixel != 8 ||
        image->data == nullptr)
        return Err_Fail(ERR_FORMAT, "C_Window::Refresh{region->format}", "C_Window::Refresh");
    uint32_t used = 0;
    for (uint32_t y = 0; y < image->height; ++y) {
        const uint8_t* row = image->GetRow(y);
        uint32_t x = 0;
        while (x < image->width) {
            if (row[x] != 255) {
                ++x;
                continue;
            }
            const uint32_t start = x;
            while (x < image->width && row[x] == 255) ++x;
            if ((used + 1) * sizeof(S_RegionRun) > runs->capacity) {
                const uint32_t grown = used < 64 ? 64 : used * 2;
                if (grown > (1u << 24) || !runs->Resize(grown * sizeof(S_RegionRun), true))
                    return Err_Fail(ERR_ALLOC, "C_Window::Refresh{region}", "C_Window::Refresh");
            }
            S_RegionRun* out = reinterpret_cast<S_RegionRun*>(runs->data) + used++;
            out->x = static_cast<int32_t>(start);
            out->y = static_cast<int32_t>(y);
            out->width = static_cast<int32_t>(x - start);
        }
    }
    *count = used;
    return true;
}

void Window_ApplyRegion(C_Window* window) {
    C_Image* image = window->GetRegionImage();
    if (image == nullptr) return;
    C_Buffer runs;
    uint32_t count = 0;
    if (!Region_CollectRuns(image, &runs, &count)) return;
    SDL_Window* sdl = window->native->window;
    if (!window->popup || !SDL_IsShapedWindow(sdl)) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl, &width, &height);
    SDL_Surface* shape = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (shape == nullptr) return;
    SDL_FillRect(shape, nullptr, 0);
    const S_RegionRun* run = reinterpret_cast<const S_RegionRun*>(runs.data);
    for (uint32_t i = 0; i < count; ++i, ++run) {
        SDL_Rect piece = {run->x, run->y, run->width, 1};
        SDL_FillRect(shape, &piece, 0xFFFFFFFFu);
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(sdl, shape, &mode);
    SDL_FreeSurface(shape);
}
