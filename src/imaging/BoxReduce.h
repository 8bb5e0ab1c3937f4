// The one reduction of a picture to a smaller size, for the canvas's view, the stamp preview, the
// stamp library and the grid's thumbnails: each target pixel is the mean of the block of source
// pixels it covers. One pass over the source, without the platform's per-pixel resampling (which
// costs about a second for a photograph here and, on this platform, samples instead of averaging,
// so large reductions alias).
#pragma once

#include "platform/Gdip.h"

// Fills target (locked as 32 bpp premultiplied ARGB) with the block means of source. Target
// column t covers the source columns from t * sw / tw rounded up to (t + 1) * sw / tw rounded up,
// rows alike, so a ratio that is not whole gives blocks of two sizes. False, with nothing drawn
// instead, when the target is larger than the source on either axis or the pixels cannot be read.
[[nodiscard]] bool AverageInto(GpBitmap* source, GpBitmap* target);

// As AverageInto, but a source that is not a bitmap (a metafile) or that target would enlarge is
// drawn by the platform instead. False when nothing could be written.
[[nodiscard]] bool ReduceInto(GpImage* source, GpBitmap* target);

// Recomputes only the target pixels whose blocks meet area (source pixels) after that part of the
// source changed; target as ReduceInto left it. False when nothing could be written.
[[nodiscard]] bool ReduceAreaInto(GpBitmap* source, GpBitmap* target, const GpRect& area);
