// qiravel-cli solar: the Gregorian date of a lunar date.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "LunarFormat.h"
#include "Yidateex.h"

#include <nlohmann/json.hpp>

#include <ostream>

int RunSolar(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {"lunar"}, {"leap", "json"});
    if (!args.positional().empty()) throw UsageError{"多余的参数：" + args.positional().front()};
    const ParsedDateTime input = ParseDateTime(args.require("lunar"));
    const MDateTime lunar = input.value;
    if (lunar.day > 30) throw UsageError{"农历日应在1到30之间：" + std::to_string(lunar.day)};
    const bool leap = args.has("leap");

    MYiDateEx calendar;
    MDateTime solar;
    std::string message;
    if (!calendar.LunarToGregorian(lunar, solar, leap, message)) throw UsageError{message};
    const int solarYear = StoredToHistoricalYear(solar.year);
    if (solarYear < kFirstHistoricalYear || solarYear > kLastYear)
        throw UsageError{"换算出的公历日期超出-4713到9999年的范围：" + FormatDateTime(solar, false)};

    if (args.has("json")) {
        nlohmann::json j = {{"lunar",
                             {{"year", StoredToHistoricalYear(lunar.year)}, {"month", lunar.month}, {"day", lunar.day},
                              {"leap", leap}, {"text", LunarDateText(lunar, leap)}}},
                            {"gregorian", FormatDateTime(solar, input.hasTime)}};
        out << JsonText(j) << '\n';
        return 0;
    }
    out << "农历：" << LunarDateText(lunar, leap) << '\n'
        << "公历：" << FormatDateTime(solar, input.hasTime) << (input.hasTime ? "（北京时间）" : "") << '\n';
    return 0;
}
