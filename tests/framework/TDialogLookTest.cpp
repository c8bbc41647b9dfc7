// What a dialog looks like on screen, read back through TImageDC::PaintWindow (the dialog's
// paint and its controls together): group boxes lie under the dialog's own paint and tint
// nothing, inactive edits are grey, static texts are plain, words keep their spaces.
#include "PixelChecks.h"
#include "framework/TDC.h"
#include "framework/TDialog.h"
#include "framework/TGauge.h"
#include "framework/TImageDC.h"
#include "framework/TResources.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kLook = 9010;
constexpr int kPlainEdit = 500;
constexpr int kDisabledEdit = 501;
constexpr int kReadOnlyEdit = 502;
constexpr int kReadOnlyLines = 503;
constexpr int kStatic = 700;
constexpr int kWords = 701;
constexpr int kMoreWords = 702;

const TColor kGrey{128, 128, 128};
const TColor kLightGrey{192, 192, 192};
const TColor kWhite{255, 255, 255};

void RegisterLook() {
    TDialogTemplate t;
    t.cx = 396;
    t.cy = 204;
    t.caption = "Look";
    using K = TControlKind;
    using C = TControlTemplate;
    t.controls = {
        // 12, 71 - 492, 318 in pixels; without a caption its top line is at 71.
        {K::GroupBox, -1, 8, 44, 320, 152, "", 0, 0},
        // 12, 6 - 192, 45 in pixels, with a caption.
        {K::GroupBox, -1, 8, 4, 120, 24, "Work", 0, 0},
        {K::Edit, kPlainEdit, 340, 10, 50, 12, "", 0, 0},
        {K::Edit, kDisabledEdit, 340, 30, 50, 12, "", C::kDisabled, 0},
        {K::Edit, kReadOnlyEdit, 340, 50, 50, 12, "", C::kReadOnly, 0},
        {K::Edit, kReadOnlyLines, 340, 70, 50, 24, "", C::kMultiLine | C::kReadOnly, 0},
        {K::Static, kStatic, 340, 100, 50, 10, "<b>x</b>", 0, 0},
        {K::Static, kWords, 140, 4, 100, 10, "Show tool bar", 0, 0},
        {K::Static, kMoreWords, 140, 20, 100, 10, "Show next window", 0, 0},
    };
    TResources::AddDialog(kLook, t);
}

// Paints as a view does: the display grey, light grey, white and red inside the work area,
// and one strip across the work area's left frame line.
class Painted : public TDialog {
public:
    Painted() : TDialog(nullptr, (RegisterLook(), kLook)) {}

protected:
    void Paint(TDC& dc, bool, const TRect&) override {
        dc.FillRect(TRect{20, 100, 120, 200}, TBrush{TColor::Gray()});
        dc.FillRect(TRect{120, 100, 220, 200}, TBrush{TColor::LightGray()});
        dc.FillRect(TRect{220, 100, 320, 200}, TBrush{TColor::White()});
        dc.FillRect(TRect{320, 100, 420, 200}, TBrush{TColor{255, 0, 0}});
        dc.FillRect(TRect{0, 250, 40, 260}, TBrush{TColor{0, 0, 255}});
    }
};

class TDialogLookTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        dialog.Widget()->show();
    }
    TImageDC Shot() { return TImageDC::PaintWindow(dialog); }
    TColor Middle(int id) {
        const TRect r = dialog.ControlRect(id);
        return Shot().Pixel(r.left + r.Width() / 2, r.top + r.Height() / 2);
    }
    // The widths of the blank column runs between the first and last inked column of a
    // control, left to right.
    std::vector<int> BlankRuns(int id) {
        const TRect r = dialog.ControlRect(id);
        const TImageDC shot = Shot();
        std::vector<int> runs;
        int run = -1; // no ink yet
        for (int x = r.left; x < r.right; ++x) {
            if (Count(shot, TRect{x, r.top, x + 1, r.bottom}, kLightGrey) < r.Height()) {
                if (run > 0) {
                    runs.push_back(run);
                }
                run = 0;
            } else if (run >= 0) {
                ++run;
            }
        }
        return runs;
    }

    Painted dialog;
};

TEST_F(TDialogLookTest, WhatTheDialogPaintsReachesTheScreenExactlyOverItsGroupBoxes) {
    const TImageDC shot = Shot();
    EXPECT_EQ(shot.Pixel(70, 150), kGrey);
    // At 300, 280 nothing is painted inside the box: the background.
    ExpectPixels(shot, kLightGrey, {{170, 150}, {300, 280}});
    EXPECT_EQ(shot.Pixel(270, 150), kWhite);
    EXPECT_EQ(shot.Pixel(370, 150), (TColor{255, 0, 0}));
    // The paint lies over the frame line it crosses.
    EXPECT_EQ(shot.Pixel(12, 255), (TColor{0, 0, 255}));
}

TEST_F(TDialogLookTest, AGroupBoxIsAnEtchedFrameWithItsCaptionOnTheTopLine) {
    const TImageDC shot = Shot();
    // Outer edge grey above and left, white below and right; the inner edge the other way.
    ExpectPixels(shot, kGrey, {{12, 200}, {200, 71}, {490, 200}, {200, 316}});
    ExpectPixels(shot, kWhite, {{13, 200}, {200, 72}, {491, 200}, {200, 317}});
    ExpectPixels(shot, kLightGrey, {{14, 200}, {11, 200}, {200, 318}});
    // "Work" interrupts the top line of the upper box near its left end, in black.
    EXPECT_GT(Count(shot, TRect{20, 6, 60, 20}, TColor{0, 0, 0}), 10);
    EXPECT_EQ(shot.Pixel(12, 30), kGrey); // its left line, below the caption
    EXPECT_EQ(shot.Pixel(150, 44), kWhite);
}

TEST_F(TDialogLookTest, DisabledAndReadOnlyEditsAreGreyAndATypingBoxIsWhite) {
    EXPECT_EQ(Middle(kPlainEdit), kWhite);
    EXPECT_EQ(Middle(kDisabledEdit), kLightGrey);
    EXPECT_EQ(Middle(kReadOnlyEdit), kLightGrey);
    EXPECT_EQ(Middle(kReadOnlyLines), kLightGrey);
    dialog.EnableDlgItem(kPlainEdit, false);
    EXPECT_EQ(Middle(kPlainEdit), kLightGrey);
    dialog.EnableDlgItem(kDisabledEdit, true);
    EXPECT_EQ(Middle(kDisabledEdit), kWhite);
}

TEST_F(TDialogLookTest, StaticTextsShowTheirTextAsWrittenWithTheirWordSpaces) {
    // As rich text "<b>x</b>" would be a bold x of one or two columns.
    EXPECT_EQ(dialog.GetDlgItemText(kStatic), "<b>x</b>");
    EXPECT_GE(BlankRuns(kStatic).size(), 6U);
    // Each word space is at least three blank columns; inside a word no gap is that wide.
    for (const int id : {kWords, kMoreWords}) {
        int wide = 0;
        for (const int run : BlankRuns(id)) {
            wide += run >= 3;
        }
        EXPECT_EQ(wide, 2) << dialog.GetDlgItemText(id);
    }
}

TEST(TGaugeLook, TheBarFollowsItsValueAndBlendsWithTheDialogWhenEmpty) {
    RegisterLook();
    TDialog dialog(nullptr, kLook);
    TGauge gauge(&dialog, -1, 15, 152, 372, 21);
    dialog.AddAutoCreateChild(gauge);
    gauge.SetRange(0, 140);
    gauge.SetColor(TColor::LightGray());
    ASSERT_TRUE(dialog.Create());
    TImageDC idle = TImageDC::PaintWindow(gauge);
    ExpectPixels(idle, kLightGrey, {{1, 1}, {200, 10}, {370, 19}});
    EXPECT_EQ(idle.Pixel(0, 0), kGrey); // a recessed edge
    EXPECT_EQ(idle.Pixel(371, 20), kWhite);

    EXPECT_EQ(gauge.WindowRect(), TRect::OfSize(15, 152, 372, 21));

    const TColor kPurple{128, 0, 128};
    gauge.SetColor(TColor::Purple());
    gauge.SetValue(70); // half of the 370 pixels inside the edge
    TImageDC half = TImageDC::PaintWindow(gauge);
    EXPECT_EQ(half.Pixel(185, 10), kPurple);
    EXPECT_EQ(half.Pixel(186, 10), kLightGrey);
    gauge.SetValue(500); // held at the end of the range
    TImageDC full = TImageDC::PaintWindow(gauge);
    ExpectPixels(full, kPurple, {{1, 1}, {370, 19}});
    EXPECT_EQ(full.Pixel(371, 20), kWhite);
}

} // namespace
