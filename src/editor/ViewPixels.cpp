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

void Fill(const BackBuffer& buffer, const PixelRect& r, uint32_t pixel) {
    const PixelRect c = Clip(r, buffer.width, buffer.height);
    if (c.Empty()) return;
    for (int y = c.top; y < c.bottom; ++y) {
        uint32_t* row = buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(buffer.width);
        std::fill(row + c.left, row + c.right, pixel);
    }
}

// a and b (0x00RRGGBB) mixed by f / 256 of b; red and blue ride in one word, green in another.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t f) {
    const uint32_t g = 256 - f;
    const uint32_t rb = (((a & 0xFF00FFu) * g + (b & 0xFF00FFu) * f) >> 8) & 0xFF00FFu;
    const uint32_t gr = (((a & 0x00FF00u) * g + (b & 0x00FF00u) * f) >> 8) & 0x00FF00u;
    return rb | gr;
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

void FillAround(const BackBuffer& buffer, const PixelRect& inner, COLORREF colour) {
    if (!buffer) return;
    const uint32_t pixel = (static_cast<uint32_t>(GetRValue(colour)) << 16) |
                           (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    const int w = buffer.width, h = buffer.height;
    if (inner.Empty()) {
        Fill(buffer, {0, 0, w, h}, pixel);
        return;
    }
    Fill(buffer, {0, 0, w, inner.top}, pixel);
    Fill(buffer, {0, inner.bottom, w, h}, pixel);
    Fill(buffer, {0, inner.top, inner.left, inner.bottom}, pixel);
    Fill(buffer, {inner.right, inner.top, w, inner.bottom}, pixel);
}

bool BlendGlow(const BackBuffer& buffer, const GlowEllipse& glow, const PixelRect& clip) {
    if (!buffer || glow.width <= 0 || glow.height <= 0 || glow.alpha < 0 || glow.alpha > 255) return false;
    const double a = glow.width / 2.0, b = glow.height / 2.0;
    const double ex = glow.left + a, ey = glow.top + b;
    // The gradient centre in the ellipse's unit circle.
    const double u = (glow.cx - ex) / a, v = (glow.cy - ey) / b;
    const double c = u * u + v * v - 1;
    if (!(c < 0)) return false;
    const PixelRect r =
        Clip({std::max(clip.left, glow.left), std::max(clip.top, glow.top),
              std::min(clip.right, glow.left + glow.width), std::min(clip.bottom, glow.top + glow.height)},
             buffer.width, buffer.height);
    if (r.Empty() || glow.alpha == 0) return true;
    const uint32_t channel[3] = {GetBValue(glow.colour), GetGValue(glow.colour), GetRValue(glow.colour)};
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(buffer.width);
        const double q = (y - glow.cy) / b;
        for (int x = r.left; x < r.right; ++x) {
            // The pixel lies t of the way from the centre to where its ray leaves the ellipse: t is
            // the reciprocal of the positive root s of |(u, v) + s (p, q)| = 1.
            const double p = (x - glow.cx) / a;
            const double qa = p * p + q * q, qb = u * p + v * q;
            const double t = (qb + std::sqrt(qb * qb - qa * c)) / -c;
            if (!(t <= 1)) continue;
            const auto alpha = static_cast<uint32_t>(t * glow.alpha + 0.5);
            if (alpha == 0) continue;
            const uint32_t pixel = row[x];
            uint32_t out = 0;
            for (int k = 0; k < 3; ++k) {
                const uint32_t d = (pixel >> (8 * k)) & 0xFF;
                out |= ((channel[k] * alpha + d * (255 - alpha) + 127) / 255) << (8 * k);
            }
            row[x] = out;
        }
    }
    return true;
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
    bool opaque = true;
    const uint32_t backChannel[3] = {GetBValue(back), GetGValue(back), GetRValue(back)};
    for (uint32_t& p : pixels) {
        const uint32_t alpha = p >> 24;
        if (alpha == 255) {
            p &= 0x00FFFFFFu;
            continue;
        }
        opaque = false;
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
    sourceOpaque_ = opaque;
    return true;
}

void OpaqueView::Reset() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
    source_ = nullptr;
    sourceOpaque_ = false;
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

void OpaqueView::CopyAdjustedTo(const BackBuffer& buffer, int x, int y, const ChannelTables& tables) const {
    if (!buffer || pixels_.empty()) return;
    const PixelRect c = Clip({x, y, x + width_, y + height_}, buffer.width, buffer.height);
    if (c.Empty()) return;
    const auto& blue = tables[0];
    const auto& green = tables[1];
    const auto& red = tables[2];
    for (int row = c.top; row < c.bottom; ++row) {
        uint32_t* out = buffer.bits + static_cast<size_t>(row) * static_cast<size_t>(buffer.width);
        const uint32_t* in = pixels_.data() + static_cast<size_t>(row - y) * static_cast<size_t>(width_) - x;
        for (int col = c.left; col < c.right; ++col) {
            const uint32_t p = in[col];
            out[col] = (static_cast<uint32_t>(red[(p >> 16) & 0xFF]) << 16) |
                       (static_cast<uint32_t>(green[(p >> 8) & 0xFF]) << 8) | blue[p & 0xFF];
        }
    }
}

void OpaqueView::DrawTurnedTo(const BackBuffer& buffer, const PictureTurn& turn) const {
    if (!buffer || pixels_.empty() || !(turn.w > 0) || !(turn.h > 0) || !(turn.zoom > 0)) return;
    const double c = std::cos(turn.radians), s = std::sin(turn.radians);
    // The output point (X, Y) shows the picture's point u = (c dX - s dY) kx + width / 2 and
    // v = (s dX + c dY) ky + height / 2 (source pixels, dX and dY from the centre): the inverse of
    // the corner formula. Walked along each row in 16.16 fixed point, at pixel centres.
    const double kx = width_ / (turn.w * turn.zoom), ky = height_ / (turn.h * turn.zoom);
    constexpr double kOne = 65536.0;
    const double limit = 1.0e15; // far outside any picture: such a row shows nothing of it
    const auto fixed = [](double v) { return static_cast<int64_t>(std::llround(v * kOne)); };
    const int64_t stepU = fixed(c * kx), stepV = fixed(s * ky);
    const int64_t endU = static_cast<int64_t>(width_) << 16, endV = static_cast<int64_t>(height_) << 16;
    const int lastX = width_ - 1, lastY = height_ - 1;
    for (int y = 0; y < buffer.height; ++y) {
        const double dY = y + 0.5 - turn.cy, dX = 0.5 - turn.cx;
        const double u0 = (c * dX - s * dY) * kx + width_ / 2.0, v0 = (s * dX + c * dY) * ky + height_ / 2.0;
        if (!(std::fabs(u0) < limit && std::fabs(v0) < limit)) continue;
        int64_t u = fixed(u0), v = fixed(v0);
        uint32_t* row = buffer.bits + static_cast<size_t>(y) * static_cast<size_t>(buffer.width);
        for (int x = 0; x < buffer.width; ++x, u += stepU, v += stepV) {
            if (u < 0 || v < 0 || u >= endU || v >= endV) continue;
            // Between the four pixel centres around the point; the edge pixels stand for what lies
            // past them.
            const int64_t su = u - 32768, sv = v - 32768;
            int x0 = static_cast<int>(su >> 16), y0 = static_cast<int>(sv >> 16);
            const auto fx = static_cast<uint32_t>((su >> 8) & 0xFF), fy = static_cast<uint32_t>((sv >> 8) & 0xFF);
            int x1 = x0 + 1, y1 = y0 + 1;
            x0 = std::clamp(x0, 0, lastX);
            x1 = std::clamp(x1, 0, lastX);
            y0 = std::clamp(y0, 0, lastY);
            y1 = std::clamp(y1, 0, lastY);
            const uint32_t* top = pixels_.data() + static_cast<size_t>(y0) * static_cast<size_t>(width_);
            const uint32_t* bottom = pixels_.data() + static_cast<size_t>(y1) * static_cast<size_t>(width_);
            row[x] = Mix(Mix(top[x0], top[x1], fx), Mix(bottom[x0], bottom[x1], fx), fy);
        }
    }
}
