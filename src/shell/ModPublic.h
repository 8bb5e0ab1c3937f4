// Small shell routines several parts share: the save question asked before the shown image is
// left or the program closes, a short wait with messages running, and the canvas's hint bar with
// the GDI+ objects every paint of it uses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// What the save question needs of the canvas and the grid. The main window implements it.
class SaveQuestionTarget {
public:
    virtual ~SaveQuestionTarget() = default;
    // The canvas holds an applied edit that is not saved.
    [[nodiscard]] virtual bool UnsavedEdit() const = 0;
    // Clears the applied-edit flag and sets the saved flag.
    virtual void MarkSaved() = 0;
    // Saves the shown image over its own file; false when it cannot or the write failed.
    [[nodiscard]] virtual bool SaveInPlace() = 0;
    // Asked before SaveInPlace: false when the user declined to lose the file's other frames.
    [[nodiscard]] virtual bool AgreeToSaveInPlace() = 0;
    // Asks for a name and type and saves there; false when cancelled or failed.
    [[nodiscard]] virtual bool SaveAsChosen() = 0;
    // The grid repaints its thumbnails from the files on disk.
    virtual void RefreshThumSave() = 0;
};

// The message-box answers AskSaveChanges returns.
namespace SaveAnswer {
constexpr int Yes = IDYES;       // 6
constexpr int No = IDNO;         // 7
constexpr int Cancel = IDCANCEL; // 2, also when nothing needed asking
} // namespace SaveAnswer

// Asks "Do you want to save the changes you've made to this image?" when there is an unsaved edit.
// Yes saves in place, or through Save As when that cannot be done; a save that fails, is cancelled
// or is declined (it would keep only one frame of several) answers Cancel and leaves the edit unsaved. No keeps the
// edit on the canvas but no longer counts it as unsaved.
int AskSaveChanges(SaveQuestionTarget& target, HWND owner);

// Waits ms milliseconds while pending window messages run.
void WaitMs(int32_t ms);

// The hint bar's brushes, font and tick image, made once after GDI+ has started; the hint bar
// draws nothing of an object that could not be made.
bool CreateSharedGdipObjects(const std::wstring& dataPath);
void DeleteSharedGdipObjects();

// The hint text of a canvas mode; empty for a mode without one.
[[nodiscard]] const wchar_t* ToolHintText(int32_t toolId);
// Paints the hint bar at the top of the canvas: a translucent green strip from (2, 2), width wide
// and 20 high, the tick image at (5, 3) and the mode's hint text from (25, 5).
void DrawToolHint(HDC dc, int32_t toolId, float width);
