#pragma once
// Every text the perpetual calendar window shows.
namespace wnl_texts {

inline constexpr char kCaption[] = "Dunmoss万年历";
inline constexpr char kCast[] = "排紫微";
inline constexpr char kNowHint[] = "当前时间";
inline constexpr char kPreviousHint[] = "上一月";
inline constexpr char kNextHint[] = "下一月";

// Suffixes of the four lists' items.
inline constexpr char kMonthSuffix[] = "月";
inline constexpr char kDaySuffix[] = "日";
inline constexpr char kHourSuffix[] = "时";
inline constexpr char kMinuteSuffix[] = "分";

// Grid header: "星期" and the weekday, Monday first.
inline constexpr char kWeekPrefix[] = "星期";
inline constexpr const char* kWeekdays[7] = {"一", "二", "三", "四", "五", "六", "日"};

// The redraw refuses a year outside the range or a day its month lacks.
inline constexpr char kYearRangeCaption[] = "年份不对";
inline constexpr char kYearRange[] = "年份在-4713 到 9999年之间，并且没有公元0年";
inline constexpr char kNoDateCaption[] = "日期不对";
inline constexpr char kNoDate[] = "不存在这个日期，请重新输入！";
// Enter in the year edit.
inline constexpr char kYearErrorCaption[] = "错误";
inline constexpr char kYearError[] = "年份在-4713 到 9999之间";

// The grid face.
inline constexpr char kGridFace[] = "宋体";

}  // namespace wnl_texts
