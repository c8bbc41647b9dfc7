#include "framework/TDC.h"
#include "PixelChecks.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const TColor kWhite = TColor::White();
const TColor kBlack = TColor::Black();
const TColor kRed{255, 0, 0};
const TColor kBlue{0, 0, 255};

TEST(TDC, RectanglesAndFillsLeaveOutTheirRightAndBottomEdges) {
    TImageDC image(40, 40);
    TDC& dc = image.DC();
    dc.FillRect(TRect{2, 3, 10, 8}, TBrush{kRed});
    ExpectPixels(image, kRed, {{2, 3}, {9, 7}});
    ExpectPixels(image, kWhite, {{10, 7}, {9, 8}});

    dc.SelectPen(TPen{kBlue, 1});
    dc.SelectBrush(TBrush{kRed});
    dc.Rectangle(20, 20, 30, 26);
    ExpectPixels(image, kBlue, {{20, 20}, {29, 25}}); // the outline's last column and row
    ExpectPixels(image, kWhite, {{30, 25}, {29, 26}});
    ExpectPixels(image, kRed, {{21, 21}, {28, 24}});

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
    ExpectPixels(image, kRed, {{5, 5}, {14, 5}});
    EXPECT_EQ(image.Pixel(15, 5), kWhite);
    EXPECT_EQ(dc.CurrentPosition(), (TPoint{15, 5}));
    dc.LineTo(15, 10); // continues from the end point, which it now draws
    EXPECT_EQ(image.Pixel(15, 5), kRed);
    EXPECT_EQ(image.Pixel(15, 10), kWhite);
    // Slanted, leftwards and upwards too: the start is drawn, the end is not.
    const struct {
        TPoint from, on, to;
    } lines[] = {{{0, 20}, {2, 22}, {4, 24}},
                 {{30, 15}, {26, 15}, {25, 15}},
                 {{35, 20}, {35, 17}, {35, 16}}};
    for (const auto& line : lines) {
        dc.MoveTo(line.from.x, line.from.y);
        dc.LineTo(line.to.x, line.to.y);
        ExpectPixels(image, kRed, {line.from, line.on});
        EXPECT_EQ(image.Pixel(line.to.x, line.to.y), kWhite);
    }

    dc.SelectPen(TPen{kBlue, 3});
    dc.MoveTo(10, 30);
    dc.LineTo(30, 30);
    ExpectPixels(image, kBlue, {{20, 29}, {20, 30}, {20, 31}});
    ExpectPixels(image, kWhite, {{20, 28}, {20, 32}});
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
    ExpectPixels(image, kRed, {{10, 20}, {10 + extent.cx - 1, 20 + extent.cy - 1}});
    ExpectPixels(image, kWhite, {{9, 20}, {10, 19}});
    EXPECT_GT(Count(image, TRect{10, 20, 10 + extent.cx, 20 + extent.cy}, kBlack), 0);

    dc.SetBkMode(TDC::kTransparent);
    dc.DrawText("X", TRect{60, 0, 120, 60}, TDC::kCenter | TDC::kVCenter | TDC::kSingleLine);
    EXPECT_EQ(image.Pixel(61, 1), kWhite);
    EXPECT_GT(Count(image, TRect{89, 29, 91, 31}, kBlack), 0); // the cross in the middle
}

TEST(TDC, MappingModesScaleAndFlipAsTheyShould) {
    TImageDC image(200, 200, kWhite, 100);
    TDC& dc = image.DC();
    dc.SetMapMode(TDC::MapMode::LoEnglish); // 0.01 inch: one pixel at 100 dpi, y upwards
    EXPECT_EQ(dc.LPtoDP(TPoint{50, -75}), (TPoint{50, 75}));
    dc.FillRect(TRect{10, -10, 20, -30}, TBrush{kRed});
    ExpectPixels(image, kRed, {{10, 10}, {19, 29}});
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
    ExpectPixels(image, kWhite, {{10, 145}, {60, 155}});
    EXPECT_EQ(image.Pixel(10, 155), kBlue);
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
    strip.fill(Qt::red);
    QPainter(&strip).fillRect(4, 0, 4, 6, Qt::green);
    QPainter(&strip).fillRect(8, 0, 4, 6, Qt::blue);
    TResources::AddBitmap(9801, strip);
    TImageDC image(30, 20);
    TDC& dc = image.DC();
    ASSERT_TRUE(dc.DrawBitmapCell(9801, TRect{8, 0, 12, 6}, TPoint{10, 5}));
    ExpectPixels(image, kBlue, {{10, 5}, {13, 10}});
    ExpectPixels(image, kWhite, {{14, 10}, {13, 11}});
    EXPECT_FALSE(dc.DrawBitmapCell(424242, TRect{0, 0, 1, 1}, TPoint{}));
}

} // namespace
