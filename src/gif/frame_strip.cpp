#include "gif/frame_strip.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace gif {

namespace {

// The frame alone as a GIF file in memory: a logical screen of the frame's size
// without colour tables, the frame at (0, 0) with its interlace flag, its own image
// data and the trailer. giflib needs no colour table to hand out indices.
std::vector<std::uint8_t> oneFrameFile(std::span<const std::uint8_t> file, const FrameRecord& f) {
    auto word = [](std::vector<std::uint8_t>& out, int v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    out.reserve(32 + f.dataLength);
    word(out, f.width);
    word(out, f.height);
    out.insert(out.end(), {0, 0, 0, 0x2C});
    word(out, 0);
    word(out, 0);
    word(out, f.width);
    word(out, f.height);
    out.push_back(f.interlaced ? 0x40 : 0);
    auto data = file.subspan(f.dataStart, f.dataLength);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(0x3B);
    return out;
}

struct MemoryInput {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos = 0;
};

int readMemory(GifFileType* g, GifByteType* buf, int n) {
    auto* in = static_cast<MemoryInput*>(g->UserData);
    std::size_t left = in->bytes->size() - in->pos;
    std::size_t take = std::min(left, static_cast<std::size_t>(std::max(n, 0)));
    std::memcpy(buf, in->bytes->data() + in->pos, take);
    in->pos += take;
    return static_cast<int>(take);
}

// The rows of an interlaced image in the order the data gives them.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) order.push_back(y);
        return order;
    }
    static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < height; y += step[pass]) order.push_back(y);
    return order;
}

}  // namespace

void FrameStrip::reset(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void FrameStrip::flip(const FrameRecord& f, bool leftRight, bool topBottom) {
    if (leftRight)
        for (int y = 0; y < f.height; ++y) std::reverse(row(f, y), row(f, y) + f.width);
    if (topBottom)
        for (int y = 0; y < f.height / 2; ++y)
            std::swap_ranges(row(f, y), row(f, y) + f.width, row(f, f.height - 1 - y));
}

void FrameStrip::decode(std::span<const std::uint8_t> file, const FrameRecord& f) {
    const std::uint8_t fill = f.transparent ? static_cast<std::uint8_t>(f.transparentIndex) : 0;
    std::vector<int> order = rowOrder(f.height, f.interlaced);
    std::size_t done = 0;
    std::vector<std::uint8_t> one = oneFrameFile(file, f);
    MemoryInput in{&one};
    int error = 0;
    if (GifFileType* g = DGifOpen(&in, readMemory, &error)) {
        GifRecordType type;
        if (DGifGetRecordType(g, &type) == GIF_OK && type == IMAGE_DESC_RECORD_TYPE &&
            DGifGetImageDesc(g) == GIF_OK) {
            for (; done < order.size(); ++done)
                if (DGifGetLine(g, row(f, order[done]), f.width) != GIF_OK) break;
        }
        DGifCloseFile(g, &error);
    }
    for (; done < order.size(); ++done)
        std::memset(row(f, order[done]), fill, static_cast<std::size_t>(f.width));
}

}  // namespace gif
