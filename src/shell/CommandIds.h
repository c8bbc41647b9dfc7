#pragma once
// Command numbers of the main menu and the tool bar.

namespace cmd {
constexpr int kOpen = 1201;
constexpr int kPrint = 1202;
constexpr int kPrinterSetup = 1203;
constexpr int kExit = 1204;
constexpr int kOpenAll = 1205;
constexpr int kNextWindow = 1206;
constexpr int kPreviousWindow = 1207;
constexpr int kCloseAll = 1208;
constexpr int kLogBook = 1209;
constexpr int kCalendar = 1210;
constexpr int kGraphs = 1211;
constexpr int kStatistics = 1212;
constexpr int kReports = 1213;
constexpr int kCalculator = 1214;
constexpr int kHeartRate = 1215;
constexpr int kShowToolBar = 1216;
constexpr int kHideToolBar = 1217;
constexpr int kCascade = 1218;
constexpr int kTileHorizontal = 1219;
constexpr int kTileVertical = 1220;
constexpr int kAbout = 1222;
constexpr int kProductFeatures = 1223;
constexpr int kHelpContents = 1224;
constexpr int kRestoreBackup = 1230;
// 1231 is the activities' File > Import Activities (activity::kImportCommand).
constexpr int kSummary = 1236;
constexpr int kRecords = 1237;
constexpr int kTrainingLoad = 1238;
constexpr int kGear = 1239;
constexpr int kLogbookSettings = 1235;
} // namespace cmd
