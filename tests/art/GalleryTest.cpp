// Renders one dialog with every control kind, and the bitmap faces, to gallery.png in the
// working folder, so the look can be checked by eye; also checks that the art reaches the
// controls through their resource numbers.
#include "art/Artwork.h"
#include "framework/TDialog.h"
#include "framework/TGauge.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kGallery = 9300;

TEST(Gallery, EveryControlKindRendersWithItsArt) {
    Artwork::Install();
    using K = TControlKind;
    using C = TControlTemplate;
    TDialogTemplate t;
    t.cx = 396;
    t.cy = 204;
    t.caption = "Gallery";
    t.controls = {
        {K::ShadedCell, -1, 0, 0, 96, 12, "", 0, 0},
        {K::ShadedCell, -1, 96, 0, 300, 12, "", 0, 0},
        {K::Static, 700, 0, 2, 96, 8, "MON, DEC 07, 2026", C::kCentered, 0},
        {K::Static, 701, 96, 2, 300, 8, "TRAINING   ", C::kCentered, 0},
        {K::BitmapButton, 102, 8, 16, 44, 26, "", 0, 0},
        {K::BitmapButton, 103, 56, 16, 44, 26, "", 0, 0},
        {K::BitmapButton, 200, 104, 16, 44, 26, "", 0, 0},
        {K::BitmapButton, 300, 152, 16, 44, 26, "", 0, 0},
        {K::BitmapButton, 111, 344, 172, 44, 26, "", 0, 0},
        {K::DipLine, -1, 336, 12, 5, 192, "", 0, 0},
        {K::GroupBox, -1, 8, 44, 320, 152, "", 0, 0},
        {K::Static, -1, 16, 54, 50, 8, "Distance:", 0, 0},
        {K::Edit, 500, 70, 52, 50, 12, "12.50", 0, 6},
        {K::Edit, 501, 70, 68, 50, 12, "01:02:03", C::kDisabled, 9},
        {K::Edit, 511, 16, 86, 150, 24, "A two-line comment box that wraps its words.",
         C::kMultiLine, 255},
        {K::RadioButton, 512, 180, 52, 60, 10, "Competition", C::kGroup, 0},
        {K::RadioButton, 513, 250, 52, 60, 10, "Training", 0, 0},
        {K::CheckBox, 520, 180, 66, 80, 10, "Check box", 0, 0},
        {K::ComboBox, 540, 180, 80, 120, 80, "Distance, Mixed    ", 0, 19},
        {K::DropDownList, 541, 180, 98, 120, 80, "", 0, 0},
        {K::ListBox, 530, 16, 116, 150, 60, "", 0, 0},
        {K::Button, 600, 180, 120, 50, 14, "OK", C::kDefault, 0},
        {K::Button, 601, 240, 120, 50, 14, "Cancel", 0, 0},
        {K::Picture, 804, 180, 140, 140, 40, "", 0, 0},
    };
    TResources::AddDialog(kGallery, t);
    TDialog dialog(nullptr, kGallery);
    TGauge gauge(&dialog, -1, 280, 268, 200, 21);
    dialog.AddAutoCreateChild(gauge);
    ASSERT_TRUE(dialog.Create());
    dialog.CheckDlgButton(512, true);
    dialog.CheckDlgButton(520, true);
    for (const char* line :
         {"JAN-05-2026  12.50 km  01:02:03", "JAN-06-2026   8.00 km  00:45:10"}) {
        dialog.ListAddString(530, line);
    }
    dialog.ListAddString(541, "ALL DAYS   ");
    dialog.ListSetSelection(541, 0);
    gauge.SetColor(TColor::Purple());
    gauge.SetRange(0, 140);
    gauge.SetValue(90);

    TImageDC shot = TImageDC::PaintWindow(dialog);
    // The faces of 102 come from the art: not the plain grey of a face-less button.
    const QImage* face = TResources::Bitmap(1102);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->size(), QSize(64, 40));
    const QImage& image = shot.Finish();
    const QRect button(13, 27, 64, 40);
    bool differs = false;
    for (int y = 0; y < 40 && !differs; ++y) {
        for (int x = 0; x < 64 && !differs; ++x) {
            differs = image.pixel(button.x() + x, button.y() + y) !=
                      face->convertToFormat(QImage::Format_RGB32).pixel(x, y);
        }
    }
    EXPECT_FALSE(differs) << "button 102 does not show bitmap 1102";

    // The sheet: the dialog, then the three faces of a few buttons at twice their size.
    QImage sheet(image.width(), image.height() + 100, QImage::Format_RGB32);
    sheet.fill(QColor(128, 128, 128));
    QPainter p(&sheet);
    p.drawImage(0, 0, image);
    int x = 4;
    for (int id : {101, 111, 200, 300}) {
        for (int offset : {1000, 3000, 5000}) {
            if (const QImage* f = TResources::Bitmap(id + offset)) {
                p.drawImage(QRect(x, image.height() + 10, 64, 40), *f);
            }
            x += 68;
        }
        x += 8;
    }
    p.end();
    const char* out = std::getenv("VELORIA_GALLERY");
    EXPECT_TRUE(sheet.save(out ? out : "gallery.png"));
}

} // namespace
