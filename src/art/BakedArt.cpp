#include "art/BakedArt.h"

#include "art/Artwork.h"
#include "framework/TResources.h"

QImage BakedArt::Find(int resourceId) {
    for (int i = 0; i < kCount; ++i) {
        const Picture& p = kPictures[i];
        if (p.id == resourceId) {
            // Read-only: a painter on it works on its own copy.
            return QImage(reinterpret_cast<const uchar*>(p.pixels), p.width, p.height, p.width * 4,
                          static_cast<QImage::Format>(p.format));
        }
    }
    return {};
}

QImage BakedArt::Render(int resourceId) {
    QImage baked = Find(resourceId);
    return baked.isNull() ? Artwork::Render(resourceId) : baked;
}

void BakedArt::Install() {
    TResources::SetArtSource(&BakedArt::Render);
}
