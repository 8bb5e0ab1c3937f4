#include "controls/UseryzProcess.h"

#include "controls/PanelShape.h"
#include "platform/HitRect.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <cstring>
#include <utility>

namespace {

constexpr COLORREF kPanelColor = RGB(236, 236, 236);
constexpr COLORREF kContentColor = RGB(238, 238, 238);
constexpr int kScrollWidth = 17;
constexpr int kToolPictureHeight = 4 * 70 + 70;
constexpr int kNarrowest = 260; // at this width or less the layout is left alone

const ToolGrid::Captions ToolCaptions = {L"Browse...",   L"Crop Image", L"Straighten", L"Irradiation",
                                         L"Add Text...", L"Card",       L"Colorize",   L"Gamma",
                                         L"Grey",        L"Red Eye",    L"Calendar",   L"Contrast"};

const std::array<const wchar_t*, UseryzProcess::kTabCount> kTabCaptions = {L" Tools", L"  Stamp", L"Keyword",
                                                                           L" Calender"};

} // namespace

UseryzProcess::UseryzProcess(SidePanelGrid* grid) : grid_(grid), tools_(ToolCaptions) {
    // The tabs: (5, 14, 30, 15), each next one 22 after the previous one's end.
    const float widths[] = {30, 40, 40, 45};
    float x = 5;
    for (int32_t i = 0; i < kTabCount; ++i) {
        tabRects_[static_cast<size_t>(i)] = RectF(x, 14, widths[i], 15);
        x += widths[i] + 22;
    }
}

UseryzProcess::~UseryzProcess() {
    Destroy();
}

bool UseryzProcess::Create(const PictureBoxArgs& args) {
    PictureBoxArgs own = args;
    own.backColor = kPanelColor;
    if (!PictureBox::Create(own)) return false;
    PictureBoxArgs child{.parent = hWnd(), .width = 1, .height = 1, .backColor = kContentColor, .visible = false};
    if (!toolPanel_.Create(child) || !toolVscroll_.Create(child) || !stampMenu_.Create(child) ||
        !zzVFiter_.Create(child) || !calenderSee_.Create(child))
        return false;
    child.parent = toolPanel_.hWnd();
    child.visible = true;
    if (!toolOLE_.Create(child)) return false;
    // The children by their names in the window tree, as outside tools read it.
    const std::pair<HWND, const wchar_t*> names[] = {
        {toolPanel_.hWnd(), L"ToolPanel"}, {toolOLE_.hWnd(), L"ToolOLE"},   {toolVscroll_.hWnd(), L"ToolVscroll"},
        {stampMenu_.hWnd(), L"StampMenu"}, {zzVFiter_.hWnd(), L"ZzVFiter"}, {calenderSee_.hWnd(), L"CalenderSee"}};
    for (const auto& [window, name] : names) ::SetWindowTextW(window, name);

    onResize = [this] { Layout(); };
    onMouseDown = [this](int button, int shift, float x, float y) { OnTabPress(button, shift, x, y); };
    onMouseUp = [this](int button, int shift, float x, float y) {
        if (onPanelMouseUp) onPanelMouseUp(button, shift, x, y);
    };
    toolOLE_.onMouseDown = [this](int button, int shift, float x, float y) { OnToolPress(button, shift, x, y); };
    toolVscroll_.onValueChanged = [this] {
        toolOLE_.Move(0, -toolVscroll_.Value(), toolOLE_.Width(), toolOLE_.Height());
        toolOLE_.Refresh();
    };
    // A row clicked in the keyword filter: the grid shows the ticked formats.
    zzVFiter_.onMouseDown = [this](int, int, float, float) {
        if (!grid_) return;
        grid_->ImageFormats(zzVFiter_.ImageFormats());
        grid_->RefreshThumbnail(false);
    };
    stampMenu_.onMouseUp = [this](int button, int shift, float x, float y) {
        if (onStampMouseUp) onStampMouseUp(button, shift, x, y);
    };
    stampMenu_.onDblClick = [this] {
        if (onStampDblClick) onStampDblClick();
    };
    calenderSee_.onClick = [this](int button, int shift, float x, float y) {
        if (onCalenderSelect) onCalenderSelect(button, shift, x, y, calenderSee_.DayUp());
    };
    toolPanel_.shortcutKeys = toolOLE_.shortcutKeys = toolVscroll_.shortcutKeys = &childKeys_;
    stampMenu_.shortcutKeys = zzVFiter_.shortcutKeys = calenderSee_.shortcutKeys = &childKeys_;
    tools_.LoadIcons();
    Layout();
    ShowTabPanel();
    return true;
}

void UseryzProcess::Layout() {
    const int w = Width(), h = Height();
    if (w <= kNarrowest || !toolPanel_.hWnd()) return;
    stampMenu_.Move(6, 31, w - 10, h - 46);
    zzVFiter_.Move(6, 31, w - 10, h - 46);
    calenderSee_.Move(6, 31, w - 10, h - 46);
    toolPanel_.Move(6, 31, w - kScrollWidth - 4, h - 46);
    if (!LoadOver) toolOLE_.Move(0, 0, toolPanel_.Width(), toolPanel_.Height());
    toolVscroll_.Move(toolPanel_.Width(), toolPanel_.Top(), kScrollWidth, toolPanel_.Height());
    if (!LoadOver && App().GdiplusToken != 0) stampMenu_.Painting();
    const bool firstPass = !LoadOver;
    LoadOver = true;
    // A panel first painted while too narrow to lay out (the left column collapsed at start) built
    // its tool list one pixel wide; the first layout took the list down to the frame's size, so
    // the list is built again at its full height for the scroll bar to reach every row.
    if (firstPass && !toolPicture_.empty()) BuildToolListPicture();
}

void UseryzProcess::StartPaint() {
    PaintTabStrip();
    BuildToolListPicture();
    zzVFiter_.IniaData();
    zzVFiter_.StartPaint();
}

void UseryzProcess::ResizePaint() {
    PaintTabStrip();
    UpdateToolScroll();
}

void UseryzProcess::ResetPaint() {
    DrawToolList();
}

void UseryzProcess::PaintBG(HDC target, float arcW, float arcH, float w, float h, float x, float y, bool noContent,
                            uint32_t fill, bool tabShape, int32_t tabIndex) {
    GdipGraphics graphics;
    if (GdipCreateFromHDC(target, graphics.put()) != Ok) return;
    GpGraphics* g = graphics.get();
    const bool picked = tabIndex == toolselect_ || (tabIndex == 1 && toolselect_ == kStampSelected);
    PaintPanelShape(g, arcW, arcH, w, h, x, y, noContent, fill, tabShape, picked,
                    {ColorARGB(150, 255, 255, 255), ColorARGB(100, 0, 0, 0), ColorARGB(50, 255, 255, 255)});
    if (!tabShape) return;
    if (tabIndex >= 0 && tabIndex < kTabCount)
        DrawShadowText(DrawTarget::Surface(g), kTabCaptions[static_cast<size_t>(tabIndex)], x + 5, y + 2, L"Tahoma", 8,
                       ColorARGB(200, 0, 0, 0), 0, false, 200);
    if (tabIndex == 3) calenderSee_.Painting();
}

void UseryzProcess::PaintTabStrip() {
    if (App().GdiplusToken == 0) return;
    Cls();
    const float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    PaintBG(hDC(), 10, 10, w - 23, h - 15, 2, 2, false, ColorARGB(150, 179, 179, 179), false, -1);
    for (int32_t i = 0; i < kTabCount; ++i) {
        const RectF& r = tabRects_[static_cast<size_t>(i)];
        PaintBG(hDC(), 10, 10, r.Width, r.Height, r.X, r.Y, true, 0, true, i);
    }
    Refresh();
}

void UseryzProcess::BuildToolListPicture() {
    if (App().GdiplusToken == 0) return;
    toolOLE_.Move(toolOLE_.Left(), toolOLE_.Top(), toolOLE_.Width(), kToolPictureHeight);
    UpdateToolScroll();
    toolOLE_.Cls();
    {
        GdipGraphics g = toolOLE_.CreateGraphics();
        if (g) GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
        tools_.PaintTools(g.get());
    }
    // Kept in memory: the highlight is wiped by putting this back.
    ::GdiFlush();
    toolPicture_.assign(toolOLE_.Bits(), toolOLE_.Bits() + static_cast<size_t>(toolOLE_.Width()) *
                                                               static_cast<size_t>(toolOLE_.Height()));
    DrawToolList();
}

void UseryzProcess::DrawToolList() {
    ::GdiFlush();
    const size_t pixels = static_cast<size_t>(toolOLE_.Width()) * static_cast<size_t>(toolOLE_.Height());
    if (toolPicture_.size() == pixels)
        std::memcpy(toolOLE_.Bits(), toolPicture_.data(), pixels * sizeof(uint32_t));
    else
        toolOLE_.Cls();
    {
        GdipGraphics g = toolOLE_.CreateGraphics();
        ToolGrid::PaintHighlight(g.get(), SelEffect);
        tools_.PaintTool(g.get(), SelEffect);
    }
    toolOLE_.Refresh();
}

void UseryzProcess::UpdateToolScroll() {
    if (Height() > toolOLE_.Height()) {
        toolVscroll_.Enabled(false);
    } else {
        toolVscroll_.Enabled(true);
        toolVscroll_.Max(toolOLE_.Height() - Height());
    }
    toolVscroll_.ResetValue();
    toolOLE_.Move(toolOLE_.Left(), 0, toolOLE_.Width(), toolOLE_.Height());
}

void UseryzProcess::Toolselect(int32_t value) {
    toolselect_ = value;
    PaintTabStrip();
    ShowTabPanel();
    if (onPropertyChanged) onPropertyChanged(L"ToolSelect");
}

void UseryzProcess::ShowTabPanel() {
    switch (toolselect_) {
    case 0:
        toolVscroll_.SetVisible(true);
        toolPanel_.SetVisible(true);
        stampMenu_.SetVisible(false);
        zzVFiter_.SetVisible(false);
        calenderSee_.SetVisible(false);
        break;
    case 1:
        stampMenu_.SetVisible(true);
        toolVscroll_.SetVisible(false);
        toolPanel_.SetVisible(false);
        zzVFiter_.SetVisible(false);
        calenderSee_.SetVisible(false);
        stampMenu_.RefreshPaint();
        break;
    case 2:
        zzVFiter_.Style(0);
        zzVFiter_.SetVisible(true);
        toolVscroll_.SetVisible(false);
        toolPanel_.SetVisible(false);
        stampMenu_.SetVisible(false);
        calenderSee_.SetVisible(false);
        break;
    case 3:
        calenderSee_.SetVisible(true);
        toolVscroll_.SetVisible(false);
        toolPanel_.SetVisible(false);
        stampMenu_.SetVisible(false);
        zzVFiter_.SetVisible(false);
        break;
    default:
        break;
    }
}

void UseryzProcess::OnTabPress(int button, int shift, float x, float y) {
    for (int32_t i = 0; i < kTabCount; ++i) {
        const RectF& r = tabRects_[static_cast<size_t>(i)];
        // The tab as drawn: it reaches 20 past its rectangle's width.
        if (HitRect(RectF(r.X, r.Y, r.Width + 20, r.Height), x, y)) {
            Toolselect(i);
            break;
        }
    }
    if (onPanelMouseDown) onPanelMouseDown(button, shift, x, y);
}

void UseryzProcess::OnToolPress(int button, int shift, float x, float y) {
    const int32_t tool = ToolGrid::ToolAt(x, y);
    lngVisible = tool >= 0 ? 1 : 0;
    if (tool >= 0) {
        SelEffect = tool;
        DrawToolList();
    }
    if (onPanelMouseDown) onPanelMouseDown(button, shift, x, y);
}

void UseryzProcess::RefreshFav() {
    stampMenu_.RefreshPaint();
}

void UseryzProcess::Import(const std::wstring& folder, const std::wstring& fileName) {
    stampMenu_.AddnewItem(folder, fileName);
}

void UseryzProcess::EnabledDays(int32_t dayIndex, bool enabled) {
    calenderSee_.EnabledDays(dayIndex, enabled);
}

void UseryzProcess::RefreshCalender() {
    calenderSee_.Painting();
}
