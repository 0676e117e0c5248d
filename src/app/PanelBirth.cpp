#include "PanelBirth.h"

#include "MDateTime.h"

#include <algorithm>
#include <cstring>

namespace {

int ParseYear(const std::string& text)
{
    try {
        std::size_t used = 0;
        const int y = std::stoi(text, &used);
        return used == text.size() ? y : -5000;
    } catch (...) {
        return -5000;
    }
}

template <std::size_t N>
void CopyText(char (&to)[N], const std::string& from)
{
    std::size_t n = std::min(from.size(), N - 1);
    while (n > 0 && n < from.size() && (static_cast<unsigned char>(from[n]) & 0xC0) == 0x80) --n;
    std::memcpy(to, from.data(), n);
    to[n] = 0;
}

}  // namespace

BirthCheck CheckBirthInput(const BirthFields& f)
{
    BirthCheck r;
    if (f.name.empty()) {
        r.fault = BirthFault::Name;
        r.message = "姓名不能为空";
        return r;
    }
    const int y = ParseYear(f.year);
    if (y < kFirstHistoricalYear || y > kLastYear || y == 0) {
        r.fault = BirthFault::Year;
        r.message = "年份必须在-4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120";
        return r;
    }
    ChartInput& in = r.input;
    in.birth = {static_cast<int16_t>(HistoricalToStoredYear(y)), static_cast<int16_t>(f.monthIndex + 1),
                static_cast<int16_t>(f.dayIndex + 1), static_cast<int16_t>(f.hourIndex),
                static_cast<int16_t>(f.minuteIndex)};
    in.isLunar = f.lunar;
    in.isLeap = f.leap;
    in.isMale = f.male;
    in.chartKind = static_cast<uint8_t>(f.chartKind);
    in.provinceIndex = static_cast<int16_t>(f.provinceIndex);
    in.cityIndex = static_cast<int16_t>(f.cityIndex);
    in.longitude = f.longitude;
    in.latitude = f.latitude;
    std::string name = f.name;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    CopyText(in.name, name);
    CopyText(in.place, f.unknownPlace ? std::string("未知地") : f.province + "-" + f.city);
    return r;
}
