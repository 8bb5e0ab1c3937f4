// One loaded GDI+ image with its pixel size; every view that shows a picture holds one.
#pragma once

#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <string>
#include <string_view>

// What a load of a picture file came to, beside the image.
struct LoadReport {
    // Nothing loaded because there was not enough memory for the file or its decoded picture: the
    // same file may load once memory is free.
    bool lackedMemory = false;
    // The orientation (2 to 8) that the pixels loaded still need to show upright, because the turn
    // could not be made (too little memory for a second copy); 0 when they show upright as loaded.
    uint32_t unturned = 0;
};

class GdiDIB {
public:
    GdiDIB() = default;
    ~GdiDIB() { Destroy(); }
    GdiDIB(const GdiDIB&) = delete; // the image has one owner; a move hands it on
    GdiDIB& operator=(const GdiDIB&) = delete;
    GdiDIB(GdiDIB&& other) noexcept;
    GdiDIB& operator=(GdiDIB&& other) noexcept;

    // The held image; null when empty.
    [[nodiscard]] GpImage* DIB() const { return image_.get(); }
    // Takes ownership of image (disposed by Destroy); the previous image, if another one, is
    // disposed. Width and height are left as they are: callers set them after.
    void SetDIB(GpImage* image);
    // Gives up the held image without disposing it; the object is left empty.
    [[nodiscard]] GpImage* ReleaseDIB();

    [[nodiscard]] float Width() const { return static_cast<float>(width_); }
    [[nodiscard]] float Height() const { return static_cast<float>(height_); }
    void SetWidth(float width);
    void SetHeight(float height);

    // Loads fileName in place of the held image, from a memory copy of the file so that the file
    // is not held open. A file that cannot be read or decoded leaves the object empty. The two
    // further arguments of the old interface had no effect and are gone. report, when given, says
    // why nothing loaded or how the picture loaded (LoadImageFromFileCopy).
    [[nodiscard]] bool Import(const std::wstring& fileName, LoadReport* report = nullptr);

    // Fits a source size into a box without enlarging it; X and Y centre it inside the box.
    static void GetBestFitInfo(float srcW, float srcH, float dstW, float dstH, float& x, float& y, float& w, float& h);

    void Destroy();

private:
    GdipImage image_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// Decodes an image from a memory copy of the file, turned upright by the orientation a JPEG's EXIF
// block or a TIFF's first directory gives (whatever the file's name); null when it cannot be read
// or decoded. The caller owns the image.
[[nodiscard]] GpImage* LoadImageFromFileCopy(const std::wstring& fileName, LoadReport* report = nullptr);
// The same, left as stored, with the orientation that turns it upright (0 when none is given), for
// a caller that turns a reduced copy instead of the whole picture. status, when given, tells why
// nothing was loaded: OutOfMemory when memory ran short, which a failed decode of a picture whose
// header states a size needing more memory than is free counts as, whatever the decoder said.
[[nodiscard]] GpImage* LoadImageAsStored(const std::wstring& fileName, uint32_t& orientation,
                                         GpStatus* status = nullptr);
// Decodes image bytes held in memory (an embedded thumbnail) as they are stored; null when they do
// not decode.
[[nodiscard]] GpImage* DecodeImageBytes(std::string_view bytes);

// The frames a picture file holds: the frames of an animation (timed) or the pages of a TIFF; one
// for a still picture, none when the file cannot be read. Only a GIF or a TIFF (by its bytes) is
// decoded to count them: any other file counts one, unread.
struct ImageFrames {
    uint32_t count = 0;
    bool timed = false; // an animation's frames rather than pages
    // A GIF (timed) or a TIFF whose frames could not be counted (too little memory to decode it, or
    // a decode that failed): it may hold several.
    bool uncounted = false;
};
[[nodiscard]] ImageFrames ImageFileFrames(const std::wstring& fileName);
