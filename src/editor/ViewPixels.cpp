#include "editor/ViewPixels.h"

#include "platform/BitmapPixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

int Nearest(float v) {
    // Frames and fits stay well inside int; a NaN edge covers nothing.
    if (!(v == v)) return 0;
    return static_cast<int>(std::floor(std::clamp(v, -1.0e9f, 1.0e9f) + 0.5f));
}

// The platform's blend of one premultiplied channel over a destination channel.
constexpr uint32_t Over(uint32_t premultiplied, uint32_t alpha, uint32_t dst) {
    return premultiplied + (dst * (255 - alpha) + 127) / 255;
}

PixelRect Clip(const PixelRect& r, int width, int height) {
    return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
}

} // namespace

PixelRect CoveredPixels(const RectF& r) {
    const float x1 = std::min(r.X, r.X + r.Width), x2 = std::max(r.X, r.X + r.Width);
    const float y1 = std::min(r.Y, r.Y + r.Height), y2 = std::max(r.Y, r.Y + r.Height);
    return {Nearest(x1), Nearest(y1), Nearest(x2), Nearest(y2)};
}

void BlendRect(const BackBuffer& buffer, const PixelRect& r, uint32_t argb) {
    if (!buffer) return;
    const PixelRect c = Clip(r, buffer.width, buffer.height);
    const uint32_t alpha = argb >> 24;
    if (c.Empty() || alpha == 0) return;
    // One table per channel: the blend of each destination value, worked out once per fill.
    std::array<std::array<uint8_t, 256>, 3> table{};
    for (int channel = 0; channel < 3; ++channel) {
        const uint32_t value = (argb >> (8 * channel)) & 0xFF;
        const uint32_t premultiplied = (value * alpha + 127) / 255;
        for (uint32_t d = 0; d < 256; ++d)
            table[static_cast<size_t>(channel)][d] = static_cast<uint8_t>(Over(premultiplied, alpha, d));
    }
    const auto& blue = table[0];
    const auto& green = table[1];
    const auto& red = table[2];
    for (int y = c.top; y < c.bottom; ++y) {
        uint32_t* row = buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(buffer.width);
        for (int x = c.left; x < c.right; ++x) {
            const uint32_t p = row[x];
            row[x] = (p & 0xFF000000u) | (static_cast<uint32_t>(red[(p >> 16) & 0xFF]) << 16) |
                     (static_cast<uint32_t>(green[(p >> 8) & 0xFF]) << 8) | blue[p & 0xFF];
        }
    }
}

void DrawControlBorder(const BackBuffer& buffer) {
    if (!buffer) return;
    const int w = buffer.width, h = buffer.height;
    auto ring = [&buffer](int left, int top, int right, int bottom, uint32_t colour) {
        if (right < left || bottom < top) return;
        uint32_t* first = buffer.bits + static_cast<size_t>(top) * static_cast<size_t>(buffer.width);
        uint32_t* last = buffer.bits + static_cast<size_t>(bottom) * static_cast<size_t>(buffer.width);
        std::fill(first + left, first + right + 1, colour);
        std::fill(last + left, last + right + 1, colour);
        for (int y = top; y <= bottom; ++y) {
            uint32_t* row = buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(buffer.width);
            row[left] = row[right] = colour;
        }
    };
    ring(0, 0, w - 1, h - 1, 0xD0D0D0u);
    ring(1, 1, w - 2, h - 2, 0xFFFFFFu);
}

bool OpaqueView::Build(GpBitmap* source, COLORREF back) {
    Reset();
    UINT w = 0, h = 0;
    if (!source || GdipGetImageWidth(source, &w) != Ok || GdipGetImageHeight(source, &h) != Ok) return false;
    std::vector<uint32_t> pixels = ReadAllPixels(source, w, h, PixelFormat32bppPARGB);
    if (pixels.empty()) return false;
    const uint32_t backChannel[3] = {GetBValue(back), GetGValue(back), GetRValue(back)};
    for (uint32_t& p : pixels) {
        const uint32_t alpha = p >> 24;
        if (alpha == 255) {
            p &= 0x00FFFFFFu;
            continue;
        }
        uint32_t out = 0;
        for (int channel = 0; channel < 3; ++channel)
            out |= std::min<uint32_t>(Over((p >> (8 * channel)) & 0xFF, alpha, backChannel[channel]), 255)
                   << (8 * channel);
        p = out;
    }
    pixels_ = std::move(pixels);
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    source_ = source;
    back_ = back;
    return true;
}

void OpaqueView::Reset() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
    source_ = nullptr;
}

void OpaqueView::CopyTo(const BackBuffer& buffer, int x, int y) const {
    if (!buffer || pixels_.empty()) return;
    const PixelRect c = Clip({x, y, x + width_, y + height_}, buffer.width, buffer.height);
    if (c.Empty()) return;
    const size_t count = static_cast<size_t>(c.right - c.left) * sizeof(uint32_t);
    for (int row = c.top; row < c.bottom; ++row)
        std::memcpy(buffer.bits + static_cast<size_t>(row) * static_cast<size_t>(buffer.width) + c.left,
                    pixels_.data() + static_cast<size_t>(row - y) * static_cast<size_t>(width_) + (c.left - x), count);
}
