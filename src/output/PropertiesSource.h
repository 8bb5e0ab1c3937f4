// What the image-properties dialog shows: the canvas's picture and the information lines of the
// file shown. The main window implements it from its canvas and grid.
#pragma once

#include "browser/FileInfoSource.h"
#include "platform/Gdip.h"

class PropertiesSource : public FileInfoSource {
public:
    // The canvas's picture (owned by the canvas, alive while the dialog is open), or null.
    [[nodiscard]] virtual GpImage* CanvasImage() const = 0;
};
