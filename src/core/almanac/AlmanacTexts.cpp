// The wording of a month page.
#include "Almanac.h"

#include "Sexagenary.h"

std::string TermText(const AlmanacTerm& term)
{
    return std::string(kTermNames[term.index]) + ":" + std::to_string(term.time.day) + "日" +
           std::to_string(term.time.hour) + "时" + std::to_string(term.time.minute) + "分";
}

std::string TermsMemo(const AlmanacMonth& page)
{
    std::string text;
    for (const AlmanacTerm& t : page.terms) {
        if (!text.empty()) text += "\n\n";
        text += TermText(t);
    }
    return text;
}

std::string PillarsMemo(const AlmanacPillars& p)
{
    return CycleName(p.year) + "年\n" + CycleName(p.month) + "月\n" + CycleName(p.day) + "日\n" + CycleName(p.hour) +
           "时";
}

std::string MonthTitle(int storedYear, int month)
{
    return std::to_string(StoredToHistoricalYear(storedYear)) + "年" + std::to_string(month) + "月";
}
