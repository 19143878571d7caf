#include "quantize.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace picgen {

namespace {

int channel(std::uint32_t c, int ch) { return (c >> (16 - 8 * ch)) & 0xFF; }

std::vector<QRgb> medianCut(const std::unordered_map<std::uint32_t, int>& hist, int maxColors) {
    std::vector<std::pair<std::uint32_t, int>> entries(hist.begin(), hist.end());
    std::sort(entries.begin(), entries.end());
    struct Range {
        std::size_t begin, end;
    };
    std::vector<Range> boxes{{0, entries.size()}};
    auto spread = [&](const Range& r, int& bestCh) {
        int best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (std::size_t i = r.begin; i < r.end; ++i) {
                int v = channel(entries[i].first, ch);
                lo = std::min(lo, v), hi = std::max(hi, v);
            }
            // Green weighs most for the eye, blue least.
            int weighted = (hi - lo) * (ch == 1 ? 4 : ch == 0 ? 3 : 2);
            if (weighted > best) best = weighted, bestCh = ch;
        }
        return best;
    };
    while (static_cast<int>(boxes.size()) < maxColors) {
        // Split the box with the largest weighted spread times its pixel count.
        long bestScore = -1;
        std::size_t bestBox = 0;
        int bestCh = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2) continue;
            int ch = 0;
            long count = 0;
            for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) count += entries[i].second;
            long score = static_cast<long>(spread(boxes[b], ch)) * (1 + count / 8);
            if (score > bestScore) bestScore = score, bestBox = b, bestCh = ch;
        }
        if (bestScore <= 0) break;
        Range r = boxes[bestBox];
        std::sort(entries.begin() + r.begin, entries.begin() + r.end, [&](auto& a, auto& b) {
            return channel(a.first, bestCh) < channel(b.first, bestCh);
        });
        long total = 0;
        for (std::size_t i = r.begin; i < r.end; ++i) total += entries[i].second;
        long acc = 0;
        std::size_t mid = r.begin;
        while (mid < r.end - 1 && acc + entries[mid].second <= total / 2)
            acc += entries[mid++].second;
        if (mid == r.begin) mid = r.begin + 1;
        boxes[bestBox] = {r.begin, mid};
        boxes.push_back({mid, r.end});
    }
    std::vector<QRgb> palette;
    for (const Range& r : boxes) {
        double s[3] = {0, 0, 0};
        double n = 0;
        for (std::size_t i = r.begin; i < r.end; ++i) {
            for (int ch = 0; ch < 3; ++ch)
                s[ch] += channel(entries[i].first, ch) * entries[i].second;
            n += entries[i].second;
        }
        palette.push_back(qRgb(int(s[0] / n + 0.5), int(s[1] / n + 0.5), int(s[2] / n + 0.5)));
    }
    return palette;
}

}  // namespace

Indexed quantize(const QImage& source, QRgb matte, bool dither) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    Indexed out;
    out.width = w, out.height = h;
    out.pixels.assign(std::size_t(w) * h, 0);

    // Flatten: opaque colour per pixel, or transparent.
    std::vector<std::uint32_t> rgb(std::size_t(w) * h);
    std::vector<bool> clear(std::size_t(w) * h, false);
    bool anyClear = false;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb p = line[x];
            int a = qAlpha(p);
            std::size_t i = std::size_t(y) * w + x;
            if (a < 128) {
                clear[i] = true, anyClear = true;
                continue;
            }
            int r = (qRed(p) * a + qRed(matte) * (255 - a)) / 255;
            int g = (qGreen(p) * a + qGreen(matte) * (255 - a)) / 255;
            int b = (qBlue(p) * a + qBlue(matte) * (255 - a)) / 255;
            rgb[i] = (r << 16) | (g << 8) | b;
        }
    }
    const int maxColors = anyClear ? 255 : 256;

    std::unordered_map<std::uint32_t, int> hist;
    for (std::size_t i = 0; i < rgb.size(); ++i)
        if (!clear[i]) ++hist[rgb[i]];

    bool exact = static_cast<int>(hist.size()) <= maxColors;
    if (exact) {
        std::unordered_map<std::uint32_t, int> index;
        for (auto& [c, n] : hist) {
            index[c] = static_cast<int>(out.palette.size());
            out.palette.push_back(0xFF000000u | c);
        }
        for (std::size_t i = 0; i < rgb.size(); ++i)
            if (!clear[i]) out.pixels[i] = static_cast<std::uint8_t>(index[rgb[i]]);
    } else {
        out.palette = medianCut(hist, maxColors);
        // Nearest palette entry per 5-bit colour cell, found on first use.
        std::vector<int> cache(32768, -1);
        auto nearest = [&](int r, int g, int b) {
            int key = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
            int& slot = cache[key];
            if (slot >= 0) return slot;
            int best = 0;
            long bestD = 1L << 40;
            for (std::size_t k = 0; k < out.palette.size(); ++k) {
                long dr = r - qRed(out.palette[k]), dg = g - qGreen(out.palette[k]),
                     db = b - qBlue(out.palette[k]);
                long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestD) bestD = d, best = static_cast<int>(k);
            }
            return slot = best;
        };
        std::vector<std::array<float, 3>> err(std::size_t(w + 2) * 2, {0, 0, 0});
        for (int y = 0; y < h; ++y) {
            auto* cur = &err[std::size_t(y % 2) * (w + 2)];
            auto* next = &err[std::size_t((y + 1) % 2) * (w + 2)];
            for (int x = 0; x < w + 2; ++x) next[x] = {0, 0, 0};
            for (int x = 0; x < w; ++x) {
                std::size_t i = std::size_t(y) * w + x;
                if (clear[i]) continue;
                float c[3];
                for (int ch = 0; ch < 3; ++ch) {
                    float v = channel(rgb[i], ch) + (dither ? cur[x + 1][ch] : 0.f);
                    c[ch] = std::clamp(v, 0.f, 255.f);
                }
                int k = nearest(int(c[0]), int(c[1]), int(c[2]));
                out.pixels[i] = static_cast<std::uint8_t>(k);
                if (!dither) continue;
                float e[3] = {c[0] - qRed(out.palette[k]), c[1] - qGreen(out.palette[k]),
                              c[2] - qBlue(out.palette[k])};
                for (int ch = 0; ch < 3; ++ch) {
                    cur[x + 2][ch] += e[ch] * 7 / 16;
                    next[x][ch] += e[ch] * 3 / 16;
                    next[x + 1][ch] += e[ch] * 5 / 16;
                    next[x + 2][ch] += e[ch] * 1 / 16;
                }
            }
        }
    }
    if (anyClear) {
        out.transparentIndex = static_cast<int>(out.palette.size());
        out.palette.push_back(matte | 0xFF000000u);
        for (std::size_t i = 0; i < rgb.size(); ++i)
            if (clear[i]) out.pixels[i] = static_cast<std::uint8_t>(out.transparentIndex);
    }
    return out;
}

}  // namespace picgen
