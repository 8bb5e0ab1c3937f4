// What the image-properties dialog shows of the canvas: its picture. The main window implements it;
// the file's lines come from the file-information source.
#pragma once

#include "platform/Gdip.h"

class PropertiesSource {
public:
    virtual ~PropertiesSource() = default;
    // The canvas's picture (owned by the canvas, alive while the dialog is open), or null.
    [[nodiscard]] virtual GpImage* CanvasImage() const = 0;
};
