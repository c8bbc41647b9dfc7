#pragma once
// The pictures the main window shows as it opens (Artwork::ShownAtStart), drawn when the
// program is built, so a start draws none of them and loads no font for them. Each is the
// drawn picture pixel for pixel; every other picture is drawn when first needed.

#include <QImage>

#include <cstdint>

class BakedArt {
public:
    // The baked picture of a resource, over the program's own bytes; null when not baked.
    static QImage Find(int resourceId);
    // The baked picture, or else the drawn one.
    static QImage Render(int resourceId);
    // Makes these the pictures of the framework's resources.
    static void Install();

private:
    struct Picture {
        int id;
        int width;
        int height;
        int format; // a QImage::Format of 32 bits a pixel
        const std::uint32_t* pixels;
    };
    // In the source veloria-render-art --bake writes.
    static const Picture kPictures[];
    static const int kCount;
};
