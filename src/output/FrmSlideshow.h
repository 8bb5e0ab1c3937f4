// The full-screen picture window: the timed slideshow (fades, a wait, the next picture, and a
// control bar that a pointer move brings up) and, with isFullView, one picture shown full screen.
// The fade and the striped background are shared with the screen saver.
#pragma once

#include "imaging/GdiDIB.h"
#include "output/SlideshowGrid.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/TopLevelWindow.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Clears box to black and draws the show's stripes over its whole size; the result is the
// background every later clear restores.
void DrawSlideBackground(PictureBox& box);

// Shows a show's window with the picture box that fills it; takeFocus also brings it to the front
// and gives the box the keys (the screen saver's preview, inside another program's window, takes neither).
void ShowSlideWindow(HWND window, PictureBox& view, bool takeFocus);

// Scales image into a w x h buffer once, then fades it in at (x, y - 3) on box: one draw of the
// buffer per alpha of FadeAlphas(step), each after letting window messages run and asking
// keepGoing. False when keepGoing said stop; a null image or an empty size draws nothing but runs
// the steps all the same.
[[nodiscard]] bool FadeInPicture(PictureBox& box, GpImage* image, float x, float y, float w, float h, int32_t step,
                                 const std::function<bool()>& keepGoing);

class FrmSlideshow : public TopLevelWindow {
public:
    // The bar's buttons.
    static constexpr int32_t kExit = 0;
    static constexpr int32_t kBack = 1;
    static constexpr int32_t kNext = 2;
    static constexpr int32_t kSlower = 3;
    static constexpr int32_t kLonger = 4;

    FrmSlideshow() = default;
    ~FrmSlideshow() override;
    FrmSlideshow(const FrmSlideshow&) = delete;
    FrmSlideshow& operator=(const FrmSlideshow&) = delete;

    // True: one picture full screen (no timer, no bar, no custom pointer). Set before Show.
    bool isFullView = false;

    // Loads the form afresh (index 0, flags cleared, a stored delay of 0 made 1000), makes it cover
    // the screen, owned by owner, draws the stripes and shows it. grid (not owned, may be null)
    // lists the files when the selection holds fewer than two. False when the window cannot be made.
    [[nodiscard]] bool Show(HWND owner, const SlideshowGrid* grid);
    // Unloads: Clean, then the window goes; while a fade or a wait is running the window is
    // destroyed as soon as it has returned.
    void Unload();
    [[nodiscard]] bool Visible() const { return hwnd_ != nullptr; }

    // Draws one picture: the file FileName or, when Image is not null, that image of Width x
    // Height pixels. True when the fade ran to its end with neither Closing nor Paused set.
    bool StartSlideshow(const std::wstring& FileName, GpImage* Image, int32_t Width, int32_t Height);
    // Starts the timed show: the first tick shows the picture at SlideIndex.
    void Start();
    // The application's default pointer back, timer off, Closing set, background cleared.
    void Clean();
    // Waits, letting window messages run, until Milliseconds (read again at every check) have
    // passed or Closing is set.
    void DelayS(const int32_t& Milliseconds);

    // State a host or a test reads.
    [[nodiscard]] int32_t SlideIndex() const { return slideIndex_; }
    [[nodiscard]] bool Paused() const { return paused_; }
    [[nodiscard]] bool Closing() const { return closing_; }
    [[nodiscard]] bool TimerEnabled() const { return Timer1.Enabled(); }
    [[nodiscard]] RectF ButtonRect(int32_t index) const;
    [[nodiscard]] const PictureBox* View() const { return view_.get(); }

    // Raised after the window has gone.
    std::function<void()> onUnload;

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void Layout();
    void ClearToBackground();
    void DrawBar();
    void DrawRoundButton(GpGraphics* g, const RectF& box);
    // The list in use and the file at SlideIndex (empty when the list is empty).
    [[nodiscard]] int32_t ListCount() const;
    [[nodiscard]] std::wstring CurrentFile() const;
    void OnTick();
    void OnMouseMove(float x, float y);
    void OnMouseUp();
    void OnDblClick();
    void DestroyNow();
    void RestoreScreenPointer();

    // Counts the fades and waits running, so that an unload waits for them to return.
    class Busy {
    public:
        explicit Busy(FrmSlideshow& form) : form_(form) { ++form_.busy_; }
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        FrmSlideshow& form_;
    };

    std::unique_ptr<PictureBox> view_;
    std::vector<uint32_t> background_;
    const SlideshowGrid* grid_ = nullptr;
    // The show's advance: a tick shows the picture at SlideIndex, waits, and steps on.
    Timer Timer1;
    POINT CursorPos{}; // the screen pointer's position, read at layout and at each move and resume
    int32_t slideIndex_ = 0;
    float anchorX_ = 0, anchorY_ = 0;
    float cursorX_ = 0, cursorY_ = 0;
    bool closing_ = false;
    bool paused_ = false;
    bool buttonHit_ = false;
    int32_t hoverButton_ = 0;
    std::array<RectF, 5> buttonRects_{};
    RectF speedTextRect_{};
    GdiDIB loaded_; // the file shown last, decoded
    std::wstring loadedPath_;
    int busy_ = 0;
    bool destroyPending_ = false;
    bool ownsScreenPointer_ = false;
};
