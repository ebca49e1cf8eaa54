// libFuzzer entry point for the ".uft" font record. A font that loads saves
// a record that loads again; since every load reverses each face's glyphs, a
// font reloaded twice saves its first bytes again. Everything loaded is
// freed again, failed loads included.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/font/font.h"

namespace {

void Require(bool condition) {
    if (!condition) abort();
}

bool Load(C_Font& font, const uint8_t* data, size_t size) {
    C_Stream in;
    in.OpenMemoryForRead(data, static_cast<uint32_t>(size));
    return font.LoadFromStream(&in, 0);
}

std::vector<uint8_t> Save(C_Font& font) {
    C_Stream out;
    out.OpenMemoryForWrite();
    Require(font.SaveToStream(&out, 0));
    return std::vector<uint8_t>(out.buffer, out.buffer + out.size);
}

// A failed load leaves no faces, pages or index entries.
void RequireEmpty(const C_Font& font) {
    Require(font.GetFaceCount() == 0 && font.GetPageCount() == 0 && font.faceIndex.size == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 22)) return 0;
    const uint32_t baseline = Sys_Status.memoryInUse;
    {
        C_Font font;
        if (!Load(font, data, size)) {
            RequireEmpty(font);
        } else {
            // Every face can be found through the index.
            for (uint32_t i = 0; i < font.GetFaceCount(); ++i) {
                const C_BitmapFace* face = static_cast<const C_BitmapFace*>(font.faces->GetAt(i));
                Require(face->charCode >= 0 && face->charCode <= FONT_MAX_CHAR_CODE);
                Require(font.GetFace(uint32_t(face->charCode)) != nullptr);
            }
            const std::vector<uint8_t> first = Save(font);
            C_Font once, twice;
            Require(Load(once, first.data(), first.size()));
            const std::vector<uint8_t> second = Save(once);
            Require(second.size() == first.size());
            Require(Load(twice, second.data(), second.size()));
            Require(Save(twice) == first);
            // Loading over a loaded font replaces it.
            Require(Load(font, second.data(), second.size()));
        }
    }
    Require(Sys_Status.memoryInUse == baseline);
    return 0;
}
