// Pictures of every depth through the real main window: 1-, 4- and 8-bit palettes, greyscale, 16 bits
// per pixel and per channel, each put through the crop, a frame commit, a colour adjustment, an
// effect, a quarter turn, undo and redo, Save and Save As in every writable type, and compared pixel
// by pixel with the picture as GDI+ decodes it, or with the same edit of its 24-bit copy.
#include "tests/output/FileDialogSupport.h"
#include "tests/shell/MainWindowFixture.h"

#include "editor/CanvasGeometry.h"
#include "platform/MessageBoxService.h"

#include <cstdio>
#include <functional>

namespace {

// A picture's pixels, ARGB row by row from the top.
struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> argb;
    [[nodiscard]] uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * w + x]; }
    // The part (x, y, cw, ch).
    [[nodiscard]] Pixels Part(int x, int y, int cw, int ch) const {
        Pixels p{cw, ch, {}};
        for (int j = 0; j < ch; ++j)
            for (int i = 0; i < cw; ++i) p.argb.push_back(At(x + i, y + j));
        return p;
    }
    // Turned a quarter clockwise.
    [[nodiscard]] Pixels Clockwise() const {
        Pixels p{h, w, {}};
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) p.argb.push_back(At(y, h - 1 - x));
        return p;
    }
};

Pixels PixelsOf(GpImage* image) {
    Pixels p;
    if (image) p.argb = AllPixels(reinterpret_cast<GpBitmap*>(image), p.w, p.h);
    return p;
}

Pixels PixelsOnDisk(const std::wstring& path) {
    GdipImage image(LoadImageFromFileCopy(path));
    return PixelsOf(image.get());
}

// How far a result may be from what it should be: in any one channel of any pixel, and on average.
struct Tolerance {
    int most = 1;
    double mean = 1;
};

// Empty when got matches want within t (the size exactly); otherwise what differs first.
std::string Mismatch(const Pixels& got, const Pixels& want, Tolerance t = {}) {
    if (got.w != want.w || got.h != want.h)
        return "size " + std::to_string(got.w) + " x " + std::to_string(got.h) + ", expected " +
               std::to_string(want.w) + " x " + std::to_string(want.h);
    double sum = 0;
    for (int y = 0; y < want.h; ++y)
        for (int x = 0; x < want.w; ++x) {
            const int d = ChannelDistance(got.At(x, y), want.At(x, y));
            sum += d;
            if (d > t.most) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%d, %d) is %08X, expected %08X", x, y, got.At(x, y),
                              want.At(x, y));
                return text;
            }
        }
    const double mean = want.argb.empty() ? 0 : sum / static_cast<double>(want.argb.size());
    return mean <= t.mean ? std::string() : "mean difference " + std::to_string(mean);
}

#define EXPECT_PIXELS(got, want, ...)                                                                                  \
    do {                                                                                                               \
        const std::string mismatch = Mismatch((got), (want), ##__VA_ARGS__);                                           \
        EXPECT_TRUE(mismatch.empty()) << mismatch;                                                                     \
    } while (0)

// A w x h picture of 10 x 10 blocks in as many colours as given (at most 256), saved as a GIF.
void WriteBlocksGif(const std::wstring& path, int w, int h, int colours) {
    GdipBitmap picture = BitmapOf(w, h, [colours](int x, int y) {
        const int block = (x / 10 * 7 + y / 10 * 3) % colours;
        return ColorARGB(255, static_cast<uint8_t>(block * 37 % 256), static_cast<uint8_t>(block * 11 % 256),
                         static_cast<uint8_t>(255 - block * 5 % 256));
    });
    ASSERT_TRUE(SaveImageSafely(picture.get(), path, kFormatGif, 0));
}

// The writable types: the Save As dialog's type, the encoder's extension and how close its file
// comes to the picture (a GIF of more than 256 colours keeps a colour cube; a JPEG is compared with
// what the encoder makes of the picture's own pixels).
struct SaveType {
    int dialogType;
    const wchar_t* ext;
    Tolerance fits;
};
const SaveType kSaveTypes[] = {
    {0, L"bmp", {1, 1}}, {1, L"gif", {26, 26}}, {2, L"jpg", {4, 1}}, {3, L"png", {1, 1}}, {4, L"tif", {1, 1}}};

Tolerance ToleranceOf(const std::wstring& ext) {
    for (const SaveType& t : kSaveTypes)
        if (ext == t.ext) return t.fits;
    return {};
}

// A 24-bit bitmap of the pixels.
GdipBitmap TwentyFourBit(const Pixels& p) {
    GdipBitmap argb = BitmapOf(p.w, p.h, [&](int x, int y) { return p.At(x, y); });
    GdipBitmap rgb;
    GdipCloneBitmapAreaI(0, 0, p.w, p.h, PixelFormat24bppRGB, argb.get(), rgb.put());
    return rgb;
}

// The pixels as the platform's JPEG encoder writes them at quality, read back.
Pixels AsJpeg(const Pixels& p, LONG quality, const std::wstring& scratch) {
    CLSID jpeg{};
    EXPECT_GT(GetEncoderClsid(L"image/jpeg", jpeg), 0);
    EncoderParameters params{};
    params.Count = 1;
    params.Parameter[0].Guid = CLSIDFromStr(L"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
    params.Parameter[0].NumberOfValues = 1;
    params.Parameter[0].Type = EncoderParameterValueTypeLong;
    params.Parameter[0].Value = &quality;
    GdipBitmap bitmap = TwentyFourBit(p);
    EXPECT_EQ(GdipSaveImageToFile(bitmap.get(), scratch.c_str(), &jpeg, &params), Ok);
    return PixelsOnDisk(scratch);
}

struct Row {
    const char* what;
    const wchar_t* corpusFile;                     // under the public image sets, or
    std::function<void(const std::wstring&)> make; // made here
    const wchar_t* ext;
};

class PictureDepthsTest : public MainWindowTest {
protected:
    std::vector<std::wstring> told; // every message box, answered OK
    ScopedMessageBoxAnswerer answerer{[this](const MessageBoxRequest& r) {
        told.push_back(r.text);
        return IDOK;
    }};

    Imageyzviewer& Canvas() { return main->SingleyzPreview; }
    Pixels Shown() { return PixelsOf(Canvas().ImgDIB.DIB()); }

    void OpenPicture(const std::wstring& path) {
        main->FileImport(path);
        ASSERT_TRUE(Canvas().NoOpen()) << Narrow(path);
    }
    // A mouse drag on the canvas from one point to another, as a person makes it.
    void DragOnCanvas(PointF from, PointF to) {
        const HWND c = Canvas().hWnd();
        auto send = [c](UINT msg, WPARAM held, PointF p) {
            ::SendMessageW(c, msg, held, MAKELPARAM(static_cast<int>(p.X), static_cast<int>(p.Y)));
        };
        send(WM_MOUSEMOVE, 0, from);
        send(WM_LBUTTONDOWN, MK_LBUTTON, from);
        send(WM_MOUSEMOVE, MK_LBUTTON, PointF((from.X + to.X) / 2, (from.Y + to.Y) / 2));
        send(WM_MOUSEMOVE, MK_LBUTTON, to);
        send(WM_LBUTTONUP, 0, to);
        TestWindow::Pump(10);
    }
    void ClickApply() {
        const RectF r = Canvas().PanelRects()[kPanelApply];
        DragOnCanvas(PointF(r.X + r.Width / 2, r.Y + r.Height / 2), PointF(r.X + r.Width / 2, r.Y + r.Height / 2));
    }
    // The image pixel (x, y) of the fitted view in canvas pixels.
    PointF OnCanvas(int x, int y) {
        const RectF fit = Canvas().FitRect();
        return PointF(fit.X + static_cast<float>(x) * fit.Width / Canvas().ImgDIB.Width(),
                      fit.Y + static_cast<float>(y) * fit.Height / Canvas().ImgDIB.Height());
    }
    // The tool picked from its menu, a frame dragged over (x0, y0) to (x1, y1) of the picture, Apply.
    void FramedEdit(const wchar_t* tool, int x0, int y0, int x1, int y1) {
        ASSERT_TRUE(Pick(tool)) << Narrow(tool);
        DragOnCanvas(OnCanvas(x0, y0), OnCanvas(x1, y1));
        ClickApply();
    }
    // Each step is written and can be undone to the picture as opened and redone to what it shows.
    void ExpectUndoAndRedo(const Pixels& before, const std::string& step) {
        SCOPED_TRACE(step + ", undone and redone");
        ASSERT_TRUE(Canvas().SettleSteps()) << "the step's undo file was not written";
        const Pixels after = Shown();
        ASSERT_TRUE(Run(L"Edit_Undo"));
        EXPECT_PIXELS(Shown(), before);
        ASSERT_TRUE(Run(L"Edit_Redo"));
        EXPECT_PIXELS(Shown(), after);
    }
    // Save As through the real dialog: the type picked from its list, the name typed, OK pressed.
    void SaveAs(const SaveType& type, const std::wstring& path) {
        using namespace file_dialog_test;
        const std::wstring name = path.substr(0, path.size() - 4);
        WithActor(
            [&] {
                HWND d = nullptr;
                for (int i = 0; i < 1000 && !d; ++i, ::Sleep(10))
                    if (HWND w = ::FindWindowW(L"#32770", L"Save Image as..."); w && ::IsWindowVisible(w)) d = w;
                if (!d) return;
                const HWND types = ::GetDlgItem(d, cmb1);
                ::SendMessageW(types, CB_SETCURSEL, type.dialogType, 0);
                for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
                    ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
                ::SetDlgItemTextW(d, cmb13, name.c_str());
                Press(d, IDOK);
            },
            [&] { ASSERT_TRUE(Run(L"File_SaveAs")); });
    }
    // Whether the canvas shows the picture at its own size, within a pixel of the fitted place (the
    // unfitted view centres by rounding, the fitted one by truncating).
    bool PaintedNearFit(const Pixels& picture) {
        TestWindow::Pump(10);
        const RectF fit = Canvas().FitRect();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                bool same = true;
                for (int y = 0; y < picture.h && same; ++y)
                    for (int x = 0; x < picture.w && same; ++x) {
                        const COLORREF c =
                            Canvas().Point(static_cast<int>(fit.X) + dx + x, static_cast<int>(fit.Y) + dy + y);
                        same = ChannelDistance(RGBToARGB(c, 255), picture.At(x, y) | 0xFF000000u) <= 2;
                    }
                if (same) return true;
            }
        return false;
    }
    // What the canvas makes of the picture's 24-bit copy with the tool's settings as they stand.
    Pixels OnTwentyFourBitCopy(const Pixels& picture, const std::function<void()>& command) {
        const std::wstring path = folder + L"twin.png";
        CLSID png{};
        EXPECT_GT(GetEncoderClsid(L"image/png", png), 0);
        EXPECT_EQ(GdipSaveImageToFile(TwentyFourBit(picture).get(), path.c_str(), &png, nullptr), Ok);
        OpenPicture(path);
        PixelFormat format = 0;
        GdipGetImagePixelFormat(Canvas().ImgDIB.DIB(), &format);
        EXPECT_EQ(format, PixelFormat24bppRGB);
        command();
        return Shown();
    }
};

} // namespace

TEST_F(PictureDepthsTest, EveryDepthCommitsEditsAndSavesAsTwentyFourBitOnesDo) {
    SKIP_WITHOUT_CORPUS();
    const Row rows[] = {
        {"1-bit BMP", L"bmpsuite\\g\\pal1.bmp", {}, L"bmp"},
        {"4-bit BMP", L"bmpsuite\\g\\pal4.bmp", {}, L"bmp"},
        {"8-bit BMP", L"bmpsuite\\g\\pal8.bmp", {}, L"bmp"},
        {"16 bpp BMP 555", L"bmpsuite\\g\\rgb16.bmp", {}, L"bmp"},
        {"16 bpp BMP 565", L"bmpsuite\\g\\rgb16-565.bmp", {}, L"bmp"},
        {"24-bit BMP", L"bmpsuite\\g\\rgb24.bmp", {}, L"bmp"},
        {"2-colour GIF", nullptr, [](const std::wstring& p) { WriteBlocksGif(p, 61, 40, 2); }, L"gif"},
        {"8-bit GIF", nullptr, [](const std::wstring& p) { WriteBlocksGif(p, 200, 100, 200); }, L"gif"},
        {"1-bit PNG", L"pngsuite\\png\\basn3p01.png", {}, L"png"},
        {"4-bit PNG", L"pngsuite\\png\\basn3p04.png", {}, L"png"},
        {"8-bit PNG", L"pngsuite\\png\\basn3p08.png", {}, L"png"},
        {"8-bit greyscale PNG", L"pngsuite\\png\\basn0g08.png", {}, L"png"},
        {"16-bit greyscale PNG", L"pngsuite\\png\\basn0g16.png", {}, L"png"},
        {"16 bits per channel PNG", L"pngsuite\\png\\basn2c16.png", {}, L"png"},
        {"1-bit TIFF", L"libtiff-testimages\\palette-1c-1b.tiff", {}, L"tif"},
        {"4-bit TIFF", L"libtiff-testimages\\palette-1c-4b.tiff", {}, L"tif"},
        {"8-bit TIFF", L"libtiff-testimages\\palette-1c-8b.tiff", {}, L"tif"},
        {"8-bit greyscale TIFF", L"libtiff-testimages\\minisblack-1c-8b.tiff", {}, L"tif"},
        {"16 bits per channel TIFF", L"libtiff-testimages\\rgb-3c-16b.tiff", {}, L"tif"},
    };
    folder = MakeTestFolder(L"depths");
    size_t index = 0;
    for (const Row& row : rows) {
        const std::wstring name = L"p" + std::to_wstring(index++) + L"." + row.ext;
        if (row.make)
            row.make(folder + name);
        else
            ASSERT_TRUE(::CopyFileW((CorpusFolder() + row.corpusFile).c_str(), (folder + name).c_str(), FALSE));
        // The public sets are read-only; the copies are the user's own files.
        ASSERT_TRUE(::SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL));
    }
    Open(L"p0.bmp");

    index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::wstring path = folder + L"p" + std::to_wstring(index++) + L"." + row.ext;
        const Pixels source = PixelsOnDisk(path);
        ASSERT_GT(source.w, 1);
        const int w = source.w, h = source.h;
        told.clear();

        // Crop: a frame over the right half (one column narrower than the left for odd widths).
        OpenPicture(path);
        const int half = w - w / 2;
        FramedEdit(L"Filter_Crop", half, 0, w, h);
        const Pixels cropped = source.Part(half, 0, w / 2, h);
        EXPECT_PIXELS(Shown(), cropped);
        EXPECT_TRUE(PaintedNearFit(cropped)) << "the canvas does not show the crop";
        ExpectUndoAndRedo(source, "crop");

        // A frame commit: the card shades all but the frame, which keeps the picture as it was.
        const int fx0 = w / 4, fy0 = h / 4, fx1 = w - w / 4, fy1 = h - h / 4;
        OpenPicture(path);
        FramedEdit(L"Effect_Card", fx0, fy0, fx1, fy1);
        const Pixels carded = Shown();
        EXPECT_PIXELS(carded.Part(fx0 + 1, fy0 + 1, fx1 - fx0 - 2, fy1 - fy0 - 2),
                      source.Part(fx0 + 1, fy0 + 1, fx1 - fx0 - 2, fy1 - fy0 - 2));
        ExpectUndoAndRedo(source, "card");
        EXPECT_PIXELS(carded, OnTwentyFourBitCopy(source, [&] {
                          Canvas().SetEffect(5);
                          Canvas().SetFitMode(true);
                          (void)Canvas().Import(L"", true);
                          DragOnCanvas(OnCanvas(fx0, fy0), OnCanvas(fx1, fy1));
                          ClickApply();
                      }));

        // A colour adjustment applied from its panel, and a whole-image effect.
        OpenPicture(path);
        ASSERT_TRUE(Pick(L"Effect_Grey"));
        ClickApply();
        const Pixels grey = Shown();
        ExpectUndoAndRedo(source, "grey");
        EXPECT_PIXELS(grey,
                      OnTwentyFourBitCopy(source,
                                          [&] {
                                              Canvas().SetEffect(8);
                                              (void)Canvas().SaveUndo();
                                          }),
                      {2, 1});
        OpenPicture(path);
        ASSERT_TRUE(Pick(L"Effect_Blur"));
        const Pixels blurred = Shown();
        ExpectUndoAndRedo(source, "blur");
        EXPECT_PIXELS(blurred, OnTwentyFourBitCopy(source, [&] { (void)Canvas().ThirdEffect(12); }), {2, 1});

        // Saving the picture as opened: Save As in every writable type, Save over its own file.
        OpenPicture(path);
        for (const SaveType& type : kSaveTypes) {
            SCOPED_TRACE(Narrow(type.ext));
            const std::wstring target = path.substr(0, path.size() - 4) + L"-as." + type.ext;
            SaveAs(type, target);
            const Pixels want =
                type.dialogType == 2 ? AsJpeg(source, App().JpegQuality * 10, folder + L"want.jpg") : source;
            EXPECT_PIXELS(PixelsOnDisk(target), want, type.fits);
        }
        // Save As made the last copy the file shown: the picture is opened again to be saved over its own file.
        OpenPicture(path);
        ASSERT_TRUE(Run(L"File_Save"));
        EXPECT_PIXELS(PixelsOnDisk(path), source, ToleranceOf(row.ext));
        // A quarter turn, saved over the file.
        ASSERT_TRUE(Pick(L"Edit_Clockwise"));
        EXPECT_PIXELS(Shown(), source.Clockwise());
        ExpectUndoAndRedo(source, "turn");
        ASSERT_TRUE(Run(L"File_Save"));
        EXPECT_PIXELS(PixelsOnDisk(path), source.Clockwise(), ToleranceOf(row.ext));

        EXPECT_TRUE(told.empty()) << Narrow(told.empty() ? L"" : told[0]);
    }
}
