// qiravel-cli cast: the chart engine from the command line, one birth or a batch of them.
#include "CmdCast.h"

#include "CliArgs.h"
#include "CliChartImage.h"
#include "CliReport.h"
#include "Commands.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "ZiweiexNames.h"
#include "ZiweiexSettings.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr std::size_t kNameBytes = 8;    // GBK bytes of a name
constexpr std::size_t kPlaceBytes = 50;  // GBK bytes of a place
const char* const kUnknownPlace = "未知地";

void SetName(ChartInput& input, const std::string& name)
{
    if (name.empty()) throw UsageError{"姓名不能为空"};
    const auto bytes = GbkByteCount(name);
    if (!bytes) throw UsageError{"姓名含有无法保存的字符：" + name};
    if (*bytes > kNameBytes) throw UsageError{"姓名最多8个字节（4个汉字）：" + name};
    input.name = name;
}

void SetPlace(ChartInput& input, const std::string& place)
{
    const auto bytes = GbkByteCount(place);
    if (!bytes) throw UsageError{"地点含有无法保存的字符：" + place};
    if (*bytes > kPlaceBytes) throw UsageError{"地点最多50个字节：" + place};
    input.place = place;
}

bool ParseSex(const std::string& text)
{
    if (text == "男") return true;
    if (text == "女") return false;
    throw UsageError{"性别应为 男 或 女：" + text};
}

uint8_t ParseKind(const std::string& text)
{
    for (std::size_t k = 0; k < kChartKindNames.size(); ++k)
        if (text == kChartKindNames[k]) return static_cast<uint8_t>(k);
    throw UsageError{"盘式应为 天盘、地盘 或 人盘：" + text};
}

MDateTime ParseBirth(const std::string& date, const std::string& time)
{
    MDateTime t = ParseDateTime(date, false).value;
    ParseClock(time, t);
    return t;
}

MDateTime ParseAnnual(const std::string& text)
{
    const ParsedDateTime annual = ParseDateTime(text);
    if (!annual.hasTime) throw UsageError{"流年时间应写作 年-月-日T时:分：" + text};
    return annual.value;
}

// One batch line: name, date, time, sex, lunar, leap, kind, longitude [, annual date-time].
CastRequest RequestFromLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, '\t');) fields.push_back(f);
    if (fields.size() != 8 && fields.size() != 9)
        throw UsageError{"每行应有8或9个以制表符分隔的字段，实有" + std::to_string(fields.size()) + "个"};
    CastRequest r;
    SetName(r.input, fields[0]);
    r.input.birth = ParseBirth(fields[1], fields[2]);
    r.input.isMale = ParseSex(fields[3]) ? 1 : 0;
    r.input.isLunar = static_cast<uint8_t>(ParseInt(fields[4], 0, 1, "农历标志"));
    r.input.isLeap = static_cast<uint8_t>(ParseInt(fields[5], 0, 1, "闰月标志"));
    r.input.chartKind = static_cast<uint8_t>(ParseInt(fields[6], 0, 2, "盘式"));
    r.input.longitude = static_cast<float>(ParseDouble(fields[7], -180, 180, "经度"));
    r.input.place = kUnknownPlace;
    if (fields.size() == 9 && !fields[8].empty()) r.annual = ParseAnnual(fields[8]);
    return r;
}

int RunBatch(const std::string& source, const std::filesystem::path& home, std::ostream& out)
{
    std::ifstream file;
    if (source != "-") {
        file.open(source);
        if (!file) throw UsageError{"无法打开批量文件：" + source};
    }
    std::istream& in = source == "-" ? std::cin : file;

    MZiWeiEx engine(home);
    engine.FixSettings(ReadChartSettings(home));
    bool allCast = true;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::string error;
        try {
            if (Cast(engine, RequestFromLine(line))) {
                out << CastJson(engine).dump() << '\n';
                continue;
            }
            error = engine.lastError();
        } catch (const UsageError& e) {
            error = e.message;
        }
        allCast = false;
        out << nlohmann::json{{"line", lineNumber}, {"error", error}}.dump() << '\n';
    }
    return allCast ? 0 : 1;
}

}  // namespace

const std::set<std::string> kCastOptions = {"name",      "date", "time", "sex",  "longitude",
                                           "latitude", "place", "kind", "annual", "home"};
const std::set<std::string> kCastFlags = {"lunar", "leap", "daily-hourly"};

CastRequest RequestFromOptions(const CliArgs& args)
{
    CastRequest r;
    SetName(r.input, args.require("name"));
    r.input.birth = ParseBirth(args.require("date"), args.require("time"));
    r.input.isMale = ParseSex(args.require("sex")) ? 1 : 0;
    r.input.isLunar = args.has("lunar") ? 1 : 0;
    if (args.has("leap") && !args.has("lunar")) throw UsageError{"--leap 只用于农历日期（--lunar）"};
    r.input.isLeap = args.has("leap") ? 1 : 0;
    if (auto v = args.value("longitude")) r.input.longitude = static_cast<float>(ParseDouble(*v, -180, 180, "经度"));
    if (auto v = args.value("latitude")) r.input.latitude = static_cast<float>(ParseDouble(*v, -90, 90, "纬度"));
    SetPlace(r.input, args.value("place").value_or(kUnknownPlace));
    if (auto v = args.value("kind")) r.input.chartKind = ParseKind(*v);
    if (auto v = args.value("annual")) r.annual = ParseAnnual(*v);
    if (args.has("daily-hourly") && !r.annual) throw UsageError{"--daily-hourly 需要同时给出 --annual"};
    r.dailyHourly = args.has("daily-hourly");
    return r;
}

bool Cast(MZiWeiEx& engine, const CastRequest& r)
{
    if (!engine.CastNatal(r.input)) return false;
    return !r.annual || engine.CastAnnual(*r.annual, r.dailyHourly ? 1 : 0);
}

int RunCast(const CommandArgs& argv, std::ostream& out)
{
    std::set<std::string> valued = kCastOptions;
    valued.insert({"batch", "png", "bmp", "jpg", "font-size", "highlight", "report-html"});
    std::set<std::string> flags = kCastFlags;
    flags.insert({"json", "report"});
    const CliArgs args(argv, valued, flags);
    if (!args.positional().empty()) throw UsageError{"多余的参数：" + args.positional().front()};
    const std::filesystem::path home = ResolveProgramFolder(args.value("home").value_or(""));
    if (auto batch = args.value("batch")) {
        for (const char* option : {"name", "date", "time", "sex", "longitude", "latitude", "place", "kind", "annual",
                                   "lunar", "leap", "daily-hourly"})
            if (args.has(option)) throw UsageError{std::string("--batch 的出生资料来自文件，不能再给 --") + option};
        return RunBatch(*batch, home, out);
    }

    const CastRequest request = RequestFromOptions(args);
    const ImageRequest image = ImageRequestFromOptions(args);
    MZiWeiEx engine(home);
    ChartImage chartImage;
    if (image.wanted()) chartImage.Attach(engine, image.fontSize);
    if (!Cast(engine, request)) {
        std::cerr << engine.lastError() << '\n';
        return 1;
    }
    if (image.highlight) engine.HighlightPalace(*image.highlight);
    if (!chartImage.Save(image)) return 1;

    const std::string report = args.has("report") || args.has("report-html") ? Report(engine, args.value("report-html"))
                                                                             : std::string();
    if (args.has("report-html") && report.empty()) return 1;
    if (args.has("json")) {
        nlohmann::json j = CastJson(engine);
        if (args.has("report")) j["report"] = report;
        out << j.dump() << '\n';
    } else if (args.has("report")) {
        out << report;
    } else {
        PrintCast(engine, out);
    }
    return 0;
}
