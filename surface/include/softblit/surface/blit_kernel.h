// The process-wide fixed-point blit engine.
//
// Every image blit of the framework goes through the one engine, Gfx_BlitKernel:
// Blit_Fixed clips the source rectangle and the clip frame, chooses one span
// kernel per walking mode (unscaled, scaled, rotated) and walks the destination
// row by row with 16.16 source coordinates.
//
// The engine also owns the two edge tables (leftmost and rightmost column per
// destination row) that the rotated walk fills from the outline of the rotated
// image; the filled circle primitive shares them through BeginEdges / MarkEdge /
// ClampEdges. Nothing here is thread-safe: blits run one at a time.
#pragma once

#include <cstdint>

#include "softblit/core/buffer.h"
#include "softblit/math/frame.h"
#include "softblit/math/rect.h"
#include "softblit/math/vector2d.h"
#include "softblit/surface/blit_params.h"
#include "softblit/surface/surface.h"

// Marks of an edge-table row that no edge has touched yet: leftmost starts
// above and rightmost below every real column.
enum : int32_t { BLIT_EDGE_EMPTY_LEFT = 65535, BLIT_EDGE_EMPTY_RIGHT = -65535 };

class C_Blit_Kernel {
public:
    // Edge tables: 32-bit signed entries indexed by destination row; valid
    // from edgeFirstRow to edgeLastRow (inclusive) after BeginEdges.
    C_Buffer edgeLeftmost;
    C_Buffer edgeRightmost;
    int32_t edgeFirstRow;
    int32_t edgeLastRow;

    // Set to 1 by the display device around its forwarded blits: the source
    // planes are then read from each plane's displayCopy.
    uint8_t displayBlit;

    C_Blit_Kernel();
    ~C_Blit_Kernel() = default;
    C_Blit_Kernel(const C_Blit_Kernel&) = delete;
    C_Blit_Kernel& operator=(const C_Blit_Kernel&) = delete;

    // Draws the source surface (or `sourceRect` of it, null for all) onto the
    // destination surface, clipped to `clipFrame` (null for the whole
    // destination; a frame is first intersected with the destination). The
    // position is where the source box's top-left corner lands; its anchor
    // byte measures it from the clip frame's edges. `spare` is not read.
    // `params` null means an opaque unscaled copy.
    //
    // True when drawn or when nothing was visible (empty source box, opacity
    // 0, degenerate geometry). False without a record when the destination has
    // no colour plane or the source has no plane at all; false with error 15
    // (and the fatal record) when a colour plane is not a 32-bit format with
    // 8-bit red, green and blue, or an alpha plane is smaller than its colour
    // plane; error 14 when a plane has no pixels or a buffer too small for its
    // rows.
    bool Blit_Fixed(C_Surface* source, C_Surface* destination, const C_Rect* sourceRect,
                    const C_Frame* clipFrame, const C_Vector2D* position, uint32_t spare,
                    const S_BlitParams* params);

    // Shared edge-table protocol (rotated blits and the filled circle):
    // BeginEdges sizes both tables to `clip.bottom` rows and marks the rows
    // clip.top .. clip.bottom - 1 empty, with edgeFirstRow = clip.bottom and
    // edgeLastRow = clip.top. The frame must lie inside the target plane
    // (rows below 0 are never touched). False when the tables cannot grow.
    bool BeginEdges(const C_Frame& clip);
    // Grows both tables to hold rows 0 .. bottom - 1; false, with error 3,
    // when they cannot grow.
    bool ReserveEdges(int32_t bottom);
    // Widens the span of `row` to include `column` (rows outside the frame
    // given to BeginEdges are ignored) and widens edgeFirstRow/edgeLastRow
    // within that frame.
    void MarkEdge(int32_t row, int32_t column);
    // Limits each span from edgeFirstRow to edgeLastRow to the frame's columns:
    // afterwards every row has clip.left <= leftmost and rightmost <= clip.right
    // - 1, and a row with leftmost > rightmost draws nothing.
    void ClampEdges(const C_Frame& clip);

    int32_t* Leftmost() { return reinterpret_cast<int32_t*>(edgeLeftmost.data); }
    int32_t* Rightmost() { return reinterpret_cast<int32_t*>(edgeRightmost.data); }

private:
    // Frame given to the last BeginEdges: MarkEdge keeps inside it.
    int32_t edgeTop;
    int32_t edgeBottom;
};

// The one engine of the process, built during static initialisation.
extern C_Blit_Kernel Gfx_BlitKernel;
