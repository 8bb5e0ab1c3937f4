// The canvas's file services, as this module provides them.
#pragma once

#include "editor/ImageFileShell.h"

class OutputFileShell final : public ImageFileShell {
public:
    [[nodiscard]] bool RecycleFile(const std::wstring& path) override;
    [[nodiscard]] std::wstring GetFileExt(const std::wstring& path) override;
};
