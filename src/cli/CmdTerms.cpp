// qiravel-cli terms: the 24 solar terms of a year with their Beijing times.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "LunarFormat.h"
#include "Yidateex.h"

#include <nlohmann/json.hpp>

#include <ostream>

int RunTerms(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {}, {"json"});
    const int year = ParseHistoricalYear(args.single("年份"));
    MYiDateEx calendar;
    std::vector<TermRecord> terms;
    calendar.YearTerms(year, terms);

    if (args.has("json")) {
        nlohmann::json list = nlohmann::json::array();
        for (const TermRecord& r : terms) {
            if (r.time.year == kTermListEnd) break;
            list.push_back({{"index", r.index}, {"name", kTermNames[r.index]}, {"time", FormatDateTime(r.time)}});
        }
        out << JsonText(nlohmann::json{{"year", StoredToHistoricalYear(year)}, {"terms", list}}) << '\n';
        return 0;
    }
    out << YearText(year) << "的节气（北京时间）：\n";
    for (const TermRecord& r : terms) {
        if (r.time.year == kTermListEnd) break;
        out << kTermNames[r.index] << "  " << FormatDateTime(r.time) << '\n';
    }
    return 0;
}
