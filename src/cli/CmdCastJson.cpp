// The JSON form of a cast: every value of the natal and annual chart, with historical years.
#include "CmdCast.h"

#include "Sexagenary.h"
#include "ZiweiexCycles.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"
#include "ZiweiexPalaces.h"

namespace {

using nlohmann::json;

json DateTimeJson(const MDateTime& t)
{
    return {{"year", StoredToHistoricalYear(t.year)}, {"month", t.month}, {"day", t.day},
            {"hour", t.hour},                         {"minute", t.minute}};
}

json LunarJson(const MDateTime& t, bool leap)
{
    json j = DateTimeJson(t);
    j["leap"] = leap;
    return j;
}

json StarsJson(const StarList& list)
{
    json stars = json::array();
    for (int i = 0; i < list.count; ++i) stars.push_back(list.stars[i]);
    return stars;
}

json MarksJson(const MarkList& marks)
{
    json list = json::array();
    for (int i = 0; i < marks.count; ++i) list.push_back({marks.entries[i].slot, marks.entries[i].kind});
    return list;
}

json SettingsJson(const ChartSettings& s)
{
    return {{"tg5", s.tg5},       {"tg7", s.tg7},         {"tg9", s.tg9},     {"tm", s.tm},
            {"run", s.run},       {"showfu", s.showfu},   {"showxiao", s.showxiao},
            {"idate", s.idate},   {"save", s.save != 0},  {"ileft", s.ileft}, {"zishi", s.zishi != 0},
            {"miaoxian", s.miaoxian}};
}

json PalaceJson(const MZiWeiEx& engine, int k)
{
    const ChartData& chart = engine.chart();
    const PalaceRecord& p = chart.palaces[k];
    const int branch = BranchOf(p.stemBranch);
    const bool male = engine.input().isMale != 0;
    json grades = json::array();
    for (int i = 0; i < p.stars.count; ++i) grades.push_back(StarGrade(p.stars.stars[i], branch, engine.settings().miaoxian));
    return {{"stemBranch", p.stemBranch},
            {"decadeStart", p.decadeStart},
            {"stars", StarsJson(p.stars)},
            {"grades", grades},
            {"natalMarks", MarksJson(p.marks[kNatalMarks])},
            {"changSheng", kChangShengNames[ChangShengAt(chart, male, branch)]},
            {"boShi", kBoShiNames[BoShiAt(chart, male, branch)]},
            {"jiangXing", kJiangXingNames[JiangXingAt(chart, branch)]},
            {"suiJian", kSuiJianNames[SuiJianAt(chart, branch)]}};
}

json AnnualJson(const MZiWeiEx& engine)
{
    const ChartData& chart = engine.chart();
    const AnnualData& a = engine.annual();
    const AnnualLayers layers = ComputeAnnualLayers(chart, a);
    json annualStars = json::array(), decadeStars = json::array(), palaces = json::array();
    for (int j = 0; j < kPalaceCount; ++j) {
        annualStars.push_back(StarsJson(layers.annualStars[j]));
        decadeStars.push_back(StarsJson(layers.decadeStars[j]));
    }
    for (int k = 0; k < kPalaceCount; ++k) {
        const PalaceRecord& p = chart.palaces[k];
        const int branch = BranchOf(p.stemBranch);
        json palace = {{"annualPalace", AnnualPalaceAt(a, branch)},
                       {"decadePalace", layers.decadePalace >= 0 ? DecadePalaceAt(chart, layers.decadePalace, branch) : -1},
                       {"decadeMarks", MarksJson(p.marks[kDecadeMarks])},
                       {"annualMarks", MarksJson(p.marks[kAnnualMarks])},
                       {"month", MonthIndexAt(a, branch)}};
        if (a.dailyHourly) {
            const DayList days = DaysAt(a, branch);
            palace["days"] = json(std::vector<int>(days.days, days.days + days.count));
            palace["hourBranch"] = HourBranchAt(a, branch);
        }
        palaces.push_back(std::move(palace));
    }
    return {{"annualDate", DateTimeJson(a.annualDate)},
            {"annualLunar", LunarJson(a.annualLunar, a.annualLeap != 0)},
            {"annualAge", chart.annualAge},
            {"annualPillar", a.annualPillar},
            {"annualMonth", a.annualMonth},
            {"annualLeap", a.annualLeap != 0},
            {"monthLength", a.monthLength},
            {"minorLimit", a.minorLimit},
            {"annualDouJun", a.annualDouJun},
            {"dailyHourly", a.dailyHourly != 0},
            {"decadePalace", layers.decadePalace},
            {"annualStars", annualStars},
            {"decadeStars", decadeStars},
            {"palaces", palaces}};
}

}  // namespace

json CastJson(const MZiWeiEx& engine)
{
    const ChartData& chart = engine.chart();
    const ChartInput& input = engine.input();
    json palaces = json::array();
    for (int k = 0; k < kPalaceCount; ++k) palaces.push_back(PalaceJson(engine, k));
    json j = {{"name", input.name},
              {"male", input.isMale != 0},
              {"place", input.place},
              {"longitude", input.longitude},
              {"chartKind", input.chartKind},
              {"clockBirth", DateTimeJson(engine.clockBirth())},
              {"solarBirth", DateTimeJson(engine.solarBirth())},
              {"lunarBirth", LunarJson(engine.lunarBirth(), engine.lunarLeap())},
              {"chartMonth", engine.chartMonth()},
              {"baziYear", chart.baziYear},
              {"baziMonth", chart.baziMonth},
              {"baziDay", chart.baziDay},
              {"baziHour", chart.baziHour},
              {"yearPillar", chart.yearPillar},
              {"monthPillar", chart.monthPillar},
              {"dayPillar", chart.dayPillar},
              {"hourPillar", chart.hourPillar},
              {"lifePalace", chart.palaces[0].stemBranch},
              {"bodyPalace", chart.bodyPalace},
              {"bureau", chart.bureau},
              {"bureauElement", chart.bureauElement},
              {"douJun", chart.douJun},
              {"palaces", palaces},
              {"settings", SettingsJson(engine.settings())}};
    if (engine.state() == ChartState::Annual) j["annual"] = AnnualJson(engine);
    return j;
}
