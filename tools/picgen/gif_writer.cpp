#include "gif_writer.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>

#include "quantize.h"

namespace picgen {

namespace {

struct MapDeleter {
    void operator()(ColorMapObject* m) const { GifFreeMapObject(m); }
};
using ColorMap = std::unique_ptr<ColorMapObject, MapDeleter>;

ColorMap makeMap(const Indexed& q) {
    int size = 2;
    while (size < static_cast<int>(q.palette.size())) size *= 2;
    ColorMap map(GifMakeMapObject(size, nullptr));
    for (int i = 0; i < size; ++i) {
        QRgb c = i < static_cast<int>(q.palette.size()) ? q.palette[i] : 0;
        map->Colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                          static_cast<GifByteType>(qBlue(c))};
    }
    return map;
}

void check(int status, GifFileType* gif, const std::string& path) {
    if (status == GIF_OK) return;
    int err = gif->Error;
    EGifCloseFile(gif, nullptr);
    throw std::runtime_error(path + ": " + GifErrorString(err));
}

}  // namespace

void writeGif(const std::string& path, const std::vector<QImage>& frames, const GifOptions& o) {
    if (frames.empty()) throw std::runtime_error(path + ": no frames");
    std::vector<Indexed> q;
    for (const QImage& f : frames) {
        q.push_back(quantize(f, o.matte, o.dither));
        if (o.keyed) q.back().transparentIndex = -1;
    }

    int err = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
    if (!gif) throw std::runtime_error(path + ": " + GifErrorString(err));
    EGifSetGifVersion(gif, true);

    ColorMap global = makeMap(q[0]);
    check(EGifPutScreenDesc(gif, q[0].width, q[0].height, 8,
                            q[0].transparentIndex >= 0 ? q[0].transparentIndex : 0, global.get()),
          gif, path);

    const bool animated = frames.size() > 1;
    if (animated && o.loopForever) {
        static const GifByteType loop[3] = {1, 0, 0};  // sub-block 1, loop count 0
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), gif, path);
        check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), gif, path);
        check(EGifPutExtensionBlock(gif, 3, loop), gif, path);
        check(EGifPutExtensionTrailer(gif), gif, path);
    }

    for (std::size_t f = 0; f < q.size(); ++f) {
        const Indexed& frame = q[f];
        if (animated || frame.transparentIndex >= 0) {
            GraphicsControlBlock gcb{};
            // Each animation frame is whole: clearing to the background first keeps
            // the transparent parts of one frame from showing the one before.
            gcb.DisposalMode = animated ? DISPOSE_BACKGROUND : DISPOSAL_UNSPECIFIED;
            gcb.UserInputFlag = false;
            gcb.DelayTime = animated ? o.delayHundredths : 0;
            gcb.TransparentColor =
                frame.transparentIndex >= 0 ? frame.transparentIndex : NO_TRANSPARENT_COLOR;
            GifByteType ext[4];
            EGifGCBToExtension(&gcb, ext);
            check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), gif, path);
        }
        ColorMap local = f == 0 ? nullptr : makeMap(frame);
        check(EGifPutImageDesc(gif, 0, 0, frame.width, frame.height, false, local.get()), gif,
              path);
        for (int y = 0; y < frame.height; ++y) {
            check(EGifPutLine(gif,
                              const_cast<GifByteType*>(&frame.pixels[std::size_t(y) * frame.width]),
                              frame.width),
                  gif, path);
        }
    }
    if (EGifCloseFile(gif, &err) != GIF_OK)
        throw std::runtime_error(path + ": " + GifErrorString(err));
}

}  // namespace picgen
