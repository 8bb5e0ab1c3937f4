// Recording fakes of the seams between the subsystems: each writes its calls into a CallLog and
// answers getters from plain fields that a test sets.
#pragma once

#include "browser/FileInfoSource.h"
#include "browser/FolderPaneHost.h"
#include "browser/GridMainWindow.h"
#include "browser/ViewsBarCanvas.h"
#include "controls/CompanionMainWindow.h"
#include "controls/SidePanelGrid.h"
#include "controls/ToolbarSearchGrid.h"
#include "editor/CanvasMainWindow.h"
#include "editor/CanvasSizeDialog.h"
#include "editor/FontListHost.h"
#include "editor/ImageFileShell.h"
#include "editor/ImageToolbarView.h"
#include "editor/SkinMenuView.h"
#include "editor/TextBarMainWindow.h"
#include "output/BatchMainWindow.h"
#include "output/PrinterLayer.h"
#include "output/PropertiesSource.h"
#include "platform/AppState.h"
#include "platform/PathHelpers.h"
#include "platform/ShortcutKeyHandler.h"
#include "platform/TextCase.h"
#include "tests/support/CallLog.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class FakeShortcutKeyHandler : public ShortcutKeyHandler {
public:
    CallLog log;
    void HandleShortcutKey(int keyCode, int shift) override {
        log.Add(L"HandleShortcutKey(" + Arg(keyCode) + L", " + Arg(shift) + L")");
    }
};

class FakeImageToolbar : public ImageToolbarView {
public:
    CallLog log;
    void EnabledID(int id, bool enabled) override { log.Add(L"EnabledID(" + Arg(id) + L", " + Arg(enabled) + L")"); }
    void StartPaint() override { log.Add(L"StartPaint()"); }
    void PressDownID(int id, bool pressed) override {
        log.Add(L"PressDownID(" + Arg(id) + L", " + Arg(pressed) + L")");
    }
};

class FakeSkinMenu : public SkinMenuView {
public:
    CallLog log;
    float newHeight = 0; // what New_Height answers
    void SetLeft(int left) override { log.Add(L"Left=" + Arg(left)); }
    void SetTop(int top) override { log.Add(L"Top=" + Arg(top)); }
    void SetWidth(int width) override { log.Add(L"Width=" + Arg(width)); }
    void SetHeight(int height) override { log.Add(L"Height=" + Arg(height)); }
    bool visible = false; // what Visible answers; SetVisible sets it
    void SetVisible(bool value) override {
        visible = value;
        log.Add(L"Visible=" + Arg(value));
    }
    bool Visible() const override { return visible; }
    void SetMemFirst(bool value) override { log.Add(L"MemFirst=" + Arg(value)); }
    void Initializemenu(int32_t menuNumber) override {
        log.Add(L"Initializemenu=" + Arg(static_cast<int>(menuNumber)));
    }
    float New_Height() const override { return newHeight; }
    void MenuChecked(const std::wstring& commandId, bool checked) override {
        log.Add(L"MenuChecked(" + Arg(commandId) + L", " + Arg(checked) + L")");
    }
    void MenuPainting() override { log.Add(L"MenuPainting()"); }
    void SetPressMenuID(const std::wstring& commandId) override { log.Add(L"PressMenuID=" + Arg(commandId)); }
};

class FakeCanvasMainWindow : public CanvasMainWindow {
public:
    CallLog log;
    Placement placement; // what CanvasPlacement answers
    void SetSelEffect(int32_t tool) override { log.Add(L"SelEffect=" + Arg(static_cast<int>(tool))); }
    void FormOption(bool force, bool resetOnSameTool) override {
        log.Add(L"FormOption(" + Arg(force) + L", " + Arg(resetOnSameTool) + L")");
    }
    // What UseStamp does besides being logged (a test can start the stamp the way the host does).
    std::function<void(bool flag, bool resetPosition)> onUseStamp;
    void UseStamp(bool flag, bool resetPosition) override {
        log.Add(L"UseStamp(" + Arg(flag) + L", " + Arg(resetPosition) + L")");
        if (onUseStamp) onUseStamp(flag, resetPosition);
    }
    void ArrangeMainWindow(bool flag) override { log.Add(L"ArrangeMainWindow(" + Arg(flag) + L")"); }
    void SetTextBarVisible(bool visible) override { log.Add(L"TextBarVisible=" + Arg(visible)); }
    void DrawToolHint(HDC, int32_t toolId, float width) override {
        log.Add(L"DrawToolHint(" + Arg(static_cast<int>(toolId)) + L", " + Arg(width) + L")");
    }
    Placement CanvasPlacement() const override { return placement; }
};

class FakeCanvasSizeDialog : public CanvasSizeDialog {
public:
    CallLog log;
    std::optional<CanvasSizeChoice> answer; // empty: the user did not press OK
    std::optional<CanvasSizeChoice> Ask(HWND, int32_t width, int32_t height) override {
        log.Add(L"Ask(" + Arg(static_cast<int>(width)) + L", " + Arg(static_cast<int>(height)) + L")");
        return answer;
    }
};

// Answers GetFileExt and RecycleFile without touching a disk; a test lists the paths that
// "recycle" and reads back what was asked.
class FakeImageFileShell : public ImageFileShell {
public:
    CallLog log;
    std::vector<std::wstring> recyclable;
    bool RecycleFile(const std::wstring& path) override {
        log.Add(L"RecycleFile(" + Arg(path) + L")");
        return std::find(recyclable.begin(), recyclable.end(), path) != recyclable.end();
    }
    std::wstring GetFileExt(const std::wstring& path) override {
        log.Add(L"GetFileExt(" + Arg(path) + L")");
        return ::GetFileExt(path);
    }
};

class FakeFontListHost : public FontListHost {
public:
    std::vector<std::wstring> fonts; // kept sorted, as the real list is
    void AddFont(const std::wstring& faceName) override {
        fonts.insert(
            std::upper_bound(fonts.begin(), fonts.end(), faceName,
                             [](const std::wstring& a, const std::wstring& b) { return CompareNoCase(a, b) < 0; }),
            faceName);
    }
    int32_t FontCount() const override { return static_cast<int32_t>(fonts.size()); }
    std::wstring FontAt(int32_t index) const override {
        return index >= 0 && index < FontCount() ? fonts[static_cast<size_t>(index)] : std::wstring();
    }
};

class FakeTextBarMainWindow : public TextBarMainWindow {
public:
    CallLog log;
    void SetCanvasTextColor(int32_t rgb) override { log.Add(L"CanvasTextColor=" + Arg(static_cast<int>(rgb))); }
};

class FakeGridMainWindow : public GridMainWindow {
public:
    CallLog log;
    int answer = 2;           // what AskSaveChanges answers
    bool unsavedEdit = false; // what UnsavedEdit answers
    bool UnsavedEdit() const override { return unsavedEdit; }
    int AskSaveChanges() override {
        log.Add(L"AskSaveChanges()");
        return answer;
    }
    void FileImport(const std::wstring& path) override { log.Add(L"FileImport(" + Arg(path) + L")"); }
    void SearchEnded() override { log.Add(L"SearchEnded()"); }
    std::wstring searchText; // what the search box shows
    std::wstring SearchText() const override { return searchText; }
};

class FakeFolderPaneHost : public FolderPaneHost {
public:
    CallLog log;
    HWND folderView = nullptr;
    SIZE folderViewSize{};
    std::wstring caption;
    HWND FolderViewWindow() const override { return folderView; }
    SIZE FolderViewSize() const override { return folderViewSize; }
    std::wstring PathCaption() const override { return caption; }
    void SetPathCaption(const std::wstring& text) override {
        caption = text.substr(0, text.find(L'\0'));
        log.Add(L"Caption=" + Arg(caption));
    }
    void LeftSkinstyle() override { log.Add(L"LeftSkinstyle()"); }
    void SetMenuVisible(bool visible) override { log.Add(L"MenuVisible=" + Arg(visible)); }
    void HistoryCreate(const std::wstring& path) override { log.Add(L"HistoryCreate(" + Arg(path) + L")"); }
    void GridPath(const std::wstring& folder) override { log.Add(L"GridPath(" + Arg(folder) + L")"); }
    void GridCreateThumbnail() override { log.Add(L"GridCreateThumbnail()"); }
};

// The main window as the taskbar companion sees it: SetVisible shows and hides a real window when
// one is given; Unload runs onUnload (the real shut-down closes the companion).
class FakeCompanionMainWindow : public CompanionMainWindow {
public:
    CallLog log;
    HWND window = nullptr;
    int32_t effect = 0;    // what CanvasEffect answers
    bool unsaved = false;  // what UnsavedEdit answers
    int answer = IDCANCEL; // what AskSaveChanges answers
    std::function<void()> onUnload;
    void SetVisible(bool visible) override {
        log.Add(L"Visible=" + Arg(visible));
        if (window) ::ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    }
    int32_t CanvasEffect() const override { return effect; }
    bool UnsavedEdit() const override { return unsaved; }
    int AskSaveChanges() override {
        log.Add(L"AskSaveChanges()");
        return answer;
    }
    void Unload() override {
        log.Add(L"Unload()");
        if (onUnload) onUnload();
    }
};

class FakeToolbarSearchGrid : public ToolbarSearchGrid {
public:
    CallLog log;
    void SearchThumbnaillGO(const std::wstring& text, bool run) override {
        log.Add(L"SearchThumbnaillGO(" + Arg(text) + L", " + Arg(run) + L")");
    }
};

class FakeViewsBarCanvas : public ViewsBarCanvas {
public:
    int32_t effect = 0; // what Effect answers
    int32_t Effect() const override { return effect; }
};

// Answers the file-information lines from plain fields.
class FakeFileInfoSource : public FileInfoSource {
public:
    std::wstring filename, format, size, created, modified, imgWidth, imgHeight, resolution;
    std::wstring ShowFilename() const override { return filename; }
    std::wstring ShowFormat() const override { return format; }
    std::wstring ShowSize() const override { return size; }
    std::wstring ShowCreateData() const override { return created; }
    std::wstring ShowModiData() const override { return modified; }
    std::wstring ShowImgWidth() const override { return imgWidth; }
    std::wstring ShowImgHeight() const override { return imgHeight; }
    std::wstring ShowImgResolution() const override { return resolution; }
};

class FakeBatchMainWindow : public BatchMainWindow {
public:
    CallLog log;
    // The canvas shows this file; by default the first selected one, as after a click in the grid.
    std::optional<std::wstring> shown;
    bool SaveShownImageFirst() override { return true; }
    std::wstring ShownFile() const override {
        if (shown) return *shown;
        for (const std::wstring& file : App().SelectedFiles)
            if (!file.empty()) return file;
        return {};
    }
    void DisposeImgDIB() override { log.Add(L"DisposeImgDIB()"); }
    void ImportCanvas(const std::wstring& path) override { log.Add(L"ImportCanvas(" + Arg(path) + L")"); }
    void FolderViewSelect(const std::wstring& folder) override { log.Add(L"FolderViewSelect(" + Arg(folder) + L")"); }
    void ThumPath(const std::wstring& folder) override { log.Add(L"ThumPath(" + Arg(folder) + L")"); }
    void RefreshThumbnail() override { log.Add(L"RefreshThumbnail()"); }
};

class FakePropertiesSource : public PropertiesSource {
public:
    GpImage* image = nullptr; // not owned
    GpImage* CanvasImage() const override { return image; }
};

// The thumbnail grid as the side panel's keyword tab sees it.
class FakeSidePanelGrid : public SidePanelGrid {
public:
    CallLog log;
    void ImageFormats(const std::wstring& formats) override { log.Add(L"ImageFormats=" + Arg(formats)); }
    void RefreshThumbnail(bool relist) override { log.Add(L"RefreshThumbnail(" + Arg(relist) + L")"); }
};

// A printer that records a print job: "Begin", one "Page WxH" per printed copy, "End". Paper and
// printable area are plain fields (A4 portrait, 600 dpi by default).
class RecordingPrinter : public PrinterLayer {
public:
    CallLog log;
    std::vector<std::wstring> names{L"Recorder"};
    std::wstring current = L"Recorder";
    PaperTwips paper{11906, 16838, false};
    PrintableArea printable{4760, 6779, 600, 600};
    int32_t copies = 1;
    bool defaultsAnswer = false;
    std::function<void()> onEndDocument;
    std::vector<std::wstring> DeviceNames() const override { return names; }
    std::wstring DeviceName() const override { return current; }
    bool Select(const std::wstring& name) override {
        if (std::find(names.begin(), names.end(), name) == names.end()) return false;
        current = name;
        return true;
    }
    PaperTwips Paper() const override { return paper; }
    PrintableArea Printable() const override { return printable; }
    bool SetCopies(int32_t n) override {
        copies = n;
        return n >= 1 && n <= 999;
    }
    bool SetPrintQuality(int32_t dpi) override { return dpi > 0; }
    bool ShowDefaults(HWND) override { return defaultsAnswer; }
    bool BeginDocument(const std::wstring&) override {
        log.Add(L"Begin");
        return true;
    }
    bool PrintPage(GpImage* page) override {
        UINT w = 0, h = 0;
        GdipGetImageWidth(page, &w);
        GdipGetImageHeight(page, &h);
        for (int32_t i = 0; i < copies; ++i) log.Add(L"Page " + std::to_wstring(w) + L"x" + std::to_wstring(h));
        return true;
    }
    void EndDocument() override {
        log.Add(L"End");
        if (onEndDocument) onEndDocument();
    }
};
