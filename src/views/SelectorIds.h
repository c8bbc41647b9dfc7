#pragma once
// The selector controls that Calendar, Graphs, Statistics and Reports share: the header
// statics that show the selection and the buttons that step it, each button's row listed
// once for the tables of the dialogs that show it.

#include "shell/ToolButton.h"

namespace selector {
constexpr int kCategoryText = 100;
constexpr int kDayTypeText = 101;
constexpr int kStartText = 102;
constexpr int kEndText = 103;
constexpr int kCategory = 200;
constexpr int kDayType = 304;
constexpr int kNextStart = 305;
constexpr int kPreviousStart = 306;
constexpr int kNextEnd = 307;
constexpr int kPreviousEnd = 308;

inline constexpr ToolButton kCategoryButton{kCategory, "Category", ButtonPicture::Pie, "Category"};
inline constexpr ToolButton kDayTypeButton{kDayType, "Day Type", ButtonPicture::DayType,
                                           "Day Type"};
inline constexpr ToolButton kNextStartButton{kNextStart, "S+One Day", ButtonPicture::PlusStart,
                                             "+ Start Date"};
inline constexpr ToolButton kPreviousStartButton{kPreviousStart, "S-One Day",
                                                 ButtonPicture::MinusStart, "- Start Date"};
inline constexpr ToolButton kNextEndButton{kNextEnd, "E+One Day", ButtonPicture::PlusEnd,
                                           "+ End Date"};
inline constexpr ToolButton kPreviousEndButton{kPreviousEnd, "E-One Day", ButtonPicture::MinusEnd,
                                               "- End Date"};
} // namespace selector
