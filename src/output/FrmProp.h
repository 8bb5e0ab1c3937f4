// The modal image-properties dialog: the canvas's picture fitted into a preview box beside the
// file-information lines of the file shown.
#pragma once

#include "browser/ZzVFiterControl.h"
#include "output/PropertiesSource.h"
#include "platform/PictureBox.h"

class FrmProp {
public:
    static constexpr int kClientWidth = 384, kClientHeight = 233;
    static constexpr int kCloseId = 1;

    // canvas and info (which may be null: empty lines) must outlive the dialog.
    FrmProp(PropertiesSource& canvas, FileInfoSource* info) : source_(canvas), zzVProperties_(info) {}
    ~FrmProp() { Unload(); }
    FrmProp(const FrmProp&) = delete;
    FrmProp& operator=(const FrmProp&) = delete;

    // Makes the window hidden, fills the panel and draws the preview; false when it cannot.
    bool Load(HWND owner);
    // Loads and shows the dialog, and returns when it is closed; owner is disabled meanwhile.
    void ShowModal(HWND owner);
    // Closes it (the close button does this).
    void Unload();

    [[nodiscard]] HWND hWnd() const { return hwnd_; }
    [[nodiscard]] PictureBox& P() { return p_; }
    [[nodiscard]] ZzVFiterControl& ZzVProperties() { return zzVProperties_; }
    [[nodiscard]] HWND Command1() const { return command1_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void DrawPreview();

    PropertiesSource& source_;
    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    bool ownerDisabled_ = false;
    PictureBox p_;
    ZzVFiterControl zzVProperties_;
    HWND frame1_ = nullptr;
    HWND command1_ = nullptr;
};
