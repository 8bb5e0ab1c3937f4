#include "controls/ZpYSkinMenu.h"

#include "controls/RecentFolderHistory.h"
#include "platform/HitRect.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/Rounding.h"
#include "platform/TextCase.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr const wchar_t* kHistoryIdPrefix = L"File_History";
constexpr const wchar_t* kCheckMarkFile = L"MenuSeled.png";
constexpr const wchar_t* kFontFace = L"Tahoma";
constexpr float kFontPoints = 8;
constexpr float kSeparatorHeight = 15;
constexpr float kSeparatorOverlap = 5;
constexpr float kFirstRowTop = 8;
constexpr float kRowLeft = 2;
constexpr float kCheckMarkSize = 16;

bool SameText(const std::wstring& a, const std::wstring& b) {
    return FoldCase(a) == FoldCase(b);
}

} // namespace

// The GDI+ objects of one painting pass on the menu's back buffer.
struct ZpYSkinMenu::Painter {
    GdipGraphics g;
    GdipPen separator = MakePen(ColorARGB(50, 104, 142, 255), 1);
    GdipPen border = MakePen(ColorARGB(100, 113, 113, 113), 1);
    GdipSolidFill text = MakeSolidFill(ColorARGB(255, 0, 0, 0));
    GdipSolidFill grey = MakeSolidFill(ColorARGB(255, 170, 170, 170));
    GdipSolidFill face = MakeSolidFill(ColorARGB(255, 255, 255, 255));
    GdipFont font = CreateFontWithFallback(kFontFace, kFontPoints, FontStyleRegular, UnitPoint);
    GdipStringFormat format;
    GpImage* checkMark;

    explicit Painter(const ZpYSkinMenu& menu) : g(menu.CreateGraphics()), checkMark(menu.checkMark_.get()) {
        if (GdipCreateStringFormat(0, LANG_NEUTRAL, format.put()) == Ok)
            GdipSetStringFormatTrimming(format.get(), StringTrimmingEllipsisCharacter);
        if (g) GdipSetTextRenderingHint(g.get(), TextRenderingHintClearTypeGridFit);
    }
    explicit operator bool() const { return g && separator && border && text && grey && face && font && format; }

    // The caption from 23 pixels in, top-aligned, then the shortcut text 40 pixels before the row's
    // width, both in one brush (a greyed row's shortcut is grey too); the check mark at the left.
    void Row(const MenuRow& row, const RectF& r, const GdipSolidFill& brush) const {
        if (row.Checked && checkMark)
            GdipDrawImageRect(g.get(), checkMark, MarkLeft, r.Y, kCheckMarkSize, kCheckMarkSize);
        RectF box{r.X + TextIndent + MarkLeft, r.Y, r.Width, r.Height};
        GdipDrawString(g.get(), row.Caption.c_str(), -1, font.get(), &box, format.get(), brush.get());
        if (row.Shortcut.empty()) return;
        box.X = r.Width - 40;
        GdipDrawString(g.get(), row.Shortcut.c_str(), -1, font.get(), &box, format.get(), brush.get());
    }
};

ZpYSkinMenu::ZpYSkinMenu() : menuListView_(BuildCommandTable()), historyPath_(App().DataPath + kHistoryFileName) {
    UpdateHistory();
}

ZpYSkinMenu::~ZpYSkinMenu() {
    WriteHistoryBack();
    Destroy();
}

void ZpYSkinMenu::SetLeft(int left) {
    Move(left, Top(), Width(), Height());
}
void ZpYSkinMenu::SetTop(int top) {
    Move(Left(), top, Width(), Height());
}
void ZpYSkinMenu::SetWidth(int width) {
    Move(Left(), Top(), width, Height());
}
void ZpYSkinMenu::SetHeight(int height) {
    Move(Left(), Top(), Width(), height);
}

void ZpYSkinMenu::SetVisible(bool visible) {
    PictureBox::SetVisible(visible);
    // A drop-down hangs over the panes, which the host may have made before it (and so above it).
    if (visible && hWnd()) ::SetWindowPos(hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

const MenuRow* ZpYSkinMenu::LaidOutRow(int32_t i) const {
    if (i < 0 || static_cast<size_t>(i) >= rowRects_.size()) return nullptr;
    const size_t p = firstRow_ + static_cast<size_t>(i);
    return p < menuListView_.size() ? &menuListView_[p] : nullptr;
}

void ZpYSkinMenu::Initializemenu(MenuIndex menu) {
    menuHeight_ = 0;
    CurrentlyMenu = menu;
    if (menu == kHistoryMenu)
        MenuCounts = historyCount_;
    else if (const int32_t count = FixedMenuRowCount(menu); count >= 0)
        MenuCounts = count;
    if (MemFirst) {
        const auto first = std::find_if(menuListView_.begin(), menuListView_.end(),
                                        [menu](const MenuRow& row) { return row.MainName == menu; });
        if (first != menuListView_.end()) {
            firstRow_ = static_cast<size_t>(first - menuListView_.begin());
            MemFirst = false;
        }
    }
    // A separator overlaps the row above by 5 pixels; rows past the store's end are not laid out.
    rowRects_.clear();
    const float width = static_cast<float>(Width()) - TextIndent - 4;
    for (int32_t i = 0; i < MenuCounts && firstRow_ + static_cast<size_t>(i) < menuListView_.size(); ++i) {
        const bool separator = menuListView_[firstRow_ + static_cast<size_t>(i)].IsSeparator();
        float top = kFirstRowTop;
        if (!rowRects_.empty())
            top = rowRects_.back().Y + rowRects_.back().Height - (separator ? kSeparatorOverlap : 0);
        const float height = separator ? kSeparatorHeight : static_cast<float>(SubMenuHeight);
        rowRects_.push_back({kRowLeft, top, width, height});
        menuHeight_ += height;
    }
    // A fresh layout shows no highlight, so whichever row is hovered first gets one.
    paintedIndex_ = kNoRow;
}

template <typename Change> void ZpYSkinMenu::ChangeCurrentMenuRows(const std::wstring& commandId, Change change) {
    for (MenuRow& row : menuListView_)
        if (row.MainName == CurrentlyMenu && SameText(row.KeyName, commandId)) change(row);
}

void ZpYSkinMenu::MenuVisible(const std::wstring& commandId, bool enabled) {
    ChangeCurrentMenuRows(commandId, [enabled](MenuRow& row) { row.Visible = !enabled; });
}

void ZpYSkinMenu::MenuChecked(const std::wstring& commandId, bool checked) {
    ChangeCurrentMenuRows(commandId, [checked](MenuRow& row) { row.Checked = checked; });
}

void ZpYSkinMenu::MenuPainting(bool incremental) {
    if (!hWnd() || App().GdiplusToken == 0) return;
    if (incremental) {
        PaintHighlightChange();
        return;
    }
    Cls();
    // Read at every full paint; without the file the marks are left out and the rest is drawn.
    checkMark_.reset(LoadImageFromFileCopy(App().DataPath + kCheckMarkFile));
    {
        Painter p(*this);
        if (p) {
            for (size_t i = 0; i < rowRects_.size(); ++i) {
                const MenuRow* row = LaidOutRow(static_cast<int32_t>(i));
                if (!row) break;
                const RectF& r = rowRects_[i];
                if (row->IsSeparator())
                    GdipDrawLine(p.g.get(), p.separator.get(), r.X + MarkLeft, r.Y + 8, r.Width + 13, r.Y + 8);
                else
                    p.Row(*row, r, row->Visible ? p.grey : p.text);
            }
            GdipDrawRectangle(p.g.get(), p.border.get(), 0, 0, static_cast<float>(Width() - 1),
                              static_cast<float>(Height() - 1));
        }
    }
    paintedIndex_ = kNoRow;
    Refresh();
}

void ZpYSkinMenu::PaintHighlightChange() {
    if (hoverIndex_ == paintedIndex_ || hoverId_ == kSeparatorId) return;
    const MenuRow* row = LaidOutRow(hoverIndex_);
    if (!row || row->Visible || !hWnd() || App().GdiplusToken == 0) return;
    {
        Painter p(*this);
        if (!p) return;
        // The old highlight goes first, so that clearing it cannot clip the new one.
        if (const MenuRow* old = LaidOutRow(paintedIndex_)) {
            const RectF& r = rowRects_[static_cast<size_t>(paintedIndex_)];
            GdipFillRectangle(p.g.get(), p.face.get(), r.X, r.Y - 2, static_cast<float>(Width() - 6), r.Height);
            p.Row(*old, r, old->Visible ? p.grey : p.text);
        }
        const RectF& r = rowRects_[static_cast<size_t>(hoverIndex_)];
        GdipFillRectangle(p.g.get(), p.face.get(), r.X, r.Y, r.Width, r.Height);
        DrawRoundRect(p.g.get(), r.X + MarkLeft, r.Y - 2, r.Width, r.Height - 7, 5, 5);
        p.Row(*row, r, p.text);
    }
    paintedIndex_ = hoverIndex_;
    Refresh();
}

void ZpYSkinMenu::DrawRoundRect(GpGraphics* g, float x, float y, float w, float h, float rx, float ry) {
    DrawRoundGradientRect(DrawTarget::Surface(g), 0, RoundHalfEven(y), 0, RoundHalfEven(y + 50), x, y, w, h, rx, ry,
                          ColorARGB(50, 100, 140, 255), ColorARGB(100, 100, 140, 255), false, 1,
                          ColorARGB(100, 0, 43, 168));
}

void ZpYSkinMenu::Hover(float x, float y) {
    pressed_ = false;
    lngVisible = 0;
    // Top to bottom: where a separator overlaps the row above, the row above wins.
    for (size_t i = 0; i < rowRects_.size(); ++i) {
        const MenuRow* row = LaidOutRow(static_cast<int32_t>(i));
        if (!row || !HitRect(rowRects_[i], x, y) || row->Visible) continue;
        lngVisible = 1;
        hoverId_ = row->KeyName;
        hoverCaption_ = row->Caption;
        hoverIndex_ = static_cast<int32_t>(i);
        MenuPainting(true);
        return;
    }
}

std::wstring ZpYSkinMenu::PressMenuID() const {
    return pressed_ ? hoverId_ : std::wstring();
}

bool ZpYSkinMenu::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    // Only the state changes here; the picture box then raises MouseMove or MouseUp to the host.
    switch (msg) {
    case WM_MOUSEMOVE:
        Hover(static_cast<float>(GET_X_LPARAM(lp)), static_cast<float>(GET_Y_LPARAM(lp)));
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        pressed_ = true;
        break;
    default:
        break;
    }
    return false;
}

void ZpYSkinMenu::AddMenuItem(MenuIndex menu, const std::wstring& caption, const std::wstring& commandId,
                              const std::wstring& shortcut, bool checked, bool visible) {
    menuListView_.push_back({menu, commandId, caption, shortcut, checked, visible});
}

void ZpYSkinMenu::UpdateHistory() {
    const std::vector<std::wstring> folders = ReadHistory(historyPath_);
    for (size_t i = 0; i < folders.size(); ++i)
        AddMenuItem(kHistoryMenu, folders[i], kHistoryIdPrefix + std::to_wstring(i), L"", false, false);
    historyCount_ = static_cast<int32_t>(folders.size());
}

void ZpYSkinMenu::HistoryCreate(const std::wstring& path) {
    if (path.empty()) return;
    Hourglass hourglass;
    const auto historyBegin = menuListView_.end() - historyCount_;
    if (std::any_of(historyBegin, menuListView_.end(),
                    [&path](const MenuRow& row) { return SameText(row.Caption, path); }))
        return;
    if (static_cast<size_t>(historyCount_) >= kHistoryLimit) {
        menuListView_.erase(historyBegin);
        --historyCount_;
    }
    const std::wstring id = kHistoryIdPrefix + std::to_wstring(menuListView_.size());
    AddMenuItem(kHistoryMenu, path, id, L"", false, false);
    ++historyCount_;
    historyChanged_ = true;
}

void ZpYSkinMenu::WriteHistoryBack() const {
    // An unchanged history is not rewritten: a file that could not be read at start-up (held open
    // by another program) must not be replaced by an empty list.
    if (!historyChanged_) return;
    Hourglass hourglass;
    std::vector<std::wstring> folders;
    for (auto row = menuListView_.end() - historyCount_; row != menuListView_.end(); ++row)
        folders.push_back(row->Caption);
    // At shutdown there is no one left to tell; a failed write leaves the previous file in place.
    [[maybe_unused]] const bool written = WriteHistory(historyPath_, folders);
}
