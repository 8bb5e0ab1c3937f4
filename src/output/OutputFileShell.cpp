#include "output/OutputFileShell.h"

#include "output/ModDialog.h"
#include "output/ModMisc.h"

bool OutputFileShell::RecycleFile(const std::wstring& path) {
    LastRecycle = ::RecycleFile(path);
    return LastRecycle == RecycleResult::Recycled;
}

std::wstring OutputFileShell::GetFileExt(const std::wstring& path) {
    return ::GetFileExt(path);
}
