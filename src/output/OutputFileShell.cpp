#include "output/OutputFileShell.h"

#include "output/ModDialog.h"
#include "output/ModMisc.h"

bool OutputFileShell::RecycleFile(const std::wstring& path) {
    return ::RecycleFile(path) == RecycleResult::Recycled;
}

std::wstring OutputFileShell::GetFileExt(const std::wstring& path) {
    return ::GetFileExt(path);
}
