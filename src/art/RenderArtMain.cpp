// Writes the picture of a bitmap or icon resource to a PNG file:
//   veloria-render-art RESOURCE OUTPUT.png
//   veloria-render-art --app-icon PIXELS OUTPUT.png   the program's icon at that size
// The installed icons are made this way at build time.
#include "art/Artwork.h"
#include "art/IconArt.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const bool appIcon = argc == 4 && std::string(argv[1]) == "--app-icon";
    const int pixels = appIcon ? std::atoi(argv[2]) : 0;
    if ((argc != 3 && !appIcon) || (appIcon && (pixels < 16 || pixels > 1024))) {
        std::fprintf(stderr, "usage: veloria-render-art RESOURCE OUTPUT.png\n"
                             "       veloria-render-art --app-icon PIXELS OUTPUT.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage image =
        appIcon ? IconArt::RenderApplication(pixels) : Artwork::Render(std::atoi(argv[1]));
    const char* output = argv[argc - 1];
    if (image.isNull()) {
        std::fprintf(stderr, "veloria-render-art: no picture under %s\n", argv[1]);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "veloria-render-art: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
