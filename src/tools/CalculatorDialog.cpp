#include "tools/CalculatorDialog.h"

#include "framework/TDC.h"
#include "framework/TResources.h"
#include "shell/ResourceIds.h"
#include "tools/CalculatorKeys.h"

namespace {

// The cell of bitmap 802 for a display character; -1 for one that takes no room.
int CellOf(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    switch (c) {
    case '-':
        return 10;
    case '.':
        return 11;
    case 'E':
        return 12;
    case '+':
        return 13;
    default:
        return -1;
    }
}

} // namespace

CalculatorDialog::CalculatorDialog(ClientWindow& client)
    : ToolDialog(client, res::kCalculatorDialog) {
    for (int key = calc::kFirstKey; key <= calc::kLastKey; ++key) {
        OnCommand(key, [this, key] {
            engine.Press(key);
            InvalidateRect(kDisplayRect, false);
        });
    }
    // The keyboard presses the same keys as the mouse.
    const int digits[10] = {calc::kZero, calc::kOne, calc::kTwo,   calc::kThree, calc::kFour,
                            calc::kFive, calc::kSix, calc::kSeven, calc::kEight, calc::kNine};
    for (int d = 0; d < 10; ++d) {
        AddAccelerator(static_cast<char>('0' + d), digits[d]);
    }
    const struct {
        char typed;
        int key;
    } typed[] = {{'.', calc::kPoint},    {'+', calc::kPlus},   {'-', calc::kMinus},
                 {'*', calc::kMultiply}, {'/', calc::kDivide}, {'=', calc::kEquals}};
    for (const auto& t : typed) {
        AddAccelerator(t.typed, t.key);
    }
    AddAccelerator(Key::Enter, calc::kEquals);
    AddAccelerator(Key::Escape, calc::kClear);
    AddAccelerator(Key::Delete, calc::kClear);
    AddAccelerator(Key::Backspace, calc::kBackspace);
}

void CalculatorDialog::Paint(TDC& dc, bool, const TRect&) {
    dc.FillRect(kDisplayRect, TBrush{TColor::Gray()});
    const std::string& text = engine.Display();
    int x = kDisplayRect.right - 1 - kCellWidth;
    for (auto c = text.rbegin(); c != text.rend(); ++c) {
        const int cell = CellOf(*c);
        if (cell < 0) {
            continue;
        }
        dc.DrawBitmapCell(res::kCalculatorDigits,
                          TRect{cell * kCellWidth, 0, (cell + 1) * kCellWidth, kCellHeight},
                          TPoint{x, kDisplayRect.top});
        x -= kCellWidth;
    }
}

void CalculatorDialog::RegisterTemplate() {
    TDialogTemplate t;
    t.cx = 236;
    t.cy = 159;
    t.caption = "Calculator";
    t.controls.push_back({TControlKind::GroupBox, -1, 8, 4, 220, 21, "", 0, 0});
    // Six rows of seven keys, 28 x 16 dialog units; the captions are padded as they always
    // were.
    const struct {
        int y;
        struct {
            int id;
            const char* caption;
        } keys[7];
    } rows[] = {
        {32,
         {{calc::kInToCm, "IN->CM"},
          {calc::kFtToM, "FT->M "},
          {calc::kMiToKm, "MI->KM"},
          {calc::kGlToL, "GL->L "},
          {calc::kLbToKg, "LB->KG"},
          {calc::kOzToG, "OZ->G "},
          {calc::kFToC, "F->C  "}}},
        {52,
         {{calc::kCmToIn, "CM->IN"},
          {calc::kMToFt, "M->FT "},
          {calc::kKmToMi, "KM->MI"},
          {calc::kLToGl, "L->GL "},
          {calc::kKgToLb, "KG->LB"},
          {calc::kGToOz, "G->OZ "},
          {calc::kCToF, "C->F  "}}},
        {76,
         {{calc::kSeven, "7     "},
          {calc::kEight, "8     "},
          {calc::kNine, "9     "},
          {calc::kNegate, "NEG   "},
          {calc::kBackspace, "<-    "},
          {calc::kClear, "C     "},
          {calc::kClearMemory, "EM"}}},
        {96,
         {{calc::kFour, "4     "},
          {calc::kFive, "5     "},
          {calc::kSix, "6     "},
          {calc::kSquareRoot, "SQT   "},
          {calc::kMultiply, "*     "},
          {calc::kDivide, "/     "},
          {calc::kMemoryPlus, "M+    "}}},
        {116,
         {{calc::kOne, "1     "},
          {calc::kTwo, "2     "},
          {calc::kThree, "3     "},
          {calc::kPower, "POW   "},
          {calc::kPlus, "+     "},
          {calc::kMinus, "-     "},
          {calc::kMemoryMinus, "M-    "}}},
        {136,
         {{calc::kZero, "0     "},
          {calc::kPoint, ".     "},
          {calc::kPercent, "%     "},
          {calc::kReciprocal, "1/Y   "},
          {calc::kSquare, "SQR   "},
          {calc::kEquals, "=     "},
          {calc::kRecallMemory, "RM    "}}},
    };
    for (const auto& row : rows) {
        int x = 8;
        for (const auto& key : row.keys) {
            t.controls.push_back(
                {TControlKind::Button, key.id, x, row.y, 28, 16, key.caption, 0, 0});
            x += 32;
        }
    }
    TResources::AddDialog(res::kCalculatorDialog, t);
}
