// The modal image-properties dialog: the canvas's picture fitted into a preview box beside the
// file-information lines of the file shown.
#pragma once

#include "browser/ZzVFiterControl.h"
#include "output/PropertiesSource.h"
#include "platform/PictureBox.h"
#include "platform/TopLevelWindow.h"

class FrmProp : public TopLevelWindow {
public:
    static constexpr int kClientWidth = 384, kClientHeight = 233;
    static constexpr int kCloseId = 1;

    // canvas and info (which may be null: empty lines) must outlive the dialog.
    FrmProp(PropertiesSource& canvas, FileInfoSource* info) : source_(canvas), zzVProperties_(info) {}
    ~FrmProp() override { Unload(); }
    FrmProp(const FrmProp&) = delete;
    FrmProp& operator=(const FrmProp&) = delete;

    // Makes the window hidden, fills the panel and draws the preview; false when it cannot.
    bool Load(HWND owner);
    // Loads and shows the dialog, and returns when it is closed; owner is disabled meanwhile.
    void ShowModal(HWND owner);
    // Closes it (the close button does this).
    void Unload();

    [[nodiscard]] PictureBox& P() { return p_; }
    [[nodiscard]] ZzVFiterControl& ZzVProperties() { return zzVProperties_; }
    [[nodiscard]] HWND Command1() const { return command1_; }

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void DrawPreview();

    PropertiesSource& source_;
    PictureBox p_;
    ZzVFiterControl zzVProperties_;
    HWND frame1_ = nullptr;
    HWND command1_ = nullptr;
};
