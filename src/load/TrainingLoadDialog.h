#pragma once
// Training Load (dialog 16): fitness, fatigue and form over the selected days as three curves,
// each day's load as a bar beneath (estimated days in their own colour), the days the log is
// still building up on a pale ground, and the last day's figures in words. The profile's boxes
// sit where the other views have their buttons; Set stores them. TrainingLoad does the
// arithmetic over the whole log at each reload; this dialog draws the range of it.

#include "load/TrainingLoad.h"
#include "views/RangeViewDialog.h"

#include <string>

class TrainingLoadDialog : public RangeViewDialog {
public:
    static constexpr int kTitleText = 120;
    static constexpr int kRatesText = 121;
    static constexpr int kMaxBox = 122;
    static constexpr int kRestBox = 123;
    static constexpr int kSexBox = 124;
    static constexpr int kStartBox = 125;
    static constexpr int kSet = 126;
    static constexpr int kMaxSource = 127;
    static constexpr int kRestSource = 128;
    static constexpr int kFitnessDaysBox = 129;
    static constexpr int kFatigueDaysBox = 130;
    static constexpr int kBoxLimit = 5;
    // The range a new window shows: 13 weeks up to today.
    static constexpr int kDefaultDays = 91;

    static constexpr TColor kFitness{0, 0, 255};
    static constexpr TColor kFatigue{192, 0, 192};
    static constexpr TColor kForm{0, 128, 0};
    static constexpr TColor kLoadBar{0, 0, 128};
    static constexpr TColor kEstimatedBar{255, 128, 0};
    static constexpr TColor kBuildingUp{255, 255, 192};

    // The plot: curves between kCurvesTop and kCurvesBottom, bars up from kBarsBase, days
    // across from kPlotLeft to kPlotRight; the words on two lines above.
    static constexpr int kWordsTop = 84;
    static constexpr int kPlotLeft = 56;
    static constexpr int kPlotRight = 486;
    static constexpr int kCurvesTop = 116;
    static constexpr int kCurvesBottom = 236;
    static constexpr int kBarsTop = 246;
    static constexpr int kBarsBase = 298;
    static constexpr int kLegendTop = 302;

    explicit TrainingLoadDialog(ClientWindow& client);
    // Dialog template 16 and the Training Load Speed Menu.
    static void RegisterTemplate();

    const TrainingLoad& Load() const { return load; }
    // The left edge of a day's column; the columns share the plot's width evenly.
    int DayX(int index, int count) const;

protected:
    void SetupWindow() override;
    void Reload() override;
    void Paint(TDC& dc, bool erase, const TRect& area) override;

private:
    void ShowProfile();
    // The boxes as a profile; false, said and the box focused, when one does not read.
    bool ReadBoxes(LoadProfile& profile);
    void SetProfile();
    void Refuse(int box, const std::string& why);

    TrainingLoad load;
    // The texts the boxes were last given: a box still showing the log's figure stays unset.
    std::string shownMax;
    std::string shownRest;
};
