// The picture box every owner-drawn control stands on: a child window with a persistent 32 bpp
// back buffer, the mouse captured from press to release, and the runtime's mouse and key events.
#pragma once

#include "platform/DibSection.h"
#include "platform/GdipHandles.h"
#include "platform/ShortcutKeyHandler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The runtime's button codes (MouseDown and MouseUp carry one, MouseMove all that are held).
namespace MouseButton {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
} // namespace MouseButton

// The runtime's shift codes.
namespace ShiftKey {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
} // namespace ShiftKey

// The runtime's MousePointer codes that the program uses; any other code shows the arrow.
namespace MousePointer {
constexpr int Default = 0;
constexpr int Arrow = 1;
constexpr int Cross = 2;
constexpr int IBeam = 3;
constexpr int SizeAll = 5;
constexpr int SizeNESW = 6;
constexpr int SizeNS = 7;
constexpr int SizeNWSE = 8;
constexpr int SizeWE = 9;
constexpr int UpArrow = 10;
constexpr int Hourglass = 11;
constexpr int NoDrop = 12;
constexpr int ArrowHourglass = 13;
constexpr int ArrowQuestion = 14;
constexpr int Custom = 99;
} // namespace MousePointer

struct PictureBoxArgs {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    COLORREF backColor = RGB(255, 255, 255);
    bool visible = true;
    bool enabled = true;
};

class PictureBox {
public:
    PictureBox() = default;
    virtual ~PictureBox();
    PictureBox(const PictureBox&) = delete; // bound to one window
    PictureBox& operator=(const PictureBox&) = delete;

    // Makes the window and its back buffer (cleared to the back colour). The window is bound to
    // this object from WM_NCCREATE on, so HandleMessage sees WM_CREATE.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);
    // Destroys the window (also safe from one of this box's own event handlers, as is deleting the
    // box there). A window destroyed by its parent leaves hWnd() null.
    void Destroy();

    [[nodiscard]] HWND hWnd() const { return hwnd_; }
    // The back buffer's device context: draw here, then Refresh.
    [[nodiscard]] HDC hDC() const { return buffer_.dc(); }
    // A GDI+ surface on the back buffer, for one drawing pass.
    [[nodiscard]] GdipGraphics CreateGraphics() const;
    // The back buffer's pixels, top row first, blue-green-red-x, Width() * Height() of them.
    [[nodiscard]] uint32_t* Bits() const { return bits_; }

    // Fills the back buffer with the back colour.
    void Cls();
    // Shows the back buffer on the screen now, whole.
    void Refresh();
    // Cls, then draw on an anti-aliased GDI+ surface over the back buffer, then Refresh: a skinned
    // control's whole picture. Nothing is done while GDI+ is not started (App().GdiplusToken 0).
    void PaintWhole(const std::function<void(GpGraphics* g)>& draw);
    // The colour of a back-buffer pixel (red in the low byte), CLR_INVALID outside.
    [[nodiscard]] COLORREF Point(int x, int y) const;

    [[nodiscard]] COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF colour);

    [[nodiscard]] int Left() const;
    [[nodiscard]] int Top() const;
    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    // Places the box in its parent; a new size keeps the buffer's top-left content.
    void Move(int x, int y, int width, int height);

    [[nodiscard]] bool Visible() const;
    void SetVisible(bool visible);
    [[nodiscard]] bool Enabled() const;
    // A disabled box gets no mouse or key events.
    void SetEnabled(bool enabled);
    void SetFocus();
    [[nodiscard]] bool HasFocus() const;

    [[nodiscard]] int GetMousePointer() const { return mousePointer_; }
    // One of the MousePointer codes; Custom shows the cursor set by SetMouseIcon.
    void SetMousePointer(int code);
    // Shows the named cursor resource ("MOUSED", "PICKER", "PANVIEW", "SHOU"); false when it
    // cannot be loaded, and the pointer is then left as it was.
    [[nodiscard]] bool SetMouseIcon(const std::wstring& resourceName);
    [[nodiscard]] HCURSOR MouseIcon() const { return customCursor_; }

    // Where named cursors come from: by default the executable's cursor resources. Tests that
    // carry no resources install their own loader. The loader's cursors must stay valid for the
    // run (shared resource cursors do).
    using CursorLoader = std::function<HCURSOR(const std::wstring& name)>;
    static void SetCursorLoader(CursorLoader loader);
    // The application-wide pointer (the runtime's screen pointer): the named cursor shows over
    // every box in place of the box's own pointer until ResetScreenPointer; the hourglass still
    // wins. False when the cursor cannot be loaded, and nothing changes then.
    [[nodiscard]] static bool SetScreenPointer(const std::wstring& resourceName);
    static void ResetScreenPointer();
    [[nodiscard]] static HCURSOR ScreenPointer();

    // Events, with pixel coordinates of this box (outside it while the mouse is held).
    std::function<void(int button, int shift, float x, float y)> onMouseDown;
    std::function<void(int button, int shift, float x, float y)> onMouseMove;
    std::function<void(int button, int shift, float x, float y)> onMouseUp;
    std::function<void()> onClick;    // left press and release both inside the box
    std::function<void()> onDblClick; // second left press of a double click (it brings no MouseDown)
    std::function<void(int keyCode, int shift)> onKeyDown;
    // Where key presses go after onKeyDown, unchanged, while ForwardKeys is true (a control that
    // types text turns it off). Not owned.
    ShortcutKeyHandler* shortcutKeys = nullptr;
    bool ForwardKeys = true;
    std::function<void()> onResize;

protected:
    // Derived controls see every message first; return true when handled (result in *result).
    virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

private:
    static bool RegisterOnce();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <typename Window> friend Window* BoundWindow(HWND hwnd, UINT msg, LPARAM lp);
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // Calls an event handler; false when the handler closed or deleted this box, which must then
    // not be touched again.
    template <typename... Args, typename... Given> bool Raise(const std::function<void(Args...)>& event, Given... args);
    bool MakeBuffer(int width, int height);
    void OnButtonDown(int button, LPARAM lp);
    void OnButtonUp(int button, WPARAM wp, LPARAM lp);
    void OnKeyDown(WPARAM wp);
    HCURSOR CurrentCursor() const;
    // The window's rectangle in its parent's client coordinates; all 0 without a window.
    RECT PlaceInParent() const;

    HWND hwnd_ = nullptr;
    DibSection buffer_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    COLORREF backColor_ = RGB(255, 255, 255);
    int mousePointer_ = MousePointer::Default;
    HCURSOR customCursor_ = nullptr;
    bool leftPressedInside_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The runtime's shift code of the keys held now.
int CurrentShiftCode();
