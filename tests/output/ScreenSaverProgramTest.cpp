// The staged screen saver started as the system starts it: "/s" from a program folder of its own
// with data files beside it, ended by a key or a move of the pointer.
#include "output/ScreenSaverWindow.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct RunningSaver {
    PROCESS_INFORMATION process{};
    ~RunningSaver() {
        if (process.hProcess) {
            ::TerminateProcess(process.hProcess, 1);
            ::CloseHandle(process.hProcess);
            ::CloseHandle(process.hThread);
        }
    }
    // Its exit code, or -1 while it still runs after ms milliseconds.
    long ExitCode(int ms) {
        if (::WaitForSingleObject(process.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        return static_cast<long>(code);
    }
};

// Copies the staged screen saver into a fresh program folder with the given data files.
std::wstring SaverFolder(const wchar_t* name) {
    const std::wstring folder = MakeTestFolder(name);
    EXPECT_TRUE(::CopyFileW(VELLUMO_SCR_PATH, (folder + L"VellumoScr.scr").c_str(), FALSE));
    ::CreateDirectoryW((folder + L"ScrDatas").c_str(), nullptr);
    EXPECT_TRUE(WriteTestFile(folder + L"ScrDatas\\Scrdata0.dat", "not a picture")); // passed over
    EXPECT_TRUE(WriteSolidPng(folder + L"ScrDatas\\Scrdata1.dat", 400, 300, ColorARGB(255, 220, 30, 40)));
    return folder;
}

bool Start(RunningSaver& saver, const std::wstring& folder) {
    std::wstring line = L"\"" + folder + L"VellumoScr.scr\" /s";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &saver.process);
}

// Waits until the screen's centre shows the data file's red.
bool ShowsRed() {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN) / 2, cy = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    for (int waited = 0; waited < 8000; waited += 50) {
        if (NearRgb(TestWindow::ScreenPixel(nullptr, cx, cy), RGB(220, 30, 40), 8)) return true;
        TestWindow::Pump(50);
    }
    return false;
}

} // namespace

TEST(ScreenSaverProgram, ShowsThePicturesAndAKeyOrAMoveEndsIt) {
    PointerTo(200, 200);
    const std::wstring folder = SaverFolder(L"saver");
    EXPECT_EQ(ScreenSaverFiles(folder + L"ScrDatas\\").size(), 2u);
    {
        RunningSaver saver;
        ASSERT_TRUE(Start(saver, folder));
        ASSERT_TRUE(ShowsRed());
        PointerTo(202, 203); // within 3 pixels: it goes on
        EXPECT_EQ(saver.ExitCode(300), -1);
        INPUT key[2]{};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wVk = key[1].ki.wVk = VK_SPACE;
        key[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, key, sizeof(INPUT));
        EXPECT_EQ(saver.ExitCode(5000), 0);
    }
    {
        RunningSaver saver;
        ASSERT_TRUE(Start(saver, folder));
        ASSERT_TRUE(ShowsRed());
        PointerTo(190, 215); // up and left counts here, unlike the slideshow's bar
        EXPECT_EQ(saver.ExitCode(5000), 0);
    }
}
