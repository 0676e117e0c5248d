#include "CliArgs.h"

#include "ProgramFolder.h"
#include "ZiweiexNames.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <regex>

std::string OneLine(std::string_view text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        line += "；";
    }
    return line;
}

CliArgs::CliArgs(const std::vector<std::string>& argv, const std::set<std::string>& valued,
                 const std::set<std::string>& flags)
{
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        // A lone "-" or a negative number ("-120-01-01") is a positional word, not an option.
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            positional_.push_back(word);
            continue;
        }
        std::string name = word.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        if (valued.count(name)) {
            if (inlineValue) {
                options_[name] = *inlineValue;
            } else if (i + 1 < argv.size()) {
                options_[name] = argv[++i];
            } else {
                throw UsageError{"选项 --" + name + " 缺少取值"};
            }
        } else if (flags.count(name)) {
            if (inlineValue) throw UsageError{"选项 --" + name + " 不带取值"};
            options_[name] = "";
        } else {
            throw UsageError{"未知选项：--" + name};
        }
    }
}

bool CliArgs::has(const std::string& option) const { return options_.count(option) != 0; }

std::optional<std::string> CliArgs::value(const std::string& option) const
{
    const auto it = options_.find(option);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

std::string CliArgs::require(const std::string& option) const
{
    if (auto v = value(option)) return *v;
    throw UsageError{"缺少选项 --" + option};
}

std::string CliArgs::single(const std::string& what) const
{
    if (positional_.size() != 1) throw UsageError{"需要一个参数：" + what};
    return positional_.front();
}

std::string Abbreviated(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end) + "…";
}

std::filesystem::path HomeFolder(const CliArgs& args)
{
    const auto home = args.value("home");
    if (home && home->empty()) throw UsageError{"--home 的文件夹不能为空"};
    return ResolveProgramFolder(home.value_or(""));
}

int ParseInt(const std::string& text, int low, int high, const std::string& what)
{
    int v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || ptr != end) throw UsageError{what + "不是整数：" + text};
    if (v < low || v > high)
        throw UsageError{what + "应在" + std::to_string(low) + "到" + std::to_string(high) + "之间：" + text};
    return v;
}

double ParseDouble(const std::string& text, double low, double high, const std::string& what)
{
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || ptr != end) throw UsageError{what + "不是数字：" + text};
    if (!(v >= low && v <= high)) throw UsageError{what + "超出范围：" + text};
    return v;
}

void ParseClock(const std::string& text, MDateTime& into)
{
    static const std::regex shape(R"((\d{1,2}):(\d{2}))");
    std::smatch m;
    if (!std::regex_match(text, m, shape)) throw UsageError{"时间格式应为 HH:MM：" + text};
    into.hour = static_cast<int16_t>(ParseInt(m[1], 0, 23, "小时"));
    into.minute = static_cast<int16_t>(ParseInt(m[2], 0, 59, "分钟"));
}

ParsedDateTime ParseDateTime(const std::string& text, bool timeAllowed)
{
    static const std::regex shape(R"((-?\d{1,5})-(\d{1,2})-(\d{1,2})(?:T(\d{1,2}:\d{2}))?)");
    std::smatch m;
    if (!std::regex_match(text, m, shape))
        throw UsageError{timeAllowed ? "日期格式应为 年-月-日 或 年-月-日T时:分：" + text
                                     : "日期格式应为 年-月-日：" + text};
    const int year = ParseInt(m[1], -99999, 99999, "年份");
    if (year == 0) throw UsageError{"没有公元0年，公元前1年请写作 -1"};
    if (year < kFirstHistoricalYear || year > kLastYear) throw UsageError{"年份应在-4713到9999之间：" + text};
    ParsedDateTime r;
    r.value.year = static_cast<int16_t>(HistoricalToStoredYear(year));
    r.value.month = static_cast<int16_t>(ParseInt(m[2], 1, 12, "月份"));
    r.value.day = static_cast<int16_t>(ParseInt(m[3], 1, 31, "日"));
    r.value.hour = 0;
    r.value.minute = 0;
    if (m[4].matched) {
        if (!timeAllowed) throw UsageError{"这里只要日期，不要时间：" + text};
        ParseClock(m[4], r.value);
        r.hasTime = true;
    }
    return r;
}

std::string FormatDateTime(const MDateTime& t, bool withTime)
{
    char buf[48];
    if (withTime)
        std::snprintf(buf, sizeof buf, "%d-%02d-%02d %02d:%02d", StoredToHistoricalYear(t.year), t.month,
                      t.day, t.hour, t.minute);
    else
        std::snprintf(buf, sizeof buf, "%d-%02d-%02d", StoredToHistoricalYear(t.year), t.month, t.day);
    return buf;
}

const std::set<std::string> kBirthOptions = {"name",     "date", "time",      "sex",     "province",
                                             "city",     "kind", "longitude", "latitude"};
const std::set<std::string> kBirthFlags = {"lunar", "leap"};

namespace {

constexpr double kUnknownLongitude = 120.0;
constexpr double kUnknownLatitude = 30.0;
constexpr int kAnyInt = std::numeric_limits<int>::max();

bool AllDigits(std::string_view s, std::size_t fewest, std::size_t most)
{
    return s.size() >= fewest && s.size() <= most &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A small number already known to be one or two digits.
int SmallNumber(std::string_view digits)
{
    int v = 0;
    for (const char c : digits) v = v * 10 + (c - '0');
    return v;
}

}  // namespace

// Split by hand: a pattern over a year of any length would recurse once per digit.
void SplitBirthDate(const std::string& text, BirthEntry& into)
{
    const std::string_view all = text;
    const std::size_t yearStart = all.starts_with('-') ? 1 : 0;
    const std::size_t yearEnd = all.find('-', yearStart);
    const std::size_t monthEnd = yearEnd == std::string::npos ? yearEnd : all.find('-', yearEnd + 1);
    if (monthEnd == std::string::npos || !AllDigits(all.substr(yearStart, yearEnd - yearStart), 1, all.size()) ||
        !AllDigits(all.substr(yearEnd + 1, monthEnd - yearEnd - 1), 1, 2) || !AllDigits(all.substr(monthEnd + 1), 1, 2))
        throw UsageError{"日期格式应为 年-月-日：" + text};
    into.year = text.substr(0, yearEnd);
    into.month = SmallNumber(all.substr(yearEnd + 1, monthEnd - yearEnd - 1));
    into.day = SmallNumber(all.substr(monthEnd + 1));
}

void SplitBirthTime(const std::string& text, BirthEntry& into)
{
    const std::size_t colon = text.find(':');
    const std::string_view all = text;
    if (colon == std::string::npos || !AllDigits(all.substr(0, colon), 1, 2) || !AllDigits(all.substr(colon + 1), 2, 2))
        throw UsageError{"时间格式应为 HH:MM：" + text};
    into.hour = SmallNumber(all.substr(0, colon));
    into.minute = SmallNumber(all.substr(colon + 1));
}

BirthEntry BirthEntryFromOptions(const CliArgs& args)
{
    BirthEntry e;
    e.name = args.require("name");
    SplitBirthDate(args.require("date"), e);
    SplitBirthTime(args.require("time"), e);
    e.lunar = args.has("lunar");
    e.leap = args.has("leap");
    e.sex = args.require("sex");
    if (const auto kind = args.value("kind")) {
        const auto k = std::find(kChartKindNames.begin(), kChartKindNames.end(), *kind);
        e.chartKind = k == kChartKindNames.end() ? -1 : static_cast<int>(k - kChartKindNames.begin());
    }
    if (const auto province = args.value("province")) e.provinceIndex = ParseInt(*province, -kAnyInt, kAnyInt, "省份序号");
    if (const auto city = args.value("city")) e.cityIndex = ParseInt(*city, -kAnyInt, kAnyInt, "城市序号");
    const auto longitude = args.value("longitude");
    const auto latitude = args.value("latitude");
    if (e.provinceIndex != kUnknownProvince && (!longitude || !latitude))
        throw UsageError{"指定省份时要同时给出城市的 --longitude 与 --latitude"};
    e.longitude = longitude ? ParseDouble(*longitude, -HUGE_VAL, HUGE_VAL, "经度") : kUnknownLongitude;
    e.latitude = latitude ? ParseDouble(*latitude, -HUGE_VAL, HUGE_VAL, "纬度") : kUnknownLatitude;
    return e;
}

ChartInput CheckedBirth(const BirthEntry& entry)
{
    BirthCheck check = CheckBirth(entry);
    if (!check.ok()) throw UsageError{OneLine(BirthFaultText(check.fault))};
    return std::move(check.input);
}
