// PresentImage: the frame's pixels go into the window's streaming texture
// at once (converted first unless they are already 32-bit XRGB), so the
// window never reads the caller's memory again, then the window is drawn.
#include <cstring>

#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/format.h"
#include "window/window_events.h"
#include "window/window_frame.h"
#include "window/window_native.h"

namespace {

bool DrawableDepth(uint32_t bitsPerPixel) {
    return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

// One texture of the frame's size, kept until the size changes. The alpha
// byte is ignored (XRGB, no blending): the back buffer's alpha is 0.
bool EnsureTexture(S_WindowNative* native, int32_t width, int32_t height) {
    if (native->texture != nullptr && native->textureWidth == width &&
        native->textureHeight == height)
        return true;
    if (native->texture != nullptr) SDL_DestroyTexture(native->texture);
    native->textureWidth = native->textureHeight = 0;
    native->texture = SDL_CreateTexture(native->renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, width, height);
    if (native->texture == nullptr) {
        Err_Set(ERR_ALLOC, 0, 0, "C_Window::PresentImage{texture}: %s", SDL_GetError());
        Err_Fatal("C_Window::PresentImage");
        return false;
    }
    SDL_SetTextureBlendMode(native->texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(native->texture, SDL_ScaleModeNearest);
    native->textureWidth = width;
    native->textureHeight = height;
    return true;
}

// The frame as 32-bit XRGB rows: the image itself, or the kept conversion.
const C_Image* AsXrgb(S_WindowNative* native, const C_Image* image) {
    if (image->format == GFX_FMT_A8R8G8B8) return image;
    C_Image& converted = native->converted;
    if (converted.data == nullptr || converted.width != image->width ||
        converted.height != image->height) {
        if (!converted.CreateEmpty(image->width, image->height, GFX_FMT_A8R8G8B8, GFX_FMT_NONE))
            return nullptr;
    }
    if (!Gfx_Image_Copy_24to32(image, &converted)) return nullptr;
    return &converted;
}

bool Upload(S_WindowNative* native, const C_Image* image) {
    const C_Image* rows = AsXrgb(native, image);
    if (rows == nullptr) return false;
    if (!EnsureTexture(native, static_cast<int32_t>(rows->width),
                       static_cast<int32_t>(rows->height)))
        return false;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(native->texture, nullptr, &pixels, &pitch) != 0) return false;
    const size_t rowBytes = static_cast<size_t>(rows->width) * 4;
    for (uint32_t y = 0; y < rows->height; ++y)
        std::memcpy(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch,
                    rows->GetRow(y), rowBytes);
    SDL_UnlockTexture(native->texture);
    return true;
}

}  // namespace

void C_Window::PresentImage(C_Image* image) {
    if (image == nullptr || image->data == nullptr) return;
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(image->format, desc) || desc.bitsPerPixel == 0) return;
    // Rows shorter than their pixels, or a buffer shorter than its rows,
    // would be read past their end.
    if (image->pitch < image->rowBytes ||
        static_cast<uint64_t>(image->pitch) * image->height > image->dataSize)
        return;
    if (!frameImage->CreateLocked(image->width, image->height, image->pitch, image->format,
                                  GFX_FMT_NONE, image->data))
        return;
    frameImage->bottomUp = image->bottomUp;
    if (!created || !DrawableDepth(desc.bitsPerPixel)) return;
    if (Upload(native, image)) Refresh(WINDOW_CHANGE_FRAME);
}

void Window_DrawFrame(C_Window* window) {
    if (!window->created) return;
    const C_Image* frame = window->frameImage;
    if (frame != nullptr && frame->data != nullptr && !DrawableDepth(frame->bitsPerPixel)) return;
    S_WindowNative* native = window->native;
    SDL_SetRenderDrawColor(native->renderer, 0, 0, 0, 255);
    SDL_RenderClear(native->renderer);
    if (native->texture != nullptr) {
        const SDL_Rect place = Window_FrameRect(window);
        SDL_RenderCopy(native->renderer, native->texture, nullptr, &place);
    }
    SDL_RenderPresent(native->renderer);
}
