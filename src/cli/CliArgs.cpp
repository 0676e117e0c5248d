#include "CliArgs.h"

#include <charconv>
#include <cstdio>
#include <regex>

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
        } else if (flags.count(name) && !inlineValue) {
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
