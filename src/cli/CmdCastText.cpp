// The text form of a cast: what the chart's centre box and palace cells show.
#include "CmdCast.h"

#include "CliArgs.h"
#include "Sexagenary.h"
#include "ZiweiexCycles.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"
#include "ZiweiexPalaces.h"

#include <array>
#include <cstdio>

namespace {

const std::array<std::string_view, 3> kClockKindLabels = {"北京时间", "真太阳时", "地方时"};

std::string_view ClockKindLabel(uint8_t idate) { return kClockKindLabels[idate == 0 ? 0 : idate == 1 ? 1 : 2]; }

// "正月初四", "闰四月廿一".
std::string LunarLabel(const MDateTime& t, bool leap)
{
    return MYiDateEx::LunarMonthLabel(t.month, leap) + MYiDateEx::LunarDayLabel(t.day);
}

std::string HourLabel(int hourPillar) { return std::string(kBranchNames[BranchOf(hourPillar)]) + "时"; }

// One star as the cell shows it: name, brightness grade and the transformation marks.
std::string StarText(const PalaceRecord& p, int slot, const ChartSettings& settings)
{
    const int star = p.stars.stars[slot];
    std::string s(kStarNames[star]);
    if (const int grade = StarGrade(star, BranchOf(p.stemBranch), settings.miaoxian)) {
        s += '(';
        s += GradeName(grade, settings.miaoxian != 0);
        s += ')';
    }
    static const char* const layerPrefix[3] = {"化", "运", "流"};
    for (int layer = 0; layer < 3; ++layer) {
        const MarkList& marks = p.marks[layer];
        for (int i = 0; i < marks.count; ++i)
            if (marks.entries[i].slot == slot) s += std::string(layerPrefix[layer]) + std::string(kTransformLabels[marks.entries[i].kind]);
    }
    return s;
}

std::string DecadeText(int start)
{
    return start >= 100 ? std::to_string(start) + "岁" : std::to_string(start) + "-" + std::to_string(start + 9);
}

void PrintPalaces(const MZiWeiEx& engine, std::ostream& out)
{
    const ChartData& chart = engine.chart();
    const ChartSettings& settings = engine.settings();
    const bool male = engine.input().isMale != 0;
    for (int k = 0; k < kPalaceCount; ++k) {
        const PalaceRecord& p = chart.palaces[k];
        const int branch = BranchOf(p.stemBranch);
        std::string name(kPalaceNames[k]);
        if (branch == BranchOf(chart.bodyPalace)) name = std::string(kPalaceNames[k].substr(0, 3)) + "身";  // 财身, 命身
        out << name << "  " << CycleName(p.stemBranch) << "  " << DecadeText(p.decadeStart) << "  "
            << kChangShengNames[ChangShengAt(chart, male, branch)];
        if (settings.showxiao == 1)
            out << "  " << kBoShiNames[BoShiAt(chart, male, branch)] << ' ' << kJiangXingNames[JiangXingAt(chart, branch)]
                << ' ' << kSuiJianNames[SuiJianAt(chart, branch)];
        out << "\n    ";
        if (p.stars.count == 0) out << "（无星）";
        for (int i = 0; i < p.stars.count; ++i) out << (i ? " " : "") << StarText(p, i, settings);
        out << '\n';
    }
}

void PrintAnnual(const MZiWeiEx& engine, std::ostream& out)
{
    const ChartData& chart = engine.chart();
    const AnnualData& a = engine.annual();
    const AnnualLayers layers = ComputeAnnualLayers(chart, a);
    out << "\n流年：" << FormatDateTime(a.annualDate) << "（" << ClockKindLabel(engine.settings().idate) << "）"
        << "  农历" << LunarLabel(a.annualLunar, a.annualLeap != 0) << "  虚岁" << chart.annualAge << "  流年"
        << CycleName(a.annualPillar) << "年  流月" << kMonthLabels[a.annualMonth - 1] << "（" << a.monthLength << "天）\n"
        << "小限：" << kBranchNames[a.minorLimit] << "  流年斗君：" << kBranchNames[a.annualDouJun] << "  大限：";
    if (layers.decadePalace >= 0) {
        const PalaceRecord& q = chart.palaces[layers.decadePalace];
        out << kPalaceNames[layers.decadePalace] << ' ' << CycleName(q.stemBranch) << ' ' << DecadeText(q.decadeStart);
    } else {
        out << "（已过末限）";
    }
    out << '\n';
    for (int k = 0; k < kPalaceCount; ++k) {
        const int branch = BranchOf(chart.palaces[k].stemBranch);
        const int j = AnnualPalaceAt(a, branch);
        out << kPalaceNames[k] << ' ' << kBranchNames[branch] << "：流年" << kPalaceNames[j];
        if (layers.decadePalace >= 0) out << "  大限" << kPalaceNames[DecadePalaceAt(chart, layers.decadePalace, branch)];
        out << "  " << kMonthLabels[MonthIndexAt(a, branch)];
        if (a.dailyHourly) {
            const DayList days = DaysAt(a, branch);
            out << "  ";
            for (int i = 0; i < days.count; ++i) out << (i ? "、" : "") << days.days[i];
            out << "日  " << kBranchNames[HourBranchAt(a, branch)] << "时";
        }
        for (int i = 0; i < layers.annualStars[j].count; ++i) out << "  流" << OverlayLabel(layers.annualStars[j].stars[i]);
        for (int i = 0; i < layers.decadeStars[j].count; ++i) out << "  运" << OverlayLabel(layers.decadeStars[j].stars[i]);
        out << '\n';
    }
}

}  // namespace

void PrintCast(const MZiWeiEx& engine, std::ostream& out)
{
    const ChartInput& input = engine.input();
    const ChartData& chart = engine.chart();
    const ChartSettings& settings = engine.settings();
    char longitude[32];
    std::snprintf(longitude, sizeof longitude, "%s%.2f°", input.longitude < 0 ? "西经" : "东经",
                  input.longitude < 0 ? -input.longitude : input.longitude);
    out << input.name << "  " << (input.isMale ? "男" : "女") << "  " << kChartKindNames[input.chartKind % 3] << "  "
        << input.place << "（" << longitude << "）\n"
        << "公历：" << FormatDateTime(engine.clockBirth()) << "（北京时间）\n";
    if (settings.idate != 0) out << ClockKindLabel(settings.idate) << "：" << FormatDateTime(engine.solarBirth()) << '\n';
    out << "农历：" << StoredToHistoricalYear(engine.lunarBirth().year) << "年" << LunarLabel(engine.lunarBirth(), engine.lunarLeap())
        << ' ' << HourLabel(chart.hourPillar) << '\n'
        << "八字：" << CycleName(chart.baziYear) << ' ' << CycleName(chart.baziMonth) << ' ' << CycleName(chart.baziDay) << ' '
        << CycleName(chart.baziHour) << '\n'
        << "命盘：" << CycleName(chart.yearPillar) << "年 " << CycleName(chart.monthPillar) << "月（" << kMonthLabels[engine.chartMonth() - 1]
        << "） " << CycleName(chart.dayPillar) << "日 " << CycleName(chart.hourPillar) << "时\n"
        << "五行局：" << kBureauNames[chart.bureauElement] << "  命宫：" << CycleName(chart.palaces[0].stemBranch)
        << "  身宫：" << CycleName(chart.bodyPalace) << "  子年斗君：" << kBranchNames[chart.douJun] << "\n\n";
    PrintPalaces(engine, out);
    if (engine.state() == ChartState::Annual) PrintAnnual(engine, out);
}
