#pragma once
// Names and one-character labels of the chart's numbered things (see ZiweiexTypes.h).
#include <array>
#include <string_view>

// Indexed by star identifier 1..61; entry 0 names no star.
extern const std::array<std::string_view, 62> kStarNames;
// One-character labels of stars 1..30; entry 0 is empty.
extern const std::array<std::string_view, 31> kStarLabels;
// By palace number 0..11.
extern const std::array<std::string_view, 12> kPalaceNames;
extern const std::array<std::string_view, 12> kPalaceLabels;
// Overlay stars by identifier 1..9 (decade stars are 51..57); entry 0 is empty.
extern const std::array<std::string_view, 10> kOverlayLabels;
// Transformation kinds 1..4; entry 0 is empty.
extern const std::array<std::string_view, 5> kTransformLabels;
// By bureau element 0..4, and the bureau number of each.
extern const std::array<std::string_view, 5> kBureauNames;
extern const std::array<int, 5> kBureauNumbers;
// 天盘, 地盘, 人盘.
extern const std::array<std::string_view, 3> kChartKindNames;

// Name of an overlay star of either layer (1..9 or 51..57); empty for any other number.
std::string_view OverlayLabel(int overlayStar);

// Stage names of the four twelve-fold cycles, by stage index 0..11.
extern const std::array<std::string_view, 12> kChangShengNames;
extern const std::array<std::string_view, 12> kBoShiNames;
extern const std::array<std::string_view, 12> kJiangXingNames;
extern const std::array<std::string_view, 12> kSuiJianNames;

// Brightness grade texts by grade digit 1..5 (entry 0, no grade, is empty); digit 3 reads
// "闲" with the first grade table and "得" with the second.
std::string_view GradeName(int grade, bool secondTable);

// Month labels of the annual chart by month index 0..11 (正月 … 十二).
extern const std::array<std::string_view, 12> kMonthLabels;
