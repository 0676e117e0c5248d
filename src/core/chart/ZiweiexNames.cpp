#include "ZiweiexNames.h"

const std::array<std::string_view, 62> kStarNames = {
    "",
    "紫微", "天机", "太阳", "武曲", "天同", "廉贞", "天府", "太阴", "贪狼", "巨门",
    "天相", "天梁", "七杀", "破军", "禄存", "擎羊", "陀罗", "火星", "铃星", "左辅",
    "右弼", "文昌", "文曲", "天魁", "天钺", "天马", "地劫", "地空", "红鸾", "天姚",
    "天哭", "天虚", "天喜", "台辅", "封诰", "解神", "天巫", "天月", "阴煞", "三台",
    "八座", "恩光", "天贵", "天官", "天福", "龙池", "凤阁", "孤辰", "寡宿", "蜚廉",
    "破碎", "天才", "天寿", "截空", "天伤", "天使", "旬空", "天刑", "大耗", "天空",
    "天厨"};

const std::array<std::string_view, 31> kStarLabels = {
    "",
    "紫", "机", "阳", "武", "同", "廉", "府", "阴", "贪", "巨",
    "相", "梁", "杀", "破", "禄", "羊", "陀", "火", "铃", "辅",
    "弼", "昌", "曲", "魁", "钺", "马", "劫", "空", "鸾", "姚"};

const std::array<std::string_view, 12> kPalaceNames = {
    "命宫", "兄弟", "夫妻", "子女", "财帛", "疾厄", "迁移", "仆役", "官禄", "田宅", "福德", "父母"};
const std::array<std::string_view, 12> kPalaceLabels = {
    "命", "兄", "偶", "子", "财", "疾", "迁", "仆", "官", "田", "福", "父"};

const std::array<std::string_view, 10> kOverlayLabels = {
    "", "魁", "钺", "禄", "羊", "陀", "昌", "曲", "鸾", "喜"};

const std::array<std::string_view, 5> kTransformLabels = {"", "禄", "权", "科", "忌"};

const std::array<std::string_view, 5> kBureauNames = {"金四局", "水二局", "火六局", "土五局", "木三局"};
const std::array<int, 5> kBureauNumbers = {4, 2, 6, 5, 3};

const std::array<std::string_view, 3> kChartKindNames = {"天盘", "地盘", "人盘"};

std::string_view OverlayLabel(int overlayStar)
{
    if (overlayStar >= 1 && overlayStar <= 9) return kOverlayLabels[overlayStar];
    if (overlayStar >= 51 && overlayStar <= 57) return kOverlayLabels[overlayStar - 50];
    return {};
}

const std::array<std::string_view, 12> kChangShengNames = {
    "长生", "沐浴", "冠带", "临官", "帝旺", "衰", "病", "死", "墓", "绝", "胎", "养"};
const std::array<std::string_view, 12> kBoShiNames = {
    "博士", "力士", "青龙", "小耗", "将军", "奏书", "飞廉", "喜神", "病符", "大耗", "伏兵", "官府"};
const std::array<std::string_view, 12> kJiangXingNames = {
    "将星", "攀鞍", "岁驿", "息神", "华盖", "劫煞", "灾煞", "天煞", "指背", "咸池", "月煞", "亡神"};
const std::array<std::string_view, 12> kSuiJianNames = {
    "岁建", "晦气", "丧门", "贯索", "官符", "小耗", "大耗", "龙德", "白虎", "天德", "吊客", "病符"};

std::string_view GradeName(int grade, bool secondTable)
{
    static const std::array<std::string_view, 6> names = {"", "庙", "旺", "闲", "平", "陷"};
    if (grade == 3 && secondTable) return "得";
    return grade >= 0 && grade <= 5 ? names[grade] : std::string_view{};
}

const std::array<std::string_view, 12> kMonthLabels = {
    "正月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一", "十二"};
