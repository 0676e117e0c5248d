#pragma once
// Constant tables of the chart rules. Branches are branch numbers (0 亥, 1 子 … 11 戌),
// stems stem numbers (0 癸, 1 甲 … 9 壬), star identifiers those of ZiweiexTypes.h.
#include "ZiweiexTypes.h"

#include <array>
#include <cstdint>
#include <string_view>

// Tables keyed by a branch triad are indexed by branch mod 4:
// 0 亥卯未, 1 申子辰, 2 巳酉丑, 3 寅午戌.
constexpr int TriadOf(int branch) { return branch % 4; }

// Main stars. 天机, 太阳, 武曲, 天同, 廉贞 stand these many branches counter-clockwise of 紫微;
// 天府 mirrors 紫微 across the 寅-申 axis; 太阴 … 破军 stand these many clockwise of 天府.
extern const std::array<int8_t, 5> kZiWeiSeriesOffsets;
extern const std::array<int8_t, 12> kTianFuByZiWei;
extern const std::array<int8_t, 7> kTianFuSeriesOffsets;

// By year stem.
extern const std::array<int8_t, 10> kLuCunByStem;
extern const std::array<int8_t, 10> kTianKuiByStem;
extern const std::array<int8_t, 10> kTianYueByStem;   // 天钺
extern const std::array<int8_t, 10> kTianGuanByStem;
extern const std::array<int8_t, 10> kTianFuStarByStem;  // 天福
extern const std::array<int8_t, 10> kJieKongByStem;
extern const std::array<int8_t, 10> kTianChuByStem;
// By year triad (TriadOf): 火星 and 铃星 shifts, 天马 (or by the month's triad).
extern const std::array<int8_t, 4> kHuoXingShift;
extern const std::array<int8_t, 4> kLingXingShift;
extern const std::array<int8_t, 4> kTianMaByTriad;
// By the month's triad.
extern const std::array<int8_t, 4> kTianWuByTriad;
// By chart month − 1 (阴煞 repeats after six months).
extern const std::array<int8_t, 12> kJieShenByMonth;
extern const std::array<int8_t, 12> kTianYueStarByMonth;  // 天月
extern const std::array<int8_t, 6> kYinShaByMonth;
// By year branch: 孤辰 and 寡宿 by season (branch / 3: 亥子丑, 寅卯辰, 巳午未, 申酉戌),
// 破碎 by branch mod 3 (寅申巳亥, 子午卯酉, 辰戌丑未), 蜚廉 and 大耗 by branch.
extern const std::array<int8_t, 4> kGuChenBySeason;
extern const std::array<int8_t, 4> kGuaSuBySeason;
extern const std::array<int8_t, 3> kPoSuiByGroup;
extern const std::array<int8_t, 12> kFeiLianByBranch;
extern const std::array<int8_t, 12> kDaHaoByBranch;

// Overlay 昌 and 曲 of an annual or decade layer, by the layer's stem.
extern const std::array<int8_t, 10> kOverlayChangByStem;
extern const std::array<int8_t, 10> kOverlayQuByStem;

// Start branch of the 长生 cycle by bureau number (2..6; entries 0 and 1 unused).
extern const std::array<int8_t, 7> kChangShengStartByBureau;
// Start branch of the 将星 cycle by the triad of the cycle year.
extern const std::array<int8_t, 4> kJiangXingStartByTriad;
// Start branch of the minor limit (小限) by the triad of the natal year.
extern const std::array<int8_t, 4> kMinorLimitStartByTriad;
// Palace number of the decade layer for nominal ages 1..5 that come before the first decade.
extern const std::array<int8_t, 5> kEarlyDecadePalace;

// Brightness grades of stars 1..32: twelve digits per star, 子 first and 亥 last
// (0 none, 1 庙, 2 旺, 3 闲/得, 4 平, 5 陷). Entry 0 is empty.
extern const std::array<std::string_view, 33> kGradeTable1;  // 起法一
extern const std::array<std::string_view, 33> kGradeTable2;  // 起法二

// The four transformed stars of a stem (禄, 权, 科, 忌). 戊, 庚 and 壬 have variants chosen
// by a setting; a setting value beyond the last variant selects the last.
using FourStars = std::array<int16_t, 4>;
struct StemTransforms {
    uint8_t ChartSettings::*variantSetting;  // null: the stem has one row
    uint8_t rowCount;
    std::array<FourStars, 3> rows;
};
extern const std::array<StemTransforms, 10> kTransformsByStem;
