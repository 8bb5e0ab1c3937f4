// What the file-information panel reads in its information style: the texts of the file shown and
// the size and resolution of the image shown on the canvas. The main window implements it from its
// canvas.
#pragma once

#include <string>

class FileInfoSource {
public:
    virtual ~FileInfoSource() = default;
    // The file: name, extension, size text, created and modified date texts.
    [[nodiscard]] virtual std::wstring ShowFilename() const = 0;
    [[nodiscard]] virtual std::wstring ShowFormat() const = 0;
    [[nodiscard]] virtual std::wstring ShowSize() const = 0;
    [[nodiscard]] virtual std::wstring ShowCreateData() const = 0;
    [[nodiscard]] virtual std::wstring ShowModiData() const = 0;
    // The canvas's shown image: width and height as texts, and its horizontal resolution in dots
    // per inch as the canvas writes a single-precision number.
    [[nodiscard]] virtual std::wstring ShowImgWidth() const = 0;
    [[nodiscard]] virtual std::wstring ShowImgHeight() const = 0;
    [[nodiscard]] virtual std::wstring ShowImgResolution() const = 0;
};
