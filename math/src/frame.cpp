#include "softblit/math/frame.h"

#include "edge_record.h"

C_Frame::C_Frame(const int32_t* coords) : C_Frame() { EdgeShape_FromArray(*this, coords); }

bool C_Frame::LoadFromStream(C_Stream* stream, uint32_t) { return EdgeShape_Load(*this, stream, CLASS_FRAME, "C_Frame"); }

bool C_Frame::SaveToStream(C_Stream* stream, uint32_t) { return EdgeShape_Save(*this, stream, CLASS_FRAME); }
