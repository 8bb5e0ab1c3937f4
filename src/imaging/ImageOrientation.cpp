#include "imaging/ImageOrientation.h"

namespace {

// The turn of an orientation, then a mirror when it takes one (RotateNoneFlipNone: none).
struct Turn {
    RotateFlipType turn;
    RotateFlipType mirror;
};

// GdipImageRotateFlip's Rotate90FlipX and Rotate270FlipX are exchanged on one platform we run on,
// so the two mirrored quarter turns are made of a plain turn and a mirror, which agree everywhere.
constexpr Turn kTurns[9] = {
    {RotateNoneFlipNone, RotateNoneFlipNone}, // 0: none given
    {RotateNoneFlipNone, RotateNoneFlipNone}, {RotateNoneFlipX, RotateNoneFlipNone},
    {Rotate180FlipNone, RotateNoneFlipNone},  {RotateNoneFlipY, RotateNoneFlipNone},
    {Rotate90FlipNone, RotateNoneFlipX},      {Rotate90FlipNone, RotateNoneFlipNone},
    {Rotate270FlipNone, RotateNoneFlipX},     {Rotate270FlipNone, RotateNoneFlipNone},
};

} // namespace

bool TurnUpright(GpImage* image, uint32_t orientation) {
    if (orientation > 8 || kTurns[orientation].turn == RotateNoneFlipNone) return true;
    const Turn& t = kTurns[orientation];
    if (!image || GdipImageRotateFlip(image, t.turn) != Ok) return false;
    if (t.mirror != RotateNoneFlipNone && GdipImageRotateFlip(image, t.mirror) != Ok) {
        // Back to as stored rather than left half turned.
        (void)GdipImageRotateFlip(image, t.turn == Rotate90FlipNone ? Rotate270FlipNone : Rotate90FlipNone);
        return false;
    }
    // An encoder that writes the image's own tags would otherwise tell viewers to turn it again.
    (void)GdipRemovePropertyItem(image, PropertyTagOrientation);
    return true;
}
