// The item's boxes and the command's options: a text reads whole or is refused, and what is
// read goes into the item in metres and seconds.

#include "gear/GearForm.h"

#include <gtest/gtest.h>

namespace {

TEST(GearFormTest, NumbersDatesAndTimesReadWholeOrNotAtAll) {
    struct Case {
        const char* text;
        bool number;
        bool date;
        bool time;
    };
    const Case cases[] = {
        {"", true, true, true},
        {"120", true, false, true},
        {"12.5", true, false, false},
        {".5", true, false, false},
        {"12km", false, false, false},
        {"1e3", false, false, false},
        {"-5", false, false, false},
        {" 12", false, false, false},
        {"1.2.3", false, false, false},
        {".", false, false, false},
        {"2026-03-01", false, true, false},
        {"2026-02-30", false, false, false},
        {"2026-3-01", false, false, false},
        {"26:00:00", false, false, true},
        {"1:30", false, false, true},
        {"1:60", false, false, false},
        {"1:05:60", false, false, false},
        {"1:5", false, false, false},
    };
    for (const Case& c : cases) {
        double number = 0;
        std::int32_t key = 0;
        std::int64_t seconds = 0;
        EXPECT_EQ(GearForm::ReadNumber(c.text, number), c.number) << c.text;
        EXPECT_EQ(GearForm::ReadDate(c.text, key), c.date) << c.text;
        EXPECT_EQ(GearForm::ReadTime(c.text, seconds), c.time) << c.text;
    }
    double number = 0;
    std::int64_t seconds = 0;
    std::int32_t key = 0;
    EXPECT_TRUE(GearForm::ReadNumber("12.5", number));
    EXPECT_EQ(number, 12.5);
    EXPECT_TRUE(GearForm::ReadTime("26:01:02", seconds));
    EXPECT_EQ(seconds, 93662); // 26 x 3600 + 60 + 2
    EXPECT_TRUE(GearForm::ReadDate("2028-02-29", key));
    EXPECT_EQ(key, 20280229);
}

TEST(GearFormTest, TheFirstRefusedBoxIsNamed) {
    struct Case {
        const char* name;
        int box;
        const char* text;
        int refused;
        const char* problem;
    };
    const Case cases[] = {
        {"no name", GearForm::kName, "  ", GearForm::kName, "Give the gear a name."},
        {"a comma in the name", GearForm::kName, "Shoes, red", GearForm::kName,
         "A name holds at most 40 characters and no comma."},
        {"a unit typed", GearForm::kLimitDistance, "700km", GearForm::kLimitDistance,
         "Distance limit: \"700km\" is not a distance (a number such as 120 or 12.5)."},
        {"a time past 59 minutes", GearForm::kLimitTime, "10:75", GearForm::kLimitTime,
         "Time limit: \"10:75\" is not a time (hours, or H:MM:SS)."},
        {"retired before first use", GearForm::kRetired, "2026-02-01", GearForm::kRetired,
         "It cannot be retired before its first use."},
    };
    for (const Case& c : cases) {
        GearForm form;
        form.boxes[GearForm::kName] = "Trail shoes";
        form.boxes[GearForm::kFirstUse] = "2026-03-01";
        form.boxes[c.box] = c.text;
        std::string problem;
        EXPECT_EQ(form.FirstRefused(problem), c.refused) << c.name;
        EXPECT_EQ(problem, c.problem) << c.name;
    }
}

TEST(GearFormTest, AnItemGoesThroughItsBoxesAndBackUnchanged) {
    GearForm form;
    form.kind = GearKind::Shoes;
    form.sport = "run";
    form.isDefault = true;
    form.boxes[GearForm::kName] = "Trail shoes";
    form.boxes[GearForm::kStartDistance] = "120";
    form.boxes[GearForm::kLimitDistance] = "700";
    form.boxes[GearForm::kLimitTime] = "80";
    form.boxes[GearForm::kFirstUse] = "2026-03-01";
    form.notes = "size 44, blue laces";
    std::string problem;
    ASSERT_EQ(form.FirstRefused(problem), -1) << problem;
    GearItem item;
    form.ReadInto(item, 1609.344);
    EXPECT_EQ(item.startMetres, 193121.0);  // 120 miles = 193121.28 m, to the metre
    EXPECT_EQ(item.limitMetres, 1126541.0); // 700 x 1609.344 = 1126540.8
    EXPECT_EQ(item.limitSeconds, 288000);   // 80 hours
    EXPECT_EQ(item.sports, std::vector<std::string>{"Running"});
    EXPECT_EQ(item.defaultFor, "Running");
    EXPECT_EQ(item.firstUse, 20260301);
    const GearForm shown = GearForm::Show(item, 1000);
    EXPECT_EQ(shown.sport, "Run");
    EXPECT_EQ(shown.boxes[GearForm::kStartDistance], "193.12");
    EXPECT_EQ(shown.boxes[GearForm::kLimitTime], "80:00:00");
    EXPECT_EQ(shown.boxes[GearForm::kFirstUse], "2026-03-01");
    EXPECT_EQ(shown.boxes[GearForm::kRetired], "");
}

} // namespace
