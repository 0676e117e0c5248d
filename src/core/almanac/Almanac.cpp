#include "Almanac.h"

#include "Sexagenary.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kColumns = 7;

}  // namespace

int16_t AlmanacMonth::DayAt(int row, int column) const
{
    if (column < 0 || column >= kColumns || row < 0) return 0;
    const int i = row * kColumns + column - firstColumn;
    if (i < 0 || i >= static_cast<int>(days.size())) return 0;
    return days[i].day;
}

const AlmanacDay* AlmanacMonth::Find(int day) const
{
    for (const AlmanacDay& d : days)
        if (d.day == day) return &d;
    return nullptr;
}

bool MAlmanac::InRange(int storedYear, int month)
{
    return storedYear >= kAlmanacFirstYear && storedYear <= kAlmanacLastYear && month >= 1 && month <= 12;
}

int MAlmanac::DaysInMonth(const MDateTime& t)
{
    if (!InRange(t.year, t.month) || t.day < 1) return 0;
    return calendar_.DaysInMonth(t);
}

const std::vector<TermRecord>& MAlmanac::YearTermsOf(int storedYear)
{
    // Navigation stays within a year eleven times out of twelve; the terms of a year cost an
    // ephemeris solution each.
    if (!haveTerms_ || termsYear_ != storedYear) {
        calendar_.YearTerms(storedYear, yearTerms_);
        termsYear_ = storedYear;
        haveTerms_ = true;
    }
    return yearTerms_;
}

bool MAlmanac::Month(int storedYear, int month, AlmanacMonth& out)
{
    if (!InRange(storedYear, month)) return false;
    const auto y = static_cast<int16_t>(storedYear);
    const auto m = static_cast<int16_t>(month);
    AlmanacMonth page;
    page.year = y;
    page.month = m;

    for (const TermRecord& r : YearTermsOf(storedYear)) {
        if (r.time.year == kTermListEnd) break;
        if (r.time.month == month) page.terms.push_back({r.index, r.time});
    }

    const int n = calendar_.DaysInMonth({y, m, 1, 12, 0});
    page.firstColumn = static_cast<int16_t>((calendar_.Weekday({y, m, 1, 12, 0}) + 6) % kColumns);
    page.rows = static_cast<int16_t>((page.firstColumn + n + kColumns - 1) / kColumns);
    page.days.reserve(n);
    const bool gapMonth = storedYear == 1582 && month == 10;
    for (int j = 1; j <= n; ++j) {
        AlmanacDay cell;
        cell.day = static_cast<int16_t>(gapMonth && j > 4 ? j + 10 : j);
        const int position = page.firstColumn + j - 1;
        cell.row = static_cast<int16_t>(position / kColumns);
        cell.column = static_cast<int16_t>(position % kColumns);
        cell.leap = calendar_.GregorianToLunar({y, m, cell.day, 12, 0}, cell.lunar);
        cell.lunarLabel = MYiDateEx::LunarMonthLabel(cell.lunar.month, cell.leap) +
                          MYiDateEx::LunarDayLabel(cell.lunar.day);
        for (const AlmanacTerm& t : page.terms)
            if (t.time.day == cell.day) cell.term = t.index;
        page.days.push_back(std::move(cell));
    }
    out = std::move(page);
    return true;
}

AlmanacPillars MAlmanac::Pillars(const MDateTime& t)
{
    AlmanacPillars p;
    p.year = calendar_.YearPillarIndex(t);
    // Before 立春 the pillar is the previous year's; consecutive years never share an index.
    p.pillarYear = static_cast<int16_t>(YearCycleIndex(t.year) == p.year ? t.year : t.year - 1);
    std::array<int16_t, 15> bounds{};
    p.month = MYiDateEx::MonthPillarIndex(p.year, calendar_.SolarMonth(t, bounds));
    // From 23:00 the 子 hour of the next day has begun, and with it the next day.
    p.day = Mod(calendar_.DayCycleIndex(t) + (t.hour == 23 ? 1 : 0), 60);
    p.hour = HourCycleIndex(t.hour, p.day);
    return p;
}

std::string MAlmanac::EraLine(const AlmanacPillars& pillars) const
{
    return eras_.EraNames(pillars.pillarYear) + "  【" + std::string(kAnimalNames[BranchOf(pillars.year)]) + "年】";
}

std::optional<YearMonth> MAlmanac::StepMonth(int storedYear, int month, int delta)
{
    int y = storedYear;
    int m = month + delta;
    if (m < 1) {
        m = 12;
        --y;
    } else if (m > 12) {
        m = 1;
        ++y;
    }
    if (!InRange(y, m)) return std::nullopt;
    return YearMonth{static_cast<int16_t>(y), static_cast<int16_t>(m)};
}
