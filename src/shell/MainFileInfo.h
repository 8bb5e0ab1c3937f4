// The file-information lines of the side panel and the properties dialog: the grid's selected row
// and the canvas's shown image.
#pragma once

#include "browser/FileInfoSource.h"

class ThumViewer;
class Imageyzviewer;

class MainFileInfo final : public FileInfoSource {
public:
    MainFileInfo(const ThumViewer& grid, const Imageyzviewer& canvas) : grid_(grid), canvas_(canvas) {}

    [[nodiscard]] std::wstring ShowFilename() const override;
    [[nodiscard]] std::wstring ShowFormat() const override;
    [[nodiscard]] std::wstring ShowSize() const override;
    [[nodiscard]] std::wstring ShowCreateData() const override;
    [[nodiscard]] std::wstring ShowModiData() const override;
    [[nodiscard]] std::wstring ShowImgWidth() const override;
    [[nodiscard]] std::wstring ShowImgHeight() const override;
    [[nodiscard]] std::wstring ShowImgResolution() const override;

private:
    const ThumViewer& grid_;
    const Imageyzviewer& canvas_;
};
