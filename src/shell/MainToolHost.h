// The main window as the tool selection sees it: its canvas, text bar, side panel, bars and menu.
#pragma once

#include "platform/Hourglass.h"
#include "shell/ToolSelection.h"

#include <functional>
#include <optional>
#include <string>

class FrmMain;

class MainToolHost final : public ToolHost {
public:
    explicit MainToolHost(FrmMain& main) : main_(main), rows_(*this) {}

    // The month tool 10 starts on; null: the system clock's.
    std::function<int32_t()> Month;
    [[nodiscard]] ToolMenuRows& Rows() { return rows_; }

    // ToolHost: each member hands the call to the pane that owns it.
    [[nodiscard]] int32_t Effect() const override;
    void SetEffect(int32_t mode) override;
    void SetMax(int32_t value) override;
    void SetMin(int32_t value) override;
    void SetValue(int32_t value) override;
    [[nodiscard]] bool FitMode() const override;
    void SetFitMode(bool fit) override;
    void SetFirstL(bool first) override;
    void ImportRelayout() override;
    void CleanCroprect() override;
    void Painting(bool highQuality) override;
    void GreyEffect() override;
    void SaveUndo() override;
    void ThirdEffect(int32_t effectId) override;
    void SetZoom(float sliderPosition) override;
    [[nodiscard]] bool UnsavedEdit() const override;
    bool NewImage(int32_t width, int32_t height, COLORREF colour) override;
    void Stampeffect(int32_t effect) override;
    void StampOptions(int32_t kind) override;
    void BrushSize(int32_t size) override;
    void EraserOptions(int32_t shape) override;
    void ResetStampsize() override;
    void UndoStampRedo(bool undo) override;
    void LineWidthValue(int32_t width) override;
    [[nodiscard]] bool StartStampTool(bool resetPosition) override;
    void HideText1() override;
    void ShowFullView() override;
    [[nodiscard]] bool TextBarVisible() const override;
    void SetTextBarVisible(bool visible) override;
    void HideText(bool hide) override;
    [[nodiscard]] int32_t SelEffect() const override;
    void SetSelEffect(int32_t tool) override;
    [[nodiscard]] int32_t LngVisible() const override;
    void PanelStartPaint() override;
    void PanelResetPaint() override;
    void SetToolselect(int32_t tab) override;
    [[nodiscard]] std::wstring StampFilename() const override;
    void SplitVStartPaint() override;
    void SplitVValue(int32_t value) override;
    void EnabledID(int id, bool enabled) override;
    void PressDownID(int id, bool pressed) override;
    void ToolbarStartPaint() override;
    void ThumSize(float side) override;
    void CreateThumbnail() override;
    [[nodiscard]] DropDownMenu& Menu() override;
    [[nodiscard]] bool PressMenuEnabled() const override;
    [[nodiscard]] std::wstring PressMenuID() const override;
    void HideMenu() override;
    [[nodiscard]] bool FirstLayoutDone() const override;
    [[nodiscard]] bool EditLoaded() const override;
    void SetEditLoaded(bool loaded) override;
    void ArrangeMainWindow() override;
    void RefreshSidePanel() override;
    void ArrangeEditArea() override;
    void ResetToBrowse() override;
    int AskSaveChanges() override;
    [[nodiscard]] std::optional<CanvasSizeChoice> AskNewImageSize() override;
    void SetBusy(bool busy) override;
    [[nodiscard]] int32_t CurrentMonth() const override;

private:
    FrmMain& main_;
    ToolRowsOfMenu rows_;
    std::optional<Hourglass> busy_;
};
