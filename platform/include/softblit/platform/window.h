// C_Window: one native window with its properties, the application's event
// handlers, and the frame it shows.
//
// Properties are plain fields with setters; a setter stores the value and
// calls Refresh with its change code, which acts only while the window is
// created (Create applies everything at once with WINDOW_CHANGE_ALL).
// Handlers run inside Sys_PumpMessage on the thread that created the window;
// a null handler is skipped. Pointer positions handed to handlers are in frame
// pixels (the pixels of the last presented image), not clamped to the frame.
#pragma once

#include <cstdint>

#include "softblit/core/array.h"
#include "softblit/core/object.h"
#include "softblit/core/string.h"
#include "softblit/math/frame.h"

class C_Image;
class C_Window;
struct S_WindowNative;

// What a display needs to present to a window: the window and its placement.
struct S_DisplayTarget {
    C_Window* window;
    C_Frame* frame;
};

// Change codes handed to Refresh.
enum : int32_t {
    WINDOW_CHANGE_TITLE = 36,
    WINDOW_CHANGE_PLACEMENT = 37,
    WINDOW_CHANGE_PAIR0 = 38,  // 38..40: the spare pairs
    WINDOW_CHANGE_FLAG1 = 41,
    WINDOW_CHANGE_FLAG2 = 42,
    WINDOW_CHANGE_MOVABLE = 43,
    WINDOW_CHANGE_RESIZABLE = 44,
    WINDOW_CHANGE_ENABLED = 45,
    WINDOW_CHANGE_VISIBLE = 46,
    WINDOW_CHANGE_POPUP = 47,
    WINDOW_CHANGE_SPARE_WORD = 48,
    WINDOW_CHANGE_CURSOR = 51,
    WINDOW_CHANGE_WORD0 = 52,  // 52..57: the six words; 53 is the region image
    WINDOW_CHANGE_REGION = 53,
    WINDOW_CHANGE_ALL = 59,
    WINDOW_CHANGE_FRAME = 60,  // draw the last presented frame again
};

// Placement mode nibbles. Horizontal position (low nibble of mode byte 1):
// 0 x, 1 W - x, 2 W/2 + x, else unchanged. Vertical position (high nibble of
// mode byte 1): 0x10 y, 0x20 H - y, 0x30 H/2 + y, else unchanged. Right (low
// nibble of mode byte 2): 0 w, 1 W - w, 2 W/2 + w, 3 left + w. Bottom (high
// nibble of mode byte 2): 0x10 h, 0x20 H - h, 0x30 H/2 + h, 0x40 top + h.
enum : uint8_t {
    WINDOW_X_ABSOLUTE = 0, WINDOW_X_FROM_RIGHT = 1, WINDOW_X_FROM_CENTRE = 2,
    WINDOW_Y_ABSOLUTE = 0x10, WINDOW_Y_FROM_BOTTOM = 0x20, WINDOW_Y_FROM_MIDDLE = 0x30,
    WINDOW_W_ABSOLUTE = 0, WINDOW_W_FROM_RIGHT = 1, WINDOW_W_FROM_CENTRE = 2, WINDOW_W_SIZE = 3,
    WINDOW_H_ABSOLUTE = 0x10, WINDOW_H_FROM_BOTTOM = 0x20, WINDOW_H_FROM_MIDDLE = 0x30,
    WINDOW_H_SIZE = 0x40,
};

// Button numbers of OnClick.
enum : int32_t { WINDOW_BUTTON_LEFT = 1, WINDOW_BUTTON_MIDDLE = 2, WINDOW_BUTTON_RIGHT = 3 };

typedef void (*T_WindowHandler)(C_Window* window);
typedef void (*T_WindowButtonHandler)(C_Window* window, int32_t button);
// character: the key's character (0 when it has none); keyCode: see keys.h.
typedef void (*T_WindowKeyHandler)(C_Window* window, int32_t character, int32_t keyCode);
// left, middle, right: 1 when that button is down (OnMouseUp: the released one).
typedef void (*T_WindowPointerHandler)(C_Window* window, int32_t left, int32_t middle,
                                       int32_t right, int32_t x, int32_t y);

// The seventeen handlers, in table order.
struct S_WindowHandlers {
    T_WindowHandler OnActivate;
    T_WindowHandler OnDeactivate;
    T_WindowButtonHandler OnClick;        // after OnMouseUp of a captured release
    T_WindowButtonHandler OnDoubleClick;  // never called: a double press is two presses
    T_WindowHandler OnSetFocus;
    T_WindowHandler OnKillFocus;
    T_WindowKeyHandler OnKeyDown;  // also for auto-repeat
    T_WindowKeyHandler OnKeyUp;
    T_WindowHandler OnCreate;   // never called
    T_WindowHandler OnDestroy;  // never called
    T_WindowPointerHandler OnMouseDown;
    T_WindowPointerHandler OnMouseMove;
    T_WindowPointerHandler OnMouseUp;
    T_WindowPointerHandler OnTimer;  // about every millisecond, through the pump
    T_WindowHandler OnPaint;
    T_WindowHandler OnSize;
    T_WindowHandler OnClose;  // a window without it cannot be closed by the user
};

class C_Window : public C_Object {
public:
    C_String name;
    uint32_t userWord;
    C_String title;
    // x, y, width value, height value; byte1 and byte2 are the mode bytes.
    C_Frame placementRequest;
    int32_t sparePairs[3][2];
    uint8_t flag1;
    uint8_t flag2;
    uint8_t movable;    // 0: the window is moved back when the user drags it
    uint8_t resizable;  // 1: sizing border (framed windows only)
    uint8_t enabled;    // 0: pointer and key input are ignored
    uint8_t visible;
    uint16_t popup;     // non-zero: borderless, no caption
    uint16_t spareWord;
    uint16_t childStyle;
    uint16_t cursorShape;  // a cursor code of Sys_SetCursor
    // Word 1 is the region image (see SetRegionImage); the others are spare.
    uintptr_t words[6];
    C_Image* frameImage;  // owned; refers to the pixels of the last presented frame
    S_WindowHandlers handlers;
    C_Window* parent;
    C_Array children;  // not owned
    uint8_t created;
    C_String className;
    C_Frame placementFrame;  // outer frame on the screen, from ComputePlacement and code 37
    C_Frame borderFrame;     // border widths: left, top, right, bottom
    S_WindowNative* native;  // owned; exists while created
    float buttonStates[3];   // left, middle, right after the last pointer move
    float captured;          // 1 from a press to the release of the last button

    C_Window();
    ~C_Window() override;
    C_Window(const C_Window&) = delete;
    C_Window& operator=(const C_Window&) = delete;

    // Destroy, then frees the frame image.
    void Release() override;
    // Every property and handler to its default; the native window, the
    // parent link and the children stay. Frees nothing.
    void Reset() override;
    // Opens the native window. Returns 1 when the window is created (also
    // when it already was), 0 when it could not be: no display (the reason is
    // kept for Err_GetCause), or the window system refused.
    uint32_t Create() override;
    void Destroy() override;
    uint32_t GetClassType() override { return CLASS_WINDOW; }

    // Fills placementFrame from placementRequest and the size of display 0.
    virtual void ComputePlacement();
    virtual void Refresh(int32_t code);

    bool IsCreated() const { return created != 0; }

    void SetName(const C_String& value);
    void SetTitle(const C_String& value);
    void SetFrame(const C_Frame& request);
    void SetX(int32_t x, uint8_t mode);
    void SetY(int32_t y, uint8_t mode);
    void SetWidth(int32_t width, uint8_t mode);
    void SetHeight(int32_t height, uint8_t mode);
    void SetSparePair(uint32_t index, int32_t first, int32_t second);  // index 0..2
    void SetFlag1(uint8_t value);
    void SetFlag2(uint8_t value);
    void SetMovable(uint8_t value);
    void SetResizable(uint8_t value);
    void SetEnabled(uint8_t value);
    void SetVisible(uint8_t value);
    void SetPopup(uint16_t value);
    void SetSpareWord(uint16_t value);
    void SetChildStyle(uint16_t value);
    void SetCursorShape(uint16_t code);
    void SetWord(uint32_t index, uintptr_t value);  // index 0..5; 1 is the region image
    // An 8-bit image whose bytes of 255 give the shape of a popup window
    // (client coordinates). Applied where the window system has shaped windows.
    void SetRegionImage(C_Image* image);
    void SetUserWord(uint32_t value) { userWord = value; }

    const C_String& GetName() const { return name; }
    const C_String& GetTitle() const { return title; }
    const C_Frame& GetFrame() const { return placementRequest; }
    uint8_t GetMovable() const { return movable; }
    uint8_t GetResizable() const { return resizable; }
    uint8_t GetEnabled() const { return enabled; }
    uint8_t GetVisible() const { return visible; }
    uint16_t GetPopup() const { return popup; }
    uint16_t GetCursorShape() const { return cursorShape; }
    uintptr_t GetWord(uint32_t index) const { return index < 6 ? words[index] : 0; }
    C_Image* GetRegionImage() const { return reinterpret_cast<C_Image*>(words[1]); }
    C_Image* GetFrameImage() const { return frameImage; }
    const C_Frame& GetPlacementFrame() const { return placementFrame; }
    const C_Frame& GetBorderFrame() const { return borderFrame; }
    C_Window* GetParentWindow() const { return parent; }
    uint32_t GetUserWord() const { return userWord; }

    // Moves this window from its old parent's children to the new parent's.
    void SetParentWindow(C_Window* newParent);
    void GetDisplayTarget(S_DisplayTarget* out);

    // Shows `image` (16, 24 or 32 bits per pixel, either row order, any
    // pitch) 1:1 at the client area's top left, or scaled to fit in full
    // screen. Its pixels are copied at once, so the caller may reuse them.
    // Null, undescribed formats and other depths show nothing.
    void PresentImage(C_Image* image);
};
