#pragma once
// The program's resources by number: dialog templates, menus (a list of popups), strings
// (the command hints), bitmaps and icons. The program registers its templates, menus and
// strings at start, and the source of its pictures: bitmaps and icons are drawn by that
// source on first use unless a picture was registered for the number.

#include "framework/TDialogTemplate.h"
#include "framework/TMenuItem.h"

#include <functional>
#include <string>
#include <vector>

class QImage;

class TResources {
public:
    static void AddDialog(int id, TDialogTemplate dialog);
    static const TDialogTemplate* Dialog(int id);

    static void AddMenu(int id, std::vector<TMenuItem> popups);
    static const std::vector<TMenuItem>* Menu(int id);

    static void AddString(int id, std::string text);
    // The string, or "" when there is none.
    static std::string String(int id);

    // The picture of a resource number, or a null image for a number without one.
    using ArtSource = std::function<QImage(int resourceId)>;
    // Sets where pictures come from.
    static void SetArtSource(ArtSource source);

    // Registers a picture for a bitmap number, in place of the art (tests, screen dumps).
    static void AddBitmap(int id, const QImage& image);
    // The picture, or null when the number has none.
    static const QImage* Bitmap(int id);
    static const QImage* Icon(int id);
};
