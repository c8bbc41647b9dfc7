#include "framework/TDC.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const TColor kWhite = TColor::White();
const TColor kRed{255, 0, 0};
const TColor kBlue{0, 0, 255};

TEST(TDC, RectanglesAndFillsLeaveOutTheirRightAndBottomEdges) {
    TImageDC image(40, 40);
    TDC& dc = image.DC();
    dc.FillRect(TRect{2, 3, 10, 8}, TBrush{kRed});
    EXPECT_EQ(image.Pixel(2, 3), kRed);
    EXPECT_EQ(image.Pixel(9, 7), kRed);
    EXPECT_EQ(image.Pixel(10, 7), kWhite);
    EXPECT_EQ(image.Pixel(9, 8), kWhite);

    dc.SelectPen(TPen{kBlue, 1});
    dc.SelectBrush(TBrush{kRed});
    dc.Rectangle(20, 20, 30, 26);
    EXPECT_EQ(image.Pixel(20, 20), kBlue);
    EXPECT_EQ(image.Pixel(29, 25), kBlue); // the outline's last column and row
    EXPECT_EQ(image.Pixel(30, 25), kWhite);
    EXPECT_EQ(image.Pixel(29, 26), kWhite);
    EXPECT_EQ(image.Pixel(21, 21), kRed);
    EXPECT_EQ(image.Pixel(28, 24), kRed);

    dc.SelectBrush(TBrush::Null());
    dc.Rectangle(0, 30, 6, 36);
    EXPECT_EQ(image.Pixel(3, 33), kWhite);
    EXPECT_EQ(image.Pixel(5, 33), kBlue);
}

TEST(TDC, LinesLeaveOutTheirEndPointAndWidePensAreCentred) {
    TImageDC image(40, 40);
    TDC& dc = image.DC();
    dc.SelectPen(TPen{kRed, 1});
    dc.MoveTo(5, 5);
    dc.LineTo(15, 5);
    EXPECT_EQ(image.Pixel(5, 5), kRed);
    EXPECT_EQ(image.Pixel(14, 5), kRed);
    EXPECT_EQ(image.Pixel(15, 5), kWhite);
    EXPECT_EQ(dc.CurrentPosition(), (TPoint{15, 5}));
    dc.LineTo(15, 10); // continues from the end point, which it now draws
    EXPECT_EQ(image.Pixel(15, 5), kRed);
    EXPECT_EQ(image.Pixel(15, 10), kWhite);
    dc.MoveTo(0, 20);
    dc.LineTo(4, 24);
    EXPECT_EQ(image.Pixel(2, 22), kRed);
    EXPECT_EQ(image.Pixel(4, 24), kWhite);
    // Leftwards and upwards too: the start is drawn, the end is not.
    dc.MoveTo(30, 15);
    dc.LineTo(25, 15);
    EXPECT_EQ(image.Pixel(30, 15), kRed);
    EXPECT_EQ(image.Pixel(26, 15), kRed);
    EXPECT_EQ(image.Pixel(25, 15), kWhite);
    dc.MoveTo(35, 20);
    dc.LineTo(35, 16);
    EXPECT_EQ(image.Pixel(35, 20), kRed);
    EXPECT_EQ(image.Pixel(35, 17), kRed);
    EXPECT_EQ(image.Pixel(35, 16), kWhite);

    dc.SelectPen(TPen{kBlue, 3});
    dc.MoveTo(10, 30);
    dc.LineTo(30, 30);
    EXPECT_EQ(image.Pixel(20, 29), kBlue);
    EXPECT_EQ(image.Pixel(20, 30), kBlue);
    EXPECT_EQ(image.Pixel(20, 31), kBlue);
    EXPECT_EQ(image.Pixel(20, 28), kWhite);
    EXPECT_EQ(image.Pixel(20, 32), kWhite);
}

TEST(TDC, TextIsPlacedByTheTopLeftOfItsCell) {
    TImageDC image(120, 60);
    TDC& dc = image.DC();
    dc.SetBkColor(kRed);
    dc.SelectFont(TFont{"Arial", -16, TFont::kBold});
    dc.TextOut(10, 20, "Hg");
    const TSize extent = dc.GetTextExtent("Hg");
    EXPECT_GT(extent.cx, 10);
    EXPECT_GE(extent.cy, 16);
    // Opaque: the cell is the background colour from its top-left corner on.
    EXPECT_EQ(image.Pixel(10, 20), kRed);
    EXPECT_EQ(image.Pixel(10 + extent.cx - 1, 20 + extent.cy - 1), kRed);
    EXPECT_EQ(image.Pixel(9, 20), kWhite);
    EXPECT_EQ(image.Pixel(10, 19), kWhite);
    bool ink = false;
    for (int y = 20; y < 20 + extent.cy; ++y) {
        for (int x = 10; x < 10 + extent.cx; ++x) {
            ink = ink || image.Pixel(x, y) == TColor::Black();
        }
    }
    EXPECT_TRUE(ink);

    dc.SetBkMode(TDC::kTransparent);
    dc.DrawText("X", TRect{60, 0, 120, 60}, TDC::kCenter | TDC::kVCenter | TDC::kSingleLine);
    EXPECT_EQ(image.Pixel(61, 1), kWhite);
    EXPECT_EQ(image.Pixel(89, 29) == TColor::Black() || image.Pixel(90, 30) == TColor::Black() ||
                  image.Pixel(90, 29) == TColor::Black() || image.Pixel(89, 30) == TColor::Black(),
              true);
}

TEST(TDC, MappingModesScaleAndFlipAsTheyShould) {
    TImageDC image(200, 200, kWhite, 100);
    TDC& dc = image.DC();
    dc.SetMapMode(TDC::MapMode::LoEnglish); // 0.01 inch: one pixel at 100 dpi, y upwards
    EXPECT_EQ(dc.LPtoDP(TPoint{50, -75}), (TPoint{50, 75}));
    dc.FillRect(TRect{10, -10, 20, -30}, TBrush{kRed});
    EXPECT_EQ(image.Pixel(10, 10), kRed);
    EXPECT_EQ(image.Pixel(19, 29), kRed);
    EXPECT_EQ(image.Pixel(19, 30), kWhite);

    dc.SetMapMode(TDC::MapMode::Isotropic);
    dc.SetWindowExt(TSize{100, 100});
    dc.SetViewportExt(TSize{200, 50}); // the wider scale shrinks to the narrower
    dc.SetViewportOrg(TPoint{100, 100});
    EXPECT_EQ(dc.LPtoDP(TPoint{100, 100}), (TPoint{150, 150}));
    EXPECT_EQ(dc.DPtoLP(TPoint{150, 150}), (TPoint{100, 100}));
    dc.SetViewportExt(TSize{200, -200});
    EXPECT_EQ(dc.LPtoDP(TPoint{10, 10}), (TPoint{120, 80}));

    dc.SetMapMode(TDC::MapMode::Text);
    dc.SetViewportOrg(TPoint{});
    dc.SelectClipRect(TRect{0, 150, 50, 200});
    dc.FillRect(TRect{0, 140, 100, 200}, TBrush{kBlue});
    EXPECT_EQ(image.Pixel(10, 145), kWhite);
    EXPECT_EQ(image.Pixel(10, 155), kBlue);
    EXPECT_EQ(image.Pixel(60, 155), kWhite);
}

TEST(TDC, SaveAndRestoreBringBackTheWholeState) {
    TImageDC image(20, 20);
    TDC& dc = image.DC();
    dc.SetTextColor(kRed);
    const int saved = dc.SaveDC();
    dc.SetTextColor(kBlue);
    dc.SetMapMode(TDC::MapMode::LoEnglish);
    dc.SelectClipRect(TRect{0, 0, 1, 1});
    dc.SaveDC();
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), kRed);
    EXPECT_EQ(dc.GetMapMode(), TDC::MapMode::Text);
    dc.FillRect(TRect{5, 5, 6, 6}, TBrush{kRed});
    EXPECT_EQ(image.Pixel(5, 5), kRed); // the clip went with the restore
    EXPECT_FALSE(dc.RestoreDC());
}

TEST(TDC, BitmapCellsAreCopiedPixelForPixel) {
    // A strip of three 4 x 6 cells: red, green, blue.
    QImage strip(12, 6, QImage::Format_RGB32);
    for (int x = 0; x < 12; ++x) {
        for (int y = 0; y < 6; ++y) {
            strip.setPixel(x, y,
                           x < 4   ? qRgb(255, 0, 0)
                           : x < 8 ? qRgb(0, 255, 0)
                                   : qRgb(0, 0, 255));
        }
    }
    TResources::AddBitmap(9801, strip);
    TImageDC image(30, 20);
    TDC& dc = image.DC();
    ASSERT_TRUE(dc.DrawBitmapCell(9801, TRect{8, 0, 12, 6}, TPoint{10, 5}));
    EXPECT_EQ(image.Pixel(10, 5), kBlue);
    EXPECT_EQ(image.Pixel(13, 10), kBlue);
    EXPECT_EQ(image.Pixel(14, 10), kWhite);
    EXPECT_EQ(image.Pixel(13, 11), kWhite);
    EXPECT_FALSE(dc.DrawBitmapCell(424242, TRect{0, 0, 1, 1}, TPoint{}));
}

} // namespace
