// Invariants of the chart rules over many random births.
#include "NatalFromLunar.h"
#include "Sexagenary.h"
#include "TempHome.h"
#include "Ziweiex.h"
#include "ZiweiexAnnual.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"
#include "ZiweiexTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace {

struct RandomBirth {
    LunarBirth birth;
    ChartSettings settings;
};

RandomBirth Draw(std::mt19937& rng)
{
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    RandomBirth r;
    r.birth.year = pick(-4000, 9000);
    r.birth.month = pick(1, 12);
    r.birth.day = pick(1, 30);
    r.birth.hour = pick(0, 23);
    r.birth.leap = pick(0, 9) == 0;
    r.birth.civilDayPillar = pick(0, 59);
    r.birth.isMale = pick(0, 1) == 1;
    r.birth.chartKind = static_cast<uint8_t>(pick(0, 2));
    r.settings.run = static_cast<uint8_t>(pick(0, 3));
    r.settings.tm = static_cast<uint8_t>(pick(0, 1));
    r.settings.zishi = static_cast<uint8_t>(pick(0, 1));
    r.settings.showfu = static_cast<uint8_t>(pick(0, 4) == 0 ? 0 : 1);
    return r;
}

int WhereIs(const ChartData& chart, int star)
{
    for (int k = 0; k < 12; ++k)
        if (chart.palaces[k].stars.Contains(static_cast<uint8_t>(star))) return PalaceBranch(chart, k);
    return -1;
}

}  // namespace

TEST(ChartProperties, RandomBirthsKeepTheRules)
{
    std::mt19937 rng(20240210);
    for (int n = 0; n < 5000; ++n) {
        const RandomBirth r = Draw(rng);
        const ChartData chart = NatalFromLunar(r.birth, r.settings);
        SCOPED_TRACE(::testing::Message() << "year " << r.birth.year << " month " << r.birth.month << " day "
                                          << r.birth.day << " hour " << r.birth.hour << " kind "
                                          << int(r.birth.chartKind));

        // The main-star pairs stand where the two series put them; 天府 mirrors 紫微.
        const int z = WhereIs(chart, 1);
        ASSERT_GE(z, 0);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(WhereIs(chart, 2 + i), Mod(z - kZiWeiSeriesOffsets[i], 12));
        const int f = WhereIs(chart, 7);
        EXPECT_EQ(f, Mod(6 - z, 12));
        for (int i = 0; i < 7; ++i) EXPECT_EQ(WhereIs(chart, 8 + i), Mod(f + kTianFuSeriesOffsets[i], 12));
        EXPECT_EQ(z, ZiWeiBranch(r.birth.day, chart.bureau));

        // At most twelve stars a palace, in identifier order; a star is missing only from a
        // full palace, and only stars 27..61 ever are.
        const auto at = StarBranches(chart, BirthFacts{ChartMonth(r.birth.month, r.birth.leap, r.birth.day, r.settings.run),
                                                       r.birth.day, r.birth.isMale},
                                     r.settings);
        int placed = 0;
        for (const PalaceRecord& p : chart.palaces) {
            EXPECT_LE(p.stars.count, 12);
            EXPECT_EQ(p.stars.stars[12], 0);
            for (int i = 1; i < p.stars.count; ++i) EXPECT_LT(p.stars.stars[i - 1], p.stars.stars[i]);
            placed += p.stars.count;
        }
        const int last = r.settings.showfu ? 61 : 26;
        int expectedPlaced = 0;
        for (int s = 1; s <= last; ++s) {
            const int where = WhereIs(chart, s);
            if (where >= 0) {
                EXPECT_EQ(where, at[s]) << s;
                ++expectedPlaced;
            } else {
                EXPECT_GT(s, 26);
                EXPECT_EQ(chart.palaces[PalaceAt(chart, at[s])].stars.count, 12) << s;
            }
        }
        EXPECT_EQ(placed, expectedPlaced);

        // The ring counts from the Life palace, with the year's palace stems.
        const int life = LifeBranch(chart);
        for (int k = 0; k < 12; ++k)
            EXPECT_EQ(chart.palaces[k].stemBranch, PalacePair(StemOf(chart.yearPillar), Mod(life - k, 12)));
        EXPECT_EQ(chart.bureau, kBureauNumbers[BureauElement(chart.palaces[0].stemBranch)]);

        // The decades cover the ages from the bureau on, ten years each, without gap or overlap,
        // and every age 1..120 has a decade palace.
        bool covered[200] = {};
        for (const PalaceRecord& p : chart.palaces)
            for (int age = p.decadeStart; age < p.decadeStart + 10; ++age) {
                EXPECT_FALSE(covered[age]) << age;
                covered[age] = true;
            }
        for (int age = chart.bureau; age < chart.bureau + 120; ++age) EXPECT_TRUE(covered[age]) << age;
        ChartData aged = chart;
        for (int age = 1; age <= 120; ++age) {
            aged.annualAge = static_cast<int16_t>(age);
            EXPECT_GE(CurrentDecadePalace(aged), 0) << age;
        }

        // No stem transforms more than three stars of one palace.
        ChartData marked = chart;
        FillNatalMarks(marked, r.settings, true);
        for (const PalaceRecord& p : marked.palaces) {
            int n = 0;
            for (int i = 0; i < p.stars.count; ++i)
                n += TransformKind(p.stars.stars[i], FourTransforms(StemOf(chart.yearPillar), r.settings)) != 0;
            EXPECT_EQ(p.marks[kNatalMarks].count, n);
        }
    }
}

TEST(ChartProperties, RandomCastsThroughTheCalendar)
{
    TempHome home;
    MZiWeiEx engine(home.path());
    MYiDateEx calendar;
    std::mt19937 rng(19840205);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    for (int n = 0; n < 2000; ++n) {
        ChartInput in;
        in.birth = {static_cast<int16_t>(pick(-4700, 9900)), static_cast<int16_t>(pick(1, 12)),
                    static_cast<int16_t>(pick(1, 28)), static_cast<int16_t>(pick(0, 23)), static_cast<int16_t>(pick(0, 59))};
        in.isMale = static_cast<uint8_t>(pick(0, 1));
        in.chartKind = static_cast<uint8_t>(pick(0, 2));
        SCOPED_TRACE(::testing::Message() << in.birth.year << '-' << in.birth.month << '-' << in.birth.day << ' '
                                          << in.birth.hour << ':' << in.birth.minute);
        if (!calendar.DateExists(in.birth)) continue;
        ASSERT_TRUE(engine.CastNatal(in)) << engine.lastError();
        const ChartData natal = engine.chart();
        const MDateTime lunar = engine.lunarBirth();

        EXPECT_EQ(natal.yearPillar, YearCycleIndex(lunar.year));
        EXPECT_EQ(Mod(natal.baziYear - natal.yearPillar + 1, 60) <= 2, true);  // differ by a year at most
        const bool lateRat = in.birth.hour == 23;
        EXPECT_EQ(natal.dayPillar, Mod(calendar.DayCycleIndex(in.birth) + (lateRat ? 1 : 0), 60));
        EXPECT_EQ(BranchOf(natal.hourPillar), Mod((in.birth.hour + 1) / 2 % 12 + 1, 12));

        // The lunar date entered as such gives the same chart (outside the 23:00 hour, which the
        // lunar date already carries over). The input lists have no thirteenth month, which
        // the calendar numbers 13 in some years before the Han reform.
        EXPECT_GE(engine.chartMonth(), 1);
        EXPECT_LE(engine.chartMonth(), 12);
        if (!lateRat && lunar.month <= 12) {
            ChartInput asLunar = in;
            asLunar.birth = lunar;
            asLunar.isLunar = 1;
            asLunar.isLeap = engine.lunarLeap() ? 1 : 0;
            ASSERT_TRUE(engine.CastNatal(asLunar)) << engine.lastError();
            EXPECT_EQ(engine.clockBirth(), in.birth);
            EXPECT_EQ(std::memcmp(&natal, &engine.chart(), sizeof natal), 0);
        }

        // An annual chart within the 120 years the program offers.
        MDateTime when = in.birth;
        when.year = static_cast<int16_t>(std::min(9999, in.birth.year + pick(1, 119)));
        when.day = static_cast<int16_t>(std::min<int>(when.day, 28));
        if (!engine.CastAnnual(when, static_cast<uint8_t>(pick(0, 1)))) {
            ADD_FAILURE() << engine.lastError();
            continue;
        }
        const AnnualData& a = engine.annual();
        const ChartData& chart = engine.chart();
        EXPECT_EQ(chart.annualAge, a.annualLunar.year - lunar.year + 1);
        EXPECT_EQ(a.annualPillar, YearCycleIndex(a.annualLunar.year));  // the pillar matches the age
        EXPECT_TRUE(a.monthLength == 29 || a.monthLength == 30);
        EXPECT_EQ(a.minorLimit, MinorLimit(chart, in.isMale != 0));
        const int q = CurrentDecadePalace(chart);
        ASSERT_GE(q, 0);
        if (chart.annualAge >= chart.bureau) {
            EXPECT_LE(chart.palaces[q].decadeStart, chart.annualAge);
            EXPECT_GT(chart.palaces[q].decadeStart + 10, chart.annualAge);
        }
        bool month[12] = {}, day[31] = {};
        for (int b = 0; b < 12; ++b) {
            month[MonthIndexAt(a, b)] = true;
            const DayList days = DaysAt(a, b);
            for (int i = 0; i < days.count; ++i) {
                EXPECT_FALSE(day[days.days[i]]);
                day[days.days[i]] = true;
            }
        }
        for (bool m : month) EXPECT_TRUE(m);
        for (int d = 1; d <= a.monthLength; ++d) EXPECT_TRUE(day[d]) << d;
    }
}
