#include "shell/MainFileInfo.h"

#include "browser/ModFileinfo.h"
#include "editor/CanvasGeometry.h"
#include "editor/Imageyzviewer.h"
#include "platform/PathHelpers.h"

// The file lines describe the file the canvas shows, wherever it was opened from (the grid, File >
// Open, Save As); a scratch copy (a new picture, one whose file was deleted) is no file of the user's.

std::wstring MainFileInfo::ShownFile() const {
    return canvas_.NoOpen() && !canvas_.ShowsScratchFile() ? canvas_.CurFilename : std::wstring();
}

std::wstring MainFileInfo::ShowFilename() const {
    return GetFileName(ShownFile());
}
std::wstring MainFileInfo::ShowFormat() const {
    return FileExtension(ShownFile());
}
std::wstring MainFileInfo::ShowSize() const {
    const std::wstring file = ShownFile();
    return file.empty() ? std::wstring() : GetFileInfoText(file, 0);
}
std::wstring MainFileInfo::ShowCreateData() const {
    const std::wstring file = ShownFile();
    return file.empty() ? std::wstring() : GetFileInfoText(file, 2);
}
std::wstring MainFileInfo::ShowModiData() const {
    const std::wstring file = ShownFile();
    return file.empty() ? std::wstring() : GetFileInfoText(file, 1);
}
std::wstring MainFileInfo::ShowImgWidth() const {
    return canvas_.ShowImgWidth();
}
std::wstring MainFileInfo::ShowImgHeight() const {
    return canvas_.ShowImgHeight();
}
std::wstring MainFileInfo::ShowImgResolution() const {
    // No picture shown reads as 0, as an unset resolution would.
    float dpi = 0;
    if (GpImage* image = canvas_.ImgDIB.DIB()) (void)GdipGetImageHorizontalResolution(image, &dpi);
    return NumberText(dpi);
}
