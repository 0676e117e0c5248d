#pragma once
// The layers of an annual chart over a natal chart: minor limit, decade palace, overlay stars,
// the month, day and hour references and the decade and annual transformation marks.
#include "ZiweiexTypes.h"

#include <array>
#include <cstdint>

// Branch of the minor limit (小限) at the chart's annualAge: from the start branch of the
// natal year's triad, clockwise for a male and counter-clockwise for a female.
int MinorLimit(const ChartData& chart, bool isMale);

// Palace number whose decade holds annualAge. Ages before the first decade take the palaces
// 命宫, 财帛, 疾厄, 夫妻, 福德 for ages 1..5. −1 when the age lies beyond the last decade.
int CurrentDecadePalace(const ChartData& chart);

enum class OverlayLayer : uint8_t { Annual = 1, Decade = 2 };
constexpr int kDecadeOverlayBase = 50;  // decade overlay stars are 51..57

// Twelve overlay star lists; list j belongs to the palace at branch (a − j) mod 12, a the
// annual year, so list 0 is the annual Life palace in both layers.
using OverlayLists = std::array<StarList, kPalaceCount>;

// Adds overlay star s (1..9) of a layer at branch b to the list of that branch; the decade
// layer stores s + 50.
void AddOverlayStar(OverlayLists& lists, int annualPillar, int branch, uint8_t star, OverlayLayer layer);

// Clears the lists and places the overlay stars of a layer whose year has cycle index
// layerYear (the annual year, or the decade palace's pair); 鸾 and 喜 belong to the annual layer.
void PlaceOverlayStars(int annualPillar, int layerYear, OverlayLayer layer, OverlayLists& lists);

// Annual palace number of the palace at a branch (the annual Life palace stands at the annual
// year's branch), and its decade palace number (the decade palace is the decade's Life palace).
int AnnualPalaceAt(const AnnualData& annual, int branch);
int DecadePalaceAt(const ChartData& chart, int decadePalace, int branch);

// Month index 0..11 (正月 …) that falls on a branch: 正月 at the annual Dou Jun, clockwise.
int MonthIndexAt(const AnnualData& annual, int branch);

// Days of the annual month that fall on a branch (流日), at most three.
struct DayList {
    int count = 0;
    int days[3] = {};
};
DayList DaysAt(const AnnualData& annual, int branch);

// Branch of the hour (流时) that falls on a branch: 子 at the palace of the annual lunar day.
int HourBranchAt(const AnnualData& annual, int branch);

// The overlay layers of an annual chart.
struct AnnualLayers {
    int decadePalace = -1;  // palace number of the decade layer, −1 for none
    OverlayLists annualStars{};
    OverlayLists decadeStars{};
};
AnnualLayers ComputeAnnualLayers(const ChartData& chart, const AnnualData& annual);

// Fills the natal, decade and annual mark lists of every palace as an annual chart shows them:
// none at all when laid out by days and hours; otherwise the natal marks of the year stem and
// the marks of the decade palace's stem and of the annual stem.
void FillAnnualMarks(ChartData& chart, const AnnualData& annual, const ChartSettings& settings);
