// qiravel-cli eras: the historical era names of a year.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "Lunar.h"
#include "LunarData.h"
#include "LunarFormat.h"

#include <nlohmann/json.hpp>

#include <ostream>

int RunEras(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {}, {"json"});
    const int year = ParseHistoricalYear(args.single("年份"));
    const obb_class table;
    const auto eras = table.Eras(year);

    if (args.has("json")) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& [era, yearOfEra] : eras)
            list.push_back({{"dynasty", era->dynasty},
                            {"ruler", era->ruler},
                            {"personalName", era->personalName},
                            {"era", era->eraName},
                            {"yearOfEra", yearOfEra},
                            {"firstYear", StoredToHistoricalYear(era->firstYear)}});
        out << JsonText({{"year", StoredToHistoricalYear(year)}, {"text", table.EraNames(year)}, {"eras", list}})
            << '\n';
        return 0;
    }
    out << YearText(year) << "：";
    if (eras.empty()) {
        out << "没有年号记载\n";
        return 0;
    }
    out << '\n';
    for (const auto& [era, yearOfEra] : eras)
        out << '[' << era->dynasty << "] " << era->ruler << ' ' << era->personalName << ' ' << era->eraName << yearOfEra
            << "年\n";
    return 0;
}
