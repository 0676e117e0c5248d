#pragma once
// MAlmanac: the month pages of the perpetual calendar. A page is the month as the calendar
// window shows it: a seven-column grid from Monday with the Gregorian day numbers, the lunar
// date of each day, the solar terms of the month with their Beijing times, and for a chosen
// day and hour the four pillars and the era names of the year. Years are stored
// (astronomical) numbers, -4712..9999. Like MYiDateEx it keeps scratch state: one object per
// thread.
#include "Lunar.h"
#include "MDateTime.h"
#include "Yidateex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// First and last stored year of the calendar.
inline constexpr int kAlmanacFirstYear = HistoricalToStoredYear(kFirstHistoricalYear);  // -4712
inline constexpr int kAlmanacLastYear = kLastYear;

// One existing day of a month page.
struct AlmanacDay {
    int16_t day = 0;      // Gregorian day number; in October 1582, 15 follows 4
    int16_t row = 0;      // grid row, 0 for the week holding day 1 (weekday header not counted)
    int16_t column = 0;   // 0 = Monday .. 6 = Sunday
    MDateTime lunar;      // lunar year (stored), month and day
    bool leap = false;    // lunar month is a leap month
    std::string lunarLabel;  // "正月初一", "闰二月十五", "十一月廿九"
    int16_t term = -1;    // index (0 = 小寒) of the solar term falling on this day, -1 for none
};

// A solar term of the month.
struct AlmanacTerm {
    int16_t index = 0;  // 0 = 小寒 .. 23 = 冬至
    MDateTime time;     // Beijing time to the minute
};

struct AlmanacMonth {
    int16_t year = 0;         // stored
    int16_t month = 0;        // 1..12
    int16_t firstColumn = 0;  // column of the first day
    int16_t rows = 0;         // week rows the days take, 3..6
    std::vector<AlmanacDay> days;    // every existing day, in order (21 in October 1582)
    std::vector<AlmanacTerm> terms;  // the month's terms in time order (one to three)

    // Day number in grid cell (row, column) or 0 when the cell is empty.
    int16_t DayAt(int row, int column) const;
    // The cell of a day number, nullptr when the month lacks it.
    const AlmanacDay* Find(int day) const;
};

// The four pillars of a chosen date and hour, as cycle indexes (1 = 甲子, 0 = 癸亥).
struct AlmanacPillars {
    int year = 0;     // the year opened by 立春 at its minute
    int month = 0;    // the solar month opened by its 节
    int day = 0;      // from 23:00 the next day's pillar
    int hour = 0;     // 23:00 is the 子 hour of the next day
    int16_t pillarYear = 0;  // stored year whose 立春 opened the year pillar
};

struct YearMonth {
    int16_t year = 0;  // stored
    int16_t month = 0;
    friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

class MAlmanac {
public:
    // True when the stored year and the month lie in the calendar's range.
    static bool InRange(int storedYear, int month);

    // Days of the month of t (21 for October 1582), or 0 when t's day does not exist in it.
    int DaysInMonth(const MDateTime& t);

    // The page of a month; false (and `out` untouched) outside the range.
    bool Month(int storedYear, int month, AlmanacMonth& out);

    // The pillars of a date-time that exists; the 23:00 rule applies.
    AlmanacPillars Pillars(const MDateTime& t);

    // The era names of the stored year with the animal of the year pillar, as the window's
    // year line: "[清] 德宗 载湉 光绪十年  【猴年】"-like text from the era table.
    std::string EraLine(const AlmanacPillars& pillars) const;

    // The month `delta` (-1 or +1) months away, or nullopt beyond -4713 January or 9999
    // December. The year steps over 0: from -1 December (stored 0) to 1 January.
    static std::optional<YearMonth> StepMonth(int storedYear, int month, int delta);

private:
    const std::vector<TermRecord>& YearTermsOf(int storedYear);

    MYiDateEx calendar_;
    obb_class eras_;
    std::vector<TermRecord> yearTerms_;
    int termsYear_ = 0;
    bool haveTerms_ = false;
};

// Wording of the page, one function per text so each is worded in one place.

// "立春:4日16时27分": a term with its day and its time to the minute.
std::string TermText(const AlmanacTerm& term);
// The terms of the month, one TermText a paragraph with a blank line between.
std::string TermsMemo(const AlmanacMonth& page);
// "甲辰年\n丙寅月\n甲子日\n甲子时".
std::string PillarsMemo(const AlmanacPillars& pillars);
// "2024年2月", "-1年12月": the window's title with the historical year.
std::string MonthTitle(int storedYear, int month);
