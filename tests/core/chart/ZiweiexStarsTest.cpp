// Star placement: 紫微 and the main-star series, stars 15..61, the twelve-star limit, the
// palace ring and the decades.
#include "NatalFromLunar.h"
#include "Sexagenary.h"
#include "ZiweiexNames.h"
#include "ZiweiexStars.h"
#include "ZiweiexTables.h"

#include <gtest/gtest.h>

namespace {

int BranchNumber(std::string_view name)
{
    for (int b = 0; b < 12; ++b)
        if (kBranchNames[b] == name) return b;
    return -1;
}

// Branch of the palace holding a star, −1 when the chart does not hold it.
int WhereIs(const ChartData& chart, int star)
{
    for (int k = 0; k < 12; ++k)
        if (chart.palaces[k].stars.Contains(static_cast<uint8_t>(star))) return PalaceBranch(chart, k);
    return -1;
}

std::string BranchOfStar(const ChartData& chart, int star)
{
    const int b = WhereIs(chart, star);
    return b < 0 ? std::string("-") : std::string(kBranchNames[b]);
}

// A chart of a year of cycle index `year`, chart month, hour branch and lunar day.
ChartData Chart(int year, int month, int hour, int day = 1, const ChartSettings& settings = {}, bool male = true)
{
    LunarBirth b;
    b.year = YearOfCycle(year);
    b.month = month;
    b.hour = hour;
    b.day = day;
    b.isMale = male;
    return NatalFromLunar(b, settings);
}

}  // namespace

TEST(ZiWeiPlacement, TableForEveryBureauAndDay)
{
    // The placement table of 紫微 by bureau and lunar day (安紫微诀), days 1..30.
    const struct {
        int bureau;
        std::string_view branches;
    } rows[] = {
        {2, "丑寅寅卯卯辰辰巳巳午午未未申申酉酉戌戌亥亥子子丑丑寅寅卯卯辰"},
        {3, "辰丑寅巳寅卯午卯辰未辰巳申巳午酉午未戌未申亥申酉子酉戌丑戌亥"},
        {4, "亥辰丑寅子巳寅卯丑午卯辰寅未辰巳卯申巳午辰酉午未巳戌未申午亥"},
        {5, "午亥辰丑寅未子巳寅卯申丑午卯辰酉寅未辰巳戌卯申巳午亥辰酉午未"},
        {6, "酉午亥辰丑寅戌未子巳寅卯亥申丑午卯辰子酉寅未辰巳丑戌卯申巳午"},
    };
    for (const auto& row : rows)
        for (int day = 1; day <= 30; ++day)
            EXPECT_EQ(ZiWeiBranch(day, row.bureau), BranchNumber(row.branches.substr((day - 1) * 3, 3)))
                << "bureau " << row.bureau << " day " << day;
}

TEST(ZiWeiPlacement, BorrowedDaysCanGoBelowTiger)
{
    EXPECT_EQ(ZiWeiBranch(1, 6), 10);   // q = −4: 酉
    EXPECT_EQ(ZiWeiBranch(30, 2), 5);   // 辰
}

TEST(MainStars, SeriesOfWaterBureauDayOne)
{
    ChartData chart{};
    chart.bureau = 2;
    const auto at = StarBranches(chart, BirthFacts{1, 1, true}, {});
    const char* expected[15] = {"", "丑", "子", "戌", "酉", "申", "巳", "卯", "辰", "巳", "午", "未", "申", "酉", "丑"};
    for (int s = 1; s <= 14; ++s) EXPECT_EQ(kBranchNames[at[s]], expected[s]) << kStarNames[s];
}

TEST(MainStars, TianFuMirrorsZiWeiAcrossTigerMonkey)
{
    for (int z = 0; z < 12; ++z) EXPECT_EQ(kTianFuByZiWei[z], Mod(6 - z, 12));
    ChartData chart{};
    chart.bureau = 2;
    auto at = StarBranches(chart, BirthFacts{1, 2, true}, {});  // 紫微 at 寅
    EXPECT_EQ(at[1], 3);
    EXPECT_EQ(at[7], 3);
    at = StarBranches(chart, BirthFacts{1, 14, true}, {});  // 紫微 at 申
    EXPECT_EQ(at[1], 9);
    EXPECT_EQ(at[7], 9);
}

TEST(MainStars, NoPalaceHoldsMoreThanTwo)
{
    for (int bureau = 2; bureau <= 6; ++bureau)
        for (int day = 1; day <= 30; ++day) {
            ChartData chart{};
            chart.bureau = static_cast<int16_t>(bureau);
            const auto at = StarBranches(chart, BirthFacts{1, day, true}, {});
            int perBranch[12] = {};
            for (int s = 1; s <= 14; ++s) ++perBranch[at[s]];
            for (int n : perBranch) EXPECT_LE(n, 2);
        }
}

TEST(AuxiliaryStars, LuCunAndItsGuardsByYearStem)
{
    const ChartData jia = Chart(1, 1, 0);  // 甲子 year
    EXPECT_EQ(BranchOfStar(jia, 15), "寅");
    EXPECT_EQ(BranchOfStar(jia, 16), "卯");
    EXPECT_EQ(BranchOfStar(jia, 17), "丑");
    EXPECT_EQ(BranchOfStar(jia, 24), "丑");
    EXPECT_EQ(BranchOfStar(jia, 25), "未");
    const ChartData gui = Chart(0, 1, 0);  // 癸亥 year
    EXPECT_EQ(BranchOfStar(gui, 15), "子");
    EXPECT_EQ(BranchOfStar(gui, 16), "丑");
    EXPECT_EQ(BranchOfStar(gui, 17), "亥");
}

TEST(AuxiliaryStars, LuCunTableIsTheStemRule)
{
    // Stem in the 1..10 form, less 1 when even, less 2 more above 4; then three branches a
    // step from 寅, one further in a yin year.
    for (int year = 0; year < 60; ++year) {
        int s = StemOf(year) == 0 ? 10 : StemOf(year);
        if (s % 2 == 0) s -= 1;
        if (s > 4) s -= 2;
        const int expected = Mod(((s - 1) / 2) * 3 + 3 + (year % 2 == 0 ? 1 : 0), 12);
        EXPECT_EQ(LuCunBranch(year), expected) << CycleName(year);
    }
}

TEST(AuxiliaryStars, FireAndBellByYearTriadAndHour)
{
    const ChartData tiger = Chart(CycleIndex(3, 3), 1, 0);  // 丙寅 year, 子 hour
    EXPECT_EQ(BranchOfStar(tiger, 18), "丑");
    EXPECT_EQ(BranchOfStar(tiger, 19), "卯");
    const ChartData rat = Chart(1, 1, 0);  // 甲子 year, 子 hour
    EXPECT_EQ(BranchOfStar(rat, 18), "寅");
    EXPECT_EQ(BranchOfStar(rat, 19), "戌");
    EXPECT_EQ(BranchOfStar(Chart(2, 1, 0), 18), "卯");   // 乙丑 year (巳酉丑)
    EXPECT_EQ(BranchOfStar(Chart(4, 1, 0), 18), "酉");   // 丁卯 year (亥卯未)
}

TEST(AuxiliaryStars, MonthAndHourStars)
{
    const ChartData first = Chart(1, 1, 0);
    EXPECT_EQ(BranchOfStar(first, 20), "辰");
    EXPECT_EQ(BranchOfStar(first, 21), "戌");
    EXPECT_EQ(BranchOfStar(first, 22), "戌");
    EXPECT_EQ(BranchOfStar(first, 23), "辰");
    EXPECT_EQ(BranchOfStar(Chart(1, 12, 0), 21), "亥");
}

TEST(AuxiliaryStars, HeavenlyHorseByMonthOrByYear)
{
    for (int year : {1, 2, 3, 4, 5, 6, 7}) EXPECT_EQ(BranchOfStar(Chart(year, 1, 0), 26), "申");
    ChartSettings byYear{};
    byYear.tm = 1;
    EXPECT_EQ(BranchOfStar(Chart(1, 1, 0, 1, byYear), 26), "寅");  // 子 year
    byYear.tm = 3;  // any value other than 0 counts by the year
    EXPECT_EQ(BranchOfStar(Chart(1, 1, 0, 1, byYear), 26), "寅");
    EXPECT_EQ(BranchOfStar(Chart(CycleIndex(3, 3), 1, 0, 1, byYear), 26), "申");  // 寅 year
}

TEST(MinorStars, OnlyWithShowfu)
{
    ChartSettings off{};
    off.showfu = 0;
    const ChartData chart = Chart(14, 7, 22, 5, off);
    for (const PalaceRecord& p : chart.palaces)
        for (int i = 0; i < p.stars.count; ++i) EXPECT_LE(p.stars.stars[i], 26);
    ChartSettings two{};
    two.showfu = 2;
    EXPECT_NE(WhereIs(Chart(1, 1, 0, 1, two), 61), -1);
}

TEST(MinorStars, EmptinessAndYearStars)
{
    EXPECT_EQ(BranchOfStar(Chart(1, 1, 0), 57), "戌");   // 甲子: 旬空 戌
    EXPECT_EQ(BranchOfStar(Chart(2, 1, 0), 57), "亥");   // 乙丑
    EXPECT_EQ(BranchOfStar(Chart(0, 1, 0), 57), "丑");   // 癸亥, taken as the sixtieth
    EXPECT_EQ(BranchOfStar(Chart(1, 1, 0), 54), "申");   // 截空 of a 甲 year
    EXPECT_EQ(BranchOfStar(Chart(6, 1, 0), 54), "酉");   // of a 己 year
    EXPECT_EQ(BranchOfStar(Chart(0, 1, 0), 59), "亥");   // 大耗 of a 亥 year
    EXPECT_EQ(BranchOfStar(Chart(1, 1, 0), 59), "未");   // of a 子 year
}

TEST(MinorStars, LinearRules)
{
    // 甲子 year (y = 0), month 3, 卯 hour (h = 3), lunar day 10.
    const ChartData chart = Chart(1, 3, 6, 10);
    const auto at = StarBranches(chart, BirthFacts{3, 10, true}, {});
    const int h = 3, y = 0, m = 3, day = 10;
    const int life = LifeBranch(chart), body = BranchOf(chart.bodyPalace);
    EXPECT_EQ(at[27], h);
    EXPECT_EQ(at[28], Mod(-h, 12));
    EXPECT_EQ(at[29], 4 - y);
    EXPECT_EQ(at[30], m + 1);
    EXPECT_EQ(at[31], 7 - y);
    EXPECT_EQ(at[32], y + 7);
    EXPECT_EQ(at[33], Mod(at[29] + 6, 12));
    EXPECT_EQ(at[34], h + 7);
    EXPECT_EQ(at[35], h + 3);
    EXPECT_EQ(at[40], Mod(m + 4 + day - 1, 12));
    EXPECT_EQ(at[41], Mod(12 - m - (day - 1), 12));
    EXPECT_EQ(at[42], Mod(11 - h + day - 2, 12));
    EXPECT_EQ(at[43], Mod(h + 5 + day - 2, 12));
    EXPECT_EQ(at[46], y + 5);
    EXPECT_EQ(at[47], 11 - y);
    EXPECT_EQ(at[52], Mod(life + 1 - 1, 12));
    EXPECT_EQ(at[53], Mod(body + 1 - 1, 12));
    EXPECT_EQ(at[55], Mod(life + 5, 12));
    EXPECT_EQ(at[56], Mod(life + 7, 12));
    EXPECT_EQ(at[58], Mod(m + 9, 12));
    EXPECT_EQ(at[60], 2);
}

TEST(MinorStars, TablesByStemBranchAndMonth)
{
    EXPECT_EQ(kTianYueStarByMonth, (std::array<int8_t, 12>{11, 6, 5, 3, 8, 4, 0, 8, 3, 7, 11, 3}));
    EXPECT_EQ(kYinShaByMonth, (std::array<int8_t, 6>{3, 1, 11, 9, 7, 5}));
    EXPECT_EQ(kTianGuanByStem, (std::array<int8_t, 10>{7, 8, 5, 6, 3, 4, 10, 0, 10, 11}));
    EXPECT_EQ(kTianFuStarByStem, (std::array<int8_t, 10>{6, 10, 9, 1, 0, 4, 3, 7, 6, 7}));
    EXPECT_EQ(kFeiLianByBranch, (std::array<int8_t, 12>{2, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1}));
    EXPECT_EQ(kDaHaoByBranch, (std::array<int8_t, 12>{0, 8, 7, 10, 9, 0, 11, 2, 1, 4, 3, 6}));
    EXPECT_EQ(kTianChuByStem, (std::array<int8_t, 10>{0, 6, 7, 1, 6, 7, 9, 3, 7, 10}));
    // 解神 by month pairs, 天巫 by the month's triad, 孤辰/寡宿 by season, 破碎 by group.
    const ChartData july = Chart(14, 7, 22, 5);
    EXPECT_EQ(BranchOfStar(july, 36), "寅");
    EXPECT_EQ(BranchOfStar(july, 37), "寅");   // 申 month
    EXPECT_EQ(BranchOfStar(july, 48), "寅");   // 丑 year
    EXPECT_EQ(BranchOfStar(july, 49), "戌");
    EXPECT_EQ(BranchOfStar(july, 51), "丑");
    EXPECT_EQ(BranchOfStar(july, 50), "酉");
}

TEST(PalaceLimit, FifteenStarsForOnePalaceKeepTheFirstTwelve)
{
    // 丁丑 year, chart month 7, 亥 hour, lunar day 5: Life 己酉 (土五局), 紫微 and 天府 at 寅,
    // where fifteen stars fall.
    const ChartData chart = Chart(14, 7, 22, 5);
    EXPECT_EQ(CycleName(chart.palaces[0].stemBranch), "己酉");
    EXPECT_EQ(chart.bureau, 5);
    const StarList& tiger = chart.palaces[PalaceAt(chart, 3)].stars;
    const uint8_t kept[12] = {1, 7, 18, 26, 29, 36, 37, 39, 40, 42, 44, 48};
    ASSERT_EQ(tiger.count, 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(tiger.stars[i], kept[i]) << i;
    EXPECT_EQ(tiger.stars[12], 0);
    const auto at = StarBranches(chart, BirthFacts{7, 5, true}, {});
    for (int dropped : {54, 55, 60}) {
        EXPECT_EQ(at[dropped], 3) << kStarNames[dropped];
        EXPECT_EQ(WhereIs(chart, dropped), -1) << kStarNames[dropped];
    }
}

TEST(PalaceLimit, AddStarDropsTheThirteenth)
{
    ChartData chart{};
    chart.palaces[0].stemBranch = 3;
    for (uint8_t s = 1; s <= 13; ++s) AddStar(chart, 3, s);
    EXPECT_EQ(chart.palaces[0].stars.count, 12);
    EXPECT_FALSE(chart.palaces[0].stars.Contains(13));
    AddStar(chart, 15, 20);  // branch numbers reduce mod 12: 15 is 寅
    EXPECT_EQ(chart.palaces[0].stars.count, 12);
    AddStar(chart, -10, 21);  // −10 is 丑, palace 1
    EXPECT_EQ(chart.palaces[1].stars.stars[0], 21);
}

TEST(Decades, ForwardRunsClockwiseFromLife)
{
    // 木三局 needs a Life pair of wood; search a 甲 year chart for one.
    for (int month = 1; month <= 12; ++month)
        for (int hour = 0; hour < 24; hour += 2) {
            const ChartData male = Chart(1, month, hour, 1, {}, true);
            if (male.bureau != 3) continue;
            EXPECT_EQ(male.palaces[0].decadeStart, 3);
            EXPECT_EQ(male.palaces[PalaceAt(male, Mod(LifeBranch(male) + 1, 12))].decadeStart, 13);
            EXPECT_EQ(male.palaces[11].decadeStart, 13);
            EXPECT_EQ(male.palaces[1].decadeStart, 113);
            const ChartData female = Chart(1, month, hour, 1, {}, false);
            EXPECT_EQ(female.palaces[0].decadeStart, 3);
            EXPECT_EQ(female.palaces[PalaceAt(female, Mod(LifeBranch(female) - 1, 12))].decadeStart, 13);
            EXPECT_EQ(female.palaces[11].decadeStart, 113);
            return;
        }
    FAIL() << "no 木三局 chart in a 甲 year";
}

TEST(Decades, YinYearReversesTheDirection)
{
    const ChartData male = Chart(2, 1, 0, 1, {}, true);     // 乙丑: yin year, male runs back
    const ChartData female = Chart(2, 1, 0, 1, {}, false);  // female runs forward
    EXPECT_EQ(male.palaces[1].decadeStart, male.bureau + 10);
    EXPECT_EQ(female.palaces[11].decadeStart, female.bureau + 10);
}
