#include "app/LogBookDialog.h"

#include "app/ClientWindow.h"
#include "app/ResourceIds.h"
#include "framework/TMessageBox.h"

namespace {

constexpr int kDateText = 517;
constexpr int kComments = 511;
constexpr int kWorkout = 518;
constexpr int kYes = 512;
constexpr int kNo = 513;
constexpr int kEasy = 514;
constexpr int kModerate = 515;
constexpr int kHard = 516;

int BoxId(int box) { return DayForm::kFirstBox + box; }

} // namespace

LogBookDialog::LogBookDialog(ClientWindow& client)
    : ToolDialog(client, res::kLogBookDialog), dates(client.Dates()),
      cache(std::make_unique<LogBookCache>(client.Database(), client.Dates())),
      currentRecord(DayRecord::Blank(0)), reference(DayRecord::Blank(0)) {
    OnCommand(101, [this] { Save(); });
    OnCommand(108, [this] { EraseDay(); });
    OnCommand(109, [this] {
        Save();
        Client().OpenFind();
    });
    OnCommand(110, [this] { Client().OpenCalcDTP(); });
    OnCommand(102, [this] { Step(1); });
    OnCommand(103, [this] { Step(-1); });
    OnCommand(104, [this] { Step(30); });
    OnCommand(105, [this] { Step(-30); });
    OnMessage(kResetMessage, [this](std::uint64_t, std::int64_t) {
        Reset();
        return 0;
    });
    OnMessage(kGoToDayMessage, [this](std::uint64_t, std::int64_t key) {
        GoToDay(static_cast<std::int32_t>(key));
        return 0;
    });
}

LogBookDialog::~LogBookDialog() = default;

void LogBookDialog::SetupWindow() {
    ToolDialog::SetupWindow();
    for (const char* name : DayRecord::kWorkoutNames) {
        ListAddString(kWorkout, name);
    }
    dates.Today(current);
    cache->StartAt(current);
    cache->Adjust(current);
    ShowCurrentDay();
}

void LogBookDialog::ClearBoxes() {
    for (int box = 0; box < DayForm::kBoxCount; ++box) {
        SetDlgItemText(BoxId(box), "");
    }
    SetDlgItemText(kComments, "");
    SetDlgItemText(kWorkout, "");
    for (const int id : {kYes, kNo, kEasy, kModerate, kHard}) {
        CheckDlgButton(id, false);
    }
}

void LogBookDialog::SetBoxTexts(const DayForm& form) {
    for (int box = 0; box < DayForm::kBoxCount; ++box) {
        SetDlgItemText(BoxId(box), form.boxes[static_cast<std::size_t>(box)]);
    }
    SetDlgItemText(kComments, form.comments);
    SetDlgItemText(kWorkout, form.workout);
    CheckDlgButton(kYes, form.competition == 'Y');
    CheckDlgButton(kNo, form.competition == 'N');
    CheckDlgButton(kEasy, form.difficulty == 'E');
    CheckDlgButton(kModerate, form.difficulty == 'M');
    CheckDlgButton(kHard, form.difficulty == 'H');
}

DayForm LogBookDialog::BoxTexts() const {
    DayForm form;
    for (int box = 0; box < DayForm::kBoxCount; ++box) {
        form.boxes[static_cast<std::size_t>(box)] = GetDlgItemText(BoxId(box));
    }
    // Only what stands on the box's two lines counts.
    form.comments = EditLine(kComments, 0) + EditLine(kComments, 1);
    form.workout = GetDlgItemText(kWorkout);
    form.competition = IsDlgButtonChecked(kYes) ? 'Y' : IsDlgButtonChecked(kNo) ? 'N' : 0;
    form.difficulty = IsDlgButtonChecked(kEasy)       ? 'E'
                      : IsDlgButtonChecked(kModerate) ? 'M'
                      : IsDlgButtonChecked(kHard)     ? 'H'
                                                      : 0;
    return form;
}

void LogBookDialog::ShowCurrentDay() {
    ClearBoxes();
    SetDlgItemText(kDateText, dates.LongDateText(current));
    const DayRecord* cached = cache->Find(dates.KeyOfDate(current));
    if (cached && cached->erased == 0) {
        currentRecord = *cached;
        SetBoxTexts(DayForm::Show(currentRecord, dates));
    } else {
        currentRecord = DayRecord::Blank(dates.KeyOfDate(current));
    }
    reference = currentRecord;
}

void LogBookDialog::ReadBoxes() {
    BoxTexts().ReadInto(currentRecord, dates);
    if (currentRecord.SameContent(reference)) {
        return;
    }
    cache->Put(currentRecord);
}

void LogBookDialog::Save() {
    ReadBoxes();
    // A day that could not be stored stays dirty, so closing still asks about it.
    cache->StoreDirty();
    ShowCurrentDay();
    Client().RefreshToolWindows(false);
}

void LogBookDialog::Step(int days) {
    ReadBoxes();
    if (days > 0) {
        dates.AddDays(current, days);
    } else {
        dates.SubtractDays(current, -days);
    }
    cache->Adjust(current);
    ShowCurrentDay();
}

void LogBookDialog::EraseDay() {
    currentRecord.erased = 1;
    ReadBoxes(); // differs from the shown day by its mark, so it is cached as changed
    ShowCurrentDay();
}

void LogBookDialog::GoToDay(std::int32_t key) {
    // Day by day, so that the weekday travels with the date; the calendar's ends stop it.
    while (dates.KeyOfDate(current) < key) {
        const std::int32_t before = dates.KeyOfDate(current);
        dates.AddDays(current, 1);
        if (dates.KeyOfDate(current) == before) {
            break;
        }
    }
    while (dates.KeyOfDate(current) > key) {
        const std::int32_t before = dates.KeyOfDate(current);
        dates.SubtractDays(current, 1);
        if (dates.KeyOfDate(current) == before) {
            break;
        }
    }
    cache->StartAt(current);
    cache->Adjust(current);
    ShowCurrentDay();
}

void LogBookDialog::Reset() {
    cache->DropChanges();
    dates.Today(current);
    cache->StartAt(current);
    cache->Adjust(current);
    ShowCurrentDay();
}

bool LogBookDialog::CanClose() {
    ReadBoxes();
    if (!cache->Changed()) {
        return true;
    }
    switch (TMessageBox::Show(this, kSaveQuestion, "MESSAGE", TMessageBox::Buttons::YesNoCancel,
                              TMessageBox::Icon::Question)) {
    case TMessageBox::kIdYes:
        // When a day cannot be stored the window stays, so nothing typed is lost.
        return cache->StoreDirty();
    case TMessageBox::kIdNo:
        return true;
    default:
        return false;
    }
}
