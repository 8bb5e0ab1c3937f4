// The screen-saver maker over a scratch program folder: what it leaves in "ScrDatas", what it
// starts, and what it says when it cannot do its job.
#include "output/FrmScroll.h"
#include "platform/AppState.h"
#include "platform/FileList.h"
#include "platform/MessageBoxService.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

class ScrMakerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        program_ = MakeTestFolder(std::wstring(test.begin(), test.end()));
        ResetAppState(program_);
        sources_ = MakeTestFolder(L"sources");
        for (const wchar_t* name : {L"a.jpg", L"b.png", L"notes.txt"})
            ASSERT_TRUE(WriteTestFile(sources_ + name, "bytes of " + Narrow(name)));
    }
    // Shows the form, runs it as the "Create_Scr" command does, and lets it finish.
    void RunMaker() {
        FrmScroll form(installer_);
        ASSERT_TRUE(form.Show(nullptr));
        form.FormT = 0;
        form.Start();
        ScopedMessageBoxAnswerer answer([this](const MessageBoxRequest& r) {
            messages_.push_back(r.text);
            return IDOK;
        });
        form.CopyFiles();
        EXPECT_FALSE(form.Visible());
        TestWindow::Pump(10);
    }
    std::vector<std::wstring> DataFiles() const {
        FileList list;
        list.SetPath(program_ + L"ScrDatas\\");
        return list.Names();
    }

    std::wstring program_, sources_;
    FakeScreenSaverInstaller installer_;
    std::vector<std::wstring> messages_;
};

} // namespace

TEST_F(ScrMakerTest, ThreeFilesGiveExactlyThreeDataFilesWhateverStoodThere) {
    ::CreateDirectoryW((program_ + L"ScrDatas").c_str(), nullptr);
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(WriteTestFile(program_ + L"ScrDatas\\Scrdata" + std::to_wstring(i) + L".dat", "old"));
    ASSERT_TRUE(WriteTestFile(program_ + L"ScrDatas\\keep.data", "not ours"));
    // An empty entry is skipped and the numbers run on without a gap; a text file is copied too.
    App().SelectedFiles = {sources_ + L"b.png", L"", sources_ + L"notes.txt", sources_ + L"a.jpg"};
    RunMaker();
    EXPECT_EQ(DataFiles(),
              (std::vector<std::wstring>{L"keep.data", L"Scrdata0.dat", L"Scrdata1.dat", L"Scrdata2.dat"}));
    EXPECT_EQ(ReadTestFile(program_ + L"ScrDatas\\Scrdata0.dat"), "bytes of b.png");
    EXPECT_EQ(ReadTestFile(program_ + L"ScrDatas\\Scrdata1.dat"), "bytes of notes.txt");
    EXPECT_EQ(ReadTestFile(program_ + L"ScrDatas\\Scrdata2.dat"), "bytes of a.jpg");
    EXPECT_EQ(installer_.log.calls, (std::vector<std::wstring>{L"Run(\"rundll32.exe desk.cpl, InstallScreenSaver " +
                                                               program_ + L"VellumoScr.scr\")"}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ScrMakerTest, OneFileDoesNothingAndAMissingFolderIsMade) {
    ::CreateDirectoryW((program_ + L"ScrDatas").c_str(), nullptr);
    ASSERT_TRUE(WriteTestFile(program_ + L"ScrDatas\\Scrdata0.dat", "old"));
    App().SelectedFiles = {L"", sources_ + L"a.jpg", L""};
    RunMaker();
    EXPECT_EQ(DataFiles(), (std::vector<std::wstring>{L"Scrdata0.dat"}));
    EXPECT_EQ(ReadTestFile(program_ + L"ScrDatas\\Scrdata0.dat"), "old");
    EXPECT_TRUE(installer_.log.calls.empty());

    ::DeleteFileW((program_ + L"ScrDatas\\Scrdata0.dat").c_str());
    ASSERT_TRUE(::RemoveDirectoryW((program_ + L"ScrDatas").c_str()));
    App().SelectedFiles = {sources_ + L"a.jpg", sources_ + L"b.png"};
    RunMaker();
    EXPECT_EQ(DataFiles(), (std::vector<std::wstring>{L"Scrdata0.dat", L"Scrdata1.dat"}));
    EXPECT_EQ(installer_.log.calls.size(), 1u);
}

TEST_F(ScrMakerTest, FailuresStopWithAMessageAndNoInstaller) {
    // A file where the folder should be: it cannot be made, and nothing else is touched.
    ASSERT_TRUE(WriteTestFile(program_ + L"ScrDatas", "a file"));
    App().SelectedFiles = {sources_ + L"a.jpg", sources_ + L"b.png"};
    RunMaker();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find(program_ + L"ScrDatas"), std::wstring::npos) << Narrow(messages_[0]);
    EXPECT_EQ(ReadTestFile(program_ + L"ScrDatas"), "a file");
    EXPECT_TRUE(installer_.log.calls.empty());

    // A copy that fails midway names the file and leaves the old set whole, without scraps.
    ASSERT_TRUE(::DeleteFileW((program_ + L"ScrDatas").c_str()));
    ASSERT_TRUE(::CreateDirectoryW((program_ + L"ScrDatas").c_str(), nullptr));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WriteTestFile(program_ + L"ScrDatas\\Scrdata" + std::to_wstring(i) + L".dat", "old"));
    messages_.clear();
    App().SelectedFiles = {sources_ + L"a.jpg", sources_ + L"gone.png", sources_ + L"b.png"};
    RunMaker();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find(sources_ + L"gone.png"), std::wstring::npos) << Narrow(messages_[0]);
    EXPECT_EQ(DataFiles(), (std::vector<std::wstring>{L"Scrdata0.dat", L"Scrdata1.dat", L"Scrdata2.dat"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadTestFile(program_ + L"ScrDatas\\Scrdata" + std::to_wstring(i) + L".dat"), "old") << i;
    EXPECT_TRUE(installer_.log.calls.empty());
}
