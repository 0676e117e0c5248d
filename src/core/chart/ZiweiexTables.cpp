#include "ZiweiexTables.h"

const std::array<int8_t, 5> kZiWeiSeriesOffsets = {1, 3, 4, 5, 8};
const std::array<int8_t, 12> kTianFuByZiWei = {6, 5, 4, 3, 2, 1, 0, 11, 10, 9, 8, 7};
const std::array<int8_t, 7> kTianFuSeriesOffsets = {1, 2, 3, 4, 5, 6, 10};

//                                              癸  甲  乙  丙  丁  戊  己  庚  辛  壬
const std::array<int8_t, 10> kLuCunByStem      = {1,  3,  4,  6,  7,  6,  7,  9, 10,  0};
const std::array<int8_t, 10> kTianKuiByStem    = {4,  2,  1,  0,  0,  2,  1,  2,  7,  4};
const std::array<int8_t, 10> kTianYueByStem    = {6,  8,  9, 10, 10,  8,  9,  8,  3,  6};
const std::array<int8_t, 10> kTianGuanByStem   = {7,  8,  5,  6,  3,  4, 10,  0, 10, 11};
const std::array<int8_t, 10> kTianFuStarByStem = {6, 10,  9,  1,  0,  4,  3,  7,  6,  7};
const std::array<int8_t, 10> kJieKongByStem    = {2,  9,  7,  5,  3,  1, 10,  8,  6,  4};
const std::array<int8_t, 10> kTianChuByStem    = {0,  6,  7,  1,  6,  7,  9,  3,  7, 10};

//                                          亥卯未 申子辰 巳酉丑 寅午戌
const std::array<int8_t, 4> kHuoXingShift  = {8,     1,     2,    12};
const std::array<int8_t, 4> kLingXingShift = {9,     9,     9,     2};
const std::array<int8_t, 4> kTianMaByTriad = {6,     3,     0,     9};
const std::array<int8_t, 4> kTianWuByTriad = {9,     3,     0,     6};

//                                                 1  2   3   4  5  6  7  8  9 10  11 12
const std::array<int8_t, 12> kJieShenByMonth     = {9, 9, 11, 11, 1, 1, 3, 3, 5, 5,  7, 7};
const std::array<int8_t, 12> kTianYueStarByMonth = {11, 6, 5, 3, 8, 4, 0, 8, 3, 7, 11, 3};
const std::array<int8_t, 6> kYinShaByMonth       = {3, 1, 11, 9, 7, 5};

//                                         亥子丑 寅卯辰 巳午未 申酉戌
const std::array<int8_t, 4> kGuChenBySeason = {3,     6,     9,     0};
const std::array<int8_t, 4> kGuaSuBySeason  = {11,    2,     5,     8};
//                                       寅申巳亥 子午卯酉 辰戌丑未
const std::array<int8_t, 3> kPoSuiByGroup = {10,      6,       2};
//                                             亥 子 丑  寅 卯 辰 巳 午 未 申 酉 戌
const std::array<int8_t, 12> kFeiLianByBranch = {2, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1};
const std::array<int8_t, 12> kDaHaoByBranch   = {0, 8, 7, 10, 9, 0, 11, 2, 1, 4, 3, 6};

//                                               癸  甲  乙  丙  丁  戊  己  庚  辛  壬
const std::array<int8_t, 10> kOverlayChangByStem = {3,  6,  7,  9,  9, 10,  0,  0,  1,  3};
const std::array<int8_t, 10> kOverlayQuByStem    = {1, 10,  9,  7,  7,  6,  4,  4,  3,  1};

//                                                     水二 木三 金四 土五 火六
const std::array<int8_t, 7> kChangShengStartByBureau = {0, 0, 9, 0, 6, 9, 3};
//                                                 亥卯未 申子辰 巳酉丑 寅午戌
const std::array<int8_t, 4> kJiangXingStartByTriad = {4,     1,    10,     7};
const std::array<int8_t, 4> kMinorLimitStartByTriad = {2,    11,     8,     5};
// 命宫, 财帛, 疾厄, 夫妻, 福德 for ages 1..5.
const std::array<int8_t, 5> kEarlyDecadePalace = {0, 4, 5, 2, 10};

const std::array<std::string_view, 33> kGradeTable1 = {
    "",
    "411252112432", "152214154214", "552114143355", "213514214214",  // 紫微 天机 太阳 武曲
    "253141552441", "421325411425", "111414214512", "113535544221",  // 天同 廉贞 天府 太阴
    "214215211415", "221144251122", "111524231534", "121125125225",  // 贪狼 巨门 天相 天梁
    "211524221314", "125223115524", "201201201201", "510510410510",  // 七杀 破军 禄存 擎羊
    "015015015015", "421432135514", "551122122511", "211514214513",  // 陀罗 火星 铃星 左辅
    "112514213514", "215425142154", "114211524152", "220100100002",  // 右弼 文昌 文曲 天魁
    "002002021100", "002004002004", "455451141155", "554453141442",  // 天钺 天马 地劫 地空
    "152112251251", "542154425115", "414142541344", "512152451254",  // 红鸾 天姚 天哭 天虚
};

const std::array<std::string_view, 33> kGradeTable2 = {
    "",
    "412232112232", "153244153244", "552122233455", "213414213414",  // 紫微 天机 太阳 武曲
    "254441552441", "441445441445", "111313213213", "112555454221",  // 天同 廉贞 天府 太阴
    "214415214415", "251152251152", "111533131533", "121115125315",  // 贪狼 巨门 天相 天梁
    "211214211214", "123524123524", "101101101101", "510510510510",  // 七杀 破军 禄存 擎羊
    "015015015015", "531450145314", "531450145314", "000000000000",  // 陀罗 火星 铃星 左辅
    "000000000000", "315431543154", "314231523152", "220100100002",  // 右弼 文昌 文曲 天魁
    "002002021100", "002004002004", "554453141442", "455451141155",  // 天钺 天马 地劫 地空
    "000000000000", "000000000000", "000000000000", "000000000000",  // 红鸾 天姚 天哭 天虚
};

const std::array<StemTransforms, 10> kTransformsByStem = {{
    {nullptr, 1, {{{14, 10, 8, 9}}}},                                   // 癸
    {nullptr, 1, {{{6, 14, 4, 3}}}},                                    // 甲
    {nullptr, 1, {{{2, 12, 1, 8}}}},                                    // 乙
    {nullptr, 1, {{{5, 2, 22, 6}}}},                                    // 丙
    {nullptr, 1, {{{8, 5, 2, 10}}}},                                    // 丁
    {&ChartSettings::tg5, 2, {{{9, 8, 21, 2}, {9, 8, 3, 2}}}},          // 戊: 贪阴弼机, 贪阴阳机
    {nullptr, 1, {{{4, 9, 12, 23}}}},                                   // 己
    {&ChartSettings::tg7, 3, {{{3, 4, 5, 8}, {3, 4, 8, 5}, {3, 4, 7, 5}}}},  // 庚: 阳武同阴, 阳武阴同, 阳武府同
    {nullptr, 1, {{{10, 3, 23, 22}}}},                                  // 辛
    {&ChartSettings::tg9, 2, {{{12, 1, 20, 4}, {12, 1, 7, 4}}}},        // 壬: 梁紫辅武, 梁紫府武
}};
