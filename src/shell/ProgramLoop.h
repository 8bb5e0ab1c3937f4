// The program's message loop, the last step of start-up: the folder pane's dialog loop, and an
// ordinary loop after it while the main window still lives.
#pragma once

#include "browser/ModFolderView.h"

#include <windows.h>

// Opens the folder pane (its loop serves every window) and returns when the main window has gone.
// Should the pane's loop end first, an ordinary loop runs until the main window is destroyed or a
// quit message arrives. Returns the quit message's exit code, else 0.
int RunProgramLoop(ModFolderView& pane, HWND mainWindow);
