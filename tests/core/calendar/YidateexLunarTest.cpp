// Gregorian <-> lunar conversions. Expected dates are those of the official Chinese calendar
// (tests/data/lunar_years_1961_2100.tsv and the published almanacs).
#include "Eph0.h"
#include "Yidateex.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

MDateTime At(int y, int m, int d, int h = 12, int min = 0)
{
    return {static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d), static_cast<int16_t>(h),
            static_cast<int16_t>(min)};
}

struct Lunar {
    int year, month, day;
    bool leap;
    friend bool operator==(const Lunar&, const Lunar&) = default;
};

std::ostream& operator<<(std::ostream& out, const Lunar& l)
{
    return out << l.year << '-' << (l.leap ? "闰" : "") << l.month << '-' << l.day;
}

Lunar ToLunar(MYiDateEx& c, const MDateTime& g)
{
    MDateTime out;
    const bool leap = c.GregorianToLunar(g, out);
    return {out.year, out.month, out.day, leap};
}

// One line of the reference table: a lunar year with its first day and month lengths.
struct LunarYearRow {
    int year;
    MDateTime newYear;
    int leapMonth;
    std::vector<int> lengths;
};

std::vector<LunarYearRow> ReadLunarYears()
{
    std::ifstream in(QIRAVEL_TEST_DATA "/lunar_years_1961_2100.tsv");
    std::vector<LunarYearRow> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        LunarYearRow row;
        std::string date, lengths;
        fields >> row.year >> date >> row.leapMonth >> lengths;
        int y = 0, m = 0, d = 0;
        std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d);
        row.newYear = At(y, m, d);
        std::istringstream list(lengths);
        for (std::string n; std::getline(list, n, ',');) row.lengths.push_back(std::stoi(n));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(GregorianToLunar, OfficialDates)
{
    MYiDateEx c;
    EXPECT_EQ(ToLunar(c, At(2024, 2, 10)), (Lunar{2024, 1, 1, false}));
    EXPECT_EQ(ToLunar(c, At(2024, 2, 9)), (Lunar{2023, 12, 30, false}));
    EXPECT_EQ(ToLunar(c, At(2000, 1, 1)), (Lunar{1999, 11, 25, false}));
    EXPECT_EQ(ToLunar(c, At(2023, 3, 22)), (Lunar{2023, 2, 1, true}));
    EXPECT_EQ(ToLunar(c, At(2033, 12, 22)), (Lunar{2033, 11, 1, true}));
    EXPECT_EQ(ToLunar(c, At(2020, 5, 23)), (Lunar{2020, 4, 1, true}));
    // Before 1960, from the corrected quick formulas.
    EXPECT_EQ(ToLunar(c, At(1912, 2, 18)), (Lunar{1912, 1, 1, false}));
    EXPECT_EQ(ToLunar(c, At(1900, 1, 31)), (Lunar{1900, 1, 1, false}));
    EXPECT_EQ(ToLunar(c, At(1949, 10, 1)), (Lunar{1949, 8, 10, false}));
}

// Months as promulgated before 1901 (the Tang to Qing calendars, tests/data/README.md): the
// leap months of 1651, 1661 and 1727 open on these days, and Julian dates before 1582-10-15.
TEST(GregorianToLunar, HistoricalCalendars)
{
    MYiDateEx c;
    EXPECT_EQ(ToLunar(c, At(1651, 3, 21)), (Lunar{1651, 2, 1, true}));
    EXPECT_EQ(ToLunar(c, At(1661, 8, 25)), (Lunar{1661, 7, 1, true}));
    EXPECT_EQ(ToLunar(c, At(1727, 4, 21)), (Lunar{1727, 3, 1, true}));
    // Months that the calendar of the time began a day before (620-12-29) or after (623-04-06)
    // the quick formula's day.
    EXPECT_EQ(ToLunar(c, At(620, 12, 29)).day, 1);
    EXPECT_EQ(ToLunar(c, At(623, 4, 6)).day, 1);
}

TEST(GregorianToLunar, KeepsTheClockTime)
{
    MYiDateEx c;
    MDateTime out;
    c.GregorianToLunar(At(2024, 2, 10, 23, 59), out);
    EXPECT_EQ(out, At(2024, 1, 1, 23, 59));
}

// Every day of the lunar years 1961..2100 converts to its lunar date, and the first day of
// every month converts back.
TEST(GregorianToLunar, AgreesWithTheOfficialCalendar1961To2100)
{
    const auto rows = ReadLunarYears();
    ASSERT_EQ(rows.size(), 140u);
    MYiDateEx c;
    int mismatches = 0, days = 0;
    int32_t day = int2(c.ToJulianDay(rows.front().newYear));
    for (const LunarYearRow& row : rows) {
        ASSERT_EQ(int2(c.ToJulianDay(row.newYear)), day) << "year " << row.year << " does not follow on";
        ASSERT_EQ(row.lengths.size(), row.leapMonth ? 13u : 12u) << row.year;
        int month = 0;
        for (size_t i = 0; i < row.lengths.size(); ++i) {
            const bool leap = row.leapMonth != 0 && static_cast<int>(i) == row.leapMonth;
            if (!leap) ++month;
            for (int d = 1; d <= row.lengths[i]; ++d, ++day, ++days) {
                const MDateTime g = c.FromJulianDay(day);
                const Lunar want{row.year, month, d, leap};
                const Lunar got = ToLunar(c, g);
                if (got != want && ++mismatches <= 10)
                    ADD_FAILURE() << g.year << '-' << g.month << '-' << g.day << ": " << got << ", want " << want;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(days, 51000);
    // The days of 1961 before its new year close the lunar year 1960.
    EXPECT_EQ(ToLunar(c, At(1961, 2, 14)).year, 1960);
    EXPECT_EQ(ToLunar(c, At(1961, 2, 14)).month, 12);
}

TEST(LunarToGregorian, FirstDaysOfAllMonths1961To2100)
{
    MYiDateEx c;
    int mismatches = 0;
    for (const LunarYearRow& row : ReadLunarYears()) {
        int32_t day = int2(c.ToJulianDay(row.newYear));
        int month = 0;
        for (size_t i = 0; i < row.lengths.size(); ++i) {
            const bool leap = row.leapMonth != 0 && static_cast<int>(i) == row.leapMonth;
            if (!leap) ++month;
            MDateTime out;
            std::string message;
            const bool ok = c.LunarToGregorian(At(row.year, month, 1, 8, 30), out, leap, message);
            const MDateTime want = c.FromJulianDay(day);
            if ((!ok || out != At(want.year, want.month, want.day, 8, 30)) && ++mismatches <= 10)
                ADD_FAILURE() << row.year << (leap ? " 闰" : " ") << month << ": " << out.year << '-' << out.month
                              << '-' << out.day << ' ' << message;
            day += row.lengths[i];
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(LunarToGregorian, KeepsTheLunarClockTime)
{
    MYiDateEx c;
    MDateTime out;
    std::string message;
    ASSERT_TRUE(c.LunarToGregorian(At(2024, 1, 1, 7, 45), out, false, message));
    EXPECT_EQ(out, At(2024, 2, 10, 7, 45));
    ASSERT_TRUE(c.LunarToGregorian(At(2033, 11, 1, 0, 0), out, true, message));
    EXPECT_EQ(out, At(2033, 12, 22, 0, 0));
    EXPECT_TRUE(message.empty());
}

TEST(LunarToGregorian, DatesThatDoNotExist)
{
    MYiDateEx c;
    MDateTime out;
    std::string message;
    // 2024 has no leap month; its first month has 29 days (official calendar).
    EXPECT_FALSE(c.LunarToGregorian(At(2024, 5, 1), out, true, message));
    EXPECT_EQ(message, "不存在这个农历日期，无法转换到公历！");
    message.clear();
    EXPECT_FALSE(c.LunarToGregorian(At(2024, 1, 30), out, false, message));
    EXPECT_EQ(message, kNoSuchLunarDate);
    EXPECT_TRUE(c.LunarToGregorian(At(2024, 1, 29), out, false, message));
    EXPECT_EQ(out, At(2024, 3, 9));
}

// Conversions round-trip in every era of the new-moon and term rules.
TEST(LunarToGregorian, RoundTripsAcrossTheEras)
{
    MYiDateEx c;
    for (const MDateTime& g : {At(-4712, 1, 1), At(-4000, 6, 15), At(-722, 12, 20), At(-500, 3, 1), At(-150, 9, 9),
                               At(-104, 1, 1), At(100, 7, 7), At(619, 2, 1), At(695, 5, 5), At(762, 2, 2),
                               At(1582, 10, 15), At(1645, 9, 20), At(1900, 1, 31), At(1959, 12, 31), At(1960, 1, 1),
                               At(3000, 8, 8), At(9999, 12, 31)}) {
        MDateTime lunar, back;
        std::string message;
        const bool leap = c.GregorianToLunar(g, lunar);
        ASSERT_TRUE(c.LunarToGregorian(lunar, back, leap, message)) << g.year << ' ' << message;
        EXPECT_EQ(back, g) << g.year;
    }
}
