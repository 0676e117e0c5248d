// qiravel-cli calendar: a month of the perpetual calendar as its window shows it.
#include "Almanac.h"
#include "CliArgs.h"
#include "Commands.h"
#include "LunarFormat.h"
#include "Sexagenary.h"

#include <nlohmann/json.hpp>

#include <array>
#include <ostream>

namespace {

// Monday first, as the grid.
const std::array<const char*, 7> kWeekdays = {"一", "二", "三", "四", "五", "六", "日"};

// "2024-2" or "-1-12": a historical year and a month.
YearMonth ParseYearMonth(const std::string& text)
{
    const auto dash = text.rfind('-');
    if (dash == std::string::npos || dash == 0) throw UsageError{"年月应写作 年-月，例如 2024-02：" + text};
    const int year = ParseHistoricalYear(text.substr(0, dash));
    const int month = ParseInt(text.substr(dash + 1), 1, 12, "月份");
    return {static_cast<int16_t>(year), static_cast<int16_t>(month)};
}

}  // namespace

int RunCalendar(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {"day", "hour", "minute"}, {"json"});
    const YearMonth ym = ParseYearMonth(args.single("年-月"));
    MDateTime chosen{ym.year, ym.month, 1, 0, 0};
    if (auto d = args.value("day")) chosen.day = static_cast<int16_t>(ParseInt(*d, 1, 31, "日"));
    if (auto h = args.value("hour")) chosen.hour = static_cast<int16_t>(ParseInt(*h, 0, 23, "时"));
    if (auto m = args.value("minute")) chosen.minute = static_cast<int16_t>(ParseInt(*m, 0, 59, "分"));

    MAlmanac almanac;
    if (almanac.DaysInMonth(chosen) == 0) throw UsageError{"不存在这个日期"};
    AlmanacMonth page;
    if (!almanac.Month(ym.year, ym.month, page)) throw UsageError{"年份应在-4713到9999之间"};
    const AlmanacPillars pillars = almanac.Pillars(chosen);
    const std::string era = almanac.EraLine(pillars);

    if (args.has("json")) {
        nlohmann::json days = nlohmann::json::array();
        for (const AlmanacDay& d : page.days)
            days.push_back({{"day", d.day},
                            {"weekday", kWeekdays[d.column]},
                            {"row", d.row},
                            {"column", d.column},
                            {"lunar",
                             {{"year", StoredToHistoricalYear(d.lunar.year)},
                              {"month", d.lunar.month},
                              {"day", d.lunar.day},
                              {"leap", d.leap}}},
                            {"lunarText", d.lunarLabel},
                            {"term", d.term < 0 ? nlohmann::json() : nlohmann::json(kTermNames[d.term])}});
        nlohmann::json terms = nlohmann::json::array();
        for (const AlmanacTerm& t : page.terms)
            terms.push_back({{"index", t.index},
                             {"name", kTermNames[t.index]},
                             {"time", FormatDateTime(t.time)},
                             {"text", TermText(t)}});
        out << nlohmann::json{{"year", StoredToHistoricalYear(page.year)},
                              {"month", page.month},
                              {"title", MonthTitle(page.year, page.month)},
                              {"firstColumn", page.firstColumn},
                              {"rows", page.rows},
                              {"days", days},
                              {"terms", terms},
                              {"era", era},
                              {"animal", kAnimalNames[BranchOf(pillars.year)]},
                              {"chosen", FormatDateTime(chosen)},
                              {"pillars",
                               {{"year", CycleName(pillars.year)},
                                {"month", CycleName(pillars.month)},
                                {"day", CycleName(pillars.day)},
                                {"hour", CycleName(pillars.hour)}}}}
                   .dump()
            << '\n';
        return 0;
    }

    out << MonthTitle(page.year, page.month) << '\n' << era << "\n\n";
    for (const AlmanacDay& d : page.days) {
        out << (d.day < 10 ? " " : "") << d.day << "日 星期" << kWeekdays[d.column] << "  " << d.lunarLabel;
        if (d.term >= 0) out << "  " << kTermNames[d.term];
        out << '\n';
    }
    out << "\n节气：\n";
    for (const AlmanacTerm& t : page.terms) out << TermText(t) << '\n';
    out << "\n四柱（" << FormatDateTime(chosen) << "）：\n" << PillarsMemo(pillars) << '\n';
    if (chosen.hour == 23) out << "（23时起为次日子时，日柱按次日）\n";
    return 0;
}
