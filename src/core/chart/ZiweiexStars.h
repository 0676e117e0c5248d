#pragma once
// Star placement of a natal chart, the palace ring and the decades.
#include "ZiweiexTypes.h"

#include <array>
#include <cstdint>

// What the star rules read besides the ChartData: the chart month after the leap-month rule,
// the lunar day of the birth after the 23:00 rule, and the sex.
struct BirthFacts {
    int chartMonth = 1;  // 1..12
    int lunarDay = 1;    // 1..30
    bool isMale = true;
};

// Branch of 紫微 for a lunar day (1..30) and a bureau number (2..6).
int ZiWeiBranch(int lunarDay, int bureau);

// Branch of 禄存 in a year (or layer) of cycle index `year`: by its stem, one further in a
// yin year.
int LuCunBranch(int year);

// The decades and the 长生 ring run clockwise for a male born in a yang year or a female born
// in a yin year, counter-clockwise otherwise.
bool RunsForward(const ChartData& chart, bool isMale);

// Branch of every star 1..61 (entry 0 unused), computed whether or not the star will be placed.
// Reads yearPillar, hourPillar, bureau, bodyPalace and the Life palace.
std::array<int8_t, 62> StarBranches(const ChartData& chart, const BirthFacts& birth, const ChartSettings& settings);

// Adds a star to the palace holding `branch`; a palace keeps at most twelve stars.
void AddStar(ChartData& chart, int branch, uint8_t star);

// Places all stars in identifier order (27..61 only when `showfu` is not 0), rebuilds palaces
// 1..11 from the Life palace and sets the decade ages.
void PlaceStars(ChartData& chart, const BirthFacts& birth, const ChartSettings& settings);
