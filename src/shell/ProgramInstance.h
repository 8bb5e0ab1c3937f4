// The guard that lets one copy of the program run per program folder.
#pragma once

#include "platform/GdipHandles.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Copies started from one program folder would share its scratch files ("Datas\" holds the undo
// steps, the stamp steps, the history and the print pages under fixed names), so only one runs:
// a later start hands over to it, bringing its window to the front, and ends. Copies installed in
// different folders have scratch files of their own and run side by side. Held from the start of
// the process to its end, by the thread that claimed it.
class ProgramInstance {
public:
    explicit ProgramInstance(const std::wstring& programFolder);
    ~ProgramInstance();
    ProgramInstance(const ProgramInstance&) = delete;
    ProgramInstance& operator=(const ProgramInstance&) = delete;

    // True when this copy is to run: no other copy of the folder runs, or the one that did has
    // ended (also by a crash). False when this copy is to end: another copy runs, and once its
    // window is shown (waited for up to waitMs while it starts) it has been brought to the front,
    // restored when it was minimised.
    [[nodiscard]] bool Claim(DWORD waitMs = 15000);
    // Makes the running copy's main window known to later starts.
    void Publish(HWND mainWindow);

private:
    [[nodiscard]] HWND PublishedWindow() const;

    std::wstring name_;
    UniqueFile mutex_;
    bool owned_ = false;
    UniqueFile mapping_; // the published window
};

// Brings another process's main window to the front from the start that hands over to it. The
// window hides when minimised while its taskbar companion stands minimised for it: that window is
// restored, as a click on its taskbar button does, which shows the main window again.
void BringRunningCopyForward(HWND mainWindow);
