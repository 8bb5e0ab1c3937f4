// The image toolbar repaints its whole strip on every pointer move: one hot-tracking move over a
// 1,280 x 40 strip, beside the platform's own floor for that area (one GDI+ gradient fill of the
// strip and its copy to the screen).
#include "bench/Bench.h"

#include "controls/ToolbarImg.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 40;

// The strip's search box is not used here.
struct NoSearch final : ToolbarSearchGrid {
    void SearchThumbnaillGO(const std::wstring&, bool) override {}
};

struct ToolbarBench {
    HWND host = nullptr;
    NoSearch grid;
    ToolbarImg toolbar{grid};
    PictureBox reference;
    int moves = 0;
};

ToolbarBench& State() {
    // Never destroyed: its teardown would come after GDI+ has been shut down.
    static ToolbarBench* state = new ToolbarBench;
    return *state;
}

void Prepare() {
    ToolbarBench& s = State();
    if (s.host) return;
    s.host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, 2 * kHeight, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    // The icons the art program drew for the program beside this build.
    App().DataPath = ExecutableFolder() + L"..\\program\\Datas\\";
    BenchCheck(::GetFileAttributesW((App().DataPath + L"Open.png").c_str()) != INVALID_FILE_ATTRIBUTES,
               "the toolbar's icons are not there");
    PictureBoxArgs args;
    args.parent = s.host;
    args.width = kWidth;
    args.height = kHeight;
    if (!BenchCheck(s.toolbar.Create(args), "the toolbar could not be made")) return;
    for (int id = 0; id < ToolbarImg::kButtonCount; ++id) s.toolbar.EnabledID(id, true);
    s.toolbar.StartPaint();
    args.y = kHeight;
    BenchCheck(s.reference.Create(args), "the reference strip could not be made");
}

const bool registered = [] {
    RegisterBench({"Image toolbar: one hot-tracking move, 1280 x 40", 0, Prepare,
                   [] {
                       // Between two buttons, so that each move changes the hot one.
                       ToolbarBench& s = State();
                       const int x = (++s.moves % 2) ? 70 : 130;
                       ::SendMessageW(s.toolbar.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 15));
                   },
                   51});
    RegisterBench({"Platform floor: one gradient fill of 1280 x 40 shown", 0, Prepare,
                   [] {
                       PictureBox& box = State().reference;
                       {
                           GdipGraphics g = box.CreateGraphics();
                           const Point a{0, 0}, b{0, kHeight};
                           GdipLineGradient brush;
                           BenchCheck(g &&
                                          GdipCreateLineBrushI(&a, &b, ColorARGB(255, 255, 255, 255),
                                                               ColorARGB(50, 255, 255, 255), WrapModeTileFlipXY,
                                                               brush.put()) == Ok &&
                                          GdipFillRectangleI(g.get(), brush.get(), 0, 0, kWidth, kHeight) == Ok,
                                      "the strip was not filled");
                       }
                       box.Refresh();
                   },
                   51});
    return true;
}();

} // namespace
