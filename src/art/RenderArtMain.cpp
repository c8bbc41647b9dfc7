// Writes the picture of a bitmap or icon resource to a PNG file (the installed icon is made
// this way at build time):  veloria-render-art RESOURCE OUTPUT.png
#include "art/Artwork.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: veloria-render-art RESOURCE OUTPUT.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage image = Artwork::Render(std::atoi(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "veloria-render-art: no picture under %s\n", argv[1]);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "veloria-render-art: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
