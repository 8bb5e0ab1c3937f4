// The canvas's file services, as this module provides them.
#pragma once

#include "editor/ImageFileShell.h"
#include "output/ModMisc.h"

class OutputFileShell final : public ImageFileShell {
public:
    [[nodiscard]] bool RecycleFile(const std::wstring& path) override;
    [[nodiscard]] std::wstring GetFileExt(const std::wstring& path) override;
    // What became of the last file sent to the recycle bin, for the caller that tells the user.
    RecycleResult LastRecycle = RecycleResult::Kept;
};
