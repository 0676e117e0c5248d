// Clock times of solar terms, solar months and the year and month pillars.
#include "Eph.h"
#include "Sexagenary.h"
#include "Yidateex.h"

namespace {

constexpr double kDaysPerCentury = 36525;

}  // namespace

double MYiDateEx::TermJd(int year, int degrees) const
{
    const double w = ((year - 2000) + degrees / 360.0 + 1) * eph::kTwoPi;
    const double t = TimeOfSunLongitude(w);
    return kDaysPerCentury * t + eph::kJ2000 + eph::kBeijingOffset - DeltaTDays(kDaysPerCentury * t);
}

void MYiDateEx::TermTime(int16_t year, int16_t month, bool isJie, MDateTime& out)
{
    const int degrees = 15 * (2 * month - 2 + (isJie ? 0 : 1)) - 75;
    out = FromJulianDay(TermJd(year, degrees));
}

int MYiDateEx::SolarMonth(const MDateTime& t, std::array<int16_t, 15>& out)
{
    const double x = ToJulianDay(t);
    // Terms are compared at their printed minute, as the year pillar compares 立春: the minute
    // of a 节 belongs to the month it opens, so the month and year pillars never disagree.
    const auto opening = [&](int degrees) { return ToJulianDay(FromJulianDay(TermJd(t.year, degrees))); };
    // The 节 of t's Gregorian month usually opens the solar month; step a month either way
    // until the month holds t.
    int n = 30 * t.month - 105;
    double opens = opening(n);
    double closes = opening(n + 30);
    for (;;) {
        if (x < opens) {
            n -= 30;
            closes = opens;
            opens = opening(n);
        } else if (x >= closes) {
            n += 30;
            opens = closes;
            closes = opening(n + 30);
        } else {
            break;
        }
    }
    const MDateTime bounds[3] = {FromJulianDay(opens), FromJulianDay(TermJd(t.year, n + 15)), FromJulianDay(closes)};
    for (int i = 0; i < 3; ++i) {
        out[5 * i] = bounds[i].year;
        out[5 * i + 1] = bounds[i].month;
        out[5 * i + 2] = bounds[i].day;
        out[5 * i + 3] = bounds[i].hour;
        out[5 * i + 4] = bounds[i].minute;
    }
    // 285 degrees past the equinox (小寒) opens the 丑 month, each 30 degrees one branch more.
    return (Mod(Mod(n, 360) - 285, 360) / 30 + 2) % 12;
}

void MYiDateEx::YearTerms(int year, std::vector<TermRecord>& out)
{
    out.clear();
    // Back to the last term of the previous year (normally 冬至, -90 degrees) ...
    int degrees = -60;
    MDateTime r;
    do {
        degrees -= 15;
        r = FromJulianDay(TermJd(year, degrees));
    } while (r.year == year && r.year >= kFirstHistoricalYear);
    // ... then forward through the year.
    for (;;) {
        degrees += 15;
        r = FromJulianDay(TermJd(year, degrees));
        if (r.year != year || r.year > kLastYear) break;
        const int index = Mod(Mod(degrees, 360) - 285, 360) / 15 % 24;
        out.push_back({r, 0, static_cast<int16_t>(index)});
    }
    out.push_back({{kTermListEnd, 0, 0, 0, 0}, 0, 0});
}

int MYiDateEx::YearPillarIndex(const MDateTime& t)
{
    MDateTime spring;
    TermTime(t.year, 2, true, spring);
    const int year = ToJulianDay(t) < ToJulianDay(spring) ? t.year - 1 : t.year;
    return YearCycleIndex(year);
}

int MYiDateEx::MonthPillarIndex(int yearIndex, int branch)
{
    // The 寅 month's stem follows from the year stem: 甲/己 丙, 乙/庚 戊, 丙/辛 庚, 丁/壬 壬, 戊/癸 甲.
    int k = Mod(yearIndex, 10);
    if (k == 0) k = 10;
    if (k >= 6) k -= 5;
    const int f = branch > 2 ? branch - 3 : branch + 9;  // months since 寅
    const int stem = ((2 * k + 1) % 10 + f) % 10;
    return ::CycleIndex(stem, static_cast<int16_t>((f + 3) % 12));
}
