// Writes the picture of a bitmap or icon resource to a PNG file, or the pictures the main
// window shows as it opens to a C++ source the program is built with:
//   veloria-render-art RESOURCE OUTPUT.png
//   veloria-render-art --app-icon PIXELS OUTPUT.png   the program's icon at that size
//   veloria-render-art --bake OUTPUT.cpp              BakedArt's pictures
// The installed icons and the baked pictures are made this way at build time.
#include "art/Artwork.h"
#include "art/IconArt.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// Each picture's 32-bit pixels, row by row, and the table BakedArt looks them up in; a
// picture of another depth is kept as ARGB32.
bool Bake(const char* output) {
    std::string pictures;
    std::string table;
    for (const int id : Artwork::ShownAtStart()) {
        QImage image = Artwork::Render(id);
        if (image.isNull()) {
            std::fprintf(stderr, "veloria-render-art: no picture under %d\n", id);
            return false;
        }
        if (image.depth() != 32) {
            image = image.convertToFormat(QImage::Format_ARGB32);
        }
        pictures += "const std::uint32_t pixels" + std::to_string(id) + "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                char word[24];
                std::snprintf(word, sizeof word, "%s0x%08x,", x % 8 == 0 ? "\n    " : " ",
                              static_cast<unsigned>(row[x]));
                pictures += word;
            }
        }
        pictures += "\n};\n";
        table += "    {" + std::to_string(id) + ", " + std::to_string(image.width()) + ", " +
                 std::to_string(image.height()) + ", " + std::to_string(image.format()) +
                 ", pixels" + std::to_string(id) + "},\n";
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << "// Made by veloria-render-art --bake when the program was built: do not edit.\n"
           "#include \"art/BakedArt.h\"\n\n#include <cstdint>\n\nnamespace {\n\n"
        << pictures << "\n} // namespace\n\nconst BakedArt::Picture BakedArt::kPictures[] = {\n"
        << table << "};\nconst int BakedArt::kCount = sizeof kPictures / sizeof kPictures[0];\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "veloria-render-art: cannot write %s\n", output);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool appIcon = argc == 4 && mode == "--app-icon";
    const bool bake = argc == 3 && mode == "--bake";
    const int pixels = appIcon ? std::atoi(argv[2]) : 0;
    if ((argc != 3 && !appIcon) || (appIcon && (pixels < 16 || pixels > 1024))) {
        std::fprintf(stderr, "usage: veloria-render-art RESOURCE OUTPUT.png\n"
                             "       veloria-render-art --app-icon PIXELS OUTPUT.png\n"
                             "       veloria-render-art --bake OUTPUT.cpp\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const char* output = argv[argc - 1];
    if (bake) {
        return Bake(output) ? 0 : 1;
    }
    const QImage image =
        appIcon ? IconArt::RenderApplication(pixels) : Artwork::Render(std::atoi(argv[1]));
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
