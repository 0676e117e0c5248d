#pragma once
// Every text the main window shows: captions, labels, hints, menu items and messages.
#include <QString>

namespace MainTexts {

inline QString T(const char* utf8) { return QString::fromUtf8(utf8); }

inline constexpr const char* kAppTitle = "Qiravelv3.7";
inline constexpr const char* kWindowFont = "宋体";

// Pages and panes.
inline constexpr const char* kPageChart = "紫斗命盘";
inline constexpr const char* kPageReport = "命盘解析";
inline constexpr const char* kCommentPreset = "输入自己的评语：";

// Input panel.
inline constexpr const char* kNew = "新建";
inline constexpr const char* kNewHint = "新建命例";
inline constexpr const char* kSolar = "公历";
inline constexpr const char* kLunar = "农历";
inline constexpr const char* kLeap = "农历闰月";
inline constexpr const char* kCityHint = "选择邻近城市";
inline constexpr const char* kFindPlace = "查找地名";
inline constexpr const char* kFindPlaceHint = "输入地名的一部分，从各省的地名中选取，省份与城市随之选定";
inline constexpr const char* kFoundPlace = "%1（%2）";
inline constexpr const char* kMale = "男";
inline constexpr const char* kFemale = "女";
inline constexpr const char* kNameLabel = "姓名";
inline constexpr const char* kNamePreset = "某人";
inline constexpr const char* kKindLabel = "盘式";
inline constexpr const char* kKinds[] = {"天盘", "地盘", "人盘"};
inline constexpr const char* kSaveNew = "存新";
inline constexpr const char* kSaveHint = "保存命例";
inline constexpr const char* kCastNatal = "本命盘";
inline constexpr const char* kDailyHourly = "流日流时";
inline constexpr const char* kCastAnnual = "流年(&L)";
inline constexpr const char* kMonthItem = "%1月";
inline constexpr const char* kDayItem = "%1日";
inline constexpr const char* kHourItem = "%1时%2";
inline constexpr const char* kMinuteItem = "%1分";
// The double hour of each clock hour 0..23.
inline constexpr const char* kHourBranches[] = {"子", "丑", "丑", "寅", "寅", "卯", "卯", "辰", "辰", "巳", "巳", "午",
                                                "午", "未", "未", "申", "申", "酉", "酉", "戌", "戌", "亥", "亥", "子"};

// Menus.
inline constexpr const char* kMenuFile = "文件(&F)";
inline constexpr const char* kSaveCase = "保存命例";
inline constexpr const char* kImport = "导入历史记录";
inline constexpr const char* kExport = "导出历史记录";
inline constexpr const char* kCompact = "整理记录文件";
inline constexpr const char* kQuit = "退出程序";
inline constexpr const char* kMenuKnowledge = "紫斗知识(&S)";
inline constexpr const char* kKnowledge = "相关知识";
inline constexpr const char* kMenuTools = "辅助工具(&T)";
inline constexpr const char* kPlaces = "经纬度设置";
inline constexpr const char* kCalendar = "万年历";
inline constexpr const char* kMenuOptions = "选项(&O)";
inline constexpr const char* kReportLook = "命稿设置";
inline constexpr const char* kReportDefault = "默认";
inline constexpr const char* kReportFont = "字体设置";
inline constexpr const char* kReportColour = "背景色设置";
inline constexpr const char* kChartSettings = "排盘设置";
inline constexpr const char* kSkins = "界面风格";
inline constexpr const char* kNoSkin = "系统默认";
inline constexpr const char* kZoomIn = "放大星图";
inline constexpr const char* kZoomOut = "缩小星图";
inline constexpr const char* kMenuHelp = "帮助(&H)";
inline constexpr const char* kHelp = "软件帮助";

// Message captions.
inline constexpr const char* kCaptionNote = "提示";
inline constexpr const char* kCaptionError = "错误";
inline constexpr const char* kCaseFileNotOpened = "命例文件无法打开或建立，命例不能保存。";
inline constexpr const char* kCaptionYear = "年份错误";
inline constexpr const char* kCaptionAnnual = "流年盘错误";
inline constexpr const char* kCaptionReading = "简介";
inline constexpr const char* kCaptionClose = "关闭";

// Messages and questions.
inline constexpr const char* kNeedChart = "请先排一个本命盘";
inline constexpr const char* kAnnualYearRange =
    "流年年份必须在-4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120";
inline constexpr const char* kConfirmClose = "确定要关闭软件吗？";
inline constexpr const char* kNeedCorrectChart = "请先排一个正确的盘";
inline constexpr const char* kDone = "设置完成";
inline constexpr const char* kSkinMissing = "对应的皮肤文件已经丢失，请关闭软件，再重新打开软件！";
inline constexpr const char* kSettingsNotWritten = "无法写入设置文件：%1";

}  // namespace MainTexts
