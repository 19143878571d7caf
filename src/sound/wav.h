#pragma once
// The WAV container as the table's sounds use it: RIFF, a "fmt " chunk and a "data"
// chunk. Header-only so that the build-time generator shares it.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace sound {

struct WavFormat {
    int formatTag = 0;  // 1 = PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::size_t dataBytes = 0;
};

namespace detail {
inline std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::uint16_t le16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}
inline void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
}  // namespace detail

// Walks the chunks of a RIFF/WAVE file. Returns the format once both the "fmt " and
// the "data" chunk were found inside the bytes; nothing for anything else (a chunk
// size that runs past the end, a missing chunk, a short format chunk).
inline std::optional<WavFormat> parseWav(const std::vector<std::uint8_t>& b) {
    using detail::le16;
    using detail::le32;
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return std::nullopt;
    WavFormat f;
    bool haveFmt = false, haveData = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        std::string id(b.begin() + at, b.begin() + at + 4);
        std::size_t size = le32(&b[at + 4]);
        std::size_t body = at + 8;
        if (size > b.size() - body) return std::nullopt;
        if (id == "fmt ") {
            if (size < 16) return std::nullopt;
            f.formatTag = le16(&b[body]);
            f.channels = le16(&b[body + 2]);
            f.sampleRate = int(le32(&b[body + 4]));
            f.bitsPerSample = le16(&b[body + 14]);
            haveFmt = true;
        } else if (id == "data") {
            f.dataBytes = size;
            haveData = true;
        }
        at = body + size + (size & 1);  // chunks are padded to an even length
    }
    if (!haveFmt || !haveData) return std::nullopt;
    return f;
}

// The format of a WAV file on disk; nothing when it is missing, unreadable or broken.
inline std::optional<WavFormat> readWavFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return parseWav(bytes);
}

// A 16-bit PCM mono file of the samples.
inline std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples,
                                           int sampleRate) {
    using detail::put16;
    using detail::put32;
    std::vector<std::uint8_t> out;
    std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    out.reserve(44 + dataBytes);
    for (char c : std::string("RIFF")) out.push_back(std::uint8_t(c));
    put32(out, 36 + dataBytes);
    for (char c : std::string("WAVEfmt ")) out.push_back(std::uint8_t(c));
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate * 2));  // bytes per second
    put16(out, 2);                              // block align
    put16(out, 16);                             // bits per sample
    for (char c : std::string("data")) out.push_back(std::uint8_t(c));
    put32(out, dataBytes);
    for (std::int16_t s : samples) put16(out, std::uint16_t(s));
    return out;
}

}  // namespace sound
