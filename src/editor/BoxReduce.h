// The canvas's reduction of a picture to the size it is shown at: each target pixel is the mean of
// the block of source pixels it covers. One pass over the source, without the platform's
// per-pixel resampling (which costs about a second for a photograph here and, on this platform,
// samples instead of averaging, so large reductions alias).
#pragma once

#include "platform/Gdip.h"

// Fills target (locked as 32 bpp premultiplied ARGB) with source reduced to target's size; the
// target must be no larger than the source on either axis. A source that is not a bitmap (a
// metafile) is drawn by the platform instead. False when nothing could be written.
[[nodiscard]] bool ReduceInto(GpImage* source, GpBitmap* target);

// Recomputes only the target pixels whose blocks meet area (source pixels) after that part of the
// source changed; target as ReduceInto left it. False when nothing could be written.
[[nodiscard]] bool ReduceAreaInto(GpBitmap* source, GpBitmap* target, const GpRect& area);
