#pragma once
// MYiDateEx: the calendar converter. It keeps a scratch JulianDate and the layout of the last
// lunar year it computed, which every member overwrites, so one object must not be shared
// between threads. All times are Beijing civil time.
#include "Eph0.h"
#include "Lunar.h"
#include "MDateTime.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Names of the 24 solar terms by term index: 0 is 小寒 (sun at 285 degrees), each index 15
// degrees further. Even indexes are the 节 that open the solar months, odd ones the 中气.
extern const std::array<std::string_view, 24> kTermNames;

// One solar term of a year: its Beijing time to the minute, a spare value and the term index.
struct TermRecord {
    MDateTime time;
    int16_t spare = 0;
    int16_t index = 0;
};
// time.year of the record that ends a term list.
inline constexpr int16_t kTermListEnd = -5000;

// Clock-time kinds of a birth time.
inline constexpr int kClockBeijing = 0;    // Beijing standard time, as entered
inline constexpr int kClockTrueSolar = 1;  // apparent solar time of the birth place
inline constexpr int kClockLocalMean = 2;  // mean solar time of the birth place

// Failure text of LunarToGregorian.
inline constexpr std::string_view kNoSuchLunarDate = "不存在这个农历日期，无法转换到公历！";

class MYiDateEx {
public:
    // JD of a Beijing date-time at second 1 (day-level operations take int2 of the JD at 12:00:01).
    double ToJulianDay(const MDateTime& t);

    // Date-time of a JD, rounded to the minute: seconds 0..30 are dropped, 31..59 carry into
    // the next minute (and on into hour, day, month and year).
    MDateTime FromJulianDay(double jd);

    // The same clock time one day later.
    void NextDay(MDateTime& t);

    // False for 1582-10-05..14 and for a day beyond the length of its month (Julian leap years
    // up to 1582, Gregorian ones after). Does not check day < 1 or the month range.
    bool DateExists(const MDateTime& t);

    // Days in t's month (October 1582 has 21), or 0 when t's date does not exist.
    int DaysInMonth(const MDateTime& t);

    // 0 = Sunday .. 6 = Saturday.
    int Weekday(const MDateTime& t);

    // Cycle index of the civil day of t.
    int DayCycleIndex(const MDateTime& t);

    int16_t CycleIndex(int stem, int16_t branch) const;

    // x rounded to n decimals; an exact half goes to the lower value (2.5 -> 2, -2.5 -> -3).
    static double RoundTo(double x, int n);

    // Lunar date of a Gregorian (Julian before 1582-10-15) date, years -4712..9999: lunar year
    // number, month 1..12 and day 1..30 in `out`, hour and minute copied. Returns the leap flag.
    bool GregorianToLunar(const MDateTime& g, MDateTime& out);

    // Gregorian date of a lunar date and leap flag, with the lunar hour and minute. Searches at
    // most 181 days from the lunar numbers read as a Gregorian date; false with
    // kNoSuchLunarDate in `message` when the date does not exist (day 30 of a short month, a
    // leap month the year lacks).
    bool LunarToGregorian(const MDateTime& l, MDateTime& out, bool leap, std::string& message);

    // Beijing time, to the minute, of the 节 (isJie) or 中气 of Gregorian month `month` of
    // `year`: month 1 gives 小寒 or 大寒, month 2 立春 or 雨水, ... (precise ephemeris).
    void TermTime(int16_t year, int16_t month, bool isJie, MDateTime& out);

    // Branch index (亥 = 0, 子 = 1, ...) of the solar month that holds t: 立春..惊蛰 is 寅 (3),
    // 小寒..立春 丑 (2). `out` receives the 节 that opens the month, its 中气 and the next 节,
    // five values (year, month, day, hour, minute) each.
    int SolarMonth(const MDateTime& t, std::array<int16_t, 15>& out);

    // The solar terms whose Beijing time falls in Gregorian year `year` (24 in a full year,
    // 小寒 first; none past 9999), followed by a record with year kTermListEnd.
    void YearTerms(int year, std::vector<TermRecord>& out);

    // Chinese number words: 一..九, 十, 十一..十九, 二十, 廿一..廿九, 三十; other numbers digit by
    // digit (一九八四, 三一, 前五 for -5, ○○○○ for 0).
    static std::string NumberName(int16_t n);

    // "正月", "二月" .. "十二月", "闰" before a leap month.
    static std::string LunarMonthLabel(int month, bool leap);
    // "初一" .. "初十", "十一" .. "十九", "二十", "廿一" .. "廿九", "三十".
    static std::string LunarDayLabel(int day);

    // Cycle index of the year that begins at the minute of 立春 and holds t.
    int YearPillarIndex(const MDateTime& t);
    // Cycle index of the solar month with branch index `branch` (from SolarMonth) in the year
    // with cycle index yearIndex: the 寅 month of a 甲 or 己 year is 丙寅.
    static int MonthPillarIndex(int yearIndex, int branch);

    // Equation of time (apparent minus mean solar time) in seconds at Beijing time t.
    double EquationOfTimeSeconds(const MDateTime& t);

    // Turns Beijing time t into the local mean time (kClockLocalMean) or true solar time
    // (kClockTrueSolar) at `longitude` (degrees east), rounded to the minute; the date may move.
    // Returns the equation of time used, in whole seconds (0 for local mean time). Beijing time
    // (kClockBeijing) and unknown kinds leave t unchanged.
    int ApplyClockKind(float longitude, MDateTime& t, int kind);

    // Seconds by which local mean time at `longitude` (degrees east, as stored in a float) is
    // behind Beijing time: four minutes a degree west of 120 degrees, rounded down.
    static int MeridianSeconds(float longitude);

protected:
    // JD number of t's civil date: int2 of the JD at 12:00:01.
    int DayJd(const MDateTime& t);

    // Lunar date of day number d from the year layout (ComputeYear(d) must have run).
    struct LunarDay {
        int year;
        int month;
        int day;
        bool leap;
    };
    LunarDay LunarDayOf(int32_t d) const;

    // JD (Beijing time) at which the sun's apparent longitude lies `degrees` past the March
    // equinox of `year`: -75 is 小寒, -45 立春 and 270 冬至 of that year (precise ephemeris).
    double TermJd(int year, int degrees) const;

    SSQ_class ssq_;
    JulianDate scratch_;
};
