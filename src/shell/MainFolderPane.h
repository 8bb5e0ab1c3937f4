// The folder pane as start-up gives it to the main window: the folder tree behind the main window's
// view of it.
#pragma once

#include "browser/ModFolderView.h"
#include "shell/ShellSeams.h"

class MainFolderPane : public FolderPaneView {
public:
    explicit MainFolderPane(FolderPaneHost& host) : pane(host) {}
    bool FolderViewOpen() override { return pane.FolderViewOpen(); }
    void FolderViewResize() override { pane.FolderViewResize(); }
    void FolderViewDestroy() override { pane.FolderViewDestroy(); }
    void FolderViewSelect(const std::wstring& path) override { pane.FolderViewSelect(path); }
    [[nodiscard]] bool FolderSelected() const override { return pane.FolderSelected(); }
    ModFolderView pane;
};
