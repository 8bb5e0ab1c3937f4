// Images between the editor, the system clipboard and the stamp files: the working stamp
// "Librarians\Stamptemp.tmp" and the stamp library's ".lib" files under the program folder.
#pragma once

#include "platform/Gdip.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <string>

// Puts image, drawn into (x, y, w, h) of a w x h screen-compatible bitmap, on the clipboard as a
// bitmap (CF_BITMAP). False, with the clipboard left as it was, when the clipboard cannot be
// opened or the bitmap cannot be made.
[[nodiscard]] bool CopyImageToClipboard(GpImage* image, int32_t x, int32_t y, int32_t w, int32_t h);

// Releases the image ClipboardImage() held, then takes the clipboard's bitmap into a GDI+ image
// that ClipboardImage() keeps with its size, and gives the caller a copy of its own in image (so
// that releasing the effect buffers never frees what the caller holds); w, h give its size.
// Without a bitmap on the clipboard ClipboardImage() stays empty, image is empty, w and h are 0,
// and the result is false.
[[nodiscard]] bool PasteClipboardImage(GdipImage& image, int32_t& w, int32_t& h);

// The working stamp file (program folder + "Librarians\Stamptemp.tmp").
std::wstring StampTempPath();
// The stamp-library file of a stamp name (program folder + "Librarians\" + name + ".lib").
std::wstring StampLibPath(const std::wstring& name);
// Whether name can name a stamp-library file inside "Librarians\": not empty, no path separator,
// drive, wildcard or other character a file name cannot hold, not a device name, not too long.
[[nodiscard]] bool IsValidStampName(const std::wstring& name);

// Writes the working stamp (PNG, quality 90): the pasted ClipboardImage() at its own size when
// usePasted, otherwise image drawn at w x h. True when the file was written.
[[nodiscard]] bool SaveStampTemp(bool usePasted, GpImage* image, int32_t w, int32_t h);

// Writes image drawn at w x h as the stamp-library file of name (PNG, quality 90), replacing one of
// that name. Refuses a name IsValidStampName rejects without writing anything. True when written.
[[nodiscard]] bool SaveStampLib(GpImage* image, int32_t w, int32_t h, const std::wstring& name);
