// The base every top-level window of the program stands on, as the picture box is for child
// controls: the window is bound to its object from WM_NCCREATE to WM_NCDESTROY, a handler may close
// (or delete) its own window, and no exception leaves the window procedure. It also keeps the one
// way a window is shown modally over its owner.
#pragma once

#include <windows.h>

#include <functional>

class TopLevelWindow {
public:
    TopLevelWindow() = default;
    // A window still open is destroyed without reaching the derived handler, which is gone by then.
    virtual ~TopLevelWindow();
    TopLevelWindow(const TopLevelWindow&) = delete; // bound to one window, as the picture box
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    [[nodiscard]] HWND hWnd() const { return hwnd_; }

protected:
    // Registers a window class whose procedure is this base's (lpfnWndProc and hInstance are filled
    // in). A class already registered counts as registered.
    [[nodiscard]] static bool RegisterWindowClass(WNDCLASSEXW wc);
    // The same for a class with the arrow cursor and nothing else of its own.
    [[nodiscard]] static bool RegisterPlainClass(const wchar_t* className);
    // Makes a window of a class registered above, bound to this object from WM_NCCREATE on, so
    // HandleMessage sees WM_CREATE. Returns the window, null when it could not be made.
    HWND CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                     int width, int height, HWND parent);

    // Every message but the ones before WM_NCCREATE: return true when handled, with the result in
    // *result; otherwise the system's default runs. The binding is already cleared when
    // WM_NCDESTROY arrives. A handler that destroys or deletes its own window returns without
    // touching members afterwards.
    virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    // Destroys the window; an owner that RunModal disabled is enabled first, so that it gets the
    // activation back. Safe from one of the window's own handlers.
    void DestroyTopLevel();
    // Keeps owner disabled while the shown window is open, pumping this thread's messages;
    // preDispatch sees each message first as in RunModalLoop. A quit closes the window and reaches
    // the loop above. The window is destroyed when this returns.
    void RunModal(HWND owner, const std::function<bool(const MSG&)>& preDispatch = nullptr);
    // An edit box of this window (ES_AUTOHSCROLL and style; id 0 for none) in the dialog font,
    // above the window's other children. Null when it could not be made.
    HWND CreateEditBox(DWORD style, int id, int x, int y, int width, int height);
    // The top-left corner that centres a window of this outer size over owner (the screen without one).
    [[nodiscard]] static POINT CentreOver(HWND owner, int width, int height);

    // The bound window; null before it is made and from WM_NCDESTROY on. Protected so that each
    // window's own drawing and layout code reads it as before.
    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <typename Window> friend Window* BoundWindow(HWND hwnd, UINT msg, LPARAM lp);
    void EnableModalOwner();

    HWND modalOwner_ = nullptr; // disabled by RunModal until the window goes
};
