// C_Window's properties: defaults, setters and the parent link. Each setter
// stores its value and hands its change code to Refresh.
#include "softblit/image/image.h"
#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "window/window_native.h"

C_Window::C_Window() : frameImage(nullptr), parent(nullptr), created(0), native(nullptr) {
    childStyle = 0;
    C_Window::Reset();
    frameImage = new C_Image();
}

C_Window::~C_Window() { C_Window::Release(); }

void C_Window::Release() {
    Destroy();
    delete native;
    native = nullptr;
    delete frameImage;
    frameImage = nullptr;
    if (parent != nullptr) SetParentWindow(nullptr);
    // Children outlive nothing of ours: they only forget their parent.
    for (uint32_t i = 0; i < children.GetCount(); ++i)
        static_cast<C_Window*>(children.GetAt(i))->parent = nullptr;
    children.Release();
    children.Reset();
}

void C_Window::Reset() {
    name = "No name";
    userWord = 0;
    title = "Form window";
    placementRequest = C_Frame(0, 0, 640, 480, 0x10, 0x10);
    const int32_t secondWords[3] = {2, 15, 15};
    for (int i = 0; i < 3; ++i) {
        sparePairs[i][0] = 0;
        sparePairs[i][1] = secondWords[i];
    }
    flag1 = 1;
    flag2 = 1;
    movable = 1;
    resizable = 1;
    enabled = 1;
    visible = 1;
    popup = 0;
    spareWord = 0;
    cursorShape = SYS_CURSOR_ARROW;
    for (uintptr_t& word : words) word = 0;
    handlers = S_WindowHandlers();
    placementFrame = C_Frame(0, 0, 0, 0);
    borderFrame = C_Frame(0, 0, 0, 0);
    for (float& state : buttonStates) state = 0.0f;
    captured = 0.0f;
}

void C_Window::SetName(const C_String& value) { name = value; }

void C_Window::SetTitle(const C_String& value) {
    title = value;
    Refresh(WINDOW_CHANGE_TITLE);
}

void C_Window::SetFrame(const C_Frame& request) {
    placementRequest = request;
    Refresh(WINDOW_CHANGE_PLACEMENT);
}

void C_Window::SetX(int32_t x, uint8_t mode) {
    placementRequest.left = x;
    placementRequest.byte1 = static_cast<uint8_t>((placementRequest.byte1 & 0xF0) | (mode & 0x0F));
    Refresh(WINDOW_CHANGE_PLACEMENT);
}

void C_Window::SetY(int32_t y, uint8_t mode) {
    placementRequest.top = y;
    placementRequest.byte1 = static_cast<uint8_t>((placementRequest.byte1 & 0x0F) | (mode & 0xF0));
    Refresh(WINDOW_CHANGE_PLACEMENT);
}

void C_Window::SetWidth(int32_t width, uint8_t mode) {
    placementRequest.right = width;
    placementRequest.byte2 = static_cast<uint8_t>((placementRequest.byte2 & 0xF0) | (mode & 0x0F));
    Refresh(WINDOW_CHANGE_PLACEMENT);
}

void C_Window::SetHeight(int32_t height, uint8_t mode) {
    placementRequest.bottom = height;
    placementRequest.byte2 = static_cast<uint8_t>((placementRequest.byte2 & 0x0F) | (mode & 0xF0));
    Refresh(WINDOW_CHANGE_PLACEMENT);
}

void C_Window::SetSparePair(uint32_t index, int32_t first, int32_t second) {
    if (index >= 3) return;
    sparePairs[index][0] = first;
    sparePairs[index][1] = second;
    Refresh(WINDOW_CHANGE_PAIR0 + static_cast<int32_t>(index));
}

void C_Window::SetFlag1(uint8_t value) {
    flag1 = value;
    Refresh(WINDOW_CHANGE_FLAG1);
}

void C_Window::SetFlag2(uint8_t value) {
    flag2 = value;
    Refresh(WINDOW_CHANGE_FLAG2);
}

void C_Window::SetMovable(uint8_t value) {
    movable = value;
    Refresh(WINDOW_CHANGE_MOVABLE);
}

void C_Window::SetResizable(uint8_t value) {
    resizable = value;
    Refresh(WINDOW_CHANGE_RESIZABLE);
}

void C_Window::SetEnabled(uint8_t value) {
    enabled = value;
    Refresh(WINDOW_CHANGE_ENABLED);
}

void C_Window::SetVisible(uint8_t value) {
    visible = value;
    Refresh(WINDOW_CHANGE_VISIBLE);
}

void C_Window::SetPopup(uint16_t value) {
    popup = value;
    Refresh(WINDOW_CHANGE_POPUP);
}

void C_Window::SetSpareWord(uint16_t value) {
    spareWord = value;
    Refresh(WINDOW_CHANGE_SPARE_WORD);
}

void C_Window::SetChildStyle(uint16_t value) { childStyle = value; }

void C_Window::SetCursorShape(uint16_t code) {
    cursorShape = code;
    Refresh(WINDOW_CHANGE_CURSOR);
}

void C_Window::SetWord(uint32_t index, uintptr_t value) {
    if (index >= 6) return;
    words[index] = value;
    Refresh(WINDOW_CHANGE_WORD0 + static_cast<int32_t>(index));
}

void C_Window::SetRegionImage(C_Image* image) { SetWord(1, reinterpret_cast<uintptr_t>(image)); }

void C_Window::SetParentWindow(C_Window* newParent) {
    if (newParent == this) return;
    if (parent != nullptr) {
        C_Array& siblings = parent->children;
        for (uint32_t i = 0; i < siblings.GetCount(); ++i) {
            if (siblings.GetAt(i) == this) {
                siblings.RemoveAt(i);
                break;
            }
        }
    }
    parent = newParent;
    if (parent != nullptr) parent->children.Insert(this, parent->children.GetCount());
}

void C_Window::GetDisplayTarget(S_DisplayTarget* out) {
    if (out == nullptr) return;
    out->window = this;
    out->frame = &placementFrame;
}
