#include "platform/ShellItems.h"

void FreeCoTaskMemory(void* memory) {
    ::CoTaskMemFree(memory);
}

std::wstring FileSystemPath(PCIDLIST_ABSOLUTE item) {
    if (!item) return {};
    UniqueCoTaskString name;
    if (FAILED(::SHGetNameFromIDList(item, SIGDN_FILESYSPATH, name.put())) || !name) return {};
    return name.get();
}
