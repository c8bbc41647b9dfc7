#include "records/RecordsDialog.h"

#include "framework/TMessageBox.h"
#include "framework/TResources.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/Settings.h"
#include "shell/ToolPage.h"
#include "store/ActivityStore.h"
#include "store/RecordStore.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kLists[] = {RecordsDialog::kRaceBests, RecordsDialog::kDayRecords,
                          RecordsDialog::kBestEfforts, RecordsDialog::kLeftOut};

// The foot's buttons in the table's order: their captions fit.
constexpr int kButtonWidths[] = {60, 96, 80, 60};
static_assert(std::size(kButtonWidths) == std::size(RecordsButtons::kButtons));

std::size_t IndexOf(int list) {
    return static_cast<std::size_t>(list - RecordsDialog::kRaceBests);
}

} // namespace

void RecordsDialog::RegisterTemplate() {
    using K = TControlKind;
    using C = TControlTemplate;
    const auto label = [](int x, int y, int cx, const char* text) {
        return TControlTemplate{K::Static, -1, x, y, cx, 8, text, 0, 0};
    };
    TDialogTemplate t;
    t.cx = 396; // the large tools' width: narrower, its child window would scroll
    t.cy = 292;
    t.hasCaption = false; // a large tool: its child window has the title
    t.controls = {
        label(8, 9, 30, "Sport:"),
        {K::DropDownList, kSport, 40, 7, 120, 120, "", 0, 0},
        label(8, 26, 200, RecordBook::KindTitle(RecordBook::Kind::RaceBest)),
        {K::ListBox, kRaceBests, 8, 36, 380, 60, "", 0, 0},
        label(8, 100, 200, RecordBook::KindTitle(RecordBook::Kind::DayRecord)),
        {K::ListBox, kDayRecords, 8, 110, 380, 60, "", 0, 0},
        label(8, 174, 200, RecordBook::KindTitle(RecordBook::Kind::BestEffort)),
        {K::ListBox, kBestEfforts, 8, 184, 380, 40, "", 0, 0},
        label(8, 228, 200, "Left out of records"),
        {K::ListBox, kLeftOut, 8, 238, 380, 28, "", 0, 0},
    };
    // The buttons along the foot from the table, Exit at the right-hand end.
    int x = 8;
    for (std::size_t i = 0; i < std::size(RecordsButtons::kButtons); ++i) {
        const ToolButton& b = RecordsButtons::kButtons[i];
        const int cx = kButtonWidths[i];
        if (b.id == kCloseButton.id) {
            x = 388 - cx;
        }
        t.controls.push_back(
            {K::Button, b.id, x, 272, cx, 14, b.caption, b.id == kGoToDay ? C::kDefault : 0, 0});
        x += cx + 6;
    }
    TResources::AddDialog(res::kRecordsDialog, t);
    ToolPage::AddSpeedMenu(res::kRecordsDialog,
                           ToolPage::SpeedMenu("Records Speed Menu", RecordsButtons::kButtons));
}

RecordsDialog::RecordsDialog(ClientWindow& client) : ToolDialog(client, res::kRecordsDialog) {
    OnCommand(kGoToDay, [this] { GoToDay(); });
    OnCommand(kNotForRecords, [this] { ToggleLeftOut(); });
    OnCommand(kRace, [this] { ToggleRace(); });
    OnNotify(kSport, Notify::ComboSelChange, [this] {
        const int at = ListSelection(kSport);
        if (at >= 0 && at < static_cast<int>(sports.size())) {
            sport = sports[static_cast<std::size_t>(at)];
            Fill();
        }
    });
    for (const int list : kLists) {
        OnNotify(list, Notify::ListDoubleClick, [this, list] {
            lastList = list;
            GoToDay();
        });
        OnNotify(list, Notify::ListSelChange, [this, list] { lastList = list; });
    }
    OnMessage(res::kLogBookChanged, [this](std::uint64_t, std::int64_t) {
        Reload();
        return 0;
    });
}

void RecordsDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    for (const int list : kLists) {
        ListSetHorizontalExtent(list, 900);
    }
    Reload();
}

void RecordsDialog::Reload() {
    ActivityStore store;
    const ActivityStore::Outcome opened = store.Open(Client().Database(), false);
    if (!opened.Ok() && opened.code != ActivityStore::Code::Missing &&
        opened.code != ActivityStore::Code::ReadOnly) {
        Client().ShowStatus(opened.words);
    }
    if (!RecordBook::Read(Client().Database(), store, input,
                          Settings::ReadWeekStart(Client().Profile()))) {
        input = RecordBook::Input{}; // the store has said why
    }
    sports = RecordBook::Sports(input);
    if (std::find(sports.begin(), sports.end(), sport) == sports.end()) {
        sport = sports.front();
    }
    ListClear(kSport);
    for (const std::string& s : sports) {
        ListAddString(kSport, s);
    }
    ListSetSelection(
        kSport, static_cast<int>(std::find(sports.begin(), sports.end(), sport) - sports.begin()));
    Fill();
}

void RecordsDialog::Fill() {
    book.Compute(input, sport);
    FillList(kRaceBests, RecordBook::Kind::RaceBest);
    FillList(kDayRecords, RecordBook::Kind::DayRecord);
    FillList(kBestEfforts, RecordBook::Kind::BestEffort);
    std::vector<Line>& left = lines[IndexOf(kLeftOut)];
    left.clear();
    ListClear(kLeftOut);
    for (const RecordBook::LeftOut& l : book.LeftOuts()) {
        ListAddString(kLeftOut, "x  " + l.what + ": " + l.why);
        left.push_back({l.day, l.start, l.start == 0, true, true});
    }
}

void RecordsDialog::FillList(int id, RecordBook::Kind kind) {
    std::vector<Line>& shown = lines[IndexOf(id)];
    shown.clear();
    ListClear(id);
    for (const RecordBook::Record& record : book.Records()) {
        if (record.kind != kind) {
            continue;
        }
        ListAddString(id, record.title + (record.top.empty() ? ": none" : ""));
        shown.push_back({});
        const bool whole =
            record.title.rfind("Biggest", 0) != 0 && record.title.rfind("Most active", 0) != 0;
        for (std::size_t i = 0; i < record.top.size(); ++i) {
            const RecordBook::Entry& e = record.top[i];
            ListAddString(id, "    " + std::to_string(i + 1) + ".  " + e.date + "   " + e.figure +
                                  (e.detail.empty() ? "" : "   " + e.detail));
            shown.push_back({e.day, e.start, kind == RecordBook::Kind::DayRecord, whole, false});
        }
    }
}

const RecordsDialog::Line* RecordsDialog::Selected() const {
    const std::vector<Line>& shown = lines[IndexOf(lastList)];
    const int at = ListSelection(lastList);
    if (at < 0 || at >= static_cast<int>(shown.size()) ||
        shown[static_cast<std::size_t>(at)].day == 0) {
        return nullptr;
    }
    return &shown[static_cast<std::size_t>(at)];
}

void RecordsDialog::GoToDay() {
    const Line* line = Selected();
    if (!line) {
        return;
    }
    if (!Client().IsToolOpen(res::kLogBookDialog)) {
        Client().OpenLogBook();
    }
    if (TDialog* editor = Client().Tool(res::kLogBookDialog)) {
        editor->SendMessage(res::kGoToDay, 0, line->day);
    }
}

void RecordsDialog::ToggleLeftOut() {
    const Line* line = Selected();
    if (!line || !line->whole) {
        Client().ShowStatus("Select a day or an activity to leave out of records.");
        return;
    }
    const bool day = line->dayRecord || line->start == 0;
    const RecordStore::Mark mark =
        day ? RecordStore::Mark::DayLeftOut : RecordStore::Mark::ActivityLeftOut;
    const std::int64_t key = day ? line->day : line->start;
    const bool marked =
        day ? input.daysLeftOut.count(key) > 0 : input.activitiesLeftOut.count(key) > 0;
    if (line->leftOut && !marked) {
        Client().ShowStatus("Left out for being too fast; a mark cannot count it.");
        return;
    }
    SetMark(mark, key, !marked, marked ? "Counted in records again." : "Left out of records.");
}

void RecordsDialog::ToggleRace() {
    const Line* line = Selected();
    if (!line || line->start == 0 || line->leftOut) {
        Client().ShowStatus("Select an activity to count as a race.");
        return;
    }
    const bool race = input.races.count(line->start) > 0;
    SetMark(RecordStore::Mark::Race, line->start, !race,
            race ? "No longer counted as a race." : "Counted as a race.");
}

void RecordsDialog::SetMark(RecordStore::Mark mark, std::int64_t key, bool on, const char* said) {
    ActivityStore store;
    store.Open(Client().Database(), true);
    if (const ActivityStore::Outcome set = RecordStore(store).SetMark(mark, key, on); !set.Ok()) {
        TMessageBox::Show(this, set.words, "MESSAGE", TMessageBox::Buttons::Ok,
                          TMessageBox::Icon::Exclamation);
        return;
    }
    store.Close();
    const int list = lastList;
    Reload();
    lastList = list;
    Client().ShowStatus(said);
}
