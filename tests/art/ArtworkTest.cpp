// The painted resources: sizes the dialogs rely on, faces that tell their
// states apart, digit cells that can be copied one by one, and no picture
// for numbers that have none.

#include "art/Artwork.h"
#include "art/BakedArt.h"
#include "art/BannerStrip.h"
#include "art/DigitStrip.h"
#include "art/IconArt.h"
#include "framework/TDialog.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"

#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::vector<int> ButtonIds() {
    std::vector<int> ids;
    for (auto [first, last] : {std::pair{101, 111}, {200, 204}, {300, 308}, {400, 404}}) {
        for (int n = first; n <= last; ++n) {
            ids.push_back(n);
        }
    }
    return ids;
}

QImage Cell(const QImage& strip, int cell, int w) {
    return strip.copy(cell * w, 0, w, strip.height());
}

// The pixels of an area that differ from the background.
int Ink(const QImage& image, QRgb background, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += image.pixel(x, y) != background;
        }
    }
    return ink;
}

// Ink only inside, none on the outermost rows and columns.
bool EdgesClear(const QImage& image, QRgb background) {
    return Ink(image, background, image.rect()) ==
           Ink(image, background, image.rect().adjusted(1, 1, -1, -1));
}

} // namespace

TEST(ArtworkSizes, EveryPictureHasTheSizeItsControlReliesOn) {
    std::vector<std::pair<int, QSize>> cases;
    for (int n : ButtonIds()) {
        for (int base : {1000, 3000, 5000}) {
            cases.push_back({n + base, {64, 40}}); // up, pressed and focused faces
        }
    }
    for (int n = 950; n <= 967; ++n) {
        if (n != 959) {
            cases.push_back({n, {20, 20}}); // tool bar faces
        }
    }
    // Pictures placed in dialog units come out at x * 6 / 4 by y * 13 / 8.
    cases.insert(cases.end(), {{801, {825, 125}},
                               {802, {224, 24}},
                               {803, {20, 290}},
                               {1050, {274, 69}},
                               {1051, {274, 154}},
                               {1052, {275, 2665}},
                               {1804, {205, 32}},
                               {1806, {375, 175}}});
    for (const auto& [id, size] : cases) {
        EXPECT_EQ(Artwork::Render(id).size(), size) << id;
    }
}

// The icons are 32 by 32 with clear corners; the program's own, at the theme's sizes,
// keeps its disc and lane.
TEST(ArtworkSizes, IconsHaveClearCornersAndTheProgramsKeepsItsDiscAndLaneAtEverySize) {
    for (int n : {100, 101, 102, 103, 104, 106}) {
        const QImage icon = Artwork::Render(n);
        ASSERT_EQ(icon.size(), QSize(32, 32)) << n;
        EXPECT_TRUE(icon.hasAlphaChannel()) << n;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << n;
    }
    EXPECT_EQ(IconArt::RenderApplication(32), Artwork::Render(100));
    // The lane's white line lies at 26/32 of the height.
    for (const auto& [pixels, lane] : {std::pair{16, 13}, {24, 20}, {48, 39}, {256, 208}}) {
        const QImage icon = IconArt::RenderApplication(pixels);
        ASSERT_EQ(icon.size(), QSize(pixels, pixels));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << pixels;
        EXPECT_EQ(qAlpha(icon.pixel(pixels - 1, pixels - 1)), 0) << pixels;
        EXPECT_EQ(icon.pixel(pixels / 4, pixels / 3), qRgb(0, 0, 128)) << pixels;
        EXPECT_LT(Ink(icon, qRgb(255, 255, 255), QRect(0, lane, pixels, 1)), pixels) << pixels;
    }
}

TEST(ButtonFaces, PressedFaceIsSunkenAndFocusMarksOnlyTheCaption) {
    for (int n : ButtonIds()) {
        const QImage up = Artwork::Render(n + 1000);
        const QImage pressed = Artwork::Render(n + 3000);
        const QImage focused = Artwork::Render(n + 5000);
        EXPECT_EQ(up.pixel(1, 1), qRgb(255, 255, 255)) << n;
        EXPECT_EQ(pressed.pixel(1, 1), qRgb(128, 128, 128)) << n;
        EXPECT_EQ(up.pixel(62, 38), qRgb(128, 128, 128)) << n;
        EXPECT_EQ(pressed.pixel(62, 38), qRgb(192, 192, 192)) << n;
        EXPECT_NE(up, focused) << n;
        EXPECT_EQ(up.copy(0, 0, 64, 24), focused.copy(0, 0, 64, 24)) << n;
        EXPECT_EQ(up.copy(0, 37, 64, 3), focused.copy(0, 37, 64, 3)) << n;
    }
}

TEST(ButtonFaces, PictureAndCaptionStayInsideTheBorder) {
    for (int n : ButtonIds()) {
        for (int base : {1000, 3000, 5000}) {
            const QImage face = Artwork::Render(n + base);
            // A black frame all round, and the bevel's inner dark row untouched by the caption.
            EXPECT_TRUE(EdgesClear(face, qRgb(0, 0, 0))) << n + base;
            EXPECT_EQ(Ink(face, qRgb(0, 0, 0), QRect(3, 37, 58, 1)), 58) << n + base;
        }
    }
}

void ExpectSeparateCells(const QImage& strip, int cells, int w, QRgb background) {
    ASSERT_EQ(strip.width(), cells * w);
    for (int cell = 0; cell < cells; ++cell) {
        const QImage c = Cell(strip, cell, w);
        EXPECT_GT(Ink(c, background, c.rect()), 0) << "cell " << cell;
        EXPECT_TRUE(EdgesClear(c, background)) << "cell " << cell;
    }
}

TEST(DigitStrips, EachCellHoldsItsOwnInk) {
    ExpectSeparateCells(Artwork::Render(801), DigitStrip::timerCells, DigitStrip::timerCellWidth,
                        DigitStrip::TimerBackground().rgb());
    ExpectSeparateCells(Artwork::Render(802), DigitStrip::calculatorCells,
                        DigitStrip::calculatorCellWidth, DigitStrip::CalculatorBackground().rgb());
}

TEST(DigitStrips, HoldOnlyTheirOwnColours) {
    // A blurred edge (smoothing or scaling) brings in colours between ink and ground; the
    // cells are copied 1:1 onto the dialogs, so every pixel must be one of the strip's own.
    const struct {
        int id;
        std::set<QRgb> colours;
    } strips[] = {
        {801, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(64, 0, 0)}},
        {802, {qRgb(128, 128, 128), qRgb(0, 0, 0)}},
    };
    for (const auto& s : strips) {
        const QImage strip = Artwork::Render(s.id);
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = 0; x < strip.width(); ++x) {
                ASSERT_TRUE(s.colours.count(strip.pixel(x, y)))
                    << s.id << " at " << x << "," << y << ": " << std::hex << strip.pixel(x, y);
            }
        }
    }
}

TEST(DigitStrips, EightLightsEverySegmentOfTheOtherDigits) {
    // A digit lighting a segment that 8 lacks means a wrong segment table or
    // a cell drawn out of order.
    for (const auto& [id, w, lit] : {std::tuple{801, DigitStrip::timerCellWidth, qRgb(255, 0, 0)},
                                     {802, DigitStrip::calculatorCellWidth, qRgb(0, 0, 0)}}) {
        const QImage strip = Artwork::Render(id);
        const QImage eight = Cell(strip, 8, w);
        for (int digit = 0; digit <= 9; ++digit) {
            const QImage c = Cell(strip, digit, w);
            int litCount = 0;
            for (int y = 0; y < c.height(); ++y) {
                for (int x = 0; x < w; ++x) {
                    if (c.pixel(x, y) == lit) {
                        ++litCount;
                        ASSERT_EQ(eight.pixel(x, y), lit) << id << " digit " << digit;
                    }
                }
            }
            EXPECT_GT(litCount, 0) << id << " digit " << digit;
            if (digit != 8) {
                EXPECT_NE(c, eight) << id << " digit " << digit;
            }
        }
    }
}

TEST(Banner, FramesLieAtTheirPitchFromTheBottomAndEachMovesOnFromTheLast) {
    EXPECT_EQ(BannerStrip::FrameRect(0), QRect(0, 2601, 275, 64));
    EXPECT_EQ(BannerStrip::FrameRect(40), QRect(0, 1, 275, 64));
    const QImage strip = Artwork::Render(1052);
    for (int k : {0, 17, 40}) {
        EXPECT_EQ(strip.copy(BannerStrip::FrameRect(k)), BannerStrip::Frame(k)) << k;
    }
    // Played 40 down to 0 and round again: 0 must lead on to 40 as well.
    for (int k = 0; k < BannerStrip::frames; ++k) {
        const int next = k == 0 ? BannerStrip::frames - 1 : k - 1;
        EXPECT_NE(BannerStrip::Frame(k), BannerStrip::Frame(next)) << k;
    }
}

TEST(MissingArt, UnusedAndUnknownNumbersGiveNullImagesAndHasAgreesWithRender) {
    for (int n : {-1,   0,    99,   105,  111,  959,  972,  800,  804,  1000, 1100,
                  1119, 1205, 1309, 1405, 2101, 3000, 5405, 6101, 1805, 1053}) {
        EXPECT_TRUE(Artwork::Render(n).isNull()) << n;
        EXPECT_FALSE(Artwork::Has(n)) << n;
    }
    for (int n = 0; n < 6000; ++n) {
        if (n == 1052) {
            continue; // the strip is checked above; it is large to paint
        }
        EXPECT_EQ(Artwork::Has(n), !Artwork::Render(n).isNull()) << n;
    }
    EXPECT_TRUE(Artwork::Has(1052));
}

// The program starts with the side bar, the 21 tool-bar faces and its icon drawn at build
// time: the same pixels as drawn now, and the rest still drawn when asked for.
TEST(InstalledArt, TheBakedPicturesAreTheDrawnOnes) {
    const std::vector<int> baked = Artwork::ShownAtStart();
    EXPECT_EQ(baked.size(), 23U);
    for (const int id : baked) {
        const QImage image = BakedArt::Find(id);
        ASSERT_FALSE(image.isNull()) << id;
        EXPECT_EQ(image, Artwork::Render(id)) << id;
    }
    EXPECT_TRUE(BakedArt::Find(1102).isNull());
    EXPECT_EQ(BakedArt::Render(1102), Artwork::Render(1102));
}

TEST(InstalledArt, AButtonShowsTheFaceOfItsNumber) {
    Artwork::Install();
    TDialogTemplate t;
    t.cx = 60;
    t.cy = 50;
    t.caption = "Art";
    t.controls = {{TControlKind::BitmapButton, 102, 8, 16, 44, 26, "", 0, 0}};
    TResources::AddDialog(9300, t);
    TDialog dialog(nullptr, 9300);
    ASSERT_TRUE(dialog.Create());
    // At 12, 26 in pixels, the face inside the button's one-pixel frame.
    const QImage shot =
        TImageDC::PaintWindow(dialog).Finish().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.copy(13, 27, 64, 40),
              Artwork::Render(1102).convertToFormat(QImage::Format_RGB32));
}
