// The one engine object and the edge-table protocol shared with the circle fill.
#include "softblit/surface/blit_kernel.h"

#include <cstdint>

#include "softblit/core/status.h"

C_Blit_Kernel Gfx_BlitKernel;

C_Blit_Kernel::C_Blit_Kernel()
    : edgeFirstRow(0), edgeLastRow(-1), displayBlit(0), edgeTop(0), edgeBottom(0) {}

bool C_Blit_Kernel::BeginEdges(const C_Frame& clip) {
    // Negative rows are never addressed, whatever frame a caller passes.
    const int32_t top = clip.top < 0 ? 0 : clip.top;
    const int32_t bottom = clip.bottom < top ? top : clip.bottom;
    if (bottom >= (1 << 28) || !ReserveEdges(bottom)) return false;
    edgeTop = top;
    edgeBottom = bottom;
    int32_t* left = Leftmost();
    int32_t* right = Rightmost();
    for (int32_t row = top; row < bottom; ++row) {
        left[row] = BLIT_EDGE_EMPTY_LEFT;
        right[row] = BLIT_EDGE_EMPTY_RIGHT;
    }
    edgeFirstRow = bottom;
    edgeLastRow = top;
    return true;
}

bool C_Blit_Kernel::ReserveEdges(int32_t bottom) {
    if (bottom <= 0 || bottom >= (1 << 28)) return true;  // nothing to hold, or a frame BeginEdges refuses
    const uint32_t bytes = uint32_t(bottom) * 4u;
    // The tables only grow; a smaller frame reuses them.
    if (edgeLeftmost.Resize(bytes, false) && edgeRightmost.Resize(bytes, false)) return true;
    Err_Set(ERR_ALLOC, 0, 0, "C_Blit_Kernel::ReserveEdges{edgeLeftmost}");
    return false;
}

void C_Blit_Kernel::MarkEdge(int32_t row, int32_t column) {
    if (row < edgeTop || row >= edgeBottom) return;
    int32_t* left = Leftmost();
    int32_t* right = Rightmost();
    if (column < left[row]) left[row] = column;
    if (column > right[row]) right[row] = column;
    if (row < edgeFirstRow) edgeFirstRow = row;
    if (row > edgeLastRow) edgeLastRow = row;
}

void C_Blit_Kernel::ClampEdges(const C_Frame& clip) {
    int32_t* left = Leftmost();
    int32_t* right = Rightmost();
    const int32_t first = edgeFirstRow < edgeTop ? edgeTop : edgeFirstRow;
    const int32_t last = edgeLastRow >= edgeBottom ? edgeBottom - 1 : edgeLastRow;
    // 64-bit bounds: the frame's right - 1 and left - 1 must not overflow.
    const int64_t lo = clip.left;
    const int64_t hi = int64_t(clip.right) - 1;
    for (int32_t row = first; row <= last; ++row) {
        if (left[row] < lo) left[row] = int32_t(lo);
        else if (left[row] > hi) left[row] = clip.right;
        if (right[row] < lo) right[row] = int32_t(lo - 1 < INT32_MIN ? INT32_MIN : lo - 1);
        else if (right[row] > hi) right[row] = int32_t(hi);
    }
}
