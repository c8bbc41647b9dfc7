#include "goals/GoalsPanel.h"

#include "framework/TBrush.h"
#include "framework/TDC.h"
#include "framework/TFont.h"
#include "framework/TPen.h"

#include <algorithm>

GoalsPanel::GoalsPanel(TWindow* parent) : TWindow(parent) {
    SetBkgndColor(TColor::White());
}

void GoalsPanel::ShowGoals(std::vector<GoalProgress::State> shown, const GoalText& words) {
    states = std::move(shown);
    text.emplace(words);
    Invalidate(true);
}

std::vector<std::string> GoalsPanel::Lines() const {
    std::vector<std::string> lines;
    for (const GoalProgress::State& s : states) {
        lines.push_back(text ? text->Line(s) : std::string());
    }
    return lines;
}

void GoalsPanel::Paint(TDC& dc, bool, const TRect&) {
    if (text) {
        Draw(dc, ClientRect(), states, *text);
    }
}

void GoalsPanel::Draw(TDC& dc, const TRect& rect, const std::vector<GoalProgress::State>& states,
                      const GoalText& text) {
    dc.SaveDC();
    dc.SelectFont(TFont{"MS Sans Serif", -11, TFont::kNormal});
    dc.SetBkMode(TDC::kTransparent);
    dc.SetTextColor(TColor::Black());
    if (states.empty()) {
        dc.DrawText("No goals are set.",
                    TRect{rect.left + 4, rect.top + 2, rect.right - 4, rect.top + 16},
                    TDC::kLeft | TDC::kSingleLine);
    }
    int top = rect.top;
    for (const GoalProgress::State& s : states) {
        if (top + kRowHeight > rect.bottom) {
            break;
        }
        const int left = rect.left + 4;
        const int right = rect.right - 4;
        dc.DrawText(text.Line(s), TRect{left, top + 2, right, top + kBarTop - 1},
                    TDC::kLeft | TDC::kSingleLine);
        // The bar: its whole width is the amount; done in green, what a steady pace would
        // have added beyond it in red, the pace mark a black line.
        const TRect bar{left, top + kBarTop, right, top + kBarTop + kBarHeight};
        const auto x = [&](double share) {
            return left + static_cast<int>(std::clamp(share, 0.0, 1.0) * (bar.Width() - 1));
        };
        const double doneShare = s.goal.amount > 0 ? s.done / s.goal.amount : 0;
        dc.SelectPen(TPen{TColor::Gray(), 1});
        dc.SelectBrush(TBrush{TColor::White()});
        dc.Rectangle(bar);
        const int doneRight = x(doneShare);
        const int paceX = x(s.shareGone);
        if (doneRight > left + 1) {
            dc.FillRect(TRect{left + 1, bar.top + 1, doneRight, bar.bottom - 1}, TBrush{kDone});
        }
        if (paceX > doneRight) {
            dc.FillRect(TRect{std::max(doneRight, left + 1), bar.top + 1, paceX, bar.bottom - 1},
                        TBrush{kBehind});
        }
        dc.SelectPen(TPen{kPaceMark, 1});
        dc.MoveTo(paceX, bar.top - 2);
        dc.LineTo(paceX, bar.bottom + 2);
        dc.DrawText(text.Details(s), TRect{left, bar.bottom + 2, right, top + kRowHeight - 2},
                    TDC::kLeft | TDC::kSingleLine);
        top += kRowHeight;
    }
    dc.RestoreDC();
}
