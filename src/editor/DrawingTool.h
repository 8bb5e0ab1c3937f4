// The drawing tools: the text (4) placed by a click and dragged by its box, the month calendar
// (10) placed and dragged alike, and the line, rectangle and ellipse outlines (25 to 27) drawn as a
// rubber band; their preview on the control, their apply step, and the pending drawing rasterized
// into a stamp.
#pragma once

#include "editor/CanvasDrawing.h"
#include "editor/CanvasTool.h"
#include "editor/ClsCalendar.h"

#include <memory>
#include <string>

class DrawingTool : public CanvasTool {
public:
    using CanvasTool::CanvasTool;

    [[nodiscard]] bool Handles(int32_t effect) const override {
        return effect == 4 || effect == 10 || OutlineKind(effect) != 0;
    }
    void Press(float x, float y) override;
    void Drag(int shift, float x, float y) override;
    void Hover(float x, float y) override;
    bool DrawOverlay(GpGraphics* g) override;
    [[nodiscard]] GdipBitmap RenderStep() override;
    void AfterStep(int32_t mode) override;
    void BeforeLayOut() override;

    // A release anywhere ends the press on the text or calendar.
    void EndPress() { canvasPressed_ = false; }
    // The placed text goes: the next click places it again.
    void DropAnchor() { textAnchorSet_ = false; }
    // The rubber band is cleared.
    void ClearShape() { shapeStart_ = shapeEnd_ = PointF(); }

    // The canvas's members of the same names.
    void LineWidthValue(int32_t width) { lineWidth_ = static_cast<float>(width); }
    [[nodiscard]] float LineWidth() const { return lineWidth_; }
    void LineDrawing(int32_t kind, bool toImage, GpGraphics* target);
    void TextPainting(bool apply);
    void CalenderPaint();
    void CreatePattenImg(const std::wstring& fileName);
    [[nodiscard]] PointF TextAnchor() const { return textAnchor_; }
    [[nodiscard]] bool TextAnchorSet() const { return textAnchorSet_; }
    [[nodiscard]] PointF ShapeStart() const { return shapeStart_; }
    [[nodiscard]] PointF ShapeEnd() const { return shapeEnd_; }
    [[nodiscard]] const RectF& TextBounds() const { return textBounds_; }
    bool Rasterize();
    [[nodiscard]] const RectF& LastStampPlace() const { return lastStampPlace_; }
    [[nodiscard]] ClsCalendar& Calendar();

private:
    [[nodiscard]] ShownView Shown() const;
    [[nodiscard]] TextLook CurrentTextLook() const;
    [[nodiscard]] OutlinePen Pen() const;
    [[nodiscard]] DrawingStepInputs DrawingInputs();

    std::unique_ptr<ClsCalendar> calendar_;
    GdipImage patternImage_;
    PointF textAnchor_{};
    bool textAnchorSet_ = false;
    // Where the text or calendar was last drawn on the control: the box the pointer grabs.
    RectF textBounds_{};
    bool overText_ = false;
    bool canvasPressed_ = false; // a press in the text or calendar tool, until the release
    PointF shapeStart_{}, shapeEnd_{};
    float lineWidth_ = 1;
    RectF lastStampPlace_{};
};
