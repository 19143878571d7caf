#include "gif/gif_file.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace gif {

namespace {

// A read past the last byte ends the parse with the frames found so far.
struct EndOfFile {};

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> b) : bytes_(b) {}
    std::uint8_t byte() {
        if (pos_ >= bytes_.size()) throw EndOfFile{};
        return bytes_[pos_++];
    }
    int word() {
        int lo = byte();
        return lo | (byte() << 8);
    }
    void skip(std::size_t n) {
        if (n > bytes_.size() - pos_) throw EndOfFile{};
        pos_ += n;
    }
    // Skips data sub-blocks through the zero-length terminator.
    void skipSubBlocks() {
        while (std::uint8_t n = byte()) skip(n);
    }
    std::size_t pos() const { return pos_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

bool validHeader(std::span<const std::uint8_t> b) {
    if (b.size() < 6) return false;
    std::string sig;
    for (int i = 0; i < 6; ++i)
        sig += static_cast<char>(std::tolower(b[static_cast<std::size_t>(i)]));
    return sig == "gif89a" || sig == "gif87a";
}

Palette readPalette(Reader& r, int packed) {
    Palette p;
    p.count = 2 << (packed & 7);
    for (int i = 0; i < p.count; ++i) {
        std::uint32_t red = r.byte(), green = r.byte(), blue = r.byte();
        p.colors[static_cast<std::size_t>(i)] = (red << 16) | (green << 8) | blue;
    }
    return p;
}

// 0x21 0xFF: only the NETSCAPE2.0 loop count is taken.
void applicationExtension(Reader& r, GifFile& gif) {
    std::uint8_t n = r.byte();
    std::string id;
    for (int i = 0; i < n; ++i) id += static_cast<char>(std::toupper(r.byte()));
    if (id == "NETSCAPE2.0") {
        std::uint8_t len = r.byte();
        if (len == 3) {
            r.byte();  // sub-block id
            gif.loops = r.word();
        } else {
            r.skip(len);
        }
        if (len == 0) return;
    }
    r.skipSubBlocks();
}

// 0x21 0xF9: starts a new frame record.
FrameRecord graphicControl(Reader& r) {
    FrameRecord f;
    std::uint8_t n = r.byte();
    std::size_t start = r.pos();
    if (n >= 4) {
        int packed = r.byte();
        f.delayMs = r.word() * 10;
        f.transparentIndex = r.byte();
        f.transparent = packed & 1;
        f.disposal = (packed >> 2) & 7;
        if (f.disposal > 3) f.disposal = 0;
    }
    r.skip(n - (r.pos() - start));
    r.skipSubBlocks();
    return f;
}

}  // namespace

GifFile parseGif(std::span<const std::uint8_t> bytes) {
    GifFile gif;
    if (!validHeader(bytes)) return gif;
    Reader r(bytes);
    try {
        r.skip(10);  // signature, screen width and height: only the packed byte is used
        int packed = r.byte();
        r.skip(2);
        gif.palettes.push_back(packed & 0x80 ? readPalette(r, packed) : Palette{});
        const bool hasGlobal = packed & 0x80;
        FrameRecord pending;
        for (bool more = true; more;) {
            switch (r.byte()) {
                case 0x00:
                    break;
                case 0x21: {
                    std::uint8_t label = r.byte();
                    if (label == 0xFF)
                        applicationExtension(r, gif);
                    else if (label == 0xF9)
                        pending = graphicControl(r);
                    else
                        r.skipSubBlocks();
                    break;
                }
                case 0x2C: {
                    FrameRecord f = pending;
                    pending = FrameRecord{};
                    f.left = r.word();
                    f.top = r.word();
                    f.width = r.word();
                    f.height = r.word();
                    int desc = r.byte();
                    f.interlaced = desc & 0x40;
                    if (desc & 0x80) {
                        gif.palettes.push_back(readPalette(r, desc));
                        f.palette = static_cast<int>(gif.palettes.size()) - 1;
                    } else if (!hasGlobal) {
                        more = false;  // no colour table to draw the frame with
                        break;
                    }
                    f.dataStart = r.pos();
                    r.byte();  // LZW code size
                    r.skipSubBlocks();
                    f.dataLength = r.pos() - f.dataStart;
                    if (f.dataLength <= 2 || f.width == 0 || f.height == 0) break;
                    if (f.left + f.width > kMaxEdge || f.top + f.height > kMaxEdge) {
                        more = false;
                        break;
                    }
                    int stripHeight = std::max(gif.stripHeight, f.height);
                    std::int64_t grown =
                        static_cast<std::int64_t>(gif.stripWidth + f.width) * stripHeight;
                    if (grown > kMaxStripPixels) {
                        more = false;
                        break;
                    }
                    if (gif.frames.empty() && f.disposal == 3) f.disposal = 0;
                    f.stripOffset = gif.stripWidth;
                    gif.stripWidth += f.width;
                    gif.stripHeight = stripHeight;
                    gif.frames.push_back(f);
                    break;
                }
                default:
                    more = false;  // the trailer or an unknown introducer
            }
        }
    } catch (const EndOfFile&) {
        // Truncated: the frames completed before the end stay.
    }
    for (const FrameRecord& f : gif.frames) {
        gif.width = std::max(gif.width, f.left + f.width);
        gif.height = std::max(gif.height, f.top + f.height);
        gif.anyTransparent = gif.anyTransparent || f.transparent;
        gif.needsComposition = gif.needsComposition || f.transparent || f.disposal >= 2;
    }
    return gif;
}

}  // namespace gif
