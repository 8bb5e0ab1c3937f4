// The owner-drawn title bar of the borderless windows: a glossy strip with the program logo, the
// caption and two glyph buttons at the right (close and minimise) that it hit-tests itself.
#pragma once

#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <string>

class ButtonControl : public PictureBox {
public:
    // Button indexes as SelectIndex reports them.
    static constexpr int32_t kNone = 0;
    static constexpr int32_t kClose = 1;
    static constexpr int32_t kMinimise = 2;

    ButtonControl() = default;

    // Sets the caption; the strip shows it at the next Painting.
    void Title(const std::wstring& caption) { caption_ = caption; }
    // Sets the strip's ARGB colour; shown at the next Painting.
    void Background(uint32_t argb) { background_ = argb; }
    // The face of the caption's font (bold, 8 points).
    void FontName(const std::wstring& face) { fontName_ = face; }
    // The button under the pointer at the last mouse move over the bar: kClose, kMinimise or kNone.
    [[nodiscard]] int32_t SelectIndex() const { return selectIndex_; }

    // Clears the bar and paints it whole, with the highlight of the button under the pointer. Once
    // painted, the bar paints itself again at every new size.
    void Painting();

    // The rectangle of button index (1 close, 2 minimise) at the bar's present width; index 0 and
    // any other are empty and never hit.
    [[nodiscard]] RectF ButtonRect(int32_t index) const;

    // The host reads SelectIndex in onMouseUp, raised on every release over the bar.

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void HitTest(float x, float y);

    uint32_t background_ = 0xFF5A82FF; // ARGB (255, 90, 130, 255)
    std::wstring caption_;
    std::wstring fontName_ = L"Tahoma";
    bool overButton_ = false;
    bool painted_ = false; // the host has painted the strip: later sizes repaint it
    int32_t selectIndex_ = kNone;
};
