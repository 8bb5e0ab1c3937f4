// The file services the canvas takes from the output module: the recycle bin for the shown
// file, and the file type by which a save picks its encoder.
#pragma once

#include <string>

class ImageFileShell {
public:
    virtual ~ImageFileShell() = default;
    // Moves the file to the recycle bin; false when it is still there.
    [[nodiscard]] virtual bool RecycleFile(const std::wstring& path) = 0;
    // The lower-case extension of the file name ("jpg"); the whole name when it has no ".".
    [[nodiscard]] virtual std::wstring GetFileExt(const std::wstring& path) = 0;
};
