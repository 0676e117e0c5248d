#include "ZiweiexPalaces.h"

#include "Sexagenary.h"
#include "ZiweiexNames.h"

int ChartMonth(int lunarMonth, bool leap, int lunarDay, uint8_t run)
{
    int m = lunarMonth;
    if (leap) {
        const bool countsAsNext = run == 0 || (run != 1 && lunarDay > 15);
        if (countsAsNext) ++m;
    }
    return Mod(m - 1, 12) + 1;  // 13 is the first month again
}

int16_t MonthPillar(int yearPillar, int chartMonth)
{
    const int yearStem = StemOf(yearPillar);
    return CycleIndex(Mod(2 * yearStem + chartMonth, 10), static_cast<int16_t>(Mod(chartMonth + 2, 12)));
}

int16_t ChartHourPillar(int hour, int dayPillar, bool zishi)
{
    const int pillar = HourCycleIndex(hour, dayPillar);
    return static_cast<int16_t>(zishi && hour == 23 ? Mod(pillar + 12, 60) : pillar);
}

int ComputeNatalPillars(ChartData& chart, const MDateTime& lunarBirth, bool leap, int civilDayPillar,
                        const ChartSettings& settings)
{
    const bool lateRatHour = lunarBirth.hour == 23 && !settings.zishi;
    const int chartMonth = ChartMonth(lunarBirth.month, leap, lunarBirth.day, settings.run);
    chart.yearPillar = static_cast<int16_t>(YearCycleIndex(lunarBirth.year));
    chart.monthPillar = MonthPillar(chart.yearPillar, chartMonth);
    chart.dayPillar = static_cast<int16_t>(Mod(civilDayPillar + (lateRatHour ? 1 : 0), 60));
    chart.hourPillar = ChartHourPillar(lunarBirth.hour, chart.dayPillar, settings.zishi != 0);
    chart.baziDay = chart.dayPillar;
    chart.baziHour = chart.hourPillar;
    return chartMonth;
}

int HourBranch12(int hourPillar)
{
    const int b = BranchOf(hourPillar);
    return b == 0 ? 12 : b;
}

int PalaceStem(int yearStem, int branch) { return Mod(2 * yearStem + 1 + Mod(branch - 3, 12), 10); }

int16_t PalacePair(int yearStem, int branch)
{
    return CycleIndex(PalaceStem(yearStem, branch), static_cast<int16_t>(branch));
}

int BureauElement(int lifePair)
{
    const int stem = StemOf(lifePair) == 0 ? 10 : StemOf(lifePair);
    int branch = BranchOf(lifePair) == 0 ? 12 : BranchOf(lifePair);
    if (branch > 6) branch -= 6;
    const int stemPart = (stem + 1) / 2;    // 甲乙 1 … 壬癸 5
    const int branchPart = (branch + 1) / 2;  // 子丑午未 1, 寅卯申酉 2, 辰巳戌亥 3
    return Mod(stemPart + branchPart - 2, 5);
}

int LifeBranch(const ChartData& chart) { return BranchOf(chart.palaces[0].stemBranch); }

int PalaceAt(const ChartData& chart, int branch) { return Mod(LifeBranch(chart) - branch, 12); }

void ComputePalaces(ChartData& chart, int chartMonth, uint8_t chartKind)
{
    const int yearStem = StemOf(chart.yearPillar);
    const int hour = HourBranch12(chart.hourPillar);
    const int life = Mod(chartMonth + 3 - hour, 12);
    const int body = Mod(chartMonth + hour + 1, 12);
    chart.bodyPalace = PalacePair(yearStem, body);
    for (int k = 0; k < kPalaceCount; ++k) chart.palaces[k].stemBranch = PalacePair(yearStem, Mod(life - k, 12));

    if (chartKind == static_cast<uint8_t>(ChartKind::Earth))
        chart.palaces[0].stemBranch = chart.bodyPalace;
    else if (chartKind == static_cast<uint8_t>(ChartKind::Human))
        chart.palaces[0].stemBranch = chart.palaces[10].stemBranch;

    chart.bureauElement = static_cast<int16_t>(BureauElement(chart.palaces[0].stemBranch));
    chart.bureau = static_cast<int16_t>(kBureauNumbers[chart.bureauElement]);
    chart.douJun = static_cast<int16_t>(Mod(hour - chartMonth + 1, 12));
}

int AnnualDouJun(int annualPillar, int chartMonth, int hourPillar)
{
    return Mod(BranchOf(annualPillar) - chartMonth + HourBranch12(hourPillar), 12);
}
