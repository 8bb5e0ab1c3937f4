#include "shell/ToolSelection.h"

#include "imaging/ClipboardStamp.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "platform/Rounding.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <tuple>

namespace {

constexpr int32_t kStampMode = 38;

struct Range {
    int32_t max, min, value;
};

void SetRange(ToolHost& h, Range r) {
    h.SetMax(r.max);
    h.SetMin(r.min);
    h.SetValue(r.value);
}

// The tools of the side panel's list whose canvas settings are plain: the id, the range, the
// mode (the tool's number), and whether the selection frames are cleared after the range.
struct PanelTool {
    const wchar_t* id;
    Range range;
    bool cleanAfterRange;
};

const std::map<int32_t, PanelTool>& PlainPanelTools() {
    static const std::map<int32_t, PanelTool> tools{
        {2, {L"Filter_Straight", {10, -10, 0}, false}}, {5, {L"Effect_Card", {255, 50, 50}, true}},
        {6, {L"Effect_Color", {100, 20, 20}, false}},   {7, {L"Effect_Gamma", {3, 0, 1}, false}},
        {9, {L"Filter_Redeye", {300, 50, 100}, true}},  {11, {L"Effect_Contrast", {5, 0, 0}, false}},
    };
    return tools;
}

// Text and calendar put the text bar above the canvas before they start.
void StartTextBarTool(ToolHost& h, int32_t tool, const wchar_t* id, bool hideText, Range range) {
    h.SetTextBarVisible(true);
    h.ArrangeMainWindow();
    h.RefreshSidePanel();
    App().ToolMenu = id;
    h.HideText(hideText);
    SetRange(h, range);
    h.SetEffect(tool);
    h.SetFitMode(false);
}

void StartPanelTool(ToolHost& h, int32_t tool) {
    switch (tool) {
    case 0:
        h.ResetToBrowse();
        return;
    case 1:
        h.CleanCroprect();
        App().ToolMenu = L"Filter_Crop";
        h.SetEffect(1);
        h.SetFitMode(true);
        return;
    case 3:
        App().ToolMenu = L"Filter_Irradiation";
        SetRange(h, {255, 10, 10});
        h.SetFitMode(true);
        h.SetEffect(37);
        return;
    case 4:
        StartTextBarTool(h, 4, L"Filter_Text", false, {255, 10, 10});
        return;
    case 8:
        // The grey style is applied at once; the editor stays in browse.
        h.SetEffect(0);
        h.ImportRelayout();
        h.SetEffect(8);
        h.GreyEffect();
        h.ResetToBrowse();
        return;
    case 10:
        StartTextBarTool(h, 10, L"Filter_Cal", true, {12, 1, h.CurrentMonth()});
        return;
    default:
        break;
    }
    const auto& plain = PlainPanelTools();
    const auto it = plain.find(tool);
    if (it == plain.end()) return; // no tool of the list: only the common steps
    const PanelTool& t = it->second;
    App().ToolMenu = t.id;
    SetRange(h, t.range);
    if (t.cleanAfterRange) h.CleanCroprect();
    h.SetEffect(tool);
    h.SetFitMode(true);
}

// The first editing step after a new image takes the canvas's first undo snapshot.
void MarkFirstEdit(ToolHost& h) {
    if (h.EditLoaded()) {
        h.SetFirstL(false);
    } else {
        h.SetFirstL(true);
        h.SetEditLoaded(true);
    }
}

void PanelRefresh(ToolHost& h) {
    if (!h.FirstLayoutDone()) return;
    h.SplitVStartPaint();
    h.PanelStartPaint();
    h.ArrangeEditArea();
}

// The active tool picked again: back to browse. The toolbar's browse buttons come back with it.
bool ToggledOff(ToolHost& h, const std::wstring& id) {
    if (App().ToolMenu != id) return false;
    h.ResetToBrowse();
    h.Painting(false);
    UpdateViewButtons(h);
    return true;
}

using Branch = std::function<void(ToolHost&, const std::wstring& id)>;

void ShapeTool(ToolHost& h, const std::wstring& id, int32_t mode) {
    if (ToggledOff(h, id)) return;
    h.SetMax(255);
    h.SetMin(0);
    h.SetEffect(mode);
    h.SetFitMode(true);
    h.ImportRelayout();
    App().ToolMenu = id;
    h.SetSelEffect(0);
    h.PanelStartPaint();
    if (h.FirstLayoutDone()) {
        h.ArrangeEditArea();
        h.SplitVStartPaint();
        h.PanelStartPaint();
    }
}

void SelectionTool(ToolHost& h, const std::wstring& id, int32_t mode) {
    App().SelectCombineMode = 1;
    if (ToggledOff(h, id)) return;
    App().ToolMenu = id;
    h.CleanCroprect();
    h.SetEffect(mode);
    h.SetFitMode(true);
    h.ImportRelayout();
    PanelRefresh(h);
}

void BrushTool(ToolHost& h, const std::wstring& id, int32_t kind) {
    if (h.Effect() != kStampMode) {
        (void)ShowMessageBox(nullptr,
                             L"Please select a image region with <Rectanglular Marquee>, <Elliptical Marquee>\n"
                             L"or <Polygonal Lasso> tool.",
                             L"Vellumo", MB_OK | MB_ICONQUESTION);
        return;
    }
    if (App().ToolMenu == id) {
        App().ToolMenu.clear();
        h.StampOptions(0);
        return;
    }
    App().ToolMenu = id;
    if (kind == 7) {
        App().StampBrushMenu = L"Stamp_Brush1";
        h.BrushSize(10);
    }
    h.StampOptions(kind);
    if (kind == 8) h.Painting(false);
}

void PanelToolCommand(ToolHost& h, int32_t tool) {
    h.SetSelEffect(tool);
    FormOption(h, true, true);
}

void WholeImageEffect(ToolHost& h, int32_t stampEffect, int32_t imageEffect) {
    if (stampEffect != 0 && h.Effect() == kStampMode)
        h.Stampeffect(stampEffect);
    else
        h.ThirdEffect(imageEffect);
}

void Decoration(ToolHost& h, const std::wstring& id, int32_t mode, Range range) {
    if (ToggledOff(h, id)) {
        // The refresh and the relayout below still run.
    } else if (mode == 37) {
        App().ToolMenu = id;
        h.SetFitMode(true);
        h.SetEffect(mode);
        SetRange(h, range);
    } else {
        App().ToolMenu = id;
        h.SetFitMode(true);
        SetRange(h, range);
        h.SetEffect(mode);
    }
    PanelRefresh(h);
    h.ImportRelayout();
}

void InstantDecoration(ToolHost& h, int32_t mode) {
    h.SetEffect(mode);
    h.SaveUndo();
    PanelRefresh(h);
    h.ImportRelayout();
}

constexpr std::array<const wchar_t*, 5> kZoomIds{L"Zoom_Small", L"Zoom_Normal", L"Zoom_Middle", L"Zoom_Large",
                                                 L"Zoom_Maximal"};
constexpr std::array<float, 5> kZoomSides{60, 100, 120, 140, 150};

void ZoomCommand(ToolHost& h, size_t index) {
    DropDownMenu& menu = h.Menu();
    for (const wchar_t* id : kZoomIds) menu.MenuChecked(id, false);
    menu.MenuChecked(kZoomIds[index], true);
    App().ThumSizeMenu = kZoomIds[index];
    h.ThumSize(kZoomSides[index]);
    h.CreateThumbnail();
}

void Eraser(ToolHost& h, const std::wstring& id, int32_t shape) {
    App().EraserMenu = id;
    h.EraserOptions(shape);
    for (const wchar_t* e : {L"Stamp_Brusheraser", L"Stamp_Pencileraser", L"Stamp_Blockeraser"})
        h.Menu().MenuChecked(e, false);
}

void StampBrush(ToolHost& h, const std::wstring& id) {
    for (int32_t i = 1; i <= 11; ++i) {
        App().StampBrushMenu = id;
        const std::wstring row = L"Stamp_Brush" + std::to_wstring(i);
        if (id == row)
            h.BrushSize(i <= 8 ? i * 10 : i * 10 + 20);
        else
            h.Menu().MenuChecked(row, false);
    }
}

void Vector(ToolHost& h, const std::wstring& id) {
    App().VectorMenu = id;
    for (const wchar_t* v : {L"Vector_Single", L"Vector_Linear", L"Vector_Radial"}) h.Menu().MenuChecked(v, false);
    h.Menu().MenuChecked(App().VectorMenu, true);
}

const std::map<std::wstring, Branch>& Branches() {
    static const std::map<std::wstring, Branch> branches = [] {
        std::map<std::wstring, Branch> b;
        const std::pair<const wchar_t*, int32_t> shapes[] = {{L"Filter_Circular", 19},
                                                             {L"Filter_Rectangle", 20},
                                                             {L"Filter_Line", 25},
                                                             {L"Filter_Rectblank", 26},
                                                             {L"Filter_Ellipse", 27}};
        for (const auto& [id, mode] : shapes)
            b[id] = [mode](ToolHost& h, const std::wstring& i) { ShapeTool(h, i, mode); };
        const std::pair<const wchar_t*, int32_t> selections[] = {
            {L"Filter_Select", 17}, {L"Filter_FreeSelect", 41}, {L"Filter_EllipSelect", 42}};
        for (const auto& [id, mode] : selections)
            b[id] = [mode](ToolHost& h, const std::wstring& i) { SelectionTool(h, i, mode); };
        const std::pair<const wchar_t*, int32_t> brushes[] = {{L"Filter_EraserTool", 1}, {L"Filter_DodgeTool", 2},
                                                              {L"Filter_BurnTool", 3},   {L"Filter_SharpenTool", 4},
                                                              {L"Filter_SoftenTool", 5}, {L"Filter_SaturationTool", 6},
                                                              {L"Filter_SmudgeTool", 7}, {L"Filter_Airbrush", 8}};
        for (const auto& [id, kind] : brushes)
            b[id] = [kind](ToolHost& h, const std::wstring& i) { BrushTool(h, i, kind); };
        const std::pair<const wchar_t*, int32_t> panelTools[] = {
            {L"Filter_Browse", 0}, {L"Filter_Crop", 1},  {L"Filter_Straight", 2},  {L"Filter_Text", 4},
            {L"Effect_Card", 5},   {L"Effect_Color", 6}, {L"Effect_Gamma", 7},     {L"Effect_Grey", 8},
            {L"Filter_Redeye", 9}, {L"Filter_Cal", 10},  {L"Effect_Contrast", 11}, {L"Filter_Patten", 38}};
        for (const auto& [id, tool] : panelTools)
            b[id] = [tool](ToolHost& h, const std::wstring&) { PanelToolCommand(h, tool); };
        // The stamp's own effect (0: none, the whole image's always) and the whole image's.
        const std::tuple<const wchar_t*, int32_t, int32_t> effects[] = {
            {L"Effect_Blur", 1, 12},      {L"Effect_Sharpe", 2, 13}, {L"Effect_Soften", 3, 14},
            {L"Effect_Antialias", 0, 15}, {L"Effect_Ripple", 5, 16}, {L"Effect_Contour", 4, 45}};
        for (const auto& [id, stamp, image] : effects)
            b[id] = [stamp, image](ToolHost& h, const std::wstring&) { WholeImageEffect(h, stamp, image); };
        const std::tuple<const wchar_t*, int32_t, Range> decorations[] = {
            {L"Effect_Bubble", 28, {300, 50, 50}}, {L"Effect_Firefly", 29, {300, 50, 50}},
            {L"Effect_Rain", 30, {300, 50, 50}},   {L"Effect_Snow", 31, {300, 50, 50}},
            {L"Effect_Flower", 32, {200, 10, 10}}, {L"Filter_Irradiation", 37, {255, 10, 10}}};
        for (const auto& [id, mode, range] : decorations)
            b[id] = [mode, range](ToolHost& h, const std::wstring& i) { Decoration(h, i, mode, range); };
        const std::pair<const wchar_t*, int32_t> instant[] = {
            {L"Effect_Cloud", 33}, {L"Effect_Moon", 34}, {L"Effect_Mist", 35}, {L"Effect_Lensflare", 36}};
        for (const auto& [id, mode] : instant)
            b[id] = [mode](ToolHost& h, const std::wstring&) { InstantDecoration(h, mode); };
        for (size_t i = 0; i < kZoomIds.size(); ++i)
            b[kZoomIds[i]] = [i](ToolHost& h, const std::wstring&) { ZoomCommand(h, i); };
        for (int32_t w = 1; w <= 25; w += 2)
            b[L"Line_" + std::to_wstring(w)] = [w](ToolHost& h, const std::wstring& i) {
                h.LineWidthValue(w);
                App().LineMenu = i;
                h.Painting(false);
            };
        const std::pair<const wchar_t*, int32_t> erasers[] = {
            {L"Stamp_Brusheraser", 0}, {L"Stamp_Pencileraser", 1}, {L"Stamp_Blockeraser", 2}};
        for (const auto& [id, shape] : erasers)
            b[id] = [shape](ToolHost& h, const std::wstring& i) { Eraser(h, i, shape); };
        b[L"Stamp_Size"] = [](ToolHost& h, const std::wstring&) {
            h.ResetStampsize();
            h.Painting(false);
        };
        for (int32_t i = 1; i <= 11; ++i) b[L"Stamp_Brush" + std::to_wstring(i)] = StampBrush;
        b[L"Stamp_Undo"] = [](ToolHost& h, const std::wstring&) { h.UndoStampRedo(true); };
        b[L"Stamp_Redo"] = [](ToolHost& h, const std::wstring&) { h.UndoStampRedo(false); };
        for (const wchar_t* id : {L"Vector_Single", L"Vector_Linear", L"Vector_Radial"}) b[id] = Vector;
        return b;
    }();
    return branches;
}

} // namespace

void FormOption(ToolHost& h, bool force, bool toggle) {
    if (h.TextBarVisible()) h.SetTextBarVisible(false);
    if (h.LngVisible() == 0 && !force) {
        h.PanelStartPaint();
        return;
    }
    if (toggle && App().ToolMenu == h.PressMenuID()) h.SetSelEffect(0);
    // Marked before the tool starts: a tool that edits at once (grey) lays the canvas out first,
    // which is when the canvas keeps the picture as it was as step 0.
    MarkFirstEdit(h);
    StartPanelTool(h, h.SelEffect());
    if (h.FirstLayoutDone()) {
        h.SplitVStartPaint();
        h.PanelResetPaint();
    }
    h.ImportRelayout();
    h.ArrangeEditArea();
}

void CancelMenuChecked(DropDownMenu& menu, bool checkBrowse) {
    // Every row that names a tool or an effect, one id a cell: all are unchecked, Browse checked when asked.
    static constexpr std::array<const wchar_t*, 41> kRows{
        L"Filter_Browse",         L"Filter_Select",     L"Filter_FreeSelect",
        L"Filter_EllipSelect",    L"Filter_Crop",       L"Filter_Straight",
        L"Filter_Rotate",         L"Filter_Text",       L"Filter_Cal",
        L"Filter_Irradiation",    L"Filter_Redeye",     L"Filter_Patten",
        L"Filter_Circular",       L"Filter_Rectangle",  L"Filter_Line",
        L"Filter_Rectblank",      L"Filter_Ellipse",    L"Filter_EraserTool",
        L"Filter_DodgeTool",      L"Filter_BurnTool",   L"Filter_Airbrush",
        L"Filter_SmudgeTool",     L"Filter_SoftenTool", L"Filter_SharpenTool",
        L"Filter_SaturationTool", L"Effect_Blur",       L"Effect_Sharpe",
        L"Effect_Soften",         L"Effect_Antialias",  L"Effect_Bubble",
        L"Effect_Firefly",        L"Effect_Rain",       L"Effect_Snow",
        L"Effect_Flower",         L"Effect_Moon",       L"Effect_Lensflare",
        L"Effect_Card",           L"Effect_Color",      L"Effect_Gamma",
        L"Effect_Grey",           L"Effect_Contrast"};
    for (const wchar_t* id : kRows) menu.MenuChecked(id, false);
    if (checkBrowse) menu.MenuChecked(L"Filter_Browse", true);
}

void EnabledVMenu(DropDownMenu& menu, int32_t effect, bool& enable) {
    static constexpr std::array<const wchar_t*, 22> kImageTools{
        L"Filter_Browse",    L"Filter_Select",   L"Filter_FreeSelect", L"Filter_EllipSelect", L"Filter_Crop",
        L"Filter_Straight",  L"Filter_Rotate",   L"Filter_Text",       L"Filter_Cal",         L"Filter_Irradiation",
        L"Effect_Card",      L"Effect_Color",    L"Effect_Gamma",      L"Effect_Grey",        L"Filter_Redeye",
        L"Filter_Patten",    L"Effect_Contrast", L"Filter_Circular",   L"Filter_Rectangle",   L"Filter_Line",
        L"Filter_Rectblank", L"Filter_Ellipse"};
    static constexpr std::array<const wchar_t*, 13> kStampTools{
        L"Filter_EraserTool", L"Filter_DodgeTool",   L"Filter_BurnTool",       L"Filter_Airbrush", L"Filter_SmudgeTool",
        L"Filter_SoftenTool", L"Filter_SharpenTool", L"Filter_SaturationTool", L"Effect_Blur",     L"Effect_Sharpe",
        L"Effect_Soften",     L"Effect_Ripple",      L"Effect_Contour"};
    static constexpr std::array<const wchar_t*, 10> kImageEffects{
        L"Effect_Antialias", L"Effect_Bubble",    L"Effect_Firefly", L"Effect_Rain", L"Effect_Snow",
        L"Effect_Moon",      L"Effect_Lensflare", L"Effect_Cloud",   L"Effect_Mist", L"Effect_Flower"};
    const bool stamp = effect == kStampMode;
    if (stamp) enable = false;
    for (const wchar_t* id : kImageTools) menu.MenuVisible(id, enable);
    if (stamp) enable = true;
    for (const wchar_t* id : kStampTools) menu.MenuVisible(id, enable);
    if (stamp) enable = false;
    for (const wchar_t* id : kImageEffects) menu.MenuVisible(id, enable);
}

void UpdateViewButtons(ToolHost& h) {
    const bool browsing = h.Effect() == 0;
    h.EnabledID(5, browsing);
    h.EnabledID(7, browsing);
    h.EnabledID(6, browsing);
    h.ToolbarStartPaint();
}

bool DoToolCommand(ToolHost& h) {
    if (!h.PressMenuEnabled()) return false;
    const std::wstring id = h.PressMenuID();
    const auto& branches = Branches();
    const auto branch = branches.find(id);
    if (branch == branches.end()) return false;
    branch->second(h, id);
    return true;
}

void StartNewImage(ToolHost& h) {
    if (h.UnsavedEdit()) {
        const int answer = h.AskSaveChanges();
        if (answer != IDYES && answer != IDNO) return;
    }
    if (const auto size = h.AskNewImageSize(); size && size->width != 0 && size->height != 0)
        (void)h.NewImage(size->width, size->height, size->background);
    for (int id : {2, 4, 5, 7, 6}) h.EnabledID(id, true);
    h.ToolbarStartPaint();
}

void ShowFullScreen(ToolHost& h) {
    if (h.Effect() != 0) return;
    h.ShowFullView();
}

namespace {

void ZoomStep(ToolHost& h, float& zoomFactor, float step) {
    if (h.FitMode()) {
        h.SetFitMode(false);
        h.PressDownID(5, false);
    }
    h.Painting(true);
    zoomFactor = std::clamp(zoomFactor + step, 0.12f, 2.0f);
    h.SplitVValue(RoundHalfEven(zoomFactor));
    // The canvas takes a slider position, 55 to the whole image.
    h.SetZoom(zoomFactor * 55.0f);
}

} // namespace

void PublicZoomout(ToolHost& h, float& zoomFactor) {
    ZoomStep(h, zoomFactor, 0.02f);
}

void PublicZoomin(ToolHost& h, float& zoomFactor) {
    ZoomStep(h, zoomFactor, -0.02f);
}

void UseStamp(ToolHost& h, bool copyFromLibrary, bool stampOption) {
    h.SetBusy(true);
    h.HideMenu();
    const std::wstring working = StampTempPath();
    // A library stamp that cannot take the working file's place must not start the tool on the
    // stamp that was there before.
    if (copyFromLibrary && !::CopyFileW(h.StampFilename().c_str(), working.c_str(), FALSE)) {
        h.SetBusy(false);
        (void)ShowMessageBox(nullptr, L"The stamp could not be copied to " + working + L".", L"Stamp",
                             MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The first edit is marked before the canvas lays out, which is when it keeps step 0; a stamp
    // that does not start leaves the next edit the first.
    const bool wasLoaded = h.EditLoaded();
    MarkFirstEdit(h);
    if (!h.StartStampTool(stampOption)) {
        h.SetFirstL(false);
        h.SetEditLoaded(wasLoaded);
        h.SetBusy(false);
        return;
    }
    h.SetToolselect(1);
    h.ResetStampsize();
    h.SplitVStartPaint();
    h.EnabledID(5, false);
    h.EnabledID(7, false);
    h.EnabledID(6, false);
    h.ToolbarStartPaint();
    if (h.TextBarVisible()) {
        h.SetTextBarVisible(false);
        h.HideText1();
        h.ArrangeMainWindow();
    }
    h.SetBusy(false);
}
