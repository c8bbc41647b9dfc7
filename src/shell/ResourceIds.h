#pragma once
// Resource numbers of the application shell: menus, dialogs, bitmaps, icons, timers.

namespace res {
constexpr int kMainMenu = 1100;
constexpr int kSpeedMenus = 1101;

constexpr int kAboutDialog = 1;
constexpr int kCalculatorDialog = 2;
constexpr int kTitleDialog = 3;
constexpr int kCalendarDialog = 4;
constexpr int kGraphsDialog = 5;
constexpr int kLogBookDialog = 6;
constexpr int kReportsDialog = 7;
constexpr int kStatsDialog = 8;
constexpr int kHRateDialog = 10;
constexpr int kFindDialog = 11;
constexpr int kCalcDTPDialog = 12;
constexpr int kActivitiesDialog = 13; // the Log Book's day's activities
constexpr int kSummaryDialog = 14;
constexpr int kRecordsDialog = 15;
constexpr int kTrainingLoadDialog = 16;
constexpr int kGearDialog = 17;
constexpr int kRestoreBackupDialog = 20;
// 21 and 22 are the activity import's preview and reading box (activity::kImportDialog ...).
constexpr int kDatesDialog = 25; // a range's dates, or one date, from a month calendar
constexpr int kGoalsDialog = 26;
constexpr int kGearItemDialog = 27;
constexpr int kLogbookSettingsDialog = 24; // File > Logbook Settings: the default sport

constexpr int kAppIcon = 100;
constexpr int kLogBookIcon = 101;
constexpr int kCalendarIcon = 102;
constexpr int kGraphsIcon = 103;
constexpr int kStatsIcon = 104;
constexpr int kReportsIcon = 106;
constexpr int kSummaryIcon = 107;
constexpr int kRecordsIcon = 108;
constexpr int kTrainingLoadIcon = 109;
constexpr int kGearIcon = 110;

// The tool bar's button faces.
constexpr int kOpenFace = 950;
constexpr int kPrintFace = 951;
constexpr int kOpenAllFace = 952;
constexpr int kNextWindowFace = 953;
constexpr int kPreviousWindowFace = 954;
constexpr int kCloseAllFace = 955;
constexpr int kCascadeFace = 956;
constexpr int kTileHorizontalFace = 957;
constexpr int kTileVerticalFace = 958;
constexpr int kLogBookFace = 960;
constexpr int kGraphsFace = 961;
constexpr int kCalendarFace = 962;
constexpr int kStatisticsFace = 963;
constexpr int kReportsFace = 964;
constexpr int kCalculatorFace = 965;
constexpr int kHeartRateFace = 966;
constexpr int kHelpFace = 967;
constexpr int kSummaryFace = 968;
constexpr int kRecordsFace = 969;
constexpr int kTrainingLoadFace = 970;
constexpr int kGearFace = 971;

constexpr int kHRateDigits = 801;      // 11 cells of 75 x 125: 0-9 and a colon
constexpr int kCalculatorDigits = 802; // 14 cells of 16 x 24: 0-9, minus, point, E, plus
constexpr int kSideBarBitmap = 803;
// A picture control N shows bitmap N + 1000 (the control library's rule).
constexpr int kPictureOffset = 1000;
constexpr int kCalendarLegend = 804; // shows bitmap 1804
constexpr int kAboutPicture = 806;   // shows bitmap 1806
constexpr int kTitleVersion = 50;    // shows bitmap 1050
constexpr int kTitleRunners = 51;    // shows bitmap 1051
constexpr int kBannerStrip = 1052;

// Window messages between the tools.
constexpr unsigned kLogBookChanged = 1000; // reload at once; both parameters 0
constexpr unsigned kGoToDay = 1001;        // the Log Book shows the day of the date key given

constexpr int kTitleTimer = 1000;        // the client window's wait before the title screen
constexpr int kBannerTimer = 2000;       // the title screen's animation
constexpr int kGraphsReloadTimer = 3000; // the views' deferred reload after a change
constexpr int kStatsReloadTimer = 4000;
constexpr int kReportsReloadTimer = 5000;
constexpr int kCountdownTimer = 6000; // the heart-rate timer's seconds
constexpr int kProgressTimer = 7000;  // the heart-rate timer's bar, every tenth of a second
constexpr int kTrainingLoadReloadTimer = 8200;
constexpr int kDateRepeatTimer = 8400; // a held date button's repeat
} // namespace res
