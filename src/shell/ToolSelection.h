// The editing tools as the main window starts them: the side panel's tool pick (FormOption), the
// Image Tool, Effect and option-menu commands, the tool rows of the drop-down, the view-mode
// routines (new image, full screen, the zoom steps) and the stamp tool. Plain code over ToolHost,
// which the main window implements and tests record; the option ids live in App().
#pragma once

#include "editor/CanvasSizeDialog.h"
#include "shell/MenuState.h"

#include <cstdint>
#include <optional>
#include <string>

class ToolHost {
public:
    virtual ~ToolHost() = default;

    // The canvas. Other callers' interfaces (MenuCommandHost, MenuPickHost) list some of the same
    // members: each declares just what its caller uses.
    [[nodiscard]] virtual int32_t Effect() const = 0;
    virtual void SetEffect(int32_t mode) = 0;
    virtual void SetMax(int32_t value) = 0;
    virtual void SetMin(int32_t value) = 0;
    virtual void SetValue(int32_t value) = 0;
    [[nodiscard]] virtual bool FitMode() const = 0;
    virtual void SetFitMode(bool fit) = 0;
    virtual void SetFirstL(bool first) = 0;
    // Lays the canvas out again without reloading.
    virtual void ImportRelayout() = 0;
    // Clears the selection frames.
    virtual void CleanCroprect() = 0;
    // Repaints with the current mode's overlays; highQuality for a zoom step.
    virtual void Painting(bool highQuality) = 0;
    virtual void GreyEffect() = 0;
    virtual void SaveUndo() = 0;
    virtual void ThirdEffect(int32_t effectId) = 0;
    virtual void SetZoom(float sliderPosition) = 0;
    [[nodiscard]] virtual bool UnsavedEdit() const = 0;
    // Makes and shows a blank image; false when it could not be made.
    virtual bool NewImage(int32_t width, int32_t height, COLORREF colour) = 0;
    // The floating stamp and its brushes.
    virtual void Stampeffect(int32_t effect) = 0;
    virtual void StampOptions(int32_t kind) = 0;
    virtual void BrushSize(int32_t size) = 0;
    virtual void EraserOptions(int32_t shape) = 0;
    virtual void ResetStampsize() = 0;
    virtual void UndoStampRedo(bool undo) = 0;
    virtual void LineWidthValue(int32_t width) = 0;
    // The canvas's part of the stamp tool: the working stamp file becomes the floating stamp in
    // mode 38, laid out; false, with nothing changed, when it cannot be read.
    [[nodiscard]] virtual bool StartStampTool(bool resetPosition) = 0;
    virtual void HideText1() = 0;
    // The canvas image in the main window's single-picture slideshow.
    virtual void ShowFullView() = 0;

    // The text bar.
    [[nodiscard]] virtual bool TextBarVisible() const = 0;
    virtual void SetTextBarVisible(bool visible) = 0;
    virtual void HideText(bool hide) = 0;

    // The side panel.
    [[nodiscard]] virtual int32_t SelEffect() const = 0;
    virtual void SetSelEffect(int32_t tool) = 0;
    [[nodiscard]] virtual int32_t LngVisible() const = 0;
    virtual void PanelStartPaint() = 0;
    virtual void PanelResetPaint() = 0;
    virtual void SetToolselect(int32_t tab) = 0;
    [[nodiscard]] virtual std::wstring StampFilename() const = 0;

    // The bar under the views, the image toolbar, the grid.
    virtual void SplitVStartPaint() = 0;
    virtual void SplitVValue(int32_t value) = 0;
    virtual void EnabledID(int id, bool enabled) = 0;
    virtual void PressDownID(int id, bool pressed) = 0;
    virtual void ToolbarStartPaint() = 0;
    virtual void ThumSize(float side) = 0; // both sides of a thumbnail
    virtual void CreateThumbnail() = 0;

    // The drop-down menu.
    [[nodiscard]] virtual DropDownMenu& Menu() = 0;
    [[nodiscard]] virtual bool PressMenuEnabled() const = 0;
    [[nodiscard]] virtual std::wstring PressMenuID() const = 0;
    virtual void HideMenu() = 0;

    // The main window.
    [[nodiscard]] virtual bool FirstLayoutDone() const = 0;
    [[nodiscard]] virtual bool EditLoaded() const = 0;
    virtual void SetEditLoaded(bool loaded) = 0;
    virtual void ArrangeMainWindow() = 0;
    virtual void RefreshSidePanel() = 0;
    virtual void ArrangeEditArea() = 0;
    virtual void ResetToBrowse() = 0;
    virtual int AskSaveChanges() = 0;
    // The new-image size question: empty unless closed with OK.
    [[nodiscard]] virtual std::optional<CanvasSizeChoice> AskNewImageSize() = 0;
    virtual void SetBusy(bool busy) = 0;
    // The current month, 1 to 12.
    [[nodiscard]] virtual int32_t CurrentMonth() const = 0;
};

// Starts the tool standing in the side panel's SelEffect. force runs it even when the panel's
// last press hit no tool; toggle lets a pick of the active tool return to browse.
void FormOption(ToolHost& host, bool force, bool toggle);
// Unchecks the tool and effect rows of the current menu, then checks "Filter_Browse" if asked.
void CancelMenuChecked(DropDownMenu& menu, bool checkBrowse);
// Enables the tool and effect rows of the current menu. On a floating stamp (mode 38) only the
// brushes and the effects that work on it are enabled, and enable ends False.
void EnabledVMenu(DropDownMenu& menu, int32_t effect, bool& enable);
// Fit, next and previous image only make sense while browsing.
void UpdateViewButtons(ToolHost& host);

// Runs the Image Tool, Effect, Zoom, Line, Star, Stamp or Vector branch of the picked id;
// false when none names it.
bool DoToolCommand(ToolHost& host);

void StartNewImage(ToolHost& host);
void ShowFullScreen(ToolHost& host);
// Step the window's zoom factor (kept from 0.12 to 2.0) and hand it to the canvas.
void PublicZoomout(ToolHost& host, float& zoomFactor);
void PublicZoomin(ToolHost& host, float& zoomFactor);
// Starts the stamp tool with the working stamp file, first copied from the side panel's library
// stamp when copyFromLibrary; stampOption goes to the canvas as the stamp's position reset.
void UseStamp(ToolHost& host, bool copyFromLibrary, bool stampOption);

// The drop-down's tool rows follow the canvas's mode.
class ToolRowsOfMenu final : public ToolMenuRows {
public:
    explicit ToolRowsOfMenu(ToolHost& host) : host_(host) {}
    void EnabledVMenu(bool imageOpen) override { ::EnabledVMenu(host_.Menu(), host_.Effect(), imageOpen); }
    void CancelMenuChecked(bool checkBrowse) override { ::CancelMenuChecked(host_.Menu(), checkBrowse); }

private:
    ToolHost& host_;
};
