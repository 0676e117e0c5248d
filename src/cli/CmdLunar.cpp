// qiravel-cli lunar: the lunar date and the four pillars of a Beijing date-time.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "LunarFormat.h"
#include "Sexagenary.h"
#include "Yidateex.h"

#include <nlohmann/json.hpp>

#include <ostream>

int RunLunar(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {}, {"json"});
    const ParsedDateTime input = ParseDateTime(args.single("日期 年-月-日[T时:分]"));
    const MDateTime t = input.value;
    MYiDateEx calendar;
    if (!calendar.DateExists(t)) throw UsageError{"不存在这个日期"};

    MDateTime lunar;
    const bool leap = calendar.GregorianToLunar(t, lunar);
    const int lunarYearCycle = YearCycleIndex(lunar.year);

    // Year and month change at the minute of their 节; without a time, at the start of the day.
    const int year = calendar.YearPillarIndex(t);
    std::array<int16_t, 15> bounds{};
    const int month = MYiDateEx::MonthPillarIndex(year, calendar.SolarMonth(t, bounds));
    // From 23:00 the 子 hour of the next day begins, and with it the next day's pillar.
    const bool lateZi = input.hasTime && t.hour == 23;
    const int day = (calendar.DayCycleIndex(t) + (lateZi ? 1 : 0)) % 60;
    const int hour = HourCycleIndex(t.hour, day);

    if (args.has("json")) {
        nlohmann::json j = {
            {"gregorian", FormatDateTime(t, input.hasTime)},
            {"lunar",
             {{"year", StoredToHistoricalYear(lunar.year)}, {"month", lunar.month}, {"day", lunar.day}, {"leap", leap},
              {"text", LunarDateText(lunar, leap)}, {"yearCycle", CycleName(lunarYearCycle)},
              {"animal", kAnimalNames[BranchOf(lunarYearCycle)]}}},
            {"pillars",
             {{"year", CycleName(year)}, {"month", CycleName(month)}, {"day", CycleName(day)},
              {"hour", input.hasTime ? nlohmann::json(CycleName(hour)) : nlohmann::json()}}}};
        out << JsonText(j) << '\n';
        return 0;
    }
    out << "公历：" << FormatDateTime(t, input.hasTime) << (input.hasTime ? "（北京时间）" : "") << '\n'
        << "农历：" << LunarDateText(lunar, leap) << "（" << CycleName(lunarYearCycle) << "年，属"
        << kAnimalNames[BranchOf(lunarYearCycle)] << "）\n"
        << "闰月：" << (leap ? "是" : "否") << '\n'
        << "四柱：" << CycleName(year) << "年 " << CycleName(month) << "月 " << CycleName(day) << "日";
    if (input.hasTime) out << ' ' << CycleName(hour) << "时";
    out << '\n';
    if (!input.hasTime) out << "（未给出时间：年柱、月柱按当日0时，时柱从略）\n";
    if (lateZi) out << "（23时起为次日子时，日柱按次日）\n";
    return 0;
}
