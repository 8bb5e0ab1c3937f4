// The bar under the thumbnail grid and the canvas: a zoom slider (track and grip images) shown in
// browse mode, the button that opens and closes the thumbnail pane, and the thumbnail-size
// button. It reports every mouse action to the main window, which reads Value during a drag.
#pragma once

#include "browser/ViewsBarCanvas.h"
#include "imaging/GdiDIB.h"
#include "platform/PictureBox.h"

#include <cstdint>
#include <functional>
#include <string>

class ScrollControl : public PictureBox {
public:
    // canvas gives the editor mode (null: always browse); it must outlive the bar.
    explicit ScrollControl(ViewsBarCanvas* canvas = nullptr) : canvas_(canvas) {}

    // Makes the bar and its two buttons, each showing its icon and the "MOUSED" pointer.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // keepImages false: loads "Scroll.png" and "ScrollTop.png" from the data folder first. Then
    // centres the track and puts ThumSizeBarX at the grip's resting place.
    void HandleHDC(bool keepImages);
    // Centres the track again and paints the grip in the middle of it.
    void ResetPaint();
    // Paints the bar; in browse mode the track and the grip at x (0: its resting place). Not
    // pressed, y decides whether the grip counts as under the pointer.
    void StartPaint(float x, float y, bool pressed);
    // Places the grip for a zoom factor: 55 pixels along the track per unit, as the drag reads it;
    // Value and ThumSizeBarX become the grip's.
    void OutControlScroll(float zoom);

    // Kept for the host; the bar does not use it.
    [[nodiscard]] std::wstring Max() const { return std::to_wstring(max_); }
    void Max(const std::wstring& text);
    // The slider value: the grip's distance along the track in pixels, 55 in the middle.
    [[nodiscard]] int32_t Value() const { return value_; }
    void Value(int32_t value) { value_ = value; }

    // The pane button's look: "CLOSETHUM" (the pane is open) or "OPENTHUM".
    void ThumClose();
    void ThumOpen();

    bool isOpenthum = false;
    bool yzisDrag = false;
    // The grip's x as last painted, kept by the main window to paint the bar again.
    int32_t ThumSizeBarX = 0;

    PictureBox CpThumbnaill;
    PictureBox CpThumsize;

    // Released over a button. onTsMouseup carries the size button's left edge and height in
    // place of the pointer, where the host opens the size menu.
    std::function<void(int button, int shift, float x, float y)> onOcMouseup;
    std::function<void(int button, int shift, float x, float y)> onTsMouseup;

    [[nodiscard]] int32_t TrackLeft() const { return trackLeft_; }
    [[nodiscard]] int32_t GripHome() const { return gripHome_; }
    [[nodiscard]] RectF GripRect() const { return gripRect_; }

    // Where the buttons' icons come from: by default the executable's icon resources; tests that
    // carry no resources install their own. The icons must stay valid for the run.
    using IconLoader = std::function<HICON(const std::wstring& name)>;
    static void SetIconLoader(IconLoader loader);

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void Place();
    void OnPress(float x, float y);
    // Returns the pointer x the move reports (the middle after a snap).
    float OnMove(float x, float y);
    void ShowButton(PictureBox& button, HICON icon);
    void ShowButtons();

    ViewsBarCanvas* canvas_ = nullptr;
    GdiDIB trackImage_;
    GdiDIB gripImage_;
    int32_t trackLeft_ = 0;
    int32_t gripHome_ = 0;
    int32_t max_ = 10;
    int32_t value_ = 0;
    int32_t gripOffset_ = 0;
    float lastPointerX_ = 0;
    bool gripHover_ = false;
    RectF gripRect_{};
    HICON paneIcon_ = nullptr;
    HICON sizeIcon_ = nullptr;
};
