// The screen-saver maker: a small skinned window with a progress bar that copies the selected
// files into the screen saver's data folder as "Scrdata<i>.dat" and then hands the screen saver
// to the system's installer.
#pragma once

#include "controls/Transparent.h"
#include "platform/GdipHandles.h"
#include "platform/PictureBox.h"
#include "platform/TopLevelWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Starts the system's screen-saver installer: a command line run minimised.
class ScreenSaverInstaller {
public:
    virtual ~ScreenSaverInstaller() = default;
    virtual void Run(const std::wstring& commandLine) = 0;
};

// Starts the command as its own process, minimised with focus, and does not wait for it. (Under
// Wine there is no display control panel: the command then does nothing.)
class SystemScreenSaverInstaller final : public ScreenSaverInstaller {
public:
    void Run(const std::wstring& commandLine) override;
};

class FrmScroll : public TopLevelWindow {
public:
    // Client size: 3870 x 1425 twips.
    static constexpr int kWidth = 258;
    static constexpr int kHeight = 95;

    // installer must outlive the form.
    explicit FrmScroll(ScreenSaverInstaller& installer) : installer_(installer) {}
    ~FrmScroll() override;
    FrmScroll(const FrmScroll&) = delete;
    FrmScroll& operator=(const FrmScroll&) = delete;

    // Callers set it to 0 before Start.
    int32_t FormT = 0;

    // Makes the window, owned by owner, at the right edge of the screen, and shows it.
    [[nodiscard]] bool Show(HWND owner);
    // Builds the skin (LoadSkin).
    void Start();
    // Skins and shapes the window from the skin sheet of the executable's resources; without one
    // the window stays a white rectangle.
    void LoadSkin();
    // The whole job: with two selected files or more, replaces the data folder's "*.dat" files by
    // copies of the selected files, starts the installer and unloads; with fewer it only unloads.
    // A folder that cannot be made or a copy that fails stops the run with a message, without the
    // installer, and leaves the old data files as they were.
    void CopyFiles();
    void Unload();

    [[nodiscard]] bool Visible() const { return hwnd_ != nullptr; }
    [[nodiscard]] HWND Progress() const { return progress_; }
    // The window's face: the skin is built on it at the window's client size, and the status drawn
    // over it.
    [[nodiscard]] const PictureBox* SkinOle() const { return skinOle_.get(); }

    // The screen saver's data folder beside the program (no trailing backslash) and the name of
    // its data file i.
    [[nodiscard]] static std::wstring DataFolder();
    [[nodiscard]] static std::wstring DataFileName(size_t index);
    // The command that installs the program's screen saver.
    [[nodiscard]] static std::wstring InstallCommand();

    // Raised after the window has gone.
    std::function<void()> onUnload;

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void ClearToSkin();
    void ShowStatus(const std::wstring& text);
    // Lets window messages run; false when the window went meanwhile.
    [[nodiscard]] bool Pump();
    void Fail(const std::wstring& message);

    ScreenSaverInstaller& installer_;
    HWND progress_ = nullptr;
    std::unique_ptr<PictureBox> skinOle_;
    Transparent transparent_;
    GdipBitmap skin_;
};
