// A list of rows drawn with GDI+ in one of two styles: 0, the side panel's format filter (a
// check box per image format; a click ticks or unticks it and ImageFormats lists the ticked
// wildcards), or 1, the properties dialog's lines about the selected file and the shown image.
#pragma once

#include "browser/FileInfoSource.h"
#include "platform/PictureBox.h"

#include <cstdint>
#include <string>
#include <vector>

class ZzVFiterControl : public PictureBox {
public:
    struct Row {
        std::wstring Text;
        bool Selected = false; // the row's check mark
    };

    // source answers the information style's lines; it may be null (empty texts) and must
    // outlive the panel.
    explicit ZzVFiterControl(FileInfoSource* source = nullptr) : source_(source) {}
    void Source(FileInfoSource* source) { source_ = source; }

    // Paints one row: in style 0 a sunken check box of side h - 3 with the check image when
    // ticked, then the row's band and its text.
    void PaintZzVFilter(const std::wstring& text, float x, float y, float w, float h, bool ticked);
    // Loads the check image "Eye.png" and paints every row.
    void StartPaint();
    // Fills the rows of the current style; every row starts ticked. Style 0 also ticks every
    // format in ImageFormats.
    void IniaData();

    [[nodiscard]] float ToolHeight() const { return toolHeight_; }
    void ToolHeight(float value) { toolHeight_ = value; }
    [[nodiscard]] const std::wstring& ImageFormats() const { return imageFormats_; }
    void ImageFormats(const std::wstring& value) { imageFormats_ = value; }
    [[nodiscard]] int32_t Style() const { return style_; }
    void Style(int32_t value) { style_ = value; }

    // The rows as the list holds them, and the row last clicked (drawn highlighted).
    [[nodiscard]] const std::vector<Row>& FiterListView() const { return rows_; }
    [[nodiscard]] int32_t MarkedRow() const { return markedRow_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void OnPress(float x, float y);
    void OnMove(float x, float y);

    FileInfoSource* source_ = nullptr;
    std::vector<Row> rows_;
    std::vector<RectF> rowRects_; // as last painted
    int32_t style_ = 0;
    float toolHeight_ = 20;
    std::wstring imageFormats_ = L"*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg";
    int32_t colourIndex_ = 0;
    int32_t markedRow_ = 0;
    GdipImage checkImage_;
};
