// qiravel-cli jd: Julian day, weekday and day cycle of a Beijing date-time.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "Eph0.h"
#include "Sexagenary.h"
#include "Yidateex.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <ostream>

namespace {

const std::array<std::string_view, 7> kWeekdayNames = {"日", "一", "二", "三", "四", "五", "六"};

}  // namespace

int RunJd(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args(argv, {}, {"json"});
    const MDateTime t = ParseDateTime(args.single("日期 年-月-日[T时:分]")).value;
    MYiDateEx calendar;
    if (!calendar.DateExists(t)) throw UsageError{"不存在这个日期"};

    const double jd = CalendarToJd(t.year, t.month, t.day + (t.hour + t.minute / 60.0) / 24.0);
    const int weekday = calendar.Weekday(t);
    const int dayCycle = calendar.DayCycleIndex(t);

    if (args.has("json")) {
        nlohmann::json j = {
            {"date", FormatDateTime(t)}, {"julianDay", jd}, {"dayNumber", int2(jd + 0.5) - 2451545},
            {"weekday", weekday},        {"dayCycle", dayCycle}, {"dayCycleName", CycleName(dayCycle)}};
        out << JsonText(j) << '\n';
        return 0;
    }
    char jdText[32];
    std::snprintf(jdText, sizeof jdText, "%.6f", jd);
    out << "日期：" << FormatDateTime(t) << "（北京时间）\n"
        << "儒略日：" << jdText << '\n'
        << "星期：星期" << kWeekdayNames[weekday] << '\n'
        << "日干支：" << CycleName(dayCycle) << '\n';
    return 0;
}
