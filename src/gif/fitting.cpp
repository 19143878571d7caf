#include "gif/fitting.h"

#include <algorithm>
#include <cmath>

namespace gif {

namespace {

// Rounds as the window system's integer conversion does: halves to even.
int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// For each drawn coordinate, the source cells it covers and by how much.
struct Span {
    int first = 0;
    std::vector<float> weights;  // sum 1
};

std::vector<Span> spans(int src, int dst) {
    std::vector<Span> out(static_cast<std::size_t>(dst));
    const double ratio = static_cast<double>(src) / dst;
    for (int o = 0; o < dst; ++o) {
        const double a = o * ratio, b = (o + 1) * ratio;
        Span& s = out[static_cast<std::size_t>(o)];
        s.first = std::min(static_cast<int>(a), src - 1);
        double total = 0;
        for (int i = s.first; i < src && i < b; ++i) {
            double wgt = std::min(b, i + 1.0) - std::max(a, static_cast<double>(i));
            s.weights.push_back(static_cast<float>(wgt));
            total += wgt;
        }
        if (s.weights.empty()) s.weights.push_back(1), total = 1;
        for (float& wgt : s.weights) wgt = static_cast<float>(wgt / total);
    }
    return out;
}

struct Premultiplied {
    float a = 0, r = 0, g = 0, b = 0;
};

Premultiplied premultiply(std::uint32_t p) {
    const float a = static_cast<float>(p >> 24) / 255.0f;
    return {a, a * static_cast<float>((p >> 16) & 255), a * static_cast<float>((p >> 8) & 255),
            a * static_cast<float>(p & 255)};
}

std::uint32_t unpremultiply(const Premultiplied& c) {
    if (c.a <= 0.0f) return 0;
    auto channel = [&](float v) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(v / c.a), 0L, 255L));
    };
    const auto a = static_cast<std::uint32_t>(std::clamp(std::lround(c.a * 255.0f), 0L, 255L));
    return (a << 24) | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

}  // namespace

Fit fitAnimation(int stretch, double W, double H, int w, int h) {
    Fit f;
    if (w <= 0 || h <= 0) return f;
    const double sx = W / w, sy = H / h, s = std::min(sx, sy);
    switch (stretch) {
        case 0:
            f.drawnWidth = std::min(roundEven(W), w);
            f.drawnHeight = std::min(roundEven(H), h);
            f.clipped = true;
            break;
        case 1:
            f.drawnWidth = roundEven(s * w);
            f.drawnHeight = roundEven(s * h);
            break;
        case 2:
            f.drawnWidth = roundEven(W);
            f.drawnHeight = roundEven(H);
            break;
        case 3:
            f.drawnWidth = roundEven(std::min(1.0, s) * w);
            f.drawnHeight = roundEven(std::min(1.0, s) * h);
            break;
        default:
            f.drawnWidth = w;
            f.drawnHeight = h;
    }
    f.drawnWidth = std::max(0, f.drawnWidth);
    f.drawnHeight = std::max(0, f.drawnHeight);
    return f;
}

std::vector<std::uint32_t> fitPixels(const std::vector<std::uint32_t>& src, int w, int h,
                                     const Fit& fit) {
    const int dw = fit.drawnWidth, dh = fit.drawnHeight;
    std::vector<std::uint32_t> out(static_cast<std::size_t>(std::max(0, dw)) *
                                   static_cast<std::size_t>(std::max(0, dh)));
    if (out.empty()) return out;
    auto at = [&](int x, int y) {
        return src[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                   static_cast<std::size_t>(x)];
    };
    if (fit.clipped || (dw == w && dh == h)) {
        for (int y = 0; y < dh; ++y)
            std::copy_n(src.begin() + static_cast<long>(y) * w, dw,
                        out.begin() + static_cast<long>(y) * dw);
        return out;
    }
    // Across first, then down.
    const std::vector<Span> across = spans(w, dw), down = spans(h, dh);
    std::vector<Premultiplied> rows(static_cast<std::size_t>(dw) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < dw; ++x) {
            const Span& s = across[static_cast<std::size_t>(x)];
            Premultiplied sum;
            for (std::size_t i = 0; i < s.weights.size(); ++i) {
                const Premultiplied c = premultiply(at(s.first + static_cast<int>(i), y));
                const float wgt = s.weights[i];
                sum.a += c.a * wgt, sum.r += c.r * wgt, sum.g += c.g * wgt, sum.b += c.b * wgt;
            }
            rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(dw) +
                 static_cast<std::size_t>(x)] = sum;
        }
    for (int y = 0; y < dh; ++y) {
        const Span& s = down[static_cast<std::size_t>(y)];
        for (int x = 0; x < dw; ++x) {
            Premultiplied sum;
            for (std::size_t i = 0; i < s.weights.size(); ++i) {
                const Premultiplied& c =
                    rows[static_cast<std::size_t>(s.first + static_cast<int>(i)) *
                             static_cast<std::size_t>(dw) +
                         static_cast<std::size_t>(x)];
                const float wgt = s.weights[i];
                sum.a += c.a * wgt, sum.r += c.r * wgt, sum.g += c.g * wgt, sum.b += c.b * wgt;
            }
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(dw) +
                static_cast<std::size_t>(x)] = unpremultiply(sum);
        }
    }
    return out;
}

}  // namespace gif
