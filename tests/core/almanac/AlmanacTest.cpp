// Month pages of the perpetual calendar, checked against the civil calendar and published
// almanac facts.
#include "Almanac.h"
#include "Sexagenary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

AlmanacMonth Page(int historicalYear, int month)
{
    MAlmanac almanac;
    AlmanacMonth page;
    EXPECT_TRUE(almanac.Month(HistoricalToStoredYear(historicalYear), month, page));
    return page;
}

std::string Label(const AlmanacMonth& page, int day)
{
    const AlmanacDay* d = page.Find(day);
    return d ? d->lunarLabel : "(none)";
}

}  // namespace

// The Gregorian reform: Thursday 4 October 1582 (Julian) was followed by Friday 15 October.
TEST(AlmanacMonth, October1582Has21DaysWith15AfterThe4th)
{
    const AlmanacMonth page = Page(1582, 10);
    ASSERT_EQ(page.days.size(), 21u);
    EXPECT_EQ(page.firstColumn, 0);  // 1 October 1582 was a Monday
    EXPECT_EQ(page.days[3].day, 4);
    EXPECT_EQ(page.days[3].column, 3);  // Thursday
    EXPECT_EQ(page.days[4].day, 15);
    EXPECT_EQ(page.days[4].column, 4);  // Friday, the next cell
    EXPECT_EQ(page.days.back().day, 31);
    EXPECT_EQ(page.rows, 3);
    EXPECT_EQ(page.DayAt(0, 4), 15);
    for (int missing = 5; missing <= 14; ++missing) EXPECT_EQ(page.Find(missing), nullptr) << missing;
    // Consecutive cells are consecutive lunar days across the gap.
    EXPECT_EQ(page.days[4].lunar.day, page.days[3].lunar.day + 1);
}

// 2262 is the next year with a leap first month: 正月初一 on 21 January, 闰正月初一 on
// 20 February (published almanac tables).
TEST(AlmanacMonth, LeapFirstMonth)
{
    const AlmanacMonth january = Page(2262, 1);
    EXPECT_EQ(Label(january, 21), "正月初一");
    const AlmanacMonth february = Page(2262, 2);
    EXPECT_EQ(Label(february, 19), "正月三十");
    EXPECT_EQ(Label(february, 20), "闰正月初一");
    EXPECT_TRUE(february.Find(20)->leap);
    EXPECT_EQ(Label(february, 28), "闰正月初九");
}

// Official calendar: 2023 had 闰二月 from 22 March; 2024's 立春 was 4 February 16:27 and
// 雨水 19 February 12:13, 春节 10 February.
TEST(AlmanacMonth, LabelsAndTermsOfTheOfficialCalendar)
{
    const struct {
        int year, month, day;
        const char* label;
    } rows[] = {
        {2023, 3, 21, "二月三十"}, {2023, 3, 22, "闰二月初一"}, {2023, 4, 19, "闰二月廿九"},
        {2023, 4, 20, "三月初一"}, {2024, 2, 9, "十二月三十"}, {2024, 2, 10, "正月初一"},
        {2024, 12, 1, "十一月初一"},
    };
    for (const auto& r : rows) EXPECT_EQ(Label(Page(r.year, r.month), r.day), r.label) << r.year << '-' << r.month << '-' << r.day;

    const AlmanacMonth page = Page(2024, 2);
    ASSERT_EQ(page.terms.size(), 2u);
    EXPECT_EQ(TermText(page.terms[0]), "立春:4日16时27分");
    EXPECT_EQ(TermText(page.terms[1]), "雨水:19日12时13分");
    EXPECT_EQ(TermsMemo(page), "立春:4日16时27分\n\n雨水:19日12时13分");
    EXPECT_EQ(page.Find(4)->term, 2);
    EXPECT_EQ(page.Find(19)->term, 3);
    EXPECT_EQ(page.Find(5)->term, -1);
}

// 1 October 2023 was a Sunday: day 1 in the last column, 31 days over six rows.
TEST(AlmanacMonth, MonthStartingOnSundayUsesSixRows)
{
    const AlmanacMonth page = Page(2023, 10);
    EXPECT_EQ(page.firstColumn, 6);
    EXPECT_EQ(page.rows, 6);
    EXPECT_EQ(page.DayAt(0, 6), 1);
    EXPECT_EQ(page.DayAt(5, 1), 31);  // Tuesday 31 October
    EXPECT_EQ(page.DayAt(0, 5), 0);
    EXPECT_EQ(page.DayAt(5, 2), 0);
    // February 2021 began on a Monday and fills exactly four rows.
    EXPECT_EQ(Page(2021, 2).rows, 4);
}

TEST(AlmanacMonth, RangeEnds)
{
    MAlmanac almanac;
    AlmanacMonth page;
    EXPECT_TRUE(almanac.Month(-4712, 1, page));  // 4713 BC January
    EXPECT_EQ(page.days.size(), 31u);
    EXPECT_EQ(page.firstColumn, 0);  // JD 0.5 (1 January 4713 BC at noon) was a Monday
    EXPECT_FALSE(page.terms.empty());
    EXPECT_TRUE(almanac.Month(9999, 12, page));
    EXPECT_EQ(page.days.size(), 31u);
    EXPECT_EQ(page.terms.size(), 2u);  // 大雪 and 冬至
    for (const AlmanacDay& d : page.days) EXPECT_FALSE(d.lunarLabel.empty());

    EXPECT_FALSE(almanac.Month(-4713, 12, page));
    EXPECT_FALSE(almanac.Month(10000, 1, page));
    EXPECT_FALSE(almanac.Month(2024, 0, page));
    EXPECT_FALSE(almanac.Month(2024, 13, page));
    EXPECT_EQ(page.year, 9999);  // a refused page leaves the last one
}

TEST(AlmanacMonth, StepMonth)
{
    const struct {
        int year, month, delta;
        std::optional<YearMonth> expected;
    } rows[] = {
        {-4712, 1, -1, std::nullopt},
        {-4712, 1, 1, YearMonth{-4712, 2}},
        {9999, 12, 1, std::nullopt},
        {9999, 12, -1, YearMonth{9999, 11}},
        {0, 12, 1, YearMonth{1, 1}},    // -1 December to 1 January
        {1, 1, -1, YearMonth{0, 12}},   // and back
        {2024, 3, -1, YearMonth{2024, 2}},
    };
    for (const auto& r : rows) EXPECT_EQ(MAlmanac::StepMonth(r.year, r.month, r.delta), r.expected) << r.year << ' ' << r.month;
}

TEST(AlmanacMonth, DaysInMonth)
{
    MAlmanac almanac;
    const struct {
        MDateTime t;
        int days;
    } rows[] = {
        {{0, 2, 29, 0, 0}, 29},      // -1 (1 BC) is a Julian leap year
        {{1900, 2, 29, 0, 0}, 0},    // Gregorian: not a leap year
        {{1500, 2, 29, 0, 0}, 29},   // Julian: a leap year
        {{1582, 10, 10, 0, 0}, 0},
        {{1582, 10, 15, 0, 0}, 21},
        {{2024, 4, 31, 0, 0}, 0},
        {{10000, 1, 1, 0, 0}, 0},
        {{2024, 1, 0, 0, 0}, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(almanac.DaysInMonth(r.t), r.days) << r.t.year << '-' << r.t.month << '-' << r.t.day;
}

// Pillars of the almanac: 1 January 2000 is a 戊午 day in the 丙子 month of 己卯 (before 立春);
// 10 February 2024 is 甲辰 year, 丙寅 month, 甲辰 day.
TEST(AlmanacPillars, Hour23BelongsToTheNextDay)
{
    MAlmanac almanac;
    const struct {
        MDateTime t;
        const char* memo;
        int pillarYear;
    } rows[] = {
        {{2000, 1, 1, 12, 0}, "己卯年\n丙子月\n戊午日\n戊午时", 1999},
        {{2000, 1, 1, 22, 59}, "己卯年\n丙子月\n戊午日\n癸亥时", 1999},
        {{2000, 1, 1, 23, 0}, "己卯年\n丙子月\n己未日\n甲子时", 1999},
        {{2024, 2, 10, 23, 30}, "甲辰年\n丙寅月\n乙巳日\n丙子时", 2024},
        {{2024, 2, 4, 16, 26}, "癸卯年\n乙丑月\n戊戌日\n庚申时", 2023},
        // 立春 2024 fell at 16:27:06 (printed 16:27): its minute opens the new year and the 寅 month
        // together, although the exact instant is six seconds later.
        {{2024, 2, 4, 16, 27}, "甲辰年\n丙寅月\n戊戌日\n庚申时", 2024},
    };
    for (const auto& r : rows) {
        const AlmanacPillars p = almanac.Pillars(r.t);
        EXPECT_EQ(PillarsMemo(p), r.memo) << r.t.year << '-' << r.t.month << '-' << r.t.day << ' ' << r.t.hour;
        EXPECT_EQ(p.pillarYear, r.pillarYear);
    }
}

TEST(AlmanacPillars, EraLineAndTitle)
{
    MAlmanac almanac;
    // 1 February 1912 is before 立春: still 辛亥, the last year of 宣统 (宣统三年).
    const AlmanacPillars p = almanac.Pillars({1912, 2, 1, 12, 0});
    const std::string line = almanac.EraLine(p);
    EXPECT_NE(line.find("宣统3年"), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with("  【猪年】")) << line;
    EXPECT_EQ(almanac.EraLine(almanac.Pillars({-4712, 1, 1, 12, 0})), "  【猪年】");  // before 立春 of 4713 BC: 4714 BC, 丁亥 (4 CE is 甲子), before any era
    EXPECT_EQ(MonthTitle(2024, 2), "2024年2月");
    EXPECT_EQ(MonthTitle(0, 12), "-1年12月");
    EXPECT_EQ(MonthTitle(-4712, 1), "-4713年1月");
}
