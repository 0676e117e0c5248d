// Chinese names of solar terms, numbers and lunar months and days.
#include "Yidateex.h"

#include <cstdlib>

const std::array<std::string_view, 24> kTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",  //
    "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑",  //
    "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

namespace {

const std::array<std::string_view, 10> kDigitNames = {
    "○", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

}  // namespace

std::string MYiDateEx::NumberName(int16_t n)
{
    std::string text;
    if (n >= 1 && n <= 9) return std::string(kDigitNames[n]);
    if (n == 10) return "十";
    if (n == 20) return "二十";
    if (n == 30) return "三十";
    if (n > 10 && n < 20) return text.append("十").append(kDigitNames[n % 10]);
    if (n > 20 && n < 30) return text.append("廿").append(kDigitNames[n % 10]);

    // Digit by digit; 0 is written with four digits like a year.
    if (n < 0) text = "前";
    std::string digits = std::to_string(std::abs(static_cast<int>(n)));
    if (n == 0) digits = "0000";
    for (const char c : digits) text.append(kDigitNames[c - '0']);
    return text;
}

std::string MYiDateEx::LunarMonthLabel(int month, bool leap)
{
    std::string label = leap ? "闰" : "";
    return label + (month == 1 ? std::string("正月") : NumberName(static_cast<int16_t>(month)) + "月");
}

std::string MYiDateEx::LunarDayLabel(int day)
{
    const std::string number = NumberName(static_cast<int16_t>(day));
    return day <= 10 ? "初" + number : number;
}
