#pragma once
// A small baseline JPEG writer for greyscale pictures: the bots' test pictures on
// the video relay travel as JPEG like every other frame, and the server has no
// image library. One component, the standard luminance tables (ITU T.81 annex K).
#include <cstdint>
#include <string>
#include <vector>

namespace server {

// Pixels row-major, one byte each; width and height 1..65535.
std::vector<std::uint8_t> encodeGrayJpeg(const std::vector<std::uint8_t>& pixels, int width,
                                         int height);

// A bot's test picture, 160 x 120: a stripe that sweeps across with the frame
// number, and the bot's name in block letters.
std::vector<std::uint8_t> botTestPicture(const std::string& name, int frameNumber, int& width,
                                         int& height);

}  // namespace server
