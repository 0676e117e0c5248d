#pragma once
// The records that pass in and out of the chart engine. All but ChartInput, whose texts are
// strings so that no buffer can cut a character, are plain data without pointers, zero-filled
// and copied whole.
//
// Numbering used by all chart code:
//   stem 0..9 (0 癸, 1 甲 … 9 壬), branch 0..11 (0 亥, 1 子 … 11 戌), cycle index 0..59;
//   palace k stands at branch (life − k) mod 12, so the palaces run counter-clockwise;
//   star identifiers 1..61 (1..14 main stars), overlay stars 1..9 (annual) and 51..57 (decade);
//   transformation kinds 1 禄, 2 权, 3 科, 4 忌; bureau elements 0 金 1 水 2 火 3 土 4 木.
#include "MDateTime.h"

#include <cstdint>
#include <string>

constexpr int kPalaceCount = 12;
constexpr int kStarCount = 61;
constexpr int kStarSlots = 13;      // the thirteenth slot always stays empty
constexpr int kMaxStarsInPalace = 12;
constexpr int kMarkSlots = 3;

enum class ChartKind : uint8_t { Heaven = 0, Earth = 1, Human = 2 };  // 天盘, 地盘, 人盘

struct ChartInput {
    std::string place;         // "province-city" or "未知地", UTF-8 (at most 50 GBK bytes)
    std::string name;          // UTF-8; at most 8 GBK bytes
    MDateTime birth{};         // astronomical year; Gregorian/Julian unless isLunar
    uint8_t isLunar = 0;       // birth is a lunar date
    uint8_t isLeap = 0;        // the lunar month is the leap one (read only when isLunar)
    uint8_t isMale = 1;
    int16_t provinceIndex = 0;
    int16_t cityIndex = 0;
    float longitude = 120.0f;  // degrees east, for the clock-time correction
    float latitude = 0.0f;     // degrees north, carried only
    uint8_t chartKind = 0;     // ChartKind
};

// Stars of one palace in placement order.
struct StarList {
    uint8_t stars[kStarSlots] = {};
    uint8_t count = 0;

    // Appends a star; a star beyond the twelfth is dropped.
    void Add(uint8_t star)
    {
        if (count < kMaxStarsInPalace) stars[count++] = star;
    }
    bool Contains(uint8_t star) const
    {
        for (int i = 0; i < count; ++i)
            if (stars[i] == star) return true;
        return false;
    }
};

// Transformation marks drawn in one palace for one layer.
struct MarkList {
    struct Entry {
        int16_t slot = 0;  // position of the transformed star in the palace's StarList
        int16_t kind = 0;  // 1..4
    };
    uint8_t count = 0;
    Entry entries[kMarkSlots] = {};

    void Add(int16_t slot, int16_t kind)
    {
        if (count < kMarkSlots) entries[count++] = {slot, kind};
    }
};

enum MarkLayer { kNatalMarks = 0, kDecadeMarks = 1, kAnnualMarks = 2 };

struct PalaceRecord {
    int16_t stemBranch = 0;   // cycle index of the palace
    int16_t decadeStart = 0;  // first nominal age of the palace's decade (runs 10 years)
    StarList stars;
    MarkList marks[3];        // indexed by MarkLayer
};

struct ChartData {
    int16_t baziYear = 0;     // year pillar changing at 立春
    int16_t baziMonth = 0;    // month pillar by solar terms
    int16_t baziDay = 0;
    int16_t baziHour = 0;
    int16_t yearPillar = 0;   // cycle index of the lunar year
    int16_t monthPillar = 0;  // of the chart month
    int16_t dayPillar = 0;
    int16_t hourPillar = 0;
    PalaceRecord palaces[kPalaceCount];  // by palace number
    int16_t bodyPalace = 0;   // cycle index of the Body palace
    int16_t bureau = 0;       // 2..6
    int16_t bureauElement = 0;
    int16_t annualAge = 0;    // nominal age of the current annual chart, 0 after a natal cast
    int16_t douJun = 0;       // branch of the 子-year Dou Jun
};

// The annual chart asked for on top of a natal chart; cleared at the start of every annual cast.
struct AnnualData {
    MDateTime annualDate{};     // solar date-time asked for, after the clock-time correction
    MDateTime annualLunar{};    // its lunar date-time after the correction and the 23:00 rule
    int16_t annualMonth = 0;    // annualLunar.month after the leap-month rule, 1..12
    int16_t annualPillar = 0;   // cycle index of the annual year
    uint8_t annualLeap = 0;     // annualLunar's month is a leap month
    int16_t monthLength = 0;    // 29 or 30, the length of the annual lunar month
    double annualJD = 0;        // Julian day of the date-time as asked for (before correction)
    int16_t minorLimit = 0;     // branch of the minor limit (小限)
    int16_t annualDouJun = 0;   // branch of the annual Dou Jun (流年斗君)
    uint8_t dailyHourly = 0;    // lay out the days and hours (流日流时)
};

// The twelve chart options of section "ziwei" of dat/set.ini.
struct ChartSettings {
    uint8_t tg5 = 0;       // 戊 transformations: 0 贪阴弼机, 1 贪阴阳机
    uint8_t tg7 = 0;       // 庚: 0 阳武同阴, 1 阳武阴同, 2 阳武府同
    uint8_t tg9 = 0;       // 壬: 0 梁紫辅武, 1 梁紫府武
    uint8_t tm = 0;        // 天马: 0 by birth month, 1 by birth year
    uint8_t run = 0;       // leap month: 0 next month, 1 same month, 2 split at day 15
    uint8_t showfu = 1;    // place stars 27..61 when not 0
    uint8_t showxiao = 1;  // show the 博士, 将星 and 岁建 names when exactly 1
    uint8_t idate = 0;     // clock kind: 0 Beijing, 1 true solar, 2 local mean
    uint8_t save = 0;      // offer to save after a natal cast
    int32_t ileft = 0;     // first-line indent of report paragraphs, points
    uint8_t zishi = 0;     // 23:xx keeps its own day (with the next day's 子 hour)
    uint8_t miaoxian = 0;  // grade table: 0 first, other second
};
