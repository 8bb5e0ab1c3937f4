// The canvas's effect engine, the class of its effect control ThirdOCX: it loads a picture (from
// a file or from memory), applies blur, sharpen, soften, antialias or ripple to the whole picture,
// and can write the result to a file. The canvas hands it the shown picture in memory.
#pragma once

#include "imaging/CDIB.h"
#include "platform/Gdip.h"

#include <cstdint>
#include <string>

class wpdlx {
public:
    // Loads any image file the platform decodes, as 32 bpp ARGB. False (and no picture) when it
    // cannot be read.
    [[nodiscard]] bool LoadImage(const std::wstring& fileName);
    // Takes a picture from memory in place of a file.
    [[nodiscard]] bool LoadPicture(GpImage* image);
    [[nodiscard]] bool Loaded() const { return picture_.lpBits() != nullptr; }
    [[nodiscard]] const CDIB& Picture() const { return picture_; }

    // Each works in place on the loaded picture; without one they do nothing.
    void Blur();
    void Sharpen();
    void Soften();
    void Antialias();
    void Ripple(int32_t amount);

    // Writes the picture to fileName (see WriteEffectFile). False when nothing is loaded or the
    // write failed.
    [[nodiscard]] bool SaveImage(const std::wstring& fileName) const;

private:
    // Runs a filter that reads an untouched copy and writes the picture.
    template <typename Apply> void FromCopy(Apply apply);

    CDIB picture_;
};

// Writes a 32 bpp picture as a file the platform decodes: an opaque one as an uncompressed bitmap
// (a 12-megapixel PNG takes seconds to encode here, a bitmap file a fraction of that), one with
// any transparency as PNG so that its alpha survives.
[[nodiscard]] bool WriteEffectFile(const CDIB& picture, const std::wstring& fileName);
