#include "ZiweiexDrawing.h"

#include "Sexagenary.h"
#include "Yidateex.h"
#include "ZiweiexAnnual.h"
#include "ZiweiexCycles.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"
#include "ZiweiexPalaces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

using namespace chart_colour;

namespace {

const std::array<std::string_view, 30> kNaYinNames = {
    "大海水", "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "洞下水", "城墙土", "白蜡金",
    "杨柳木", "泉中水", "屋上土", "霹雷火", "松柏木", "长流水", "沙中金", "山下火", "平地木", "壁上土",
    "金箔金", "佛灯火", "天河水", "大驿土", "钗钏金", "桑松木", "大溪水", "沙中土", "天上火", "石榴木"};

// 命主 by the Life palace's branch, 身主 by the year's branch (亥 first).
const std::array<std::string_view, 12> kLifeMaster = {
    "巨门", "贪狼", "巨门", "禄存", "文曲", "廉贞", "武曲", "破军", "武曲", "廉贞", "文曲", "禄存"};
const std::array<std::string_view, 12> kBodyMaster = {
    "天机", "火星", "天相", "天梁", "天同", "文昌", "天机", "火星", "天相", "天梁", "天同", "文昌"};

const std::array<std::string_view, 3> kClockKindNames = {"(北京时间)", "(真太阳时)", "(地方时)"};

// The kind of time the birth was converted to: the cast reads any idate other than 0 and 1 as
// local mean time.
std::string_view ClockKindName(uint8_t idate) { return kClockKindNames[std::min<int>(idate, 2)]; }

// The kind of chart cast: any kind other than 地盘 and 人盘 casts a 天盘 chart.
std::string_view ChartKindName(uint8_t kind) { return kChartKindNames[kind <= 2 ? kind : 0]; }

std::string_view NaYin(int cycleIndex)
{
    const int c = Mod(cycleIndex, 60);
    return kNaYinNames[c % 2 == 0 ? c / 2 : (c + 1) % 60 / 2];
}

// Years before 1 CE are shown in historical numbering (astronomical 0 is -1).
int DisplayYear(int storedYear) { return storedYear < 1 ? storedYear - 1 : storedYear; }

// Branch of the double hour holding hour H (23:00-00:59 is 子).
int HourBranch(int hour)
{
    if (hour % 2 != 0) hour = (hour + 1) % 24;
    return (hour / 2 + 1) % 12;
}

std::string LunarMonthPart(int month, bool leap)
{
    std::string text = leap ? "闰" : "";
    return text + (month == 1 ? std::string("正月") : MYiDateEx::NumberName(static_cast<int16_t>(month)) + "月");
}

std::string LunarDayNumber(int day)
{
    return (day <= 10 ? "初" : "") + MYiDateEx::NumberName(static_cast<int16_t>(day));
}

std::string Format(const char* format, auto... values)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string FirstCharacter(std::string_view text) { return std::string(text.substr(0, 3)); }

}  // namespace

void ChartDrawing::Vertical(int x, int y, std::string_view text, Rgb colour)
{
    DrawVertical(canvas_, geometry_, x, y, text, colour);
}

void ChartDrawing::DrawCentred(int left, int y, std::string_view text, Rgb colour)
{
    canvas_.DrawText(left + (geometry_.cellWidth - canvas_.TextWidth(text)) / 2, y, text, colour);
}

void ChartDrawing::DrawMark(int x, int y, int kind, Rgb colour)
{
    canvas_.FillRect(x, y, x + geometry_.charWidth, y + geometry_.charHeight, colour);
    canvas_.DrawText(x, y, kTransformLabels[kind], kWhite);
}

void ChartDrawing::DrawFrame(const ChartView&) { ::DrawFrame(canvas_, geometry_); }

void ChartDrawing::DrawLinks(const ChartView&, int branch) { ::DrawLinks(canvas_, geometry_, branch); }

void ChartDrawing::DrawCentreBox(const ChartView& view)
{
    const ChartGeometry& g = geometry_;
    const ChartData& chart = view.chart;
    const ChartSettings& settings = view.settings;
    const ChartInput& input = view.input;
    const bool annual = view.state == ChartState::Annual;
    const int h = g.charHeight;

    const std::string_view heading = "★Qiravel★";
    canvas_.SetFont(kChartFace, g.fontSize + 3);
    canvas_.DrawText(g.halfWidth - g.cellWidth + (2 * g.cellWidth - canvas_.TextWidth(heading)) / 2, g.cellHeight + 2,
                     heading, kBlue);
    canvas_.SetFont(kChartFace, g.fontSize);

    std::vector<std::string> lines;
    lines.push_back(annual ? Format("【%d岁流年命盘】", chart.annualAge)
                           : "【本命盘-" + std::string(ChartKindName(input.chartKind)) + "】");
    std::string person = Format("姓名:%s,%s", input.name.c_str(), input.place.c_str());
    if (settings.idate != 0) {
        const double degrees = std::floor(input.longitude);
        person += Format("(经度:%d:%d)", static_cast<int>(degrees),
                         static_cast<int>(MYiDateEx::RoundTo((input.longitude - degrees) * 60, 0)));
    }
    lines.push_back(person);
    const MDateTime& solar = view.solarBirth;
    lines.push_back(Format("公历:%d年%d月%d日%d时%d分", DisplayYear(solar.year), solar.month, solar.day, solar.hour,
                           solar.minute) +
                    std::string(ClockKindName(settings.idate)));
    const MDateTime& lunar = view.lunarBirth;
    lines.push_back("农历:" + MYiDateEx::NumberName(static_cast<int16_t>(DisplayYear(lunar.year))) + "年" +
                    LunarMonthPart(lunar.month, view.lunarLeap) + LunarDayNumber(lunar.day) + "日" +
                    std::string(kBranchNames[HourBranch(lunar.hour)]) + "时");
    lines.push_back("四柱:" + CycleName(chart.baziYear) + "年 " + CycleName(chart.baziMonth) + "月 " +
                    CycleName(chart.baziDay) + "日 " + CycleName(chart.baziHour) + "时");
    const int16_t lifePair = chart.palaces[0].stemBranch;
    lines.push_back(std::string("命局:") + (chart.yearPillar % 2 != 0 ? "阳" : "阴") + (input.isMale ? "男" : "女") +
                    "(" + CycleName(chart.yearPillar) + ")  " + std::string(kBureauNames[chart.bureauElement]) + " " +
                    std::string(NaYin(lifePair)));
    lines.push_back("命宫:" + std::string(kBranchNames[BranchOf(lifePair)]) + "     命主:" +
                    std::string(kLifeMaster[BranchOf(lifePair)]));
    lines.push_back("身宫:" + std::string(kBranchNames[BranchOf(chart.bodyPalace)]) + "     身主:" +
                    std::string(kBodyMaster[BranchOf(chart.yearPillar)]));
    std::string douJun = "子年斗君:" + std::string(kBranchNames[Mod(chart.douJun, 12)]);
    if (annual) {
        const AnnualData& a = view.annual;
        douJun += "  流年斗君:" + std::string(kBranchNames[Mod(a.annualDouJun, 12)]) + "  小限:" +
                  std::string(kBranchNames[Mod(a.minorLimit, 12)]);
        lines.push_back(douJun);
        lines.push_back(Format("流年:%d-%d-%d ", DisplayYear(a.annualDate.year), a.annualDate.month,
                               a.annualDate.day) +
                        LunarMonthPart(a.annualLunar.month, a.annualLeap != 0) + LunarDayNumber(a.annualLunar.day) +
                        std::string(kBranchNames[HourBranch(a.annualLunar.hour)]) + "时" +
                        Format("(%s年%d岁)", CycleName(a.annualPillar).c_str(), chart.annualAge));
    } else {
        lines.push_back(douJun);
    }

    const int x0 = g.halfWidth - g.cellWidth + 3;
    for (size_t n = 1; n <= lines.size(); ++n)
        canvas_.DrawText(x0, g.halfHeight - g.cellHeight + static_cast<int>(n) * (h + h / 2), lines[n - 1], kBlack);
    DrawStemTable(view);
}

void ChartDrawing::DrawStemTable(const ChartView& view)
{
    const ChartGeometry& g = geometry_;
    // The frame covers only the grid: clear the strip below it, so that a table drawn with
    // other transformation variants leaves nothing of the previous one.
    canvas_.FillRect(0, g.gridHeight, canvas_.Width(), canvas_.Height(), kWhite);
    std::string text;
    for (int s = 1; s <= 10; ++s) {
        const FourStars stars = FourTransforms(s % 10, view.settings);
        text += std::string(kStemNames[s % 10]) + ":" + std::string(kStarLabels[stars[0]]) + "-" +
                std::string(kStarLabels[stars[1]]) + "-" + std::string(kStarLabels[stars[2]]) + "-" +
                std::string(kStarLabels[stars[3]]) + "  ";
        if (s == 5) {
            canvas_.DrawText(2, g.gridHeight + 5, text, kBlack);
            text.clear();
        }
    }
    canvas_.DrawText(2, g.gridHeight + g.charHeight + 10, text, kBlack);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const int x = canvas_.TextWidth(text) + 10;
    canvas_.DrawText(x, g.gridHeight + 1, "★先天", kGreen);
    canvas_.DrawText(x, g.gridHeight + 1 + g.charHeight, "★大限", kMaroon);
    canvas_.DrawText(x, g.gridHeight + 1 + 2 * g.charHeight, "★流年", kBlue);
}

void ChartDrawing::DrawPalaceCells(const ChartView& view)
{
    const ChartGeometry& g = geometry_;
    const ChartData& chart = view.chart;
    const ChartSettings& settings = view.settings;
    const bool male = view.input.isMale != 0;
    const int w = g.charWidth, h = g.charHeight;
    canvas_.SetFont(kChartFace, g.fontSize);
    for (int i = 0; i < kPalaceCount; ++i) {
        const PalaceRecord& palace = chart.palaces[i];
        const int b = BranchOf(palace.stemBranch);
        const auto [left, top] = CellCorner(g, b);
        const int y1 = LabelLine(top);

        const std::string_view name = kPalaceNames[i];
        const int labelX = left + (g.cellWidth - canvas_.TextWidth(name)) / 2;
        if (b == BranchOf(chart.bodyPalace))
            canvas_.DrawText(labelX, y1, FirstCharacter(name) + "身", kRed);
        else
            canvas_.DrawText(labelX, y1, name, i == 0 ? kRed : kGreen);
        DrawCentred(left, y1 + h,
                    palace.decadeStart >= 100 ? Format("%d岁", palace.decadeStart)
                                              : Format("%d-%d", palace.decadeStart, palace.decadeStart + 9),
                    kBlack);
        Vertical(left + 2, y1, CycleName(palace.stemBranch), kBlack);
        const std::string_view stage = kChangShengNames[ChangShengAt(chart, male, b)];
        if (stage.size() <= 3)
            canvas_.DrawText(left + 2 + w, y1 + h / 2, stage, kBlack);
        else
            Vertical(left + 2 + w, y1, stage, kBlack);

        for (int j = 0; j < palace.stars.count; ++j) {
            const int star = palace.stars.stars[j];
            const int x = left + 2 + j * w;
            Vertical(x, top + 2, kStarNames[star], star <= 26 ? kRed : kPurple);
            const int grade = StarGrade(star, b, settings.miaoxian);
            if (grade != 0) canvas_.DrawText(x, top + 2 + 2 * h, GradeName(grade, settings.miaoxian != 0), kBlue);
        }
        const MarkList& natal = palace.marks[kNatalMarks];
        for (int m = 0; m < natal.count; ++m)
            DrawMark(left + 2 + natal.entries[m].slot * w, top + 2 + 3 * h, natal.entries[m].kind, kGreen);

        if (settings.showxiao == 1) {
            const int x = left + g.cellWidth - w - 2;
            Vertical(x, y1, kBoShiNames[BoShiAt(chart, male, b)], kBlack);
            Vertical(x - w, y1, kJiangXingNames[JiangXingAt(chart, b)], kBlack);
            Vertical(x - 2 * w, y1, kSuiJianNames[SuiJianAt(chart, b)], kBlack);
        }
    }
}

void ChartDrawing::DrawAnnualChart(const ChartView& view)
{
    const ChartGeometry& g = geometry_;
    const ChartData& chart = view.chart;
    const AnnualData& annual = view.annual;
    const int w = g.charWidth, h = g.charHeight;
    DrawFrame(view);
    DrawCentreBox(view);
    DrawPalaceCells(view);

    const AnnualLayers layers = ComputeAnnualLayers(chart, annual);
    const int life = LifeBranch(chart);
    for (int j = 0; j < kPalaceCount; ++j) {
        const int b = Mod(annual.annualPillar - j, 12);
        const auto [left, top] = CellCorner(g, b);
        const int y1 = LabelLine(top);
        const PalaceRecord& natal = chart.palaces[Mod(life - b, 12)];

        Vertical(left + 2 * w + 2, y1, kPalaceNames[j], kBlue);
        if (layers.decadePalace >= 0)
            Vertical(left + 3 * w + 2, y1, kPalaceNames[DecadePalaceAt(chart, layers.decadePalace, b)], kMaroon);
        Vertical(left + g.cellWidth - 4 * w - 2, y1, kMonthLabels[MonthIndexAt(annual, b)], kRed);

        if (annual.dailyHourly) {
            const DayList days = DaysAt(annual, b);
            std::string text;
            for (int d = 0; d < days.count; ++d) text += std::to_string(days.days[d]) + (d + 1 < days.count ? "、" : "日");
            canvas_.DrawText(left + 2, top + 4 * h + 1, text, kRed);
            canvas_.DrawText(left + 2, top + 5 * h + 1, std::string(kBranchNames[HourBranchAt(annual, b)]) + "时", kRed);
        }
        const MarkList& decadeMarks = natal.marks[kDecadeMarks];
        for (int m = 0; m < decadeMarks.count; ++m)
            DrawMark(left + 2 + decadeMarks.entries[m].slot * w, top + 4 * h + 1, decadeMarks.entries[m].kind, kMaroon);
        const MarkList& annualMarks = natal.marks[kAnnualMarks];
        for (int m = 0; m < annualMarks.count; ++m)
            DrawMark(left + 2 + annualMarks.entries[m].slot * w, top + 5 * h + 1, annualMarks.entries[m].kind, kBlue);

        int x = left + g.cellWidth - w - 2;
        const int y = top + g.cellHeight - 4 * h - 1;
        const StarList& annualStars = layers.annualStars[j];
        for (int s = 0; s < annualStars.count; ++s, x -= w)
            Vertical(x, y, "流" + std::string(OverlayLabel(annualStars.stars[s])), kBlue);
        const StarList& decadeStars = layers.decadeStars[j];
        for (int s = 0; s < decadeStars.count; ++s, x -= w)
            Vertical(x, y, "运" + std::string(OverlayLabel(decadeStars.stars[s])), kMaroon);
    }
}

void ChartDrawing::DrawHighlight(const ChartView& view, int branch)
{
    const ChartGeometry& g = geometry_;
    const ChartData& chart = view.chart;
    const bool natal = view.state == ChartState::Natal;
    const int w = g.charWidth, h = g.charHeight;
    if (natal) {
        DrawFrame(view);
        DrawCentreBox(view);
        DrawPalaceCells(view);
    } else {
        DrawAnnualChart(view);
    }
    DrawLinks(view, branch);

    const int reference = PalaceAt(chart, branch);
    for (int r = 0; r < kPalaceCount; ++r) {
        const auto [left, top] = CellCorner(g, Mod(branch - r, 12));
        if (!natal) {
            canvas_.DrawText(left + 4 * w + 8, top + 5 * h + 1, kPalaceLabels[r], kAmber);
            continue;
        }
        Vertical(left + 2 * w + 2, LabelLine(top), kPalaceNames[r], kAmber);
        const MarkList& flying = chart.palaces[(reference + r) % kPalaceCount].marks[kDecadeMarks];
        for (int m = 0; m < flying.count; ++m)
            DrawMark(left + 2 + flying.entries[m].slot * w, top + 4 * h, flying.entries[m].kind, kAmber);
    }
}
