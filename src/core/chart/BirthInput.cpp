#include "BirthInput.h"

#include "Gbk.h"
#include "Yidateex.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

// The engine leaves the same texts for the date faults when it is handed a birth unchecked.
const std::array<BirthFaultWording, 22> kBirthFaultWordings = {{
    {BirthFault::NameEmpty, "提示", "姓名不能为空"},
    {BirthFault::NameControl, "提示", "姓名中不能有换行、制表等控制字符"},
    {BirthFault::NameUnsavable, "提示", "姓名中有无法保存的字符"},
    {BirthFault::NameTooLong, "提示", "姓名最多8个字节（4个汉字）"},
    {BirthFault::PlaceControl, "提示", "地点中不能有换行、制表等控制字符"},
    {BirthFault::PlaceUnsavable, "提示", "地点中有无法保存的字符"},
    {BirthFault::PlaceTooLong, "提示", "地点最多50个字节（25个汉字）"},
    {BirthFault::Year, "年份错误",
     "年份必须在-4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"},
    {BirthFault::Month, "错误", "月份应在1到12之间"},
    {BirthFault::Day, "错误", "日应在1到31之间"},
    {BirthFault::Time, "错误", "时间应在0时0分到23时59分之间"},
    {BirthFault::LeapWithoutLunar, "提示", "闰月只用于农历日期"},
    {BirthFault::Sex, "提示", "性别应为 男 或 女"},
    {BirthFault::ChartKind, "提示", "盘式应为 天盘、地盘 或 人盘"},
    {BirthFault::Province, "错误", "省份序号应在0到34之间"},
    {BirthFault::City, "错误", "城市序号应在0到32767之间"},
    {BirthFault::Longitude, "错误", "经度应在-180到180之间"},
    {BirthFault::Latitude, "错误", "纬度应在-90到90之间"},
    {BirthFault::NoSuchDate, "错误", "不存在这个日期"},
    {BirthFault::NoSuchLunarDate, "错误", kNoSuchLunarDate},
    {BirthFault::LunarYearOutOfRange, "错误", "时间越界，年份在-4713到9999之间"},
    {BirthFault::ChartYearOutOfRange, "错误", "公、农历正常转换年份在-4713到9999之间"},
}};

namespace {

const BirthFaultWording* WordingOf(BirthFault fault)
{
    const auto row = std::find_if(kBirthFaultWordings.begin(), kBirthFaultWordings.end(),
                                  [fault](const BirthFaultWording& w) { return w.fault == fault; });
    return row == kBirthFaultWordings.end() ? nullptr : &*row;
}

// C0 controls and DEL as bytes, C1 controls (U+0080..U+009F) as their UTF-8 pairs; a byte below
// 0x80 never stands inside a multi-byte character.
bool HasControl(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return true;
        if (c == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) return true;
        }
    }
    return false;
}

// The fault of a text that a case record or a chart stores in GBK: control characters first,
// then what GBK cannot hold, then the length. Returns 0 for a good text, else 1, 2 or 3.
int TextFault(std::string_view text, std::size_t maxBytes)
{
    if (HasControl(text)) return 1;
    const auto bytes = GbkByteCount(text);
    if (!bytes) return 2;
    return *bytes > maxBytes ? 3 : 0;
}

// The year as the window reads it: a whole number in -4713..9999 and not 0.
bool ParseYear(std::string_view text, int& year)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, year);
    return !text.empty() && ec == std::errc() && ptr == end && year >= kFirstHistoricalYear && year <= kLastYear &&
           year != 0;
}

BirthFault CheckFields(const BirthEntry& e, ChartInput& in)
{
    in.name = e.name;
    std::transform(in.name.begin(), in.name.end(), in.name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (in.name.empty()) return BirthFault::NameEmpty;
    switch (TextFault(in.name, kBirthNameMaxBytes)) {
    case 1: return BirthFault::NameControl;
    case 2: return BirthFault::NameUnsavable;
    case 3: return BirthFault::NameTooLong;
    }

    int year = 0;
    if (!ParseYear(e.year, year)) return BirthFault::Year;
    if (e.month < 1 || e.month > 12) return BirthFault::Month;
    if (e.day < 1 || e.day > 31) return BirthFault::Day;
    if (e.hour < 0 || e.hour > 23 || e.minute < 0 || e.minute > 59) return BirthFault::Time;
    in.birth = {static_cast<int16_t>(HistoricalToStoredYear(year)), static_cast<int16_t>(e.month),
                static_cast<int16_t>(e.day), static_cast<int16_t>(e.hour), static_cast<int16_t>(e.minute)};
    if (e.leap && !e.lunar) return BirthFault::LeapWithoutLunar;
    in.isLunar = e.lunar ? 1 : 0;
    in.isLeap = e.leap ? 1 : 0;

    if (e.sex != "男" && e.sex != "女") return BirthFault::Sex;
    in.isMale = e.sex == "男" ? 1 : 0;
    if (e.chartKind < 0 || e.chartKind > 2) return BirthFault::ChartKind;
    in.chartKind = static_cast<uint8_t>(e.chartKind);

    switch (TextFault(e.place, kBirthPlaceMaxBytes)) {
    case 1: return BirthFault::PlaceControl;
    case 2: return BirthFault::PlaceUnsavable;
    case 3: return BirthFault::PlaceTooLong;
    }
    in.place = e.place;
    if (e.provinceIndex < 0 || e.provinceIndex >= kProvinceCount) return BirthFault::Province;
    if (e.cityIndex < 0 || e.cityIndex > INT16_MAX) return BirthFault::City;
    in.provinceIndex = static_cast<int16_t>(e.provinceIndex);
    in.cityIndex = static_cast<int16_t>(e.cityIndex);
    if (!(e.longitude >= -180 && e.longitude <= 180)) return BirthFault::Longitude;
    if (!(e.latitude >= -90 && e.latitude <= 90)) return BirthFault::Latitude;
    in.longitude = static_cast<float>(e.longitude);
    in.latitude = static_cast<float>(e.latitude);
    return BirthFault::None;
}

// The date exists, and the chart's day (the next one from 23:00 on) lies within the years.
BirthFault CheckDate(const ChartInput& in)
{
    MYiDateEx calendar;
    MDateTime solar = in.birth;
    if (in.isLunar) {
        std::string message;
        if (in.birth.day > 30 || !calendar.LunarToGregorian(in.birth, solar, in.isLeap != 0, message))
            return BirthFault::NoSuchLunarDate;
        if (solar.year < HistoricalToStoredYear(kFirstHistoricalYear) || solar.year > kLastYear)
            return BirthFault::LunarYearOutOfRange;
    } else if (!calendar.DateExists(solar)) {
        return BirthFault::NoSuchDate;
    }
    if (solar.hour == 23) {
        calendar.NextDay(solar);
        if (solar.year > kLastYear) return BirthFault::ChartYearOutOfRange;
    }
    return BirthFault::None;
}

}  // namespace

std::string_view BirthFaultCaption(BirthFault fault)
{
    const BirthFaultWording* w = WordingOf(fault);
    return w ? w->caption : std::string_view();
}

std::string_view BirthFaultText(BirthFault fault)
{
    const BirthFaultWording* w = WordingOf(fault);
    return w ? w->text : std::string_view();
}

BirthCheck CheckBirth(const BirthEntry& entry)
{
    BirthCheck check;
    check.fault = CheckFields(entry, check.input);
    if (check.ok()) check.fault = CheckDate(check.input);
    if (!check.ok()) check.input = ChartInput{};
    return check;
}
