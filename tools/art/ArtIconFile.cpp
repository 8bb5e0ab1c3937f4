// The icon writer of the art program.
#include "tools/art/Art.h"

#include "platform/CursorFile.h"

#include <cstdio>

// An icon file is a cursor file whose header says "icon" and whose directory entry holds the
// plane count and bit depth where a cursor keeps its hot spot.
bool WriteIconFile(GpBitmap* bitmap, const std::wstring& path) {
    if (!WriteCursorFile(bitmap, path, 1, 0)) return false;
    FILE* f = _wfopen(path.c_str(), L"r+b");
    if (!f) return false;
    const unsigned char type[2] = {1, 0};                 // offset 2: 1 icon, 2 cursor
    const unsigned char planesAndBits[4] = {1, 0, 32, 0}; // offset 10: planes 1, 32 bits
    bool ok = std::fseek(f, 2, SEEK_SET) == 0 && std::fwrite(type, 1, 2, f) == 2 && std::fseek(f, 10, SEEK_SET) == 0 &&
              std::fwrite(planesAndBits, 1, 4, f) == 4;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}
