#pragma once
// Every bitmap and icon resource of the program, painted by code at its
// stated pixel size, addressed by its resource number.

#include <QImage>

#include <vector>

class Artwork {
public:
    // The picture of a bitmap resource at its stated pixel size; a null image for a number without
    // art.
    static QImage Render(int resourceId);
    static bool Has(int resourceId);
    // Makes these the pictures of the framework's resources.
    static void Install();
    // What the main window shows as it opens: the tool bar's faces, the side bar and the
    // program's icon. The program is built with these drawn already (BakedArt).
    static std::vector<int> ShownAtStart();
};
