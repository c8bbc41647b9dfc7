#pragma once
// One piece of gear's boxes, to add it or change it (dialog 23): name, kind, the sport it is
// for and whether it is that sport's default, starting distance and limits in the logbook's
// unit, first use, retirement and notes. OK refuses a box that does not read whole, or a
// name another item has, and leaves the item as it was until every box reads.

#include "framework/TDialog.h"
#include "gear/GearForm.h"
#include "store/GearItem.h"

#include <string>
#include <vector>

class GearItemDialog : public TDialog {
public:
    static constexpr int kName = 101;
    static constexpr int kKind = 102;
    static constexpr int kSport = 103;
    static constexpr int kDefault = 104;
    // The five boxes after the name, in GearForm's order: starting distance 105 ... retired.
    static constexpr int kFirstBox = 105;
    static constexpr int kNotes = 110;
    static constexpr int kUnit = 111;
    static constexpr int kBoxLimit = 12;

    // taken: the names of the other items.
    GearItemDialog(TWindow* parent, GearItem& item, const std::string& unit,
                   std::vector<std::string> taken);
    static void RegisterTemplate();

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    static int BoxId(int box);

    GearItem& item;
    std::string unit;
    double metresPerUnit;
    std::vector<std::string> taken;
};
