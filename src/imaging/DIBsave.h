// An off-screen GDI+ bitmap with a drawing surface on it; everything the program writes as an
// image file is drawn into one of these and written by Save.
#pragma once

#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <string>

class DIBsave {
public:
    // Owned by this object (held by its owners below) and released by ClearIMG or Destroy;
    // callers draw through them directly but never free or replace them.
    GpGraphics* MemGraphics = nullptr;
    GpBitmap* new_Img = nullptr;
    int32_t NewWidth = 0;
    int32_t NewHeight = 0;

    DIBsave() = default;
    ~DIBsave() { Destroy(); }
    DIBsave(const DIBsave&) = delete;
    DIBsave& operator=(const DIBsave&) = delete;

    // A width and height kept apart from the bitmap's size.
    [[nodiscard]] float Width() const { return static_cast<float>(width_); }
    [[nodiscard]] float Height() const { return static_cast<float>(height_); }
    void SetWidth(float width);
    void SetHeight(float height);

    // Makes the bitmap (32 bpp ARGB, or srcImage's pixel format when useSrcFormat) and its surface.
    // Height comes before width. A bitmap and surface made earlier are released first. Returns
    // whether the bitmap was made (the surface cannot exist on an indexed format).
    [[nodiscard]] bool CreateBlankMemory(int32_t height, int32_t width, GpImage* srcImage = nullptr,
                                         bool useSrcFormat = false, bool highQuality = false);

    // Fills the whole surface with an ARGB colour.
    void ClearScreen(uint32_t colour);

    // Writes the bitmap through the encoder of format (0 bmp, 1 jpeg with quality, 2 gif, 3 emf,
    // 4 wmf, 5 tiff, 6 png). Encodes into a temporary file beside the target and replaces the
    // target only when that succeeded: a failed save leaves an existing file as it was.
    [[nodiscard]] bool Save(const std::wstring& fileName, int32_t format, int32_t quality);

    // Disposes the bitmap and the surface drawn on it.
    void ClearIMG();
    void BitmapArray() {}
    void Destroy();

    // The class id of the encoder the last Save found (all zero until then).
    [[nodiscard]] const CLSID& EncoderClsid() const { return encoderClsid_; }

private:
    void ShowOwned();

    GdipBitmap image_;
    GdipGraphics graphics_;
    CLSID encoderClsid_{};
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// The 8 bpp indexed copy of image that a GIF is written from: the exact colours of an image of at
// most 256, otherwise a colour cube; fully transparent pixels on one entry of alpha 0. Empty when
// image cannot be read.
[[nodiscard]] GdipBitmap IndexedCopyForGif(GpImage* image);

// Writes image to fileName through the encoder of format, by way of a temporary file beside it.
// GIF is written from an 8 bpp indexed copy. Used by DIBsave::Save and by callers holding any
// GDI+ image.
[[nodiscard]] bool SaveImageSafely(GpImage* image, const std::wstring& fileName, int32_t format, int32_t quality,
                                   CLSID* encoderFound = nullptr);
