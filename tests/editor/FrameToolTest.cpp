// The frame tools in a real window driven by the mouse: frames spanned, moved and resized by their
// handles (across edges, beyond the image, zero-size, two buttons held), and what Apply commits
// compared with what the overlay showed; the panel's Cancel and Option, the colour pick.
#include "platform/MessageBoxService.h"
#include "tests/editor/CanvasWindowFixture.h"

#include <gtest/gtest.h>

namespace {

struct FrameToolTest : CanvasWindowTest {
    FakeSkinMenu menu;

    void SetUp() override {
        canvas = std::make_unique<Imageyzviewer>();
        PictureBoxArgs args;
        args.parent = host.hwnd();
        args.width = kW;
        args.height = kH;
        ASSERT_TRUE(canvas->Create(args, {&mainWindow, &toolbar, &keys, &fileShell, &sizeDialog, &menu}));
    }
    // Opens a picture of four quarters in a tool, laid out as the host does on a tool change.
    void OpenIn(int32_t mode, int w, int h) {
        ASSERT_TRUE(canvas->Import(WriteQuartersPicture(folder, L"q.png", w, h)));
        canvas->SetEffect(mode);
        canvas->CleanCroprect(false); // each tool starts without a frame
        ASSERT_TRUE(canvas->Import(L"", true));
    }
    void Click(PointF at) { Drag(at, {}); }
    void ClickPanel(int element) {
        const RectF r = canvas->PanelRects()[element];
        Click(PointF(r.X + r.Width / 2, r.Y + r.Height / 2));
    }
    [[nodiscard]] uint32_t Shown(int x, int y) const {
        return PixelAt(static_cast<GpBitmap*>(canvas->ImgDIB.DIB()), x, y);
    }
    [[nodiscard]] RectF Frame() const { return canvas->FrameRects()[0]; }
};

void ExpectRect(const RectF& r, float x, float y, float w, float h) {
    EXPECT_NEAR(r.X, x, 0.5f);
    EXPECT_NEAR(r.Y, y, 0.5f);
    EXPECT_NEAR(r.Width, w, 0.5f);
    EXPECT_NEAR(r.Height, h, 0.5f);
}

} // namespace

TEST_F(FrameToolTest, CropOnHalfSizeViewCommitsTwiceTheFrame) {
    OpenIn(1, 800, 600); // shown at half size in the 400 x 300 canvas
    Drag({250, 160}, {{200, 130}, {150, 100}});
    ExpectRect(Frame(), 150, 100, 100, 60);
    ClickPanel(kPanelApply);
    EXPECT_EQ(canvas->Effect(), 0);
    ASSERT_EQ(canvas->ImgDIB.Width(), 200);
    ASSERT_EQ(canvas->ImgDIB.Height(), 120);
    EXPECT_EQ(Shown(0, 0), kTopLeft);         // image (300, 200)
    EXPECT_EQ(Shown(199, 119), kBottomRight); // image (499, 319)
    EXPECT_EQ(Shown(99, 99), kTopLeft);
    EXPECT_EQ(Shown(100, 100), kBottomRight);
    EXPECT_EQ(canvas->UndoIndex(), 1);
}

TEST_F(FrameToolTest, HandlesResizeWithTheirCursorsAcrossEdgesAndStopAtTheImage) {
    OpenIn(1, 800, 600);
    struct Case {
        PointF from, to;
        int pointer;
        float x, y, w, h;
    };
    const Case cases[] = {
        {{100, 100}, {200, 180}, MousePointer::Cross, 100, 100, 100, 80},     // new frame
        {{200, 140}, {300, 140}, MousePointer::SizeWE, 100, 100, 200, 80},    // right
        {{200, 180}, {200, 250}, MousePointer::SizeNS, 100, 100, 200, 150},   // bottom
        {{300, 250}, {350, 280}, MousePointer::SizeNWSE, 100, 100, 250, 180}, // bottom-right
        {{350, 100}, {390, 20}, MousePointer::SizeNESW, 100, 20, 290, 260},   // top-right
        {{100, 150}, {395, 150}, MousePointer::SizeWE, 390, 20, 5, 260},      // left across the right side
        {{-1, -1}, {-1, -1}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        if (c.from.X < 0) break;
        Send(WM_MOUSEMOVE, 0, c.from.X, c.from.Y);
        if (c.pointer != MousePointer::Cross) {
            EXPECT_EQ(canvas->GetMousePointer(), c.pointer);
        }
        Drag(c.from, {c.to});
        ExpectRect(Frame(), c.x, c.y, c.w, c.h);
    }
    // The top-left handle dragged beyond the image stops at its corner; the other sides stay.
    canvas->SetFrame(RectF(100, 100, 100, 80));
    Drag({100, 100}, {{-50, -40}});
    ExpectRect(Frame(), 0, 0, 200, 180);
    // Moved by its inside beyond the bottom-right, the frame stays on the image whole.
    Drag({100, 90}, {{500, 400}});
    ExpectRect(Frame(), 200, 120, 200, 180);
    // A click without a move leaves the frame; a second button pressed mid-drag ends the drag.
    Click({50, 50});
    ExpectRect(Frame(), 200, 120, 200, 180);
    Send(WM_MOUSEMOVE, 0, 100, 60);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 60);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 150, 100);
    Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 150, 100);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 250, 200);
    Send(WM_LBUTTONUP, MK_RBUTTON, 250, 200);
    Send(WM_RBUTTONUP, 0, 250, 200);
    ExpectRect(Frame(), 100, 60, 50, 40);
}

TEST_F(FrameToolTest, EmptyFrameCommitsNothing) {
    OpenIn(1, 800, 600);
    EXPECT_FALSE(canvas->ApplyEdit());
    EXPECT_EQ(canvas->ImgDIB.Width(), 800);
    EXPECT_EQ(canvas->UndoIndex(), 0);
    EXPECT_FALSE(canvas->AppliedEffect);
}

TEST_F(FrameToolTest, EachToolCommitsWhatItsOverlayShowed) {
    struct Case {
        int32_t mode, combine;
        PointF inside, outside; // canvas = image pixels (shown at full size)
    };
    const Case cases[] = {{5, 1, {120, 100}, {30, 30}},
                          {5, 4, {120, 100}, {30, 30}},
                          {6, 1, {120, 100}, {30, 30}},
                          {19, 1, {150, 110}, {30, 30}},
                          {20, 1, {150, 110}, {30, 30}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.combine);
        OpenIn(c.mode, 400, 300);
        App().SelectCombineMode = c.combine;
        App().VectorMenu = L"Vector_Single";
        canvas->SetMax(255);
        canvas->SetValue(128);
        canvas->SetTextColor(RGB(0, 0, 255));
        Drag({100, 80}, {{150, 120}, {200, 140}});
        const COLORREF in = Screen(static_cast<int>(c.inside.X), static_cast<int>(c.inside.Y));
        const COLORREF out = Screen(static_cast<int>(c.outside.X), static_cast<int>(c.outside.Y));
        ASSERT_TRUE(canvas->ApplyEdit());
        EXPECT_NEAR_COLOUR(AsRgb(Shown(static_cast<int>(c.inside.X), static_cast<int>(c.inside.Y))), in, 6);
        EXPECT_NEAR_COLOUR(AsRgb(Shown(static_cast<int>(c.outside.X), static_cast<int>(c.outside.Y))), out, 6);
        // The card darkens only one side of the frame: the inside with combine mode 4.
        const bool insideChanged = c.mode != 5 || c.combine == 4,
                   outsideChanged = (c.mode == 5 && c.combine == 1) || c.mode == 6;
        EXPECT_EQ(Shown(120, 100) != kTopLeft, insideChanged);
        EXPECT_EQ(Shown(30, 30) != kTopLeft, outsideChanged);
    }
}

TEST_F(FrameToolTest, RedEyeFrameIsAtMost100Wide) {
    const std::wstring path = folder + L"red.png";
    ASSERT_TRUE(SaveImageSafely(BitmapOf(400, 300, [](int, int) { return ColorARGB(255, 220, 20, 20); }).get(), path,
                                kFormatPng, 0));
    ASSERT_TRUE(canvas->Import(path));
    canvas->SetEffect(9);
    canvas->SetMax(100);
    canvas->SetValue(50);
    ASSERT_TRUE(canvas->Import(L"", true));
    Drag({50, 50}, {{200, 130}});
    ExpectRect(Frame(), 50, 50, 100, 80);
    ASSERT_TRUE(canvas->ApplyEdit());
    const uint32_t centre = Shown(100, 90), beyond = Shown(170, 90);
    EXPECT_EQ(RedOf(centre), GreenOf(centre)); // greyed
    EXPECT_EQ(beyond, ColorARGB(255, 220, 20, 20));
}

TEST_F(FrameToolTest, CancelAndOptionOnThePanel) {
    OpenIn(19, 400, 300);
    canvas->AppliedEffect = true; // an earlier edit, not saved
    canvas->SaveState = false;
    ClickPanel(kPanelOption);
    ClickPanel(kPanelOption);
    EXPECT_TRUE(menu.log.Has(L"Initializemenu=11"));
    EXPECT_TRUE(menu.log.Has(L"Visible=true"));
    EXPECT_EQ(menu.log.calls.back(), L"Visible=false");

    int answer = IDCANCEL;
    ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& r) {
        EXPECT_EQ(r.text, L"Do you want to save the changes you've made to this image?");
        return answer;
    });
    ClickPanel(kPanelCancel);
    EXPECT_EQ(canvas->Effect(), 19);
    answer = IDNO;
    ClickPanel(kPanelCancel);
    EXPECT_EQ(canvas->Effect(), 0);
    EXPECT_FALSE(canvas->FitMode());
    EXPECT_TRUE(canvas->AppliedEffect);
    EXPECT_FALSE(canvas->SaveState);
    EXPECT_TRUE(menu.log.Has(L"PressMenuID=\"Filter_Browse\""));
    EXPECT_TRUE(mainWindow.log.Has(L"FormOption(true, true)"));
}

TEST_F(FrameToolTest, PickedColourReachesTheTool) {
    OpenIn(20, 400, 300);
    canvas->SetTextColor(RGB(1, 2, 3));
    const RectF picker = canvas->PanelRects()[kPanelPicker];
    const int x = static_cast<int>(picker.X + 10), y = static_cast<int>(picker.Y + 20);
    const COLORREF shown = Screen(x, y);
    Click(PointF(static_cast<float>(x), static_cast<float>(y)));
    EXPECT_NEAR_COLOUR(canvas->TextColor(), shown, 2);
    EXPECT_NE(canvas->TextColor(), RGB(1, 2, 3));
}

TEST_F(FrameToolTest, ShiftLineIsLevelOrUprightByTheSmallerLean) {
    OpenIn(25, 400, 300);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    Drag({100, 100}, {{50, 110}}); // leftwards and a little down: level
    EXPECT_EQ(canvas->ShapeEnd().X, 50);
    EXPECT_EQ(canvas->ShapeEnd().Y, 100);
    Drag({100, 100}, {{90, 160}}); // down and a little left: upright
    EXPECT_EQ(canvas->ShapeEnd().X, 100);
    EXPECT_EQ(canvas->ShapeEnd().Y, 160);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}
