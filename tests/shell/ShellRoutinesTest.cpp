#include "platform/AppState.h"
#include "platform/DibSection.h"
#include "platform/MessageBoxService.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/ModPublic.h"
#include "shell/ModyzReg.h"
#include "tests/shell/MainWindowFixture.h"

#include "imaging/DIBsave.h"

#include <cstdlib>

namespace {

struct FakeImage : SaveQuestionTarget {
    bool unsaved = true, inPlace = false, saveAs = false, agreed = true;
    int saves = 0, refreshes = 0;
    bool UnsavedEdit() const override { return unsaved; }
    void MarkSaved() override { unsaved = false; }
    bool SaveInPlace() override { return ++saves, inPlace; }
    bool AgreeToSaveInPlace() override { return agreed; }
    bool SaveAsChosen() override { return ++saves, saveAs; }
    void RefreshThumSave() override { ++refreshes; }
};

} // namespace

TEST(AskSaveChanges, AnswersAndWhatEachMarksSaved) {
    struct Case {
        bool unsaved;
        int pressed;
        bool inPlace, saveAs;
        int answer;
        bool stillUnsaved;
        int asked;
        bool agreed = true;
    };
    const Case cases[] = {
        {false, IDYES, true, true, IDCANCEL, false, 0}, // nothing to save: no question
        {true, IDYES, true, false, IDYES, false, 1},
        {true, IDYES, false, true, IDYES, false, 1},    // cannot save in place: Save As
        {true, IDYES, false, false, IDCANCEL, true, 1}, // neither saved: counts as Cancel
        {true, IDNO, false, false, IDNO, false, 1},
        {true, IDCANCEL, true, true, IDCANCEL, true, 1},
        // Declined to lose the file's other frames: nothing saved, not even through Save As.
        {true, IDYES, true, true, IDCANCEL, true, 1, false},
    };
    for (const Case& c : cases) {
        FakeImage image;
        image.unsaved = c.unsaved, image.inPlace = c.inPlace, image.saveAs = c.saveAs, image.agreed = c.agreed;
        int asked = 0;
        ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest& r) {
            ++asked;
            EXPECT_EQ(r.text, L"Do you want to save the changes you've made to this image?");
            EXPECT_EQ(r.caption, L"Save...");
            EXPECT_EQ(r.type, 67u);
            return c.pressed;
        });
        EXPECT_EQ(AskSaveChanges(image, nullptr), c.answer) << c.pressed << c.inPlace << c.saveAs;
        EXPECT_EQ(image.unsaved, c.stillUnsaved) << c.pressed << c.inPlace << c.saveAs;
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(image.refreshes, c.answer == IDYES ? 1 : 0);
        if (!c.agreed) {
            EXPECT_EQ(image.saves, 0) << "declined, yet written";
        }
    }
}

TEST(DrawToolHint, GreenBarTickAndTheModesText) {
    DIBsave tick;
    ASSERT_TRUE(tick.CreateBlankMemory(16, 16));
    tick.ClearScreen(0xFF0000FFu);
    ASSERT_TRUE(tick.Save(App().DataPath + L"Tick.png", 6, 100));
    ASSERT_TRUE(CreateSharedGdipObjects(App().DataPath));

    auto draw = [](int32_t mode) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 320, -30, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        auto dib = std::make_unique<DibSection>();
        EXPECT_TRUE(dib->Create(info));
        std::fill_n(reinterpret_cast<uint32_t*>(dib->bits()), 320 * 30, 0xFFFFFFu);
        DrawToolHint(dib->dc(), mode, 300.5f);
        ::GdiFlush();
        return dib;
    };
    auto px = [](const DibSection& d, int x, int y) {
        return reinterpret_cast<const uint32_t*>(d.bits())[y * 320 + x];
    };
    auto similar = [](uint32_t got, uint32_t want) {
        for (int s = 0; s < 24; s += 8)
            if (std::abs(int((got >> s) & 0xFF) - int((want >> s) & 0xFF)) > 3) return false;
        return true;
    };
    // Green (50, 160, 70) at alpha 150 over white.
    const uint32_t bar = (134u << 16) | (199u << 8) | 146u;
    auto browse = draw(0);
    auto crop = draw(1);
    for (const DibSection* d : {browse.get(), crop.get()}) {
        EXPECT_TRUE(similar(px(*d, 2, 2), bar));
        EXPECT_TRUE(similar(px(*d, 302, 21), bar));
        EXPECT_EQ(px(*d, 1, 10) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(px(*d, 10, 22) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(px(*d, 304, 10) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(px(*d, 12, 10) & 0xFFFFFF, 0x0000FFu) << "the tick image at (5, 3, 16, 16)";
        EXPECT_TRUE(similar(px(*d, 21, 10), bar));
    }
    int brighter[2] = {0, 0};
    for (int y = 5; y < 20; ++y)
        for (int x = 25; x < 300; ++x) {
            brighter[0] += ((px(*browse, x, y) >> 8) & 0xFF) > 220;
            brighter[1] += ((px(*crop, x, y) >> 8) & 0xFF) > 220;
        }
    EXPECT_EQ(brighter[0], 0) << "browsing has no text";
    EXPECT_GT(brighter[1], 150) << "white text of the crop hint";
    DeleteSharedGdipObjects();
}

TEST_F(MainWindowTest, IsMaxAlternatesOverThreeStarts) {
    for (int32_t expected : {1, 0, 1}) {
        FrmMain main(Options());
        ASSERT_TRUE(main.Create());
        EXPECT_EQ(main.isMax, expected);
        main.Unload();
        EXPECT_FALSE(::IsWindow(main.hWnd()));
        EXPECT_EQ(RegGetDword(HKEY_CURRENT_USER, key, L"isMax"), expected);
    }
}

TEST_F(MainWindowTest, EveryNeighbourIsConnectedAtStart) {
    FrmMain main(Options());
    ASSERT_TRUE(main.Create());
    const MenuSeams& seams = main.MenuHost().Seams;
    // ShellOpen and wallpaperSystem stand in for the system only in tests: empty means the real one.
    const std::pair<const char*, bool> connected[] = {
        {"StartNewImage", bool(seams.StartNewImage)},
        {"FileDialog", bool(seams.FileDialog)},
        {"ShowPrintDialog", bool(seams.ShowPrintDialog)},
        {"PreviewStep", bool(seams.PreviewStep)},
        {"VrFileCreate", bool(seams.VrFileCreate)},
        {"DeleteSelectedPixels", bool(seams.DeleteSelectedPixels)},
        {"Rasterize", bool(seams.Rasterize)},
        {"CopyToClipboard", bool(seams.CopyToClipboard)},
        {"PasteFromClipboard", bool(seams.PasteFromClipboard)},
        {"SetStampEffect", bool(seams.SetStampEffect)},
        {"FolderViewSelect", bool(seams.FolderViewSelect)},
        {"ToolRows", main.MenuHost().ToolRows != nullptr},
    };
    for (const auto& [name, isConnected] : connected) EXPECT_TRUE(isConnected) << name;
    main.Unload();
}
