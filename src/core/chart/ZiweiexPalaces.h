#pragma once
// Pillars, palaces, bureau and Dou Jun of a natal chart, from the lunar birth values.
#include "ZiweiexTypes.h"

#include <cstdint>

// Chart month 1..12 of a lunar month. A leap month counts by `run`: 0 as the next month,
// 1 as the same month, any other value as the same month up to day 15 and the next one from
// day 16. A month 13 becomes 1 of the same lunar year; so does the thirteenth month that the
// calendar numbers 13 in the years before the Han reform.
int ChartMonth(int lunarMonth, bool leap, int lunarDay, uint8_t run);

// Cycle index of the chart month in a year: the first month is 寅, its stem follows the year
// stem (甲 and 己 years begin with 丙寅).
int16_t MonthPillar(int yearPillar, int chartMonth);

// Cycle index of the birth hour (0..23, the minute plays no part) counted with the day whose
// cycle index is dayPillar. With `zishi` on, 23:xx keeps its own day but takes the 子 pillar
// of the following day.
int16_t ChartHourPillar(int hour, int dayPillar, bool zishi);

// The lunar-year, chart-month, day and hour pillars (yearPillar, monthPillar, dayPillar,
// hourPillar, and their copies baziDay and baziHour) of a birth. lunarBirth is the lunar
// date-time after the clock-time correction and the 23:00 rule; civilDayPillar is the cycle
// index of the corrected solar birth date, which the 23:00 rule moves on a day when `zishi`
// is off. Returns the chart month.
int ComputeNatalPillars(ChartData& chart, const MDateTime& lunarBirth, bool leap, int civilDayPillar,
                        const ChartSettings& settings);

// Hour branch of an hour pillar in the 1..12 form (子 1 … 亥 12).
int HourBranch12(int hourPillar);

// Stem of the palace at `branch` in a year of stem yearStem: 寅 takes the stem of the first
// month and the stems go on clockwise, so 子 and 丑 repeat those of 寅 and 卯.
int PalaceStem(int yearStem, int branch);
// The palace's cycle index at `branch`.
int16_t PalacePair(int yearStem, int branch);

// Bureau element 0..4 (金 水 火 土 木) of a Life palace pair: the sound element (纳音) of the pair.
int BureauElement(int lifePair);

// Branch of the Life palace (palace 0) and of the palace with number `palace`.
int LifeBranch(const ChartData& chart);
inline int PalaceBranch(const ChartData& chart, int palace) { return (LifeBranch(chart) - palace + 12) % 12; }
// Palace number standing at `branch`.
int PalaceAt(const ChartData& chart, int branch);

// Life and Body palaces with their stems, the chart kind (0 天盘, 1 地盘: the Body palace
// becomes the Life palace, 2 人盘: the 福德 palace does), the bureau and the 子-year Dou Jun.
// Reads yearPillar and hourPillar; the ring of palaces 1..11 follows the Life palace found
// before the chart-kind substitution until the stars are placed.
void ComputePalaces(ChartData& chart, int chartMonth, uint8_t chartKind);

// Branch of the annual Dou Jun (流年斗君) for the annual year of cycle index annualPillar:
// from that year's branch back by the birth month and on by the birth hour.
int AnnualDouJun(int annualPillar, int chartMonth, int hourPillar);
