#include "LunarFormat.h"

#include "CliArgs.h"
#include "Yidateex.h"

int ParseHistoricalYear(const std::string& text)
{
    const int year = ParseInt(text, -99999, 99999, "年份");
    if (year == 0) throw UsageError{"没有公元0年，公元前1年请写作 -1"};
    if (year < kFirstHistoricalYear || year > kLastYear) throw UsageError{"年份应在-4713到9999之间：" + text};
    return HistoricalToStoredYear(year);
}

std::string YearText(int storedYear)
{
    const int year = StoredToHistoricalYear(storedYear);
    return year < 0 ? "公元前" + std::to_string(-year) + "年" : std::to_string(year) + "年";
}

std::string LunarDateText(const MDateTime& lunar, bool leap)
{
    return MYiDateEx::NumberName(static_cast<int16_t>(StoredToHistoricalYear(lunar.year))) + "年" +
           MYiDateEx::LunarMonthLabel(lunar.month, leap) + MYiDateEx::LunarDayLabel(lunar.day);
}
