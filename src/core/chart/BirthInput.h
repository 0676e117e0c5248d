#pragma once
// The one check of a birth as a user enters it, in the input panel or on the command line: the
// texts and choices go in, and out comes either a ChartInput that the engine and the case store
// take as it is, or the one fault that stops it, with the text shown for that fault. Whatever
// this check accepts the engine casts and a case record stores (except that a clock-time
// setting may still move the birth past the year range; the engine refuses that itself).
#include "ZiweiexTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Longest texts, in GBK bytes: the name field of a case record, and the place of a chart.
inline constexpr std::size_t kBirthNameMaxBytes = 8;
inline constexpr std::size_t kBirthPlaceMaxBytes = 50;

// The province list has 35 entries; the last, "未知地", stands for no place at 120°E 30°N.
inline constexpr int kProvinceCount = 35;
inline constexpr int kUnknownProvince = kProvinceCount - 1;

// A birth as entered.
struct BirthEntry {
    std::string name;        // as typed; Latin letters are lowered
    std::string place;       // "province-city", "未知地" or empty
    std::string year;        // the historical year as typed: negative before the common era, no 0
    int month = 1;           // 1..12, a lunar month number when lunar
    int day = 1;             // 1..31 (a lunar month has at most 30)
    int hour = 0;            // 0..23
    int minute = 0;          // 0..59
    bool lunar = false;      // month and day are of the lunar calendar
    bool leap = false;       // the leap month of that number; only with lunar
    std::string sex;         // "男" or "女"
    int chartKind = 0;       // 0 天盘, 1 地盘, 2 人盘
    int provinceIndex = kUnknownProvince;
    int cityIndex = 0;
    double longitude = 120;  // degrees east of the city
    double latitude = 30;    // degrees north
};

enum class BirthFault : uint8_t {
    None,
    NameEmpty,
    NameControl,       // newline, tab and other control characters
    NameUnsavable,     // not valid UTF-8, or a character GBK lacks
    NameTooLong,       // more than 8 GBK bytes
    PlaceControl,
    PlaceUnsavable,
    PlaceTooLong,      // more than 50 GBK bytes
    Year,              // not a whole number, outside -4713..9999, or 0
    Month,
    Day,
    Time,
    LeapWithoutLunar,
    Sex,
    ChartKind,
    Province,
    City,
    Longitude,
    Latitude,
    NoSuchDate,          // a Gregorian (Julian before the reform) date that does not exist
    NoSuchLunarDate,     // a lunar date that does not exist
    LunarYearOutOfRange, // a lunar date whose Gregorian year lies past -4713..9999
    ChartYearOutOfRange, // the 23:00 rule moves the chart's day past 9999
};

// How a fault is shown: the caption of its message box and its text, which may hold a line
// break ("\r\n") where the window breaks the line.
struct BirthFaultWording {
    BirthFault fault;
    std::string_view caption;
    std::string_view text;
};
// One row per fault other than None, in the order of BirthFault.
extern const std::array<BirthFaultWording, 22> kBirthFaultWordings;

std::string_view BirthFaultCaption(BirthFault fault);
std::string_view BirthFaultText(BirthFault fault);

struct BirthCheck {
    BirthFault fault = BirthFault::None;
    ChartInput input;  // the checked birth when fault is None
    bool ok() const { return fault == BirthFault::None; }
};

// Checks a birth: name, year, date and time fields, leap month, sex, chart kind, place, province,
// city and coordinates, then that the date exists (a lunar one through its conversion to the
// Gregorian calendar) and that the chart needs no year past 9999. The first fault found is the
// one reported. The input keeps the year in astronomical numbering.
BirthCheck CheckBirth(const BirthEntry& entry);
