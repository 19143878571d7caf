#pragma once
// The records of a GIF87a/GIF89a file as the animated-picture control uses them:
// one frame record per image, the colour tables, the NETSCAPE2.0 loop count and
// the overall size. The image data itself is only located here, not decoded.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gif {

// Up to 256 colours as 0x00RRGGBB; entries past `count` are black.
struct Palette {
    std::array<std::uint32_t, 256> colors{};
    int count = 0;
};

struct FrameRecord {
    int left = 0, top = 0, width = 0, height = 0;
    int palette = 0;  // 0 = the global colour table, 1, 2, ... the local tables in file order
    int delayMs = 0;
    bool transparent = false;
    int transparentIndex = 0;
    int disposal = 0;     // 0..3
    int stripOffset = 0;  // the frame's first column in the frame strip
    bool interlaced = false;
    // The image data in the file: from the LZW code-size byte through the block
    // terminator.
    std::size_t dataStart = 0;
    std::size_t dataLength = 0;
};

struct GifFile {
    std::vector<FrameRecord> frames;
    // Index 0 is the global table (count 0 when the file has none).
    std::vector<Palette> palettes;
    int loops = 0;        // the NETSCAPE2.0 count; 0 when the file gives none
    int width = 0;        // the largest right edge of the frames
    int height = 0;       // the largest bottom edge
    int stripWidth = 0;   // all frames side by side
    int stripHeight = 0;  // the tallest frame
    bool anyTransparent = false;
    bool needsComposition = false;  // transparency or disposal 2 or 3 anywhere
};

// Limits that keep a hostile file from asking for unbounded memory and time (the
// composition is redrawn on every tick): a frame whose right or bottom edge lies
// beyond kMaxEdge, or that would make the frame strip larger than kMaxStripPixels,
// ends the parse as the end of the data does. The table's pictures are a few
// hundred pixels across.
constexpr int kMaxEdge = 2048;
constexpr std::int64_t kMaxStripPixels = 16 * 1024 * 1024;

// Reads the records. Data that is not GIF87a/GIF89a gives no frames; data that
// ends early keeps the frames completed before the end.
GifFile parseGif(std::span<const std::uint8_t> bytes);

}  // namespace gif
