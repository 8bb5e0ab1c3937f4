// The file-information lines of the properties dialog: the file the canvas shows (its name, type,
// size and dates as on disk now) and the picture it shows (size and resolution).
#pragma once

#include "browser/FileInfoSource.h"

class Imageyzviewer;

class MainFileInfo final : public FileInfoSource {
public:
    explicit MainFileInfo(const Imageyzviewer& canvas) : canvas_(canvas) {}

    [[nodiscard]] std::wstring ShowFilename() const override;
    [[nodiscard]] std::wstring ShowFormat() const override;
    [[nodiscard]] std::wstring ShowSize() const override;
    [[nodiscard]] std::wstring ShowCreateData() const override;
    [[nodiscard]] std::wstring ShowModiData() const override;
    [[nodiscard]] std::wstring ShowImgWidth() const override;
    [[nodiscard]] std::wstring ShowImgHeight() const override;
    [[nodiscard]] std::wstring ShowImgResolution() const override;

private:
    // The shown file's path; empty without a picture or for a scratch copy.
    [[nodiscard]] std::wstring ShownFile() const;

    const Imageyzviewer& canvas_;
};
