// The batch dialog in real windows: its shape, its buttons under real pointer and button input,
// the size question answered only by OK, and the copy, move and rename jobs on real files with a
// fake main window.
#include "editor/ModDialogCOlor.h"
#include "output/FrmShells.h"
#include "output/ModMisc.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "tests/output/OutputWindowSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace output_test;

namespace {

constexpr wchar_t kFormClass[] = L"VellumoShells";

// The centre of a button's hit area.
POINT ButtonCentre(const FrmShells& form, int32_t index) {
    const RectF r = const_cast<FrmShells&>(form).ButtonRect(index);
    return {static_cast<LONG>(r.X + r.Width / 2 + 10), static_cast<LONG>(r.Y + r.Height / 2 + 5)};
}

class BatchDialog : public ::testing::Test {
protected:
    FakeBatchMainWindow main;
    std::vector<std::wstring> messages;
    int answer = IDYES; // to every question
    ScopedMessageBoxAnswerer boxes{[this](const MessageBoxRequest& request) {
        messages.push_back(request.text);
        return (request.type & MB_YESNO) ? answer : IDOK;
    }};

    void SetUp() override {
        const std::wstring sheet = ExecutableFolder() + L"..\\art\\MAINSKIN.bmp";
        FrmShells::SetSkinSheetLoader([sheet] {
            return UniqueHBitmap(static_cast<HBITMAP>(
                ::LoadImageW(nullptr, sheet.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        });
        PictureBox::SetCursorLoader([](const std::wstring&) { return ::LoadCursorW(nullptr, IDC_HAND); });
        App().SelectedFiles.clear();
    }
    void TearDown() override {
        FrmShells::SetSkinSheetLoader({});
        PictureBox::SetCursorLoader({});
        App().SelectedFiles.clear();
    }
    // A click as the system sends it to the form's face.
    static void Click(FrmShells& form, int32_t index) {
        const POINT p = ButtonCentre(form, index);
        const LPARAM at = MAKELPARAM(p.x, p.y);
        HWND face = form.Surface().hWnd();
        ::SendMessageW(face, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (::IsWindow(face)) ::SendMessageW(face, WM_LBUTTONUP, 0, at);
        TestWindow::Pump(20);
    }
};

// Brightness of a pixel of the form's face.
int Grey(FrmShells& form, POINT p) {
    const COLORREF c = form.Surface().Point(p.x, p.y);
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

} // namespace

TEST_F(BatchDialog, EachModeHitTestsItsOwnButtons) {
    FrmShells form;
    ASSERT_TRUE(form.Load(nullptr));
    // Per mode (copy, move, rename, size, stamp), what a press at each button's centre hits.
    const int32_t hits[5][4] = {{0, 1, 2, -1}, {0, 1, 2, -1}, {0, 1, -1, -1}, {0, 1, -1, 3}, {0, 1, -1, -1}};
    for (int32_t mode = 0; mode < 5; ++mode) {
        form.PublicShell = mode;
        form.StartPaint();
        for (int32_t i = 0; i < 4; ++i) {
            const POINT p = ButtonCentre(form, i);
            EXPECT_EQ(form.HitButton(static_cast<float>(p.x), static_cast<float>(p.y)), hits[mode][i]) << mode << i;
        }
    }
    // OK lies at (215, 160), 60 x 15; its hit area is widened by 25 and heightened by 10.
    const std::vector<std::pair<PointF, int32_t>> edges{{{215, 160}, 1},  {{299.5f, 184.5f}, 1}, {{214.5f, 170}, -1},
                                                        {{300, 170}, -1}, {{305, 170}, 0},       {{250, 185}, -1}};
    for (const auto& [p, hit] : edges) EXPECT_EQ(form.HitButton(p.X, p.Y), hit) << p.X << "," << p.Y;
    // The size mode shows the size boxes instead of the name box.
    form.PublicShell = FrmShells::kSize;
    form.StartPaint();
    const auto shown = [](HWND box) { return (::GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_FALSE(shown(form.TextControlWindow()));
    EXPECT_TRUE(shown(form.TextWidthWindow()) && shown(form.TextHeightWindow()));
}

TEST_F(BatchDialog, IsShapedShowsHoverAndPressAndIsDraggedByItsTitle) {
    TestWindow behind(800, 600, 200, 200);
    FrmShells form;
    form.PublicShell = FrmShells::kRename;
    ASSERT_TRUE(form.Load(behind.hwnd()));
    form.StartPaint();
    form.Show(behind.hwnd());
    TestWindow::Pump(100);
    ::SetWindowPos(form.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    TestWindow::Pump(50);

    // The skin's corners are see-through; its middle is the form.
    for (POINT p : {POINT{0, 0}, POINT{394, 0}, POINT{0, 199}, POINT{394, 199}})
        EXPECT_EQ(::WindowFromPoint(OnScreen(form.hWnd(), p.x, p.y)), behind.hwnd()) << p.x << "," << p.y;
    EXPECT_EQ(::WindowFromPoint(OnScreen(form.hWnd(), 200, 150)), form.Surface().hWnd());

    // The lower part of OK: darker while the pointer is over it, light while it is pressed.
    const POINT okCentre = ButtonCentre(form, FrmShells::kOK);
    const POINT sample{okCentre.x - 25, okCentre.y + 7}; // clear of the caption
    const int normal = Grey(form, sample);
    Act([&] { PointerTo(OnScreen(form.hWnd(), okCentre.x, okCentre.y)); });
    const int hovered = Grey(form, sample);
    EXPECT_LT(hovered, normal - 15);
    EXPECT_EQ(form.ButtonState(), FrmShells::kOK);
    EXPECT_EQ(form.Surface().GetMousePointer(), MousePointer::Custom);
    Act([&] { LeftButton(true); });
    EXPECT_GT(Grey(form, sample), normal + 40);
    // Released away from every button: nothing happens, the button is drawn normal again.
    Act([&] {
        PointerTo(OnScreen(form.hWnd(), 200, 120));
        LeftButton(false);
    });
    EXPECT_TRUE(form.Loaded());
    EXPECT_NEAR(Grey(form, sample), normal, 3);
    EXPECT_EQ(form.Surface().GetMousePointer(), MousePointer::Default);

    // Dragging the title strip, down to its last row, moves the window by as much as the pointer;
    // a drag from the row below it moves nothing.
    const auto dragFrom = [&](int y) {
        RECT before{}, after{};
        ::GetWindowRect(form.hWnd(), &before);
        Act([&] {
            const POINT grab = OnScreen(form.hWnd(), 200, y);
            PointerTo(grab);
            LeftButton(true);
            PointerTo({grab.x + 20, grab.y + 15});
            PointerTo({grab.x + 40, grab.y + 30});
            LeftButton(false);
        });
        ::GetWindowRect(form.hWnd(), &after);
        EXPECT_EQ(after.right - after.left, FrmShells::kWidth);
        return POINT{after.left - before.left, after.top - before.top};
    };
    EXPECT_EQ(form.TitleBG().Height, 30.0f);
    for (const int y : {12, 29}) {
        const POINT moved = dragFrom(y);
        EXPECT_EQ(moved.x, 40) << y;
        EXPECT_EQ(moved.y, 30) << y;
    }
    const POINT still = dragFrom(30);
    EXPECT_EQ(still.x, 0);
    EXPECT_EQ(still.y, 0);
    EXPECT_TRUE(form.Loaded());
}

TEST_F(BatchDialog, TheSizeQuestionAnswersOnlyAfterOk) {
    FrmShellsCanvasSize dialog;
    std::vector<std::wstring> prefilled;
    std::vector<COLORREF> offered;
    std::optional<COLORREF> colourAnswer;
    ScopedColorDialogAnswerer colours([&](ColorDialogRequest& request) {
        offered.push_back(request.initial);
        return colourAnswer;
    });
    const auto button = [](HWND form, int32_t index) {
        static const POINT centres[] = {{345, 172}, {255, 172}, {308, 78}, {68, 119}};
        return OnScreen(form, centres[index].x, centres[index].y);
    };
    const auto boxes = [](HWND form) {
        return std::pair{::GetDlgItem(form, FrmShells::kTextWidthId), ::GetDlgItem(form, FrmShells::kTextHeightId)};
    };
    const auto text = [](HWND box) {
        wchar_t buffer[32] = {};
        ::GetWindowTextW(box, buffer, 32);
        return std::wstring(buffer);
    };

    // The pointer passes over OK, then Cancel is clicked: no answer.
    std::thread input([&] {
        HWND form = WaitForWindow(kFormClass);
        if (!form) return;
        const auto [width, height] = boxes(form);
        prefilled = {text(width), text(height)};
        PointerTo(button(form, FrmShells::kOK));
        ClickAt(button(form, FrmShells::kCancel));
    });
    EXPECT_FALSE(dialog.Ask(nullptr, 640, 480).has_value());
    input.join();
    EXPECT_EQ(prefilled, (std::vector<std::wstring>{L"640", L"480"}));

    // A size out of range is refused and the dialog stays; a cancelled colour keeps white, a
    // chosen one is taken; then OK answers.
    input = std::thread([&] {
        HWND form = WaitForWindow(kFormClass);
        if (!form) return;
        const auto [width, height] = boxes(form);
        prefilled = {text(width), text(height)};
        ::SendMessageW(width, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"10001"));
        ClickAt(button(form, FrmShells::kOK));
        ClickAt(button(form, FrmShells::kColour));
        colourAnswer = RGB(10, 20, 30);
        ClickAt(button(form, FrmShells::kColour));
        ::SendMessageW(width, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1024"));
        ::SendMessageW(height, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L" 7 "));
        ClickAt(button(form, FrmShells::kOK));
    });
    const std::optional<CanvasSizeChoice> choice = dialog.Ask(nullptr, 0, 0);
    input.join();
    EXPECT_EQ(prefilled, (std::vector<std::wstring>{L"800", L"600"})); // no image: 800 x 600
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"Please enter a width and a height from 1 to 10000 pixels.");
    EXPECT_EQ(offered, (std::vector<COLORREF>{RGB(255, 255, 255), RGB(255, 255, 255)}));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(std::vector<int32_t>({choice->width, choice->height}), std::vector<int32_t>({1024, 7}));
    EXPECT_EQ(choice->background, RGB(10, 20, 30));
}

TEST_F(BatchDialog, MovingAsksBeforeReplacingAndReopensTheShownPictureFromTheTarget) {
    ScopedShellConfirmationsOff quiet;
    const std::wstring from = MakeTestFolder(L"movefrom"), to = MakeTestFolder(L"moveto");
    for (const wchar_t* name : {L"a.jpg", L"b.jpg", L"c.png"}) ASSERT_TRUE(WriteTestFile(from + name, "new"));
    ASSERT_TRUE(WriteTestFile(to + L"b.jpg", "old"));
    App().SelectedFiles = {from + L"a.jpg", from + L"b.jpg", from + L"c.png"};
    std::optional<std::wstring> browsed;
    ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) { return browsed; });
    answer = IDNO;

    FrmShells form(&main);
    form.OpenFileJob(FrmShells::kMove, nullptr);
    ASSERT_TRUE(form.Loaded());
    EXPECT_TRUE(::GetWindowLongW(form.TextControlWindow(), GWL_STYLE) & ES_READONLY);
    // OK with no folder asks for one; a cancel leaves the dialog open and nothing moved.
    Click(form, FrmShells::kOK);
    EXPECT_TRUE(form.Loaded());
    EXPECT_TRUE(main.log.calls.empty());
    browsed = to.substr(0, to.size() - 1);
    Click(form, FrmShells::kBrowse);
    EXPECT_EQ(form.TextControl(), *browsed);
    Click(form, FrmShells::kOK);

    EXPECT_FALSE(form.Loaded());
    EXPECT_TRUE(form.OkClosed());
    EXPECT_EQ(ReadTestFile(to + L"a.jpg"), "new");
    EXPECT_EQ(ReadTestFile(to + L"c.png"), "new");
    EXPECT_EQ(ReadTestFile(to + L"b.jpg"), "old"); // the user said No
    EXPECT_EQ(ReadTestFile(from + L"b.jpg"), "new");
    EXPECT_FALSE(FileExistsForTest(from + L"a.jpg"));
    ASSERT_EQ(messages.size(), 1u); // the question only: a No is no failure
    EXPECT_NE(messages[0].find(L"\"b.jpg\""), std::wstring::npos);
}

// A copy into a folder that already holds every file asks about each until Yes to All, which
// replaces the rest unasked; Cancel stops the batch, the file copied before it staying.
TEST_F(BatchDialog, ACopyOverExistingFilesOffersYesToAllAndStopsAtCancel) {
    ScopedShellConfirmationsOff quiet;
    const std::wstring from = MakeTestFolder(L"allfrom"), to = MakeTestFolder(L"allto");
    ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) { return std::optional(to); });
    const std::vector<std::wstring> names{L"a.jpg", L"b.jpg", L"c.jpg", L"d.jpg"};
    const std::vector<std::pair<std::vector<int>, std::vector<std::string>>> cases{
        {{IDNO, kIdYesToAll}, {"old", "new", "new", "new"}}, {{IDYES, IDCANCEL}, {"new", "old", "old", "old"}}};
    for (const auto& [answers, after] : cases) {
        App().SelectedFiles.clear();
        for (const std::wstring& name : names) {
            ASSERT_TRUE(WriteTestFile(from + name, "new") && WriteTestFile(to + name, "old"));
            App().SelectedFiles.push_back(from + name);
        }
        size_t asked = 0;
        ScopedMessageBoxAnswerer replies([&](const MessageBoxRequest& request) {
            if ((request.type & MB_TYPEMASK) != kMbYesYesToAllNoCancel) return IDOK;
            // Every question counts: one more than the answers given fails the count below.
            const size_t n = asked++;
            return n < answers.size() ? answers[n] : IDNO;
        });
        FrmShells form(&main);
        form.OpenFileJob(FrmShells::kCopy, nullptr);
        Click(form, FrmShells::kOK);
        EXPECT_EQ(asked, answers.size()) << "questions asked";
        for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(ReadTestFile(to + names[i]), after[i]) << Narrow(names[i]);
    }
}

// The main window whose canvas, reopening the shown file, has the user press Cancel meanwhile:
// taken when the batch next lets messages run, or at once.
class CancellingMainWindow : public FakeBatchMainWindow {
public:
    HWND face = nullptr;
    POINT cancel{};
    bool atOnce = false;
    void ImportCanvas(const std::wstring& path) override {
        FakeBatchMainWindow::ImportCanvas(path);
        const LPARAM at = MAKELPARAM(cancel.x, cancel.y);
        for (const auto& [msg, keys] : {std::pair{WM_MOUSEMOVE, 0}, {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}})
            atOnce ? (void)::SendMessageW(face, msg, keys, at) : (void)::PostMessageW(face, msg, keys, at);
    }
};

TEST_F(BatchDialog, CancelDuringAMoveOrRenameStopsAfterTheFileInHandAndSaysWhatWasDone) {
    ScopedShellConfirmationsOff quiet;
    const std::wstring from = MakeTestFolder(L"cancelfrom"), to = MakeTestFolder(L"cancelto");
    std::optional<std::wstring> browsed = to.substr(0, to.size() - 1);
    ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) { return browsed; });
    std::vector<HWND> owners;
    ScopedMessageBoxAnswerer reports([&](const MessageBoxRequest& request) {
        messages.push_back(request.text);
        owners.push_back(request.owner);
        return IDOK;
    });
    const std::vector<std::wstring> names{L"a.jpg", L"b.jpg", L"c.png", L"d.png"};
    for (const int32_t mode : {FrmShells::kMove, FrmShells::kRename}) {
        const std::wstring verb = mode == FrmShells::kMove ? L"moved" : L"renamed";
        App().SelectedFiles.clear();
        for (const std::wstring& name : names) {
            ASSERT_TRUE(WriteTestFile(from + name, Narrow(name)));
            App().SelectedFiles.push_back(from + name);
        }
        messages.clear();
        owners.clear();
        CancellingMainWindow canvas;
        FrmShells form(&canvas);
        form.OpenFileJob(mode, nullptr);
        ASSERT_TRUE(form.Loaded());
        canvas.face = form.Surface().hWnd();
        canvas.cancel = ButtonCentre(form, FrmShells::kCancel);
        if (mode == FrmShells::kMove) Click(form, FrmShells::kBrowse);
        if (mode == FrmShells::kRename) form.TextControl(L"Trip");
        Click(form, FrmShells::kOK);

        // The first file went; the others are where they were; the window closes after saying so.
        const std::wstring first = mode == FrmShells::kMove ? to + L"a.jpg" : from + L"Trip1.jpg";
        EXPECT_EQ(ReadTestFile(first), "a.jpg") << Narrow(verb);
        for (size_t i = 1; i < names.size(); ++i)
            EXPECT_EQ(ReadTestFile(from + names[i]), Narrow(names[i])) << Narrow(verb);
        EXPECT_FALSE(form.Loaded());
        EXPECT_FALSE(form.OkClosed());
        ASSERT_EQ(messages.size(), 1u) << Narrow(verb);
        EXPECT_NE(messages[0].find(L"1 of 4 files were " + verb), std::wstring::npos) << Narrow(messages[0]);
        EXPECT_NE(owners[0], nullptr);
        ::DeleteFileW(first.c_str());
    }
}

// Cancel pressed while the last file is in hand leaves no file: no word of a cancel.
TEST_F(BatchDialog, ACancelAfterTheLastFileMovedIsNoCancel) {
    ScopedShellConfirmationsOff quiet;
    const std::wstring from = MakeTestFolder(L"lastfrom"), to = MakeTestFolder(L"lastto");
    ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) { return std::optional(to); });
    for (const wchar_t* name : {L"a.jpg", L"b.jpg"}) ASSERT_TRUE(WriteTestFile(from + name, "x"));
    App().SelectedFiles = {from + L"a.jpg", from + L"b.jpg"};
    CancellingMainWindow canvas;
    canvas.shown = from + L"b.jpg";
    canvas.atOnce = true;
    FrmShells form(&canvas);
    form.OpenFileJob(FrmShells::kMove, nullptr);
    canvas.face = form.Surface().hWnd();
    canvas.cancel = ButtonCentre(form, FrmShells::kCancel);
    Click(form, FrmShells::kOK);
    EXPECT_TRUE(FileExistsForTest(to + L"a.jpg") && FileExistsForTest(to + L"b.jpg"));
    EXPECT_EQ(messages, std::vector<std::wstring>{});
}

TEST_F(BatchDialog, APictureOpenedAloneIsCopiedAndRenamedWithoutItsEmptyEntry) {
    ScopedShellConfirmationsOff quiet;
    const std::wstring from = MakeTestFolder(L"alonefrom"), to = MakeTestFolder(L"aloneto");
    ASSERT_TRUE(WriteTestFile(from + L"Beach.jpg", "beach"));
    std::optional<std::wstring> browsed = to.substr(0, to.size() - 1);
    ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) { return browsed; });
    // File > Open lists the opened picture and an empty entry.
    App().SelectedFiles = {from + L"Beach.jpg", L""};
    FrmShells copy(&main);
    copy.OpenFileJob(FrmShells::kCopy, nullptr);
    Click(copy, FrmShells::kBrowse);
    Click(copy, FrmShells::kOK);
    EXPECT_EQ(ReadTestFile(to + L"Beach.jpg"), "beach");
    EXPECT_TRUE(copy.Failures().empty());
    EXPECT_TRUE(messages.empty()) << Narrow(messages.empty() ? L"" : messages[0]);

    FrmShells rename(&main);
    rename.OpenFileJob(FrmShells::kRename, nullptr);
    EXPECT_EQ(rename.TextControl(), L"Beach");
    rename.TextControl(L"Sea");
    Click(rename, FrmShells::kOK);
    EXPECT_EQ(ReadTestFile(from + L"Sea.jpg"), "beach");
    EXPECT_TRUE(messages.empty()) << Narrow(messages.empty() ? L"" : messages[0]);
    EXPECT_EQ(App().SelectedFiles, (std::vector<std::wstring>{from + L"Sea.jpg", L""}));
}

TEST_F(BatchDialog, ARenameThatFailsMidwayKeepsEveryFileAndListsTheFailure) {
    const std::wstring one = MakeTestFolder(L"renameone"), two = MakeTestFolder(L"renametwo");
    ASSERT_TRUE(WriteTestFile(one + L"x.jpg", "x"));
    ASSERT_TRUE(WriteTestFile(two + L"y.JPG", "y"));
    ASSERT_TRUE(WriteTestFile(one + L"z.png", "z"));
    ASSERT_TRUE(WriteTestFile(two + L"Trip2.JPG", "someone else's"));
    App().SelectedFiles = {one + L"x.jpg", two + L"y.JPG", one + L"z.png"};

    FrmShells form(&main);
    form.OpenFileJob(FrmShells::kRename, nullptr);
    EXPECT_EQ(form.TextControl(), L"x");
    form.TextControl(L"Tr:p");
    Click(form, FrmShells::kOK);
    EXPECT_TRUE(form.Loaded()); // refused, still open
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(main.log.calls.empty());

    form.TextControl(L"Trip");
    Click(form, FrmShells::kOK);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(ReadTestFile(one + L"Trip1.jpg"), "x");
    EXPECT_EQ(ReadTestFile(two + L"y.JPG"), "y");
    EXPECT_EQ(ReadTestFile(two + L"Trip2.JPG"), "someone else's");
    EXPECT_EQ(ReadTestFile(one + L"Trip3.png"), "z");
    EXPECT_EQ(App().SelectedFiles, (std::vector<std::wstring>{one + L"Trip1.jpg", two + L"y.JPG", one + L"Trip3.png"}));
    EXPECT_EQ(form.Failures(), std::vector<std::wstring>{two + L"y.JPG"});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find(two + L"y.JPG"), std::wstring::npos);
    EXPECT_EQ(main.log.calls, (std::vector<std::wstring>{L"DisposeImgDIB()", L"ImportCanvas(\"" + one + L"Trip1.jpg\")",
                                                         L"RefreshThumbnail()"}));

    // One file and an empty box: "Untitled", the extension kept.
    App().SelectedFiles = {one + L"z.png"};
    ASSERT_TRUE(WriteTestFile(one + L"z.png", "z2"));
    FrmShells single(&main);
    single.OpenFileJob(FrmShells::kRename, nullptr);
    EXPECT_EQ(single.TextControl(), L"z");
    single.TextControl(L"");
    Click(single, FrmShells::kOK);
    EXPECT_EQ(ReadTestFile(one + L"Untitled.png"), "z2");
}

namespace {

// The name a file has on disk, in its own letter case; empty when there is none.
std::wstring NameOnDisk(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    ::FindClose(search);
    return found.cFileName;
}

} // namespace

TEST_F(BatchDialog, ARenameGivesTheExtensionInLowerCaseOnDisk) {
    struct Case {
        std::vector<const wchar_t*> files;
        const wchar_t* text;
        std::vector<const wchar_t*> names; // on disk afterwards
    };
    const Case cases[] = {
        {{L"IMG_1.JPG"}, L"Trip", {L"Trip.jpg"}},
        {{L"IMG_1.JPG"}, L"IMG_1", {L"IMG_1.jpg"}}, // the letter case alone changes
        {{L"a.PNG", L"b.Gif", L"c.jpeg"}, L"Trip", {L"Trip1.png", L"Trip2.gif", L"Trip3.jpeg"}},
    };
    for (const Case& c : cases) {
        const std::wstring folder = MakeTestFolder(L"renamecase");
        App().SelectedFiles.clear();
        for (const wchar_t* name : c.files) {
            ASSERT_TRUE(WriteTestFile(folder + name, Narrow(name)));
            App().SelectedFiles.push_back(folder + name);
        }
        FrmShells form(&main);
        form.OpenFileJob(FrmShells::kRename, nullptr);
        form.TextControl(c.text);
        Click(form, FrmShells::kOK);
        EXPECT_FALSE(form.Loaded());
        for (size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(NameOnDisk(folder + c.names[i]), c.names[i]);
            EXPECT_EQ(ReadTestFile(folder + c.names[i]), Narrow(c.files[i]));
            EXPECT_EQ(App().SelectedFiles[i], folder + c.names[i]);
        }
    }
    EXPECT_TRUE(messages.empty()) << Narrow(messages.empty() ? L"" : messages[0]);
}

TEST_F(BatchDialog, AStampNameIsCheckedAndAnExistingStampReplacedOnlyWhenAllowed) {
    const std::wstring library = AddBackslash(App().AppFolder) + L"Librarians\\";
    ::CreateDirectoryW(library.c_str(), nullptr);
    ASSERT_TRUE(WriteTestFile(library + L"Kept.lib", "stamp"));
    FrmShells form;
    form.PublicShell = FrmShells::kStamp;
    ASSERT_TRUE(form.Load(nullptr));
    form.StartPaint();
    const std::vector<std::pair<std::wstring, int>> refused{{L"a\\b", IDOK}, {L"Kept", IDNO}};
    for (const auto& [name, reply] : refused) {
        answer = reply;
        form.TextControl(name);
        Click(form, FrmShells::kOK);
        EXPECT_TRUE(form.Loaded()) << Narrow(name);
    }
    EXPECT_EQ(messages.size(), 2u);
    answer = IDYES;
    Click(form, FrmShells::kOK);
    EXPECT_TRUE(form.OkClosed());
    EXPECT_EQ(form.m_String, L"Kept");
    EXPECT_EQ(ReadTestFile(library + L"Kept.lib"), "stamp"); // the caller writes it

    FrmShells empty;
    empty.PublicShell = FrmShells::kStamp;
    ASSERT_TRUE(empty.Load(nullptr));
    empty.StartPaint();
    Click(empty, FrmShells::kOK);
    EXPECT_EQ(empty.m_String, L"Untitled");
}

// One window object serves every showing, as the main window's does: after a send, a second send,
// and a copy, the next send still answers with its name and the next copy still works.
TEST_F(BatchDialog, EveryShowingOfTheSameWindowAnswersAfterASendOrABatch) {
    ScopedShellConfirmationsOff quiet;
    const std::wstring from = MakeTestFolder(L"againfrom"), to = MakeTestFolder(L"againto");
    ASSERT_TRUE(WriteTestFile(from + L"a.jpg", "a"));
    std::optional<std::wstring> browsed = to.substr(0, to.size() - 1);
    ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) { return browsed; });
    FrmShells form(&main);
    // The name typed into the modal window, then OK, as a person does.
    const auto send = [&](const std::wstring& name) {
        std::thread input([&] {
            HWND window = WaitForWindow(kFormClass);
            if (!window) return;
            ::SendMessageW(::GetDlgItem(window, FrmShells::kTextControlId), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(name.c_str()));
            const POINT ok = ButtonCentre(form, FrmShells::kOK);
            ClickAt(OnScreen(window, ok.x, ok.y));
        });
        const std::optional<std::wstring> answer = form.AskStampName(nullptr);
        input.join();
        return answer;
    };
    const auto copy = [&](const std::wstring& file) {
        App().SelectedFiles = {from + file};
        form.OpenFileJob(FrmShells::kCopy, nullptr);
        Click(form, FrmShells::kOK);
        return !form.Loaded() && form.OkClosed() && ReadTestFile(to + file) == ReadTestFile(from + file);
    };
    EXPECT_EQ(send(L"one"), std::optional<std::wstring>(L"one"));
    EXPECT_EQ(send(L"two"), std::optional<std::wstring>(L"two"));
    EXPECT_TRUE(copy(L"a.jpg"));
    EXPECT_EQ(send(L"three"), std::optional<std::wstring>(L"three"));
    ASSERT_TRUE(WriteTestFile(from + L"b.jpg", "b"));
    EXPECT_TRUE(copy(L"b.jpg"));
    EXPECT_TRUE(messages.empty()) << Narrow(messages.empty() ? L"" : messages[0]);
}

// Copy and move ask for the folder in every new window whose box is empty: the folder of an
// earlier window is not used without a word.
TEST_F(BatchDialog, AFolderChosenInOneWindowIsAskedForAgainInTheNext) {
    ScopedShellConfirmationsOff quiet;
    for (const int32_t mode : {FrmShells::kCopy, FrmShells::kMove}) {
        SCOPED_TRACE(mode);
        const std::wstring from = MakeTestFolder(L"askfrom"), to = MakeTestFolder(L"askto");
        ASSERT_TRUE(WriteTestFile(from + L"a.jpg", "a"));
        ASSERT_TRUE(WriteTestFile(from + L"b.jpg", "b"));
        int asked = 0;
        std::optional<std::wstring> browsed = to.substr(0, to.size() - 1);
        ScopedFolderBrowseAnswerer folders([&](const FolderBrowseRequest&) {
            ++asked;
            return browsed;
        });
        FrmShells form(&main);
        App().SelectedFiles = {from + L"a.jpg"};
        form.OpenFileJob(mode, nullptr);
        Click(form, FrmShells::kOK);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(ReadTestFile(to + L"a.jpg"), "a");
        ASSERT_FALSE(form.Loaded());

        // The next window shows an empty box; its OK asks, and a cancel there moves nothing.
        App().SelectedFiles = {from + L"b.jpg"};
        form.OpenFileJob(mode, nullptr);
        EXPECT_EQ(form.TextControl(), L"");
        browsed.reset();
        Click(form, FrmShells::kOK);
        EXPECT_EQ(asked, 2);
        EXPECT_TRUE(form.Loaded());
        EXPECT_FALSE(FileExistsForTest(to + L"b.jpg"));
        EXPECT_EQ(ReadTestFile(from + L"b.jpg"), "b");
        form.Unload();
    }
}
