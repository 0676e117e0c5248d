#include "Sexagenary.h"

const std::array<std::string_view, 10> kStemNames = {
    "癸", "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬"};
const std::array<std::string_view, 12> kBranchNames = {
    "亥", "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌"};
const std::array<std::string_view, 12> kAnimalNames = {
    "猪", "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗"};

int16_t CycleIndex(int stem, int16_t branch)
{
    int16_t c = static_cast<int16_t>(stem - branch);
    if (c < 0) c += 12;
    return static_cast<int16_t>(stem + 10 * (c / 2));
}

int YearCycleIndex(int storedYear) { return Mod(storedYear + 6897, 60); }

int HourCycleIndex(int hour, int dayIndex)
{
    const int h = hour % 2 == 0 ? hour : (hour + 1) % 24;
    const int branch = (h / 2 + 1) % 12;
    int k = Mod(dayIndex, 10);
    if (k == 0) k = 5;
    const int stem = (h / 2 + 2 * k - 1) % 10;
    return CycleIndex(stem, static_cast<int16_t>(branch));
}

std::string CycleName(int cycleIndex)
{
    std::string s(kStemNames[StemOf(cycleIndex)]);
    s += kBranchNames[BranchOf(cycleIndex)];
    return s;
}
