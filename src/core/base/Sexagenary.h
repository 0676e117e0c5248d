#pragma once
// The sixty-step cycle of stems and branches. A cycle index is 0..59: 1 is 甲子, 59 is 壬戌
// and 0 stands for the sixtieth, 癸亥. Stem = index mod 10, branch = index mod 12, so the
// label tables begin with the last member (癸, 亥, 猪).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

extern const std::array<std::string_view, 10> kStemNames;    // 癸 甲 乙 … 壬
extern const std::array<std::string_view, 12> kBranchNames;  // 亥 子 丑 … 戌
extern const std::array<std::string_view, 12> kAnimalNames;  // 猪 鼠 牛 … 狗

// a mod m in 0..m-1 for any sign of a.
constexpr int Mod(int a, int m) { return ((a % m) + m) % m; }

constexpr int StemOf(int cycleIndex) { return Mod(cycleIndex, 10); }
constexpr int BranchOf(int cycleIndex) { return Mod(cycleIndex, 12); }

// Cycle index of a stem and a branch of equal parity (壬 9 with 子 1 gives 49, 壬子).
int16_t CycleIndex(int stem, int16_t branch);

// Cycle index of a stored (astronomical) year, valid for year >= -6896: 4 CE is 甲子.
int YearCycleIndex(int storedYear);

// Cycle index of the double hour that contains `hour` (0..23). 23:00-00:59 is the 子 hour;
// dayIndex is the cycle index of the day the 子 hour is counted with.
int HourCycleIndex(int hour, int dayIndex);

// Two-character label of a cycle index, e.g. "甲子".
std::string CycleName(int cycleIndex);
