// Clock times of solar terms, solar months and pillars. Term times are those of the official
// calendar, Beijing time to the minute as the almanacs print them; the equinoxes and solstices of
// 2024 are the published instants (03:06, 20:51, 12:44 and 09:20:34 UT) plus 8 hours.
#include "Sexagenary.h"
#include "Yidateex.h"

#include <gtest/gtest.h>

namespace {

MDateTime At(int y, int m, int d, int h = 12, int min = 0)
{
    return {static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d), static_cast<int16_t>(h),
            static_cast<int16_t>(min)};
}

MDateTime Term(MYiDateEx& c, int year, int month, bool isJie)
{
    MDateTime out;
    c.TermTime(static_cast<int16_t>(year), static_cast<int16_t>(month), isJie, out);
    return out;
}

}  // namespace

TEST(TermTime, OfficialTimes)
{
    MYiDateEx c;
    EXPECT_EQ(Term(c, 1984, 2, true), At(1984, 2, 4, 23, 19));  // 立春, 23:18:44 rounded
    EXPECT_EQ(Term(c, 2000, 1, true), At(2000, 1, 6, 9, 1));    // 小寒
}

// The terms of 2024 as the almanac prints them. With ΔT extrapolated to 82.7 s instead of the
// measured 69.1 s every term came out 14 s early, and 冬至 (17:20:34) was printed 17:20.
TEST(TermTime, AlmanacMinutesOf2024)
{
    struct Row {
        int month;
        bool isJie;
        MDateTime printed;
        const char* name;
    };
    MYiDateEx c;
    for (const Row& r : {Row{2, true, At(2024, 2, 4, 16, 27), "立春"}, Row{3, false, At(2024, 3, 20, 11, 6), "春分"},
                         Row{6, false, At(2024, 6, 21, 4, 51), "夏至"}, Row{9, false, At(2024, 9, 22, 20, 44), "秋分"},
                         Row{12, false, At(2024, 12, 21, 17, 21), "冬至"}}) {
        EXPECT_EQ(Term(c, 2024, r.month, r.isJie), r.printed) << r.name;
    }
}

TEST(YearPillar, ChangesAtTheMinuteOfLichun)
{
    MYiDateEx c;
    EXPECT_EQ(c.YearPillarIndex(At(1984, 2, 4, 23, 19)), 1);  // 甲子
    EXPECT_EQ(c.YearPillarIndex(At(1984, 2, 4, 23, 59)), 1);
    EXPECT_EQ(c.YearPillarIndex(At(1984, 2, 4, 23, 18)), 0);  // 癸亥
    EXPECT_EQ(c.YearPillarIndex(At(1984, 1, 31, 12, 0)), 0);
    EXPECT_EQ(c.YearPillarIndex(At(2024, 6, 1)), 41);  // 甲辰
}

TEST(SolarMonth, BranchAndBoundingTerms)
{
    MYiDateEx c;
    std::array<int16_t, 15> out{};
    // Between 小寒 and 立春: the 丑 month, with 大寒 as its principal term.
    EXPECT_EQ(c.SolarMonth(At(2024, 1, 20), out), 2);
    const MDateTime xiaohan = Term(c, 2024, 1, true), dahan = Term(c, 2024, 1, false), lichun = Term(c, 2024, 2, true);
    EXPECT_EQ(MDateTime(out[0], out[1], out[2], out[3], out[4]), xiaohan);
    EXPECT_EQ(MDateTime(out[5], out[6], out[7], out[8], out[9]), dahan);
    EXPECT_EQ(MDateTime(out[10], out[11], out[12], out[13], out[14]), lichun);
    EXPECT_EQ(c.SolarMonth(At(2024, 3, 1), out), 3);    // 寅: after 立春, before 惊蛰
    EXPECT_EQ(c.SolarMonth(At(2024, 3, 10), out), 4);   // 卯
    EXPECT_EQ(c.SolarMonth(At(2024, 12, 10), out), 1);  // 子: after 大雪
    EXPECT_EQ(c.SolarMonth(At(2024, 1, 3), out), 1);    // 子: before 小寒, 大雪 of the year before
    EXPECT_EQ(MDateTime(out[0], out[1], out[2], out[3], out[4]), Term(c, 2023, 12, true));
    EXPECT_EQ(c.SolarMonth(At(2024, 11, 30), out), 0);  // 亥
}

TEST(MonthPillar, FiveTigersRule)
{
    // The 寅 month of 甲/己 years is 丙寅, of 乙/庚 戊寅, of 丙/辛 庚寅, of 丁/壬 壬寅, of 戊/癸 甲寅.
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(1, 3), 3);   // 甲子 year: 丙寅
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(6, 3), 3);   // 己巳 year: 丙寅
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(2, 3), 15);  // 乙丑 year: 戊寅
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(10, 3), 51); // 癸酉 year: 甲寅
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(1, 1), 13);  // 甲 year, 子 month: 丙子
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(1, 2), 14);  // 甲 year, 丑 month: 丁丑
    EXPECT_EQ(MYiDateEx::MonthPillarIndex(0, 3), 51);  // 癸亥 year: 甲寅
    EXPECT_EQ(CycleName(MYiDateEx::MonthPillarIndex(41, 3)), "丙寅");  // 2024 甲辰
}

TEST(YearTerms, AFullYearFromXiaohanToDongzhi)
{
    MYiDateEx c;
    std::vector<TermRecord> terms;
    c.YearTerms(2000, terms);
    ASSERT_EQ(terms.size(), 25u);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(terms[i].index, i);
        EXPECT_EQ(terms[i].time.year, 2000);
        EXPECT_EQ(terms[i].time, Term(c, 2000, i / 2 + 1, i % 2 == 0)) << kTermNames[i];
    }
    EXPECT_EQ(terms[0].time, At(2000, 1, 6, 9, 1));
    EXPECT_EQ(terms[24].time.year, kTermListEnd);
    EXPECT_EQ(kTermNames[0], "小寒");
    EXPECT_EQ(kTermNames[23], "冬至");
}

TEST(YearTerms, StopsAtTheEndOfTheRange)
{
    MYiDateEx c;
    std::vector<TermRecord> terms;
    c.YearTerms(9999, terms);
    ASSERT_GE(terms.size(), 2u);
    EXPECT_EQ(terms.back().time.year, kTermListEnd);
    for (size_t i = 0; i + 1 < terms.size(); ++i) EXPECT_EQ(terms[i].time.year, 9999);
    c.YearTerms(-4712, terms);
    EXPECT_EQ(terms.size(), 25u);
}

// A Julian leap year of 366 days can hold the same term at both ends.
TEST(YearTerms, TwentyFiveTermsInAJulianLeapYear)
{
    MYiDateEx c;
    std::vector<TermRecord> terms;
    c.YearTerms(-3448, terms);
    ASSERT_EQ(terms.size(), 26u);
    EXPECT_EQ(terms.front().index, terms[24].index);
    EXPECT_EQ(terms.front().time.month, 1);
    EXPECT_EQ(terms[24].time.month, 12);
    EXPECT_EQ(terms.back().time.year, kTermListEnd);
}
