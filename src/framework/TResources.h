#pragma once
// The program's resources by number: dialog templates, menus (a list of popups), strings
// (the command hints), bitmaps and icons. The program registers its templates, menus and
// strings at start; bitmaps and icons come from the program's art unless registered.

#include "framework/TDialogTemplate.h"
#include "framework/TMenuItem.h"

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

    // Registers a picture for a bitmap number, in place of the art (tests, screen dumps).
    static void AddBitmap(int id, const QImage& image);
    // The picture, or null when the number has none.
    static const QImage* Bitmap(int id);
    static const QImage* Icon(int id);
};
