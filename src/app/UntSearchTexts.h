#pragma once
// Texts of the search dialog.
namespace SearchTexts {
inline constexpr const char* kCaption = "查找命例";
inline constexpr const char* kSex = "性别";
inline constexpr const char* kSexItems[] = {"不分", "男", "女"};
inline constexpr const char* kProvince = "省份";
inline constexpr const char* kYearFrom = "出生年从";
inline constexpr const char* kYearTo = "到";
inline constexpr const char* kCategory = "类别";
inline constexpr const char* kName = "姓名";
inline constexpr const char* kWhole = "全字匹配";
inline constexpr const char* kAll = "全部";
inline constexpr const char* kSearch = "查找";
inline constexpr const char* kClose = "关闭";
inline constexpr const char* kAnyProvince = " ";
inline constexpr const char* kDefaultCategory = "临时保存";
inline constexpr const char* kYearCaption = "年份错误";
inline constexpr const char* kYearRange =
    "年份必须在-850到2100年之间，并且没有公元0年\n注意：公元前用负数，比如公元前120年，就输入-120";
inline constexpr const char* kYearOrder = "结束年必须大于或等于起始年";
inline constexpr const char* kNoRecords = "没有记录，无从查找。";
inline constexpr const char* kNothingFound = "没有找到符合条件的命例。";
inline constexpr const char* kFound = "共找到%1条记录，要显示到命例列表中吗？";
inline constexpr const char* kAskAll = "这将清除所有输入的条件参数，以便搜索所有命例，确定吗？";
inline constexpr const char* kHint = "提示";
inline constexpr const char* kInformation = "信息";
inline constexpr const char* kFailed = "查找失败：%1";
}  // namespace SearchTexts
