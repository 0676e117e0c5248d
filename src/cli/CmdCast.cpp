// qiravel-cli cast: the chart engine from the command line, one birth or a batch of them.
#include "CmdCast.h"

#include "CliArgs.h"
#include "CliChartImage.h"
#include "CliJson.h"
#include "CliReport.h"
#include "Commands.h"
#include "ProgramFolder.h"
#include "ZiweiexNames.h"
#include "ZiweiexSettings.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

const char* const kUnknownPlace = "未知地";

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
    BirthEntry birth;
    birth.name = fields[0];
    SplitBirthDate(fields[1], birth);
    SplitBirthTime(fields[2], birth);
    birth.sex = fields[3];
    birth.lunar = ParseInt(fields[4], 0, 1, "农历标志") != 0;
    birth.leap = ParseInt(fields[5], 0, 1, "闰月标志") != 0;
    birth.chartKind = ParseInt(fields[6], 0, 2, "盘式");
    birth.longitude = ParseDouble(fields[7], -HUGE_VAL, HUGE_VAL, "经度");
    birth.place = kUnknownPlace;
    CastRequest r;
    r.input = CheckedBirth(birth);
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
                out << JsonText(CastJson(engine)) << '\n';
                continue;
            }
            error = engine.lastError();
        } catch (const UsageError& e) {
            error = e.message;
        }
        allCast = false;
        out << JsonText(nlohmann::json{{"line", lineNumber}, {"error", error}}) << '\n';
    }
    return allCast ? 0 : 1;
}

}  // namespace

const std::set<std::string> kCastOptions = {"name",      "date", "time", "sex",  "longitude",
                                           "latitude", "place", "kind", "annual", "home"};
const std::set<std::string> kCastFlags = {"lunar", "leap", "daily-hourly"};

CastRequest RequestFromOptions(const CliArgs& args)
{
    BirthEntry birth = BirthEntryFromOptions(args);
    birth.place = args.value("place").value_or(kUnknownPlace);
    CastRequest r;
    r.input = CheckedBirth(birth);
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
        out << JsonText(j) << '\n';
    } else if (args.has("report")) {
        out << report;
    } else {
        PrintCast(engine, out);
    }
    return 0;
}
