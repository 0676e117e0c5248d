#include "Yidateex.h"

#include "Sexagenary.h"

#include <cmath>

double MYiDateEx::ToJulianDay(const MDateTime& t)
{
    scratch_ = {t.year, t.month, t.day, t.hour, t.minute, 1};
    return ToJd(scratch_);
}

MDateTime MYiDateEx::FromJulianDay(double jd)
{
    scratch_ = JdToCalendar(jd);
    if (scratch_.second > 30) {
        // Land 5 s into the following minute so the truncation cannot fall back.
        scratch_ = JdToCalendar(jd - scratch_.second / 86400.0 + 60 / 86400.0 + 5 / 86400.0);
    }
    return {static_cast<int16_t>(scratch_.year), static_cast<int16_t>(scratch_.month),
            static_cast<int16_t>(scratch_.day), static_cast<int16_t>(scratch_.hour),
            static_cast<int16_t>(scratch_.minute)};
}

void MYiDateEx::NextDay(MDateTime& t) { t = FromJulianDay(ToJulianDay(t) + 1); }

int MYiDateEx::DayJd(const MDateTime& t)
{
    return int2(ToJulianDay({t.year, t.month, t.day, 12, 0}));
}

int MYiDateEx::DaysInMonth(const MDateTime& t)
{
    if (t.year == 1582 && t.month == 10 && t.day >= 5 && t.day <= 14) return 0;
    int d = t.day;
    if (t.year == 1582 && t.month == 10 && d >= 15) d -= 10;
    const MDateTime first{t.year, t.month, 1, 12, 0};
    const MDateTime next = t.month == 12 ? MDateTime{static_cast<int16_t>(t.year + 1), 1, 1, 12, 0}
                                         : MDateTime{t.year, static_cast<int16_t>(t.month + 1), 1, 12, 0};
    const int n = static_cast<int>(ToJulianDay(next) - ToJulianDay(first));
    return n >= d ? n : 0;
}

bool MYiDateEx::DateExists(const MDateTime& t) { return DaysInMonth(t) != 0; }

int MYiDateEx::Weekday(const MDateTime& t) { return Mod(DayJd(t) + 1, 7); }

int MYiDateEx::DayCycleIndex(const MDateTime& t) { return Mod(DayJd(t) + 50, 60); }

int16_t MYiDateEx::CycleIndex(int stem, int16_t branch) const { return ::CycleIndex(stem, branch); }

double MYiDateEx::RoundTo(double x, int n)
{
    const double p = std::pow(10.0, n);
    const double y = x * p;
    const double c = std::ceil(y);
    const double f = std::floor(y);
    return c - y >= y - f ? f / p : c / p;
}
