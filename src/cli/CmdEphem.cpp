// qiravel-cli ephem: ΔT, the apparent longitudes of the sun and the moon, their elongation
// and the equation of time at a Beijing date-time, from every stored term of the series.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "Eph.h"
#include "Eph0.h"
#include "Yidateex.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>
#include <string>

namespace {

struct EphemerisAt {
    std::string deltaT;          // seconds
    std::string sunLongitude;    // degrees, apparent
    std::string moonLongitude;   // degrees, apparent
    std::string elongation;      // degrees, moon minus sun
    std::string equationOfTime;  // seconds, apparent minus mean solar time
};

std::string Format(double value, int decimals)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Degrees(double angle) { return Format(NormalizeAngle(angle) * 180 / eph::kPi, 6); }

EphemerisAt Compute(const MDateTime& t)
{
    const double jd = CalendarToJd(t.year, t.month, t.day + (t.hour + t.minute / 60.0) / 24.0);
    const double days = jd - eph::kBeijingOffset - eph::kJ2000;  // UT
    const double deltaT = DeltaTDays(days);
    const double c = (days + deltaT) / 36525;  // TT
    const double moon = MoonLongitude(c, -1) + MoonAberration() + NutationInLongitude(c);
    return {Format(deltaT * 86400, 2), Degrees(SunApparentLongitude(c, -1)), Degrees(moon),
            Degrees(MoonSunElongation(c, -1, -1)), Format(EquationOfTime(c) * 86400, 2)};
}

}  // namespace

int RunEphem(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {}, {"json"});
    const MDateTime t = ParseDateTime(args.single("日期 年-月-日[T时:分]")).value;
    MYiDateEx calendar;
    if (!calendar.DateExists(t)) throw UsageError{"不存在这个日期"};
    const EphemerisAt e = Compute(t);

    if (args.has("json")) {
        // The numbers as printed, so both forms agree to the last digit.
        const nlohmann::json j = {{"date", FormatDateTime(t)},
                                  {"deltaT", std::stod(e.deltaT)},
                                  {"sunLongitude", std::stod(e.sunLongitude)},
                                  {"moonLongitude", std::stod(e.moonLongitude)},
                                  {"elongation", std::stod(e.elongation)},
                                  {"equationOfTime", std::stod(e.equationOfTime)}};
        out << JsonText(j) << '\n';
        return 0;
    }
    out << "日期：" << FormatDateTime(t) << "（北京时间）\n"
        << "ΔT：" << e.deltaT << " 秒\n"
        << "太阳视黄经：" << e.sunLongitude << "°\n"
        << "月亮视黄经：" << e.moonLongitude << "°\n"
        << "月日黄经差：" << e.elongation << "°\n"
        << "时差（真太阳时减平太阳时）：" << e.equationOfTime << " 秒\n";
    return 0;
}
