#pragma once
// The selector controls that Calendar, Graphs, Statistics and Reports share: the header
// statics that show the selection and the buttons that step it.

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
} // namespace selector
