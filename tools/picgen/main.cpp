// Draws every picture of the client and writes it into a folder, with a list of
// the files written (pictures.txt) for the embedding step. With --sheet it instead
// lays the written pictures out on contact sheets.
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>

#include "art.h"
#include "catalogue.h"
#include "sheet.h"

namespace {

int generate(const std::filesystem::path& dir) {
    using namespace picgen;
    std::filesystem::create_directories(dir);
    std::ofstream list(dir / "pictures.txt.part");
    for (const Picture& pic : catalogue()) {
        std::vector<QImage> frames = pic.draw();
        std::string path = (dir / pic.fileName()).string();
        if (pic.jpeg) {
            QImageWriter w(QString::fromStdString(path), "jpeg");
            w.setQuality(88);
            if (!w.write(frames.front().convertToFormat(QImage::Format_RGB32)))
                throw std::runtime_error(path + ": " + w.errorString().toStdString());
        } else {
            writeGif(path, frames, pic.gif);
        }
        list << (pic.id ? "resource " + std::to_string(pic.id) : "design " + pic.name) << ' '
             << pic.fileName() << '\n';
    }
    list.close();
    std::filesystem::rename(dir / "pictures.txt.part", dir / "pictures.txt");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    try {
        picgen::loadFonts();
        if (argc == 5 && std::string(argv[1]) == "--sheet")
            return picgen::writeSheets(argv[2], argv[3], argv[4]);
        if (argc == 2) return generate(argv[1]);
        std::fprintf(
            stderr,
            "usage: picgen <folder> | picgen --sheet <folder> <resources.png> <designs.png>\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "picgen: %s\n", e.what());
        return 1;
    }
}
