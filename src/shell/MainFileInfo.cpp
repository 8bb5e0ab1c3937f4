#include "shell/MainFileInfo.h"

#include "browser/ThumViewer.h"
#include "editor/CanvasGeometry.h"
#include "editor/Imageyzviewer.h"

// Each line is the grid's or the canvas's own: one forwarding member each, so they read alike.

std::wstring MainFileInfo::ShowFilename() const {
    return grid_.ShowFilename();
}
std::wstring MainFileInfo::ShowFormat() const {
    return grid_.ShowFormat();
}
std::wstring MainFileInfo::ShowSize() const {
    return grid_.ShowSize();
}
std::wstring MainFileInfo::ShowCreateData() const {
    return grid_.ShowCreateData();
}
std::wstring MainFileInfo::ShowModiData() const {
    return grid_.ShowModiData();
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
