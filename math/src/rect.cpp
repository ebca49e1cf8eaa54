#include "softblit/math/rect.h"

#include "edge_record.h"

C_Rect::C_Rect(const float* coords) : C_Rect() { EdgeShape_FromArray(*this, coords); }

bool C_Rect::LoadFromStream(C_Stream* stream, uint32_t) { return EdgeShape_Load(*this, stream, CLASS_RECT, "C_Rect"); }

bool C_Rect::SaveToStream(C_Stream* stream, uint32_t) { return EdgeShape_Save(*this, stream, CLASS_RECT); }
