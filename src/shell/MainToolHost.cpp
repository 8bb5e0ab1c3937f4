#include "shell/MainToolHost.h"

#include "platform/Rounding.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"

// Each member hands the call to the pane that owns it: one line each, so they read alike.

int32_t MainToolHost::Effect() const {
    return main_.SingleyzPreview.Effect();
}
void MainToolHost::SetEffect(int32_t mode) {
    main_.SingleyzPreview.SetEffect(mode);
}
void MainToolHost::SetMax(int32_t value) {
    main_.SingleyzPreview.SetMax(value);
}
void MainToolHost::SetMin(int32_t value) {
    main_.SingleyzPreview.SetMin(value);
}
void MainToolHost::SetValue(int32_t value) {
    main_.SingleyzPreview.SetValue(value);
}
bool MainToolHost::FitMode() const {
    return main_.SingleyzPreview.FitMode();
}
void MainToolHost::SetFitMode(bool fit) {
    main_.SingleyzPreview.SetFitMode(fit);
}
void MainToolHost::SetFirstL(bool first) {
    main_.SingleyzPreview.SetFirstL(first);
}
void MainToolHost::ImportRelayout() {
    (void)main_.SingleyzPreview.Import(L"", true);
}
void MainToolHost::CleanCroprect() {
    main_.SingleyzPreview.CleanCroprect(false);
}
void MainToolHost::Painting(bool highQuality) {
    main_.SingleyzPreview.Painting(false, false, highQuality, false);
}
void MainToolHost::GreyEffect() {
    (void)main_.SingleyzPreview.GreyEffect();
}
void MainToolHost::SaveUndo() {
    (void)main_.SingleyzPreview.SaveUndo();
}
void MainToolHost::ThirdEffect(int32_t effectId) {
    (void)main_.SingleyzPreview.ThirdEffect(effectId);
}
void MainToolHost::SetZoom(float sliderPosition) {
    main_.SingleyzPreview.SetZoom(sliderPosition);
}
bool MainToolHost::UnsavedEdit() const {
    return main_.UnsavedEdit();
}
bool MainToolHost::NewImage(int32_t width, int32_t height, COLORREF colour) {
    return main_.SingleyzPreview.NewImage(static_cast<float>(width), static_cast<float>(height), colour);
}
void MainToolHost::Stampeffect(int32_t effect) {
    (void)main_.SingleyzPreview.Stampeffect(effect);
}
void MainToolHost::StampOptions(int32_t kind) {
    main_.SingleyzPreview.StampOptions(kind);
}
void MainToolHost::BrushSize(int32_t size) {
    main_.SingleyzPreview.SetBrushSize(size);
}
void MainToolHost::EraserOptions(int32_t shape) {
    main_.SingleyzPreview.EraserOptions(shape);
}
void MainToolHost::ResetStampsize() {
    main_.SingleyzPreview.ResetStampsize();
}
void MainToolHost::UndoStampRedo(bool undo) {
    (void)main_.SingleyzPreview.UndoStampRedo(undo);
}
void MainToolHost::LineWidthValue(int32_t width) {
    main_.SingleyzPreview.LineWidthValue(width);
}
bool MainToolHost::StartStampTool(bool resetPosition) {
    return main_.SingleyzPreview.StartStampTool(resetPosition);
}
void MainToolHost::HideText1() {
    main_.SingleyzPreview.HideText1();
}
void MainToolHost::ShowFullView() {
    main_.MenuHost().ShowFullView();
}
bool MainToolHost::TextBarVisible() const {
    return main_.YDSTextControl1.Visible();
}
void MainToolHost::SetTextBarVisible(bool visible) {
    main_.YDSTextControl1.SetVisible(visible);
}
void MainToolHost::HideText(bool hide) {
    main_.YDSTextControl1.HideText(hide);
}
int32_t MainToolHost::SelEffect() const {
    return main_.UseryzProcess1.SelEffect;
}
void MainToolHost::SetSelEffect(int32_t tool) {
    main_.UseryzProcess1.SelEffect = tool;
}
int32_t MainToolHost::LngVisible() const {
    return main_.UseryzProcess1.lngVisible;
}
void MainToolHost::PanelStartPaint() {
    main_.UseryzProcess1.StartPaint();
}
void MainToolHost::PanelResetPaint() {
    main_.UseryzProcess1.ResetPaint();
}
void MainToolHost::SetToolselect(int32_t tab) {
    main_.UseryzProcess1.Toolselect(tab);
}
std::wstring MainToolHost::StampFilename() const {
    return main_.UseryzProcess1.StampFilename();
}
void MainToolHost::SplitVStartPaint() {
    main_.UseryzSplitV.StartPaint(static_cast<float>(main_.UseryzSplitV.ThumSizeBarX), 0, true);
}
void MainToolHost::SplitVValue(int32_t value) {
    main_.UseryzSplitV.Value(value);
}
void MainToolHost::EnabledID(int id, bool enabled) {
    main_.ImageToolbar.EnabledID(id, enabled);
}
void MainToolHost::PressDownID(int id, bool pressed) {
    main_.ImageToolbar.PressDownID(id, pressed);
}
void MainToolHost::ToolbarStartPaint() {
    main_.ImageToolbar.StartPaint();
}
void MainToolHost::ThumSize(float side) {
    main_.ThumyzViewer.ThumWidth(side);
    main_.ThumyzViewer.ThumHeight(side);
}
void MainToolHost::CreateThumbnail() {
    main_.ThumyzViewer.CreateThumbnail();
}
DropDownMenu& MainToolHost::Menu() {
    return main_.MenuHost().Rows();
}
bool MainToolHost::PressMenuEnabled() const {
    return main_.MenuHost().PressMenuEnabled();
}
std::wstring MainToolHost::PressMenuID() const {
    return main_.MenuHost().PressMenuID();
}
void MainToolHost::HideMenu() {
    main_.SkinMenu.SetVisible(false);
}
bool MainToolHost::FirstLayoutDone() const {
    return main_.FirstLayoutDone;
}
bool MainToolHost::EditLoaded() const {
    return main_.EditLoaded;
}
void MainToolHost::SetEditLoaded(bool loaded) {
    main_.EditLoaded = loaded;
}
void MainToolHost::ArrangeMainWindow() {
    main_.ArrangeMainWindow(false);
}
void MainToolHost::RefreshSidePanel() {
    main_.RefreshSidePanel();
}
void MainToolHost::ArrangeEditArea() {
    main_.ArrangeEditArea();
}
void MainToolHost::ResetToBrowse() {
    main_.ResetToBrowse();
}
int MainToolHost::AskSaveChanges() {
    return main_.AskSaveChanges();
}
std::optional<CanvasSizeChoice> MainToolHost::AskNewImageSize() {
    // The new picture starts at the size of the one shown; with none, the question offers its own.
    const Imageyzviewer& canvas = main_.SingleyzPreview;
    if (!canvas.NoOpen()) return main_.MenuHost().CanvasSize.Ask(main_.hWnd(), 0, 0);
    return main_.MenuHost().CanvasSize.Ask(main_.hWnd(), RoundHalfEven(canvas.ImgDIB.Width()),
                                           RoundHalfEven(canvas.ImgDIB.Height()));
}
void MainToolHost::SetBusy(bool busy) {
    if (busy)
        busy_.emplace();
    else
        busy_.reset();
}
int32_t MainToolHost::CurrentMonth() const {
    if (Month) return Month();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wMonth;
}
