// The side panel beside the grid and the image: a strip of four tabs over a framed area that shows
// one of four children: the tool list (twelve editing tools in a scrolling picture), the stamp
// library, the keyword (format) filter and the date picker. It only selects, paints and reports;
// the host reads Toolselect, SelEffect and lngVisible after PanelMouseDown and starts the tool.
#pragma once

#include "browser/GridSidePanel.h"
#include "browser/ZzVFiterControl.h"
#include "browser/scrollVControl.h"
#include "controls/SidePanelGrid.h"
#include "controls/ToolGrid.h"
#include "controls/UserCalender.h"
#include "controls/ZpYLibMenu.h"
#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class UseryzProcess : private PictureBox, public GridSidePanel {
public:
    static constexpr int32_t kTabCount = 4;
    static constexpr int32_t kStampSelected = 4; // Toolselect that draws the stamp tab selected

    // grid receives the keyword tab's formats; it may be null and must outlive the panel.
    explicit UseryzProcess(SidePanelGrid* grid = nullptr);
    ~UseryzProcess() override;

    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // Public state, as the host reads and writes it.
    int32_t SelEffect = 0;  // the picked tool, 0 to 11
    int32_t lngVisible = 0; // non-zero when the last press on the tool list hit a tool
    bool LoadOver = false;  // true from the first layout on

    // Lays out and paints the tab strip, builds the tool-list picture and has the keyword filter
    // fill and paint its rows.
    void StartPaint();
    // Paints the tab strip and updates the tool list's scroll bar.
    void ResizePaint();
    // Draws the picked tool's highlight on the tool list again.
    void ResetPaint();
    // The rounded-shape painter of the frame, the tabs and the highlight, on a device context:
    // a closed box, or with tabShape the tab tabIndex (selected or not) with its caption.
    void PaintBG(HDC target, float arcW, float arcH, float w, float h, float x, float y, bool noContent, uint32_t fill,
                 bool tabShape, int32_t tabIndex);
    // The stamp library: list it again, and announce a stamp file just written to it.
    void RefreshFav();
    void Import(const std::wstring& folder, const std::wstring& fileName);
    void RefreshProperties() {}

    // GridSidePanel: the date picker's marks and month.
    void EnabledDays(int32_t dayIndex, bool enabled) override;
    void RefreshCalender() override;
    [[nodiscard]] int32_t ShownMonth() const override { return calenderSee_.SelectedMonth(); }
    [[nodiscard]] int32_t ShownYear() const override { return calenderSee_.SelectedYear(); }

    // The selected tab, 0 to 4 (4 draws the stamp tab selected and changes no child). Setting it
    // repaints the strip, shows the tab's child and notifies "ToolSelect".
    [[nodiscard]] int32_t Toolselect() const { return toolselect_; }
    void Toolselect(int32_t value);

    [[nodiscard]] int32_t CalenderDay() const { return calenderSee_.SelectedDay(); }
    [[nodiscard]] int32_t CalenderMonth() const { return calenderSee_.SelectedMonth(); }
    [[nodiscard]] int32_t CalenderYear() const { return calenderSee_.SelectedYear(); }
    [[nodiscard]] const std::wstring& StampFilename() const { return stampMenu_.Filename(); }
    [[nodiscard]] int32_t StampEnter() const { return stampMenu_.ButtonType(); }

    // Events.
    std::function<void(int button, int shift, float x, float y, bool dayUp)> onCalenderSelect;
    std::function<void(int button, int shift, float x, float y)> onPanelMouseDown;
    std::function<void(int button, int shift, float x, float y)> onPanelMouseUp;
    std::function<void(int button, int shift, float x, float y)> onStampMouseUp;
    std::function<void()> onStampDblClick;
    std::function<void(const std::wstring& property)> onPropertyChanged;

    // The children, for the host's layout and for tests.
    [[nodiscard]] PictureBox& ToolPanel() { return toolPanel_; }
    [[nodiscard]] PictureBox& ToolOLE() { return toolOLE_; }
    [[nodiscard]] scrollVControl& ToolVscroll() { return toolVscroll_; }
    [[nodiscard]] ZpYLibMenu& StampMenu() { return stampMenu_; }
    [[nodiscard]] ZzVFiterControl& ZzVFiter() { return zzVFiter_; }
    [[nodiscard]] UserCalender& CalenderSee() { return calenderSee_; }
    [[nodiscard]] const std::array<RectF, kTabCount>& TabRects() const { return tabRects_; }

    // What the host may use of the picture box under it; the rest of the private base stays inside.
    using PictureBox::Bits;
    using PictureBox::Destroy;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Left;
    using PictureBox::Move;
    using PictureBox::Point;
    using PictureBox::SetVisible;
    using PictureBox::shortcutKeys;
    using PictureBox::Top;
    using PictureBox::Visible;
    using PictureBox::Width;

private:
    void Layout();
    void PaintTabStrip();
    void BuildToolListPicture();
    void DrawToolList();
    void UpdateToolScroll();
    void ShowTabPanel();
    void OnTabPress(int button, int shift, float x, float y);
    void OnToolPress(int button, int shift, float x, float y);

    SidePanelGrid* grid_ = nullptr;
    // Every child's keys go the panel's way (a click on any of them must not swallow the
    // shortcuts); made before the children, gone after them.
    ChildKeys childKeys_{shortcutKeys, ForwardKeys};
    PictureBox toolPanel_;
    PictureBox toolOLE_;
    scrollVControl toolVscroll_;
    ZpYLibMenu stampMenu_;
    ZzVFiterControl zzVFiter_;
    UserCalender calenderSee_;

    ToolGrid tools_;
    std::array<RectF, kTabCount> tabRects_{};
    int32_t toolselect_ = 0;
    std::vector<uint32_t> toolPicture_; // the rendered tool list, as ToolOLE's pixels
};
