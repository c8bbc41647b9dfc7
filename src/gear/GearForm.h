#pragma once
// The item dialog's boxes as text, and the command line's options alike: an item shown in
// them, the texts refused (a number, date or time must read whole: "12km", "1e3" and
// "2026-02-30" are refused, never cut), and read back into an item. Distances are in the
// logbook's unit, times are H:MM:SS or whole hours, dates YYYY-MM-DD; an empty box is none.

#include "store/GearItem.h"

#include <cstdint>
#include <string>

class GearForm {
public:
    enum Box {
        kName = 0,
        kStartDistance,
        kLimitDistance,
        kLimitTime,
        kFirstUse,
        kRetired,
        kBoxCount
    };
    // What the user is told a box is.
    static const char* const kLabels[kBoxCount];
    static constexpr std::size_t kNameSize = 40;
    static constexpr std::size_t kNotesSize = 200;
    static constexpr double kMostUnits = 1000000; // no gear goes a million km

    GearKind kind = GearKind::Shoes;
    std::string sport;      // the sport it is for, as a short word or a name; empty: any
    bool isDefault = false; // new activities of that sport get it
    std::string boxes[kBoxCount];
    std::string notes;

    static GearForm Show(const GearItem& item, double metresPerUnit);
    // The first box whose text is refused, or -1; its message in problem, naming the box.
    int FirstRefused(std::string& problem) const;
    // Takes the texts into the item (call once FirstRefused found none); its id stays.
    void ReadInto(GearItem& item, double metresPerUnit) const;

    // The readers, each true only for a text that reads whole; empty gives 0.
    static bool ReadNumber(const std::string& text, double& value);
    static bool ReadDate(const std::string& text, std::int32_t& key);
    static bool ReadTime(const std::string& text, std::int64_t& seconds);
    // The sport a short word ("Run") or a name ("running") stands for, as activities name it.
    static std::string SportOf(const std::string& text);
    static std::string NumberText(double value); // "120", "12.5"
};
