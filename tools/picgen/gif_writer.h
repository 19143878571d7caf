#pragma once
// GIF89a files through giflib: single pictures and looping animations.
#include <QImage>
#include <string>
#include <vector>

namespace picgen {

struct GifOptions {
    QRgb matte = 0xFF1E5A32;  // colour partly transparent edges are blended over
    bool dither = true;
    int delayHundredths = 10;  // per frame, animations only
    bool loopForever = false;  // NETSCAPE2.0 block with loop count 0
    // Transparent parts are written in the matte colour and the file has no
    // transparency: for pictures whose plain background colour is cut away by
    // the window that shows them.
    bool keyed = false;
};

// Throws std::runtime_error when the file cannot be written.
void writeGif(const std::string& path, const std::vector<QImage>& frames,
              const GifOptions& options);

}  // namespace picgen
