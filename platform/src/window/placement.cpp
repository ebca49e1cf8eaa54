// ComputePlacement: positions and sizes measured from the screen's edges or
// centre, or from the window's own left and top.
#include "window/placement.h"

#include "softblit/platform/system.h"
#include "softblit/platform/window.h"

namespace {

// Requests are the caller's numbers: sums saturate instead of overflowing.
int32_t Sum(int64_t a, int64_t b) {
    const int64_t sum = a + b;
    if (sum > INT32_MAX) return INT32_MAX;
    if (sum < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(sum);
}

}  // namespace

C_Frame Window_Place(const C_Frame& request, int32_t screenW, int32_t screenH,
                     const C_Frame& current) {
    C_Frame frame = current;
    const int32_t halfW = screenW / 2, halfH = screenH / 2;
    switch (request.byte1 & 0x0F) {
    case 0: frame.left = request.left; break;
    case 1: frame.left = Sum(screenW, -static_cast<int64_t>(request.left)); break;
    case 2: frame.left = Sum(halfW, request.left); break;
    default: break;
    }
    switch (request.byte1 & 0xF0) {
    case 0x10: frame.top = request.top; break;
    case 0x20: frame.top = Sum(screenH, -static_cast<int64_t>(request.top)); break;
    case 0x30: frame.top = Sum(halfH, request.top); break;
    default: break;
    }
    switch (request.byte2 & 0x0F) {
    case 0: frame.right = request.right; break;
    case 1: frame.right = Sum(screenW, -static_cast<int64_t>(request.right)); break;
    case 2: frame.right = Sum(halfW, request.right); break;
    case 3: frame.right = Sum(frame.left, request.right); break;
    default: break;
    }
    switch (request.byte2 & 0xF0) {
    case 0x10: frame.bottom = request.bottom; break;
    case 0x20: frame.bottom = Sum(screenH, -static_cast<int64_t>(request.bottom)); break;
    case 0x30: frame.bottom = Sum(halfH, request.bottom); break;
    case 0x40: frame.bottom = Sum(frame.top, request.bottom); break;
    default: break;
    }
    return frame;
}

void C_Window::ComputePlacement() {
    if (parent != nullptr) return;
    placementFrame = Window_Place(placementRequest, Sys_GetScreenMetric(SYS_METRIC_SCREEN_WIDTH),
                                  Sys_GetScreenMetric(SYS_METRIC_SCREEN_HEIGHT), placementFrame);
}
