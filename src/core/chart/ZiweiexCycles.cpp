#include "ZiweiexCycles.h"

#include "Sexagenary.h"
#include "ZiweiexStars.h"
#include "ZiweiexTables.h"

namespace {

int StageFrom(int start, int branch, bool forward) { return forward ? Mod(branch - start, 12) : Mod(start - branch, 12); }

}  // namespace

int CycleYear(const ChartData& chart)
{
    return chart.annualAge > 0 ? Mod(chart.yearPillar + chart.annualAge - 1, 60) : chart.yearPillar;
}

int ChangShengAt(const ChartData& chart, bool isMale, int branch)
{
    const int bureau = chart.bureau >= 2 && chart.bureau <= 6 ? chart.bureau : 2;
    return StageFrom(kChangShengStartByBureau[bureau], branch, RunsForward(chart, isMale));
}

int BoShiAt(const ChartData& chart, bool isMale, int branch)
{
    return StageFrom(LuCunBranch(CycleYear(chart)), branch, RunsForward(chart, isMale));
}

int JiangXingAt(const ChartData& chart, int branch)
{
    return Mod(branch - kJiangXingStartByTriad[TriadOf(BranchOf(CycleYear(chart)))], 12);
}

int SuiJianAt(const ChartData& chart, int branch) { return Mod(branch - BranchOf(CycleYear(chart)), 12); }
