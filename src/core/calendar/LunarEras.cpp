// Era names of a year from the era table.
#include "Lunar.h"
#include "LunarData.h"

std::vector<obb_class::EraYear> obb_class::Eras(int y) const
{
    std::vector<EraYear> eras;
    for (const EraRecord& era : EraTable())
        if (y >= era.firstYear && y < era.firstYear + era.span)
            eras.push_back({&era, y - era.firstYear + era.offset + 1});
    return eras;
}

std::string obb_class::EraNames(int y) const
{
    std::string text;
    for (const auto& [era, yearOfEra] : Eras(y)) {
        text += text.empty() ? "[" : "；[";
        text.append(era->dynasty).append("] ").append(era->ruler).append(" ").append(era->personalName).append(" ");
        text.append(era->eraName).append(std::to_string(yearOfEra)).append("年");
    }
    return text;
}
