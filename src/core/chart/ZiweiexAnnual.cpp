#include "ZiweiexAnnual.h"

#include "Sexagenary.h"
#include "ZiweiexGrades.h"
#include "ZiweiexPalaces.h"
#include "ZiweiexStars.h"
#include "ZiweiexTables.h"

int MinorLimit(const ChartData& chart, bool isMale)
{
    const int start = kMinorLimitStartByTriad[TriadOf(BranchOf(chart.yearPillar))];
    const int steps = Mod(chart.annualAge - 1, 12);
    return Mod(isMale ? start + steps : start - steps, 12);
}

int CurrentDecadePalace(const ChartData& chart)
{
    const int age = chart.annualAge;
    if (age < chart.bureau) return kEarlyDecadePalace[age < 1 ? 0 : age - 1];
    for (int k = 0; k < kPalaceCount; ++k) {
        const int start = chart.palaces[k].decadeStart;
        if (start <= age && age < start + 10) return k;
    }
    return -1;
}

void AddOverlayStar(OverlayLists& lists, int annualPillar, int branch, uint8_t star, OverlayLayer layer)
{
    const int offset = layer == OverlayLayer::Decade ? kDecadeOverlayBase : 0;
    lists[Mod(BranchOf(annualPillar) - branch, 12)].Add(static_cast<uint8_t>(star + offset));
}

void PlaceOverlayStars(int annualPillar, int layerYear, OverlayLayer layer, OverlayLists& lists)
{
    for (StarList& list : lists) list = StarList{};
    const int stem = StemOf(layerYear);
    const int luCun = LuCunBranch(layerYear);
    const int hongLuan = 4 - Mod(BranchOf(layerYear) - 1, 12);
    const int branches[10] = {0,
                              kTianKuiByStem[stem],
                              kTianYueByStem[stem],
                              luCun,
                              luCun + 1,
                              luCun - 1,
                              kOverlayChangByStem[stem],
                              kOverlayQuByStem[stem],
                              hongLuan,
                              hongLuan + 6};
    const int last = layer == OverlayLayer::Annual ? 9 : 7;
    for (int s = 1; s <= last; ++s) AddOverlayStar(lists, annualPillar, Mod(branches[s], 12), static_cast<uint8_t>(s), layer);
}

int AnnualPalaceAt(const AnnualData& annual, int branch) { return Mod(BranchOf(annual.annualPillar) - branch, 12); }

int DecadePalaceAt(const ChartData& chart, int decadePalace, int branch)
{
    return Mod(BranchOf(chart.palaces[decadePalace].stemBranch) - branch, 12);
}

int MonthIndexAt(const AnnualData& annual, int branch) { return Mod(branch - annual.annualDouJun, 12); }

namespace {

// Branch of the palace of the annual lunar month.
int MonthPalace(const AnnualData& annual) { return Mod(annual.annualDouJun + annual.annualMonth - 1, 12); }

}  // namespace

DayList DaysAt(const AnnualData& annual, int branch)
{
    DayList list;
    const int first = Mod(branch - MonthPalace(annual), 12) + 1;
    for (int day = first; day <= annual.monthLength && list.count < 3; day += 12) list.days[list.count++] = day;
    return list;
}

int HourBranchAt(const AnnualData& annual, int branch)
{
    const int dayPalace = Mod(MonthPalace(annual) + annual.annualLunar.day - 1, 12);
    return Mod(branch - dayPalace + 1, 12);
}

AnnualLayers ComputeAnnualLayers(const ChartData& chart, const AnnualData& annual)
{
    AnnualLayers layers;
    PlaceOverlayStars(annual.annualPillar, annual.annualPillar, OverlayLayer::Annual, layers.annualStars);
    layers.decadePalace = CurrentDecadePalace(chart);
    if (layers.decadePalace >= 0)
        PlaceOverlayStars(annual.annualPillar, chart.palaces[layers.decadePalace].stemBranch, OverlayLayer::Decade,
                          layers.decadeStars);
    return layers;
}

void FillAnnualMarks(ChartData& chart, const AnnualData& annual, const ChartSettings& settings)
{
    const bool shown = annual.dailyHourly == 0;
    FillNatalMarks(chart, settings, shown);
    if (!shown) return;
    const FourStars annualTransforms = FourTransforms(StemOf(annual.annualPillar), settings);
    const int decadePalace = CurrentDecadePalace(chart);
    const FourStars decadeTransforms =
        decadePalace >= 0 ? FourTransforms(StemOf(chart.palaces[decadePalace].stemBranch), settings) : FourStars{};
    for (PalaceRecord& palace : chart.palaces) {
        FillLayerMarks(palace, kDecadeMarks, decadeTransforms);  // no decade layer: no star matches 0
        FillLayerMarks(palace, kAnnualMarks, annualTransforms);
    }
}
