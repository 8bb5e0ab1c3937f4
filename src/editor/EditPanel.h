// The edit panel the canvas draws over the picture while a tool is active: the slider, Apply,
// Cancel, Option and the stamp's own Undo and Redo along one edge, and the colour picker at the top
// right. It keeps the slider's value, where each element was last drawn, and its images.
#pragma once

#include "editor/CanvasGeometry.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <optional>

class PictureBox;

class EditPanel {
public:
    // The slider thumb's width while its image is missing (the panel still lays out and answers).
    static constexpr float kThumbWidth = 15;

    // Where elements 0 to 6 were last drawn (PanelRects).
    PanelRectArray Rects{};
    // The slider's value (SliderValue): the tool parameter.
    float SliderValue = 0;

    // Loads the slider thumb "ScrollTop.png" and 26 x 26 and 125 x 130 thumbnails of "Back.png",
    // "Next.png" and "ColorPicker.png" from the data folder.
    void LoadImages();
    void Release();

    [[nodiscard]] float ThumbWidth() const;

    // Draws the panel of effect on box, the slider's thumb at SliderValue, which first follows
    // dragX (a slider drag's pointer) when given, then the box's border; refresh shows the box.
    void Draw(PictureBox& box, int32_t effect, int32_t max, int32_t min, std::optional<float> dragX, bool refresh);
    // The colour picker at the top right of box, and element 3's rectangle.
    void DrawColourPicker(PictureBox& box);
    // SliderValue becomes the value the thumb of the panel of effect shows for a pointer at x.
    void FollowSlider(int32_t effect, float controlW, float controlH, float x, int32_t max, int32_t min);

private:
    // The rounded shapes and captions of one mode and control size, drawn once into a band of
    // rows from the panel's top.
    void DrawBand(GpGraphics* g, int32_t effect, int32_t controlW, int32_t controlH, const EditPanelLayout& panel);

    static constexpr int32_t kBandMargin = 5;
    static constexpr int32_t kBandHeight = 45;
    struct BandKey {
        int32_t effect = -1;
        int32_t width = 0;
        int32_t height = 0;
        bool operator==(const BandKey&) const = default;
    };
    GdipBitmap band_;
    BandKey bandKey_;

    GdipImage thumbImage_;       // the slider thumb, "ScrollTop.png"
    GdipImage backImage_;        // 26 x 26 "Back.png"
    GdipImage nextImage_;        // 26 x 26 "Next.png"
    GdipImage colorPickerImage_; // 125 x 130 "ColorPicker.png"
};
