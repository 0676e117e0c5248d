// New moons and solar terms before 1960: the mean-value tables, the corrected quick formulas and
// the historical month numbering. Official dates are those of the calendars in force: the
// correction lists in tests/data (the month starts promulgated from 619 to 1900, the Qing terms
// of 1645-1733, the official calendar of 1901-1959) and the almanacs of 1900-1959.
#include "Eph.h"
#include "Eph0.h"
#include "Lunar.h"
#include "LunarData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Day number (days from 2000-01-01) of a Gregorian (Julian before 1582-10-15) date.
int32_t DayNumber(int y, int m, int d) { return int2(CalendarToJd(y, m, d) + 0.5) - 2451545; }

struct Correction {
    std::string kind;
    int index;
    char digit;
    int year, month, day;
};

// The rows of both correction lists, the historical one first.
std::vector<Correction> ReadCorrections()
{
    std::vector<Correction> rows;
    for (const char* name : {"/calendar_corrections_619_1900.tsv", "/calendar_corrections_1901_1959.tsv"}) {
        std::ifstream in(std::string(QIRAVEL_TEST_DATA) + name);
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            Correction c;
            std::string digit, date;
            std::getline(fields, c.kind, '\t');
            fields >> c.index >> digit >> date;
            c.digit = digit.at(0);
            std::sscanf(date.c_str(), "%d-%d-%d", &c.year, &c.month, &c.day);
            rows.push_back(c);
        }
    }
    return rows;
}

}  // namespace

TEST(SSQDecode, RunLettersExpandToDigits)
{
    EXPECT_EQ(SSQ_class::DecodeCorrections("J"), "00");
    EXPECT_EQ(SSQ_class::DecodeCorrections("t"), "02");
    EXPECT_EQ(SSQ_class::DecodeCorrections("l"), "0000000002");
    EXPECT_EQ(SSQ_class::DecodeCorrections("k"), "01");
    EXPECT_EQ(SSQ_class::DecodeCorrections("h"), "001001");
    EXPECT_EQ(SSQ_class::DecodeCorrections("a"), "0000000001");
    EXPECT_EQ(SSQ_class::DecodeCorrections("A"), std::string(60, '0'));
    EXPECT_EQ(SSQ_class::DecodeCorrections("F"), std::string(10, '0'));
    // Plain digits pass through; letters are case-sensitive and runs mix with digits.
    EXPECT_EQ(SSQ_class::DecodeCorrections("102"), "102");
    EXPECT_EQ(SSQ_class::DecodeCorrections("1Jj2E"), "1" "00" "0101" "2" + std::string(20, '0'));
    EXPECT_EQ(SSQ_class::DecodeCorrections("Kz"), "Kz");
    EXPECT_EQ(SSQ_class::DecodeCorrections(""), "");
}

TEST(SSQCorrections, DecodedOnceFromTheStoredTexts)
{
    const SSQ_class ssq;
    EXPECT_EQ(ssq.NewMoonCorrections(), SSQ_class::DecodeCorrections(StoredNewMoonCorrections()));
    EXPECT_EQ(ssq.TermCorrections(), SSQ_class::DecodeCorrections(StoredTermCorrections()));
    const SSQ_class encoded("1JA", "t");
    EXPECT_EQ(encoded.NewMoonCorrections(), "100" + std::string(60, '0'));
    EXPECT_EQ(encoded.TermCorrections(), "02");
}

// Each corrected event falls on its official date (a 朔 row's date opens a month, a 气 row's
// term falls on it), and without its correction digit it would fall one day off in the digit's
// direction. Dates before 1582-10-15 are Julian.
TEST(SSQCorrections, EventsFallOnTheirOfficialDates)
{
    SSQ_class corrected;
    SSQ_class uncorrected("", "");
    const auto rows = ReadCorrections();
    EXPECT_EQ(rows.size(), 2073u + 20u);
    for (const Correction& c : rows) {
        const int32_t official = DayNumber(c.year, c.month, c.day);
        corrected.ComputeYear(official);
        uncorrected.ComputeYear(official);
        const bool term = c.kind == "气";
        const auto contains = [&](const SSQ_class& s, int32_t day) {
            if (term) return std::find(s.Terms.begin(), s.Terms.end(), day) != s.Terms.end();
            return std::find(s.NewMoons.begin(), s.NewMoons.end(), day) != s.NewMoons.end();
        };
        EXPECT_TRUE(contains(corrected, official)) << c.kind << ' ' << c.year << '-' << c.month << '-' << c.day;
        EXPECT_FALSE(contains(uncorrected, official)) << c.kind << ' ' << c.year << '-' << c.month << '-' << c.day;
        EXPECT_TRUE(contains(uncorrected, official + (c.digit == '1' ? -1 : 1))) << c.year << '-' << c.month;
    }
}

// A correction text shorter than its era is read as "0" past its end.
TEST(SSQCorrections, ShortTextLeavesLaterEventsUncorrected)
{
    const SSQ_class full;
    const SSQ_class shortTexts("1", "2");
    const SSQ_class none("", "");
    // New moon 1957-03-02 (event 16551, digit 1) and term 1951-12-23 (event 7351, digit 1).
    const double newMoon = DayNumber(1957, 3, 2);
    const double term = DayNumber(1951, 12, 23);
    EXPECT_EQ(full.EventDay(newMoon, kNewMoonKind), DayNumber(1957, 3, 2));
    EXPECT_EQ(shortTexts.EventDay(newMoon, kNewMoonKind), none.EventDay(newMoon, kNewMoonKind));
    EXPECT_EQ(shortTexts.EventDay(term, kTermKind), none.EventDay(term, kTermKind));
    EXPECT_EQ(none.EventDay(newMoon, kNewMoonKind), DayNumber(1957, 3, 1));
    // The first events of each era do take the short texts' digits.
    const double firstNewMoon = 1947154 + 1 - eph::kJ2000;
    const double firstTerm = 2322140.76 + 1 - eph::kJ2000;
    EXPECT_EQ(shortTexts.EventDay(firstNewMoon, kNewMoonKind), none.EventDay(firstNewMoon, kNewMoonKind) + 1);
    EXPECT_EQ(shortTexts.EventDay(firstTerm, kTermKind), none.EventDay(firstTerm, kTermKind) - 1);
}

TEST(SSQEventDay, MeanValueEra)
{
    const SSQ_class ssq;
    // The new moon that the mean values put on JD 1683460 (-103-01-23) is taken a day later.
    EXPECT_EQ(ssq.EventDay(1683460 - eph::kJ2000, kNewMoonKind), 1683461 - 2451545);
    // A day later estimate selects the same new moon.
    EXPECT_EQ(ssq.EventDay(1683461 - eph::kJ2000, kNewMoonKind), 1683461 - 2451545);
    // Terms of the first reckoning: epoch plus whole periods, rounded to the day.
    const double epoch = 1640650.479938, period = 15.218425;
    EXPECT_EQ(ssq.EventDay(epoch + 10 * period - eph::kJ2000, kTermKind),
              int2(epoch + 10 * period + 0.5) - 2451545);
}

TEST(SSQEventDay, CorrectedEraUsesTheQuickFormula)
{
    const SSQ_class ssq;
    // Just before 1960-01-01 12:00 (JD 2436935) the quick formula decides.
    const double j = 2436934.9;
    const double w = int2((j + 14 - 2451551) / 29.5306) * eph::kTwoPi;
    EXPECT_EQ(ssq.EventDay(j - eph::kJ2000, kNewMoonKind), int2(SSQ_class::NewMoonTimeLow(w) + 0.5));
    const double wTerm = int2((j + 7 - 2451259) / 365.2422 * 24) * eph::kPi / 12;
    EXPECT_EQ(ssq.EventDay(j - eph::kJ2000, kTermKind), int2(SSQ_class::TermTimeLow(wTerm) + 0.5));
}

// From 1960-01-01 12:00 (JD 2436935) the ephemeris decides.
TEST(SSQEventDay, EphemerisFrom1960)
{
    const SSQ_class ssq;
    const double j = 2436935;
    const double w = int2((j + 14 - 2451551) / 29.5306) * eph::kTwoPi;
    EXPECT_EQ(ssq.EventDay(j - eph::kJ2000, kNewMoonKind), int2(SSQ_class::NewMoonTimeHigh(w) + 0.5));
    const double wTerm = int2((j + 7 - 2451259) / 365.2422 * 24) * eph::kPi / 12;
    EXPECT_EQ(ssq.EventDay(j - eph::kJ2000, kTermKind), int2(SSQ_class::TermTimeHigh(wTerm) + 0.5));
}

// The new moons of 2057-09-29 and 2097-08-08 (official calendar) fall just after Beijing
// midnight; with ΔT extrapolated far above its measured course they came out on the day before.
TEST(SSQEventDay, NewMoonsJustAfterMidnightKeepTheirOfficialDays)
{
    const SSQ_class ssq;
    for (const int32_t official : {DayNumber(2057, 9, 29), DayNumber(2097, 8, 8)}) {
        EXPECT_EQ(ssq.EventDay(official - 1, kNewMoonKind), official);
        EXPECT_EQ(ssq.EventDay(official, kNewMoonKind), official);
        const double w = int2((official + eph::kJ2000 + 14 - 2451551) / 29.5306) * eph::kTwoPi;
        const double afterMidnight = SSQ_class::NewMoonTimeHigh(w) + 0.5 - official;
        EXPECT_GT(afterMidnight, 0) << official;
        EXPECT_LT(afterMidnight, 120 / 86400.0) << official;
    }
}

// Leap months of the official calendar, 1900-1959 (the month that the leap month repeats).
TEST(SSQComputeYear, LeapMonthsOfTheCorrectedEra)
{
    const std::map<int, int> leapMonths = {{1900, 8}, {1903, 5}, {1906, 4}, {1909, 2}, {1911, 6}, {1914, 5},
                                           {1917, 2}, {1919, 7}, {1922, 5}, {1925, 4}, {1928, 2}, {1930, 6},
                                           {1933, 5}, {1936, 3}, {1938, 7}, {1941, 6}, {1944, 4}, {1947, 2},
                                           {1949, 7}, {1952, 5}, {1955, 3}, {1957, 8}};
    SSQ_class ssq;
    for (int year = 1900; year <= 1959; ++year) {
        // The lunar year's months all lie between the solstices of year-1 and year.
        ssq.ComputeYear(DayNumber(year, 7, 1));
        const auto it = leapMonths.find(year);
        if (it == leapMonths.end()) {
            EXPECT_TRUE(ssq.LeapIndex == 0 || ssq.NewMoons[ssq.LeapIndex] < DayNumber(year, 1, 1) ||
                        ssq.NewMoons[ssq.LeapIndex] > DayNumber(year + 1, 1, 20))
                << year;
            continue;
        }
        ASSERT_NE(ssq.LeapIndex, 0) << year;
        EXPECT_EQ(ssq.MonthNumbers[ssq.LeapIndex], it->second) << year;
        EXPECT_EQ(ssq.MonthNumbers[ssq.LeapIndex - 1], it->second) << year;
    }
}

// Leap months that the Qing term rows decide (1651, 1661, 1727) and the two that rest on the
// inferred term rows 处暑 1805-08-24 and 雨水 1890-02-18 (1805, 1890): the month the leap month
// repeats, as promulgated. Without the term corrections each leap month lands elsewhere.
TEST(SSQComputeYear, LeapMonthsThatTheTermCorrectionsDecide)
{
    const std::map<int, int> leapMonths = {{1651, 2}, {1661, 7}, {1727, 3}, {1805, 6}, {1890, 2}};
    SSQ_class ssq;
    SSQ_class withoutTermCorrections(StoredNewMoonCorrections(), "");
    for (const auto& [year, month] : leapMonths) {
        ssq.ComputeYear(DayNumber(year, 7, 1));
        ASSERT_NE(ssq.LeapIndex, 0) << year;
        EXPECT_EQ(ssq.MonthNumbers[ssq.LeapIndex], month) << year;
        EXPECT_EQ(ssq.MonthNumbers[ssq.LeapIndex - 1], month) << year;
        withoutTermCorrections.ComputeYear(DayNumber(year, 7, 1));
        EXPECT_TRUE(withoutTermCorrections.LeapIndex == 0 ||
                    withoutTermCorrections.NewMoons[withoutTermCorrections.LeapIndex] !=
                        ssq.NewMoons[ssq.LeapIndex])
            << year;
    }
}

// Empress Wu's calendar (689-700): the solstice month is 正月 and the month two after it is
// numbered 1 as well; 腊月 (12) lies between them.
TEST(SSQComputeYear, EmpressWuReform)
{
    SSQ_class ssq;
    ssq.ComputeYear(DayNumber(695, 6, 1));
    EXPECT_EQ(ssq.MonthNumbers[0], 1);
    EXPECT_EQ(ssq.MonthNumbers[1], 12);
    EXPECT_EQ(ssq.MonthNumbers[2], 1);
    EXPECT_EQ(ssq.MonthNumbers[3], 2);
}

// Wang Mang's calendar (9-23) began the year a month early: the solstice month is the 12th.
TEST(SSQComputeYear, WangMangYearBeginsAMonthEarly)
{
    SSQ_class ssq;
    ssq.ComputeYear(DayNumber(15, 6, 1));
    EXPECT_EQ(ssq.MonthNumbers[0], 12);
    EXPECT_EQ(ssq.MonthNumbers[1], 1);
}

// Tang Suzong's reform: from the solstice month of 761 the year began two months early, until
// the 建巳 month of 762 became the fourth month again.
TEST(SSQComputeYear, TangSuzongReform)
{
    SSQ_class ssq;
    ssq.ComputeYear(DayNumber(761, 12, 28));
    ASSERT_EQ(ssq.NewMoons[1], DayNumber(761, 12, 31));  // the 丑 month, numbered 2
    EXPECT_EQ(ssq.MonthNumbers[1], 2);
    EXPECT_EQ(ssq.MonthNumbers[4], 5);  // 辰 month, from 762-03-30
    EXPECT_EQ(ssq.MonthNumbers[5], 4);  // 巳 month: back to the usual numbers
    EXPECT_EQ(ssq.MonthNumbers[6], 5);
}

// From -220 to -104 the calendar year starts with the tenth month and a thirteenth month is a
// second tenth month (後九月 in the sources); the months run on without gaps.
TEST(SSQComputeYear, QinHanMonthsStartWithTheTenth)
{
    SSQ_class ssq;
    for (int year = -219; year <= -105; ++year) {
        ssq.ComputeYear(DayNumber(year, 6, 1));
        EXPECT_EQ(ssq.LeapIndex, 0);
        int tenths = 0;
        for (int i = 0; i < 14; ++i) {
            tenths += ssq.MonthNumbers[i] == 10;
            if (i == 0) continue;
            const int before = ssq.MonthNumbers[i - 1], now = ssq.MonthNumbers[i];
            EXPECT_TRUE(now == before % 12 + 1 || (before == 10 && now == 10)) << year << " month " << i;
        }
        EXPECT_GE(tenths, 1) << year;
    }
}
