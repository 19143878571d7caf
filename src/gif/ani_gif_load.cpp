// ucAniGIF: loading from bytes, a file, a picture's stored form and a download,
// and decoding the frames into the strip.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "gif/ani_gif.h"

namespace gif {

namespace {

// A download is a GIF when it is longer than 14 bytes and starts with the signature.
bool validDownload(const std::vector<std::uint8_t>& b) {
    if (b.size() <= 14) return false;
    std::string sig;
    for (int i = 0; i < 6; ++i)
        sig += static_cast<char>(std::tolower(b[static_cast<std::size_t>(i)]));
    return sig == "gif89a" || sig == "gif87a";
}

}  // namespace

void ucAniGIF::clear() {
    stopTimer();
    decodeTimer_.setEnabled(false);
    bytes_.clear();
    file_ = GifFile{};
    strip_.reset(0, 0);
    decoded_.clear();
    composition_.reset(0, 0, false);
    fit_ = Fit{};
    loops_ = 0;
    current_ = 0;
    passes_ = 0;
    state_ = kStopped;
    pausedByHide_ = false;
    ++generation_;
    control_.picture = nullptr;
}

bool ucAniGIF::load(std::vector<std::uint8_t> bytes) {
    clear();
    GifFile parsed = parseGif(bytes);
    if (parsed.frames.empty()) return false;
    bytes_ = std::move(bytes);
    file_ = std::move(parsed);
    loops_ = file_.loops;
    strip_.reset(file_.stripWidth, file_.stripHeight);
    decoded_.assign(file_.frames.size(), false);
    composition_.reset(file_.width, file_.height, file_.anyTransparent);
    for (FrameRecord& f : file_.frames) {
        if (mirrored_ & kMirrorLeftRight) f.left = file_.width - (f.left + f.width);
        if (mirrored_ & kMirrorTopBottom) f.top = file_.height - (f.top + f.height);
    }
    const bool early = delayAnimation_ & kShowFirstFrameEarly;
    if (early)
        decodeFrame(0);
    else
        for (std::size_t i = 0; i < file_.frames.size(); ++i) decodeFrame(i);
    current_ = 1;
    refit();
    const unsigned generation = generation_;
    paint();
    if (generation != generation_) return true;  // a handler of the paint loaded again
    if (early && file_.frames.size() > 1)
        decodeTimer_.setEnabled(true);  // the rest, then playing
    else if (!(delayAnimation_ & kDoNotStart))
        start();
    return true;
}

void ucAniGIF::decodeFrame(std::size_t i) {
    if (decoded_[i]) return;
    const FrameRecord& f = file_.frames[i];
    strip_.decode(bytes_, f);
    strip_.flip(f, mirrored_ & kMirrorLeftRight, mirrored_ & kMirrorTopBottom);
    decoded_[i] = true;
}

void ucAniGIF::ensureDecoded() {
    if (!decodeTimer_.enabled()) return;
    decodeTimer_.setEnabled(false);
    for (std::size_t i = 0; i < file_.frames.size(); ++i) decodeFrame(i);
}

void ucAniGIF::decodeRest() {
    if (!decodeTimer_.enabled()) return;
    ensureDecoded();
    // Hidden since the load, it waits for the show.
    if (!(delayAnimation_ & kDoNotStart) && !pausedByHide_) start();
}

bool ucAniGIF::LoadAnimatedGIF_Array(std::span<const std::uint8_t> bytes) {
    return load(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

bool ucAniGIF::LoadAnimatedGIF_File(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        clear();
        return false;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) bytes.clear();  // a directory or an unreadable file
    return load(std::move(bytes));
}

ui::PicturePtr ucAniGIF::AnimatedGIF() const { return current_ > 0 ? control_.picture : nullptr; }

void ucAniGIF::setAnimatedGIF(const ui::PicturePtr& picture) {
    if (!picture) {
        clear();
        return;
    }
    load(picture->stored ? *picture->stored : std::vector<std::uint8_t>());
}

void ucAniGIF::LoadAnimatedGIF_Remote(const std::string& RemotePath) {
    download_ = fetch_.get(RemotePath, [this](bool ok, std::vector<std::uint8_t> body) {
        // The request is over; its handle goes when this handler ends.
        auto finished = std::move(download_);
        remoteDone(ok, body);
    });
}

void ucAniGIF::remoteDone(bool ok, const std::vector<std::uint8_t>& body) {
    if (!ok || !validDownload(body)) {
        if (onRemoteGIFFailed) onRemoteGIFFailed();
        return;
    }
    const int gifWidth = body[6] | (body[7] << 8), gifHeight = body[8] | (body[9] << 8);
    bool Cancel = false;
    if (onRemoteGIFValidated) onRemoteGIFValidated(gifWidth, gifHeight, Cancel);
    if (!Cancel) load(body);
}

}  // namespace gif
