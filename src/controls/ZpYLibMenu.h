// The stamp-library browser: every "*.lib" file of the program's "Librarians\" folder as one row
// of a scrolling list (thumbnail, name, pixel size, a use and a delete button). It only lists, draws
// and picks: the host reads ButtonType and Filename after MouseUp, Filename after DblClick, and
// uses or deletes the stamp itself. The rows in view are drawn first, their stamps decoded side by
// side; the others are decoded on worker threads and drawn in the background, or at once when a
// scroll brings them into view.
#pragma once

#include "browser/scrollVControl.h"
#include "platform/FileList.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/WorkerBatch.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class ZpYLibMenu : private PictureBox {
public:
    // One row of the list, in display order.
    struct StampRow {
        std::wstring Path;     // the library folder, ending in "\"
        std::wstring String;   // the stamp's file name, e.g. "Leaf.lib"
        std::wstring Filename; // the shown name: the file name without its last "." and extension
        // Decoded once per file version and kept, so that adding or removing a row decodes at
        // most one file.
        GdipBitmap thumbnail; // fitted into 40 x 40 without enlarging; null when undecodable
        float fitX = 0, fitY = 0;
        int32_t pixelWidth = 0, pixelHeight = 0; // 0 x 0 when undecodable
        uint64_t fileSize = 0, modified = 0;     // the version of the file that was decoded
        bool decoded = false;                    // false until the file has been read
    };
    // What decoding a stamp file gives a row.
    struct StampPicture {
        GdipBitmap thumbnail;
        float fitX = 0, fitY = 0;
        int32_t pixelWidth = 0, pixelHeight = 0;
    };

    ZpYLibMenu();
    ~ZpYLibMenu() override;

    // Makes the control with its list surface and scroll bar; lists the library but draws no rows
    // until Painting.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // 0 when the pointer was over no button at the last move, 1 over a delete button, 2 over a
    // use button.
    [[nodiscard]] int32_t ButtonType() const;
    // True while the pointer is over a use button.
    [[nodiscard]] bool Enter() const { return overUseButton_; }
    // The full path of the stamp picked last.
    [[nodiscard]] const std::wstring& Filename() const { return filename_; }

    // Lists the library again and shows every stamp, in the reverse of the names' order: the rows
    // in view at once with their names and buttons, their stamps as the workers decode them (these
    // first), the others in the background. Nothing happens while GDI+ is not running.
    void Painting();
    // Announces a stamp file the host has just written (folder is not used: every stamp lies in
    // the library). The next RefreshPaint shows it as the first row, or draws it again when it is
    // listed already.
    void AddnewItem(const std::wstring& folder, const std::wstring& fileName);
    // Lists the library again and brings the rows in line with it, by name rather than by count:
    // rows of vanished files go (DecPainteding), announced files come in (IncPainteding), files
    // written over are drawn again; any other new file renders the whole list in Painting's order.
    // Unchanged rows are not decoded again.
    void RefreshPaint();
    // After AddnewItem: each announced stamp file now in the library comes in as the first row
    // (the latest on top; one listed already is drawn again in its place), and the rows below move
    // down one row. Only the new files are decoded. Announced names not in the library are dropped.
    void IncPainteding();
    // After the host deleted the picked row's file: that row goes and the rows below move up one
    // row, with every other row whose file has gone. A row whose file is still there stays (a
    // failed delete leaves the list true). Nothing happens while no row is picked.
    void DecPainteding();

    // Raised after every mouse release on the list, with its arguments.
    std::function<void(int button, int shift, float x, float y)> onMouseUp;
    // Raised after a double click on a row (never between rows or below the last one).
    std::function<void()> onDblClick;

    // The rows and their hit areas as last laid out, for hosts and tests that need to look.
    [[nodiscard]] const std::vector<StampRow>& ThumListview() const { return rows_; }
    [[nodiscard]] int32_t StampCount() const { return static_cast<int32_t>(rows_.size()); }
    [[nodiscard]] const std::vector<RectF>& CellRects() const { return cellRects_; }
    [[nodiscard]] const std::vector<RectF>& UseButtonRects() const { return useButtonRects_; }
    [[nodiscard]] const std::vector<RectF>& DeleteButtonRects() const { return deleteButtonRects_; }
    // Rows not drawn yet: they are being decoded in the background (and drawn as their stamps
    // come in) or wait for a scroll to bring them into view.
    [[nodiscard]] int32_t RowsPending() const;
    // True once row (0-based) is drawn with its stamp.
    [[nodiscard]] bool RowComplete(int32_t row) const;
    // The list surface (as tall as all rows, moved up to scroll) and the scroll bar.
    [[nodiscard]] PictureBox& LibOLE();
    [[nodiscard]] scrollVControl& ThumScroll() { return thumScroll_; }

    // What the host may use of the picture box under it; the rest of the private base stays inside.
    using PictureBox::Destroy;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Left;
    using PictureBox::Move;
    using PictureBox::SetVisible;
    using PictureBox::shortcutKeys;
    using PictureBox::Top;
    using PictureBox::Visible;
    using PictureBox::Width;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    class Surface;

    [[nodiscard]] std::wstring LibraryFolder() const;
    // The library's stamp files, in the order of their names.
    [[nodiscard]] std::vector<FileListEntry> LibFiles() const;
    [[nodiscard]] StampRow MakeRow(const FileListEntry& file) const;
    // Rebuilds the rows from the library's files in the reverse of their order, taking a row from
    // kept (by folded file name) where it holds one, so that its stamp is not decoded again.
    void FillStampList(const std::vector<FileListEntry>& files, std::unordered_map<std::wstring, StampRow> kept = {});
    using OnDisk = std::unordered_map<std::wstring, const FileListEntry*>; // by folded name
    [[nodiscard]] static OnDisk ByName(const std::vector<FileListEntry>& files);
    // The steps of IncPainteding and DecPainteding without the render; true when rows changed.
    bool TakeAnnounced(const OnDisk& onDisk);
    bool DropVanished(const OnDisk& onDisk);
    void Layout();
    // Lays out the rectangles, clears the picture, scrolls back to the top and draws the rows in
    // view; the others follow in the background. keepPick keeps the picked row (framed again),
    // for the same rows at another width.
    void Render(bool keepPick = false);
    // The rows in view not yet drawn with their stamps, top first.
    [[nodiscard]] std::vector<size_t> RowsInView() const;
    // Decodes the rows in view that are not decoded (side by side) and draws those not drawn.
    void DrawRowsInView();
    // Draws the rows (each decoded) into the surface and the kept picture.
    void DrawRows(const std::vector<size_t>& rows);
    void DrawRow(GpGraphics* g, size_t i);
    // Starts decoding the rows that are not decoded on worker threads, and the timer that draws
    // what they make.
    void StartBackground();
    void StopBackground();
    void BackgroundTick();
    void UpdateScrollBar();
    // Puts the rendered picture back on the surface, wiping a selection frame.
    void WipeFrame();
    void DrawSelectionFrame(int32_t row);
    void Pick(int32_t row);
    [[nodiscard]] int32_t RowAt(float x, float y) const;

    void OnMouseDown(float x, float y);
    void OnMouseMove(float x, float y);
    void OnMouseUp(int button, int shift, float x, float y);
    void OnDoubleClick(float x, float y);

    // The keys of the list and its scroll bar go the browser's way; made before them, gone after.
    ChildKeys childKeys_{shortcutKeys, ForwardKeys};
    PictureBox oleBg_;
    std::unique_ptr<Surface> libOLE_;
    scrollVControl thumScroll_;

    std::vector<StampRow> rows_;
    std::vector<std::wstring> announced_; // file names from AddnewItem, oldest first
    std::vector<RectF> cellRects_;
    std::vector<RectF> useButtonRects_;
    std::vector<RectF> deleteButtonRects_;
    std::vector<uint32_t> picture_; // the rendered rows, as the surface's pixels
    int32_t pictureWidth_ = 0, pictureHeight_ = 0;
    uint32_t backPixel_ = 0; // the cleared surface's pixel
    int32_t selectedIndex_ = -1;
    int32_t hoverIndex_ = 0;
    bool overUseButton_ = false;
    bool overDeleteButton_ = false;
    std::wstring filename_;

    GdipImage useImage_, deleteImage_; // the buttons, loaded at each full render
    std::vector<char> drawn_;          // per row: not drawn, drawn without its stamp, or drawn
    std::shared_ptr<WorkerBatch<StampPicture>> background_;
    std::vector<size_t> backgroundRows_; // the row of each of background_'s items
    size_t backgroundNext_ = 0;          // the first item not taken yet
    Timer backgroundTimer_;
};
