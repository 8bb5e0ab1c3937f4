// The batch dialog's file work on 1,000 small pictures: copying, moving and renaming one file at a
// time through the shell as the dialog does, beside the file system's own call for the same work.
#include "bench/Bench.h"

#include "output/ModMisc.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kFiles = 1000;

std::wstring Folder(const wchar_t* name) {
    const std::wstring folder = BenchFolder() + L"batch\\" + name + L"\\";
    ::CreateDirectoryW((BenchFolder() + L"batch").c_str(), nullptr);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring Name(int i, const wchar_t* stem) {
    return stem + std::to_wstring(i) + L".jpg";
}

// count files of 20 KB named stem0.jpg ... in folder, and nothing else.
void Fill(const std::wstring& folder, const wchar_t* stem, int count) {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW((folder + found.cFileName).c_str());
        while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    const std::string bytes(20000, 'x');
    for (int i = 0; i < count; ++i) {
        HANDLE file = ::CreateFileW((folder + Name(i, stem)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!BenchCheck(file != INVALID_HANDLE_VALUE, "a file to work on could not be made")) return;
        DWORD written = 0;
        BenchCheck(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size(),
                   "a file to work on could not be written");
        ::CloseHandle(file);
    }
}

// Each job runs between two folders (or two names) and back again on the next run, so every run
// does the same work; a copy clears its target first, untimed.
struct Job {
    const char* name;
    bool shell;
    int kind; // 0 copy, 1 move, 2 rename
};

void RunJob(const Job& job, int& run) {
    const std::wstring a = Folder(L"a"), b = Folder(L"b");
    const bool back = run++ % 2 == 1;
    const std::wstring from = back && job.kind == 1 ? b : a, to = back && job.kind == 1 ? a : b;
    const wchar_t* oldStem = job.kind == 2 && back ? L"renamed" : L"pic";
    const wchar_t* newStem = job.kind == 2 && back ? L"pic" : L"renamed";
    for (int i = 0; i < kFiles; ++i) {
        const std::wstring file = from + Name(i, oldStem);
        bool ok = false;
        switch (job.kind) {
        case 0:
            ok = job.shell ? ShellCopyFile(file, to, true)
                           : ::CopyFileW(file.c_str(), (to + Name(i, oldStem)).c_str(), FALSE) != 0;
            break;
        case 1:
            ok = job.shell ? ShellMoveFile(file, to)
                           : ::MoveFileExW(file.c_str(), (to + Name(i, oldStem)).c_str(), 0) != 0;
            break;
        default:
            ok = job.shell ? RenameFileNoReplace(file, from + Name(i, newStem))
                           : ::MoveFileExW(file.c_str(), (from + Name(i, newStem)).c_str(), 0) != 0;
            break;
        }
        BenchCheck(ok, "a file operation failed");
    }
}

const bool registered = [] {
    static const Job jobs[] = {
        {"batch: copy 1,000 files (ShellCopyFile)", true, 0},
        {"batch: copy 1,000 files (CopyFileW)", false, 0},
        {"batch: move 1,000 files (ShellMoveFile)", true, 1},
        {"batch: move 1,000 files (MoveFileExW)", false, 1},
        {"batch: rename 1,000 files (RenameFileNoReplace)", true, 2},
        {"batch: rename 1,000 files (MoveFileExW)", false, 2},
    };
    static ScopedShellConfirmationsOff quiet;
    for (const Job& job : jobs) {
        auto run = std::make_shared<int>(0);
        RegisterBench({job.name, 0,
                       [run] {
                           *run = 0;
                           Fill(Folder(L"a"), L"pic", kFiles);
                           Fill(Folder(L"b"), L"pic", 0);
                       },
                       [&job, run] { RunJob(job, *run); }, 4,
                       [&job] {
                           const double ms = MedianOf(job.name);
                           if (ms > 0) std::printf("  %.0f files per second\n", kFiles * 1000.0 / ms);
                       }});
    }
    return true;
}();

} // namespace
