#pragma once
// Casts the calendar-free part of a natal chart from lunar birth values, as the engine does
// once the birth is converted.
#include "ZiweiexPalaces.h"
#include "ZiweiexStars.h"

struct LunarBirth {
    int year = 1984;        // lunar year number (astronomical)
    int month = 1;
    int day = 1;
    int hour = 0;           // corrected clock hour
    bool leap = false;
    int civilDayPillar = 1; // cycle index of the corrected solar birth date
    bool isMale = true;
    uint8_t chartKind = 0;
};

inline ChartData NatalFromLunar(const LunarBirth& b, const ChartSettings& settings = {})
{
    ChartData chart{};
    const MDateTime lunar{static_cast<int16_t>(b.year), static_cast<int16_t>(b.month), static_cast<int16_t>(b.day),
                          static_cast<int16_t>(b.hour), 0};
    const int chartMonth = ComputeNatalPillars(chart, lunar, b.leap, b.civilDayPillar, settings);
    ComputePalaces(chart, chartMonth, b.chartKind);
    PlaceStars(chart, BirthFacts{chartMonth, b.day, b.isMale}, settings);
    return chart;
}

// A lunar year number whose cycle index is `cycle` (1984 is 甲子).
inline int YearOfCycle(int cycle) { return 1983 + (cycle == 0 ? 60 : cycle); }
