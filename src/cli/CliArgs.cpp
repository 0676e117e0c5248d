#include "CliArgs.h"

#include "Gbk.h"
#include "ProgramFolder.h"
#include "Yidateex.h"
#include "ZiweiexNames.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
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

// The province list has 35 entries; the last, "未知地", stands for no place at 120°E 30°N.
constexpr int kProvinceCount = 35;
constexpr int kUnknownProvince = kProvinceCount - 1;
constexpr float kUnknownLongitude = 120.0f;
constexpr float kUnknownLatitude = 30.0f;
constexpr std::size_t kNameMaxGbkBytes = 8;

std::string CheckedName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (name.empty()) throw UsageError{"姓名不能为空"};
    const auto bytes = GbkByteCount(name);
    if (!bytes) throw UsageError{"姓名中有无法保存的字符：" + name};
    if (*bytes > kNameMaxGbkBytes || name.size() >= sizeof(ChartInput::name))
        throw UsageError{"姓名最多8个字节（4个汉字）：" + name};
    return name;
}

}  // namespace

ChartInput ParseBirthInput(const CliArgs& args)
{
    ChartInput in;
    const std::string name = CheckedName(args.require("name"));
    std::memcpy(in.name, name.data(), name.size());

    in.isLunar = args.has("lunar");
    in.isLeap = args.has("leap");
    if (in.isLeap && !in.isLunar) throw UsageError{"--leap 只能与 --lunar 一起使用"};
    const std::string date = args.require("date");
    in.birth = ParseDateTime(date, false).value;
    ParseClock(args.require("time"), in.birth);
    if (in.isLunar) {
        if (in.birth.day > 30) throw UsageError{"农历日应在1到30之间：" + date};
    } else if (!MYiDateEx().DateExists(in.birth)) {
        throw UsageError{"不存在这个日期：" + date};
    }

    const std::string sex = args.require("sex");
    if (sex != "男" && sex != "女") throw UsageError{"性别应为 男 或 女：" + sex};
    in.isMale = sex == "男";

    const std::string kind = args.value("kind").value_or(std::string(kChartKindNames[0]));
    const auto k = std::find(kChartKindNames.begin(), kChartKindNames.end(), kind);
    if (k == kChartKindNames.end()) throw UsageError{"盘式应为 天盘、地盘 或 人盘：" + kind};
    in.chartKind = static_cast<uint8_t>(k - kChartKindNames.begin());

    in.provinceIndex = static_cast<int16_t>(
        ParseInt(args.value("province").value_or(std::to_string(kUnknownProvince)), 0, kUnknownProvince, "省份序号"));
    in.cityIndex = static_cast<int16_t>(ParseInt(args.value("city").value_or("0"), 0, 9999, "城市序号"));
    const auto longitude = args.value("longitude");
    const auto latitude = args.value("latitude");
    if (in.provinceIndex != kUnknownProvince && (!longitude || !latitude))
        throw UsageError{"指定省份时要同时给出城市的 --longitude 与 --latitude"};
    in.longitude = longitude ? static_cast<float>(ParseDouble(*longitude, -180, 180, "经度")) : kUnknownLongitude;
    in.latitude = latitude ? static_cast<float>(ParseDouble(*latitude, -90, 90, "纬度")) : kUnknownLatitude;
    return in;
}
