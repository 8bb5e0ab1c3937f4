// The program's screen saver: the pictures of the data folder one after the other, each fitted
// and faded in over the slideshow's stripes, held, and wrapped round; any key, click or move of
// the pointer beyond 3 pixels ends it. Also its small preview and its command line.
#pragma once

#include "platform/PictureBox.h"
#include "platform/TopLevelWindow.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the system asks of a screen saver on its command line.
enum class ScrMode { Show, Preview, Configure };
struct ScrCommand {
    ScrMode mode = ScrMode::Configure;
    HWND previewParent = nullptr; // the window to draw the preview into
};
// "/s", "/p <hwnd>" (also "/p:<hwnd>"), "/c" (also "/c:<hwnd>") in either letter case and with "-"
// in place of "/"; anything else, an empty line too, asks for the options. A preview without a
// window number is an options request as well.
[[nodiscard]] ScrCommand ParseScrCommand(const std::wstring& arguments);

// "Scrdata0.dat", "Scrdata1.dat", ... of folder (ending in a backslash), up to the first missing one.
[[nodiscard]] std::vector<std::wstring> ScreenSaverFiles(const std::wstring& folder);

class ScreenSaverWindow : public TopLevelWindow {
public:
    ScreenSaverWindow() = default;
    ~ScreenSaverWindow() override;
    ScreenSaverWindow(const ScreenSaverWindow&) = delete;
    ScreenSaverWindow& operator=(const ScreenSaverWindow&) = delete;

    // Full screen and topmost when parent is null, else filling parent's client area as a child.
    [[nodiscard]] bool Create(HWND parent = nullptr);
    // The show: each file fitted and faded in, held holdMs (read at every check), in a circle,
    // until Ended. Files that do not decode are passed over.
    void Run(const std::vector<std::wstring>& files, const int32_t& holdMs);
    // The preview: the first file that decodes, fitted, at once.
    void DrawFirst(const std::vector<std::wstring>& files);
    // Shows the picture of file fitted over the stripes: faded in when fade, else at once. False
    // when it does not decode (the stripes alone are shown).
    bool ShowPicture(const std::wstring& file, bool fade);

    [[nodiscard]] bool Ended() const { return ended_; }
    void End() { ended_ = true; }
    [[nodiscard]] const PictureBox* View() const { return view_.get(); }

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void OnMove();
    // Lets messages run for up to ms milliseconds or until the show ends.
    void Hold(const int32_t& ms);

    std::unique_ptr<PictureBox> view_;
    POINT start_{};
    bool ended_ = false;
};
