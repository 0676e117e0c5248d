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

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

}  // namespace

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

bool BatchLineReader::Fill()
{
    if (atEnd_ || failed_) return false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed_ = true;
        if (n == 0) atEnd_ = true;
        if (n <= 0) return false;
        begin_ = 0;
        end_ = static_cast<std::size_t>(n);
        return true;
    }
}

BatchLineReader::Result BatchLineReader::Next(std::string& line)
{
    line.clear();
    bool any = false, tooLong = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) {
            if (failed_) return Result::Failed;
            if (!any) return Result::End;
            break;  // a last line without its newline
        }
        any = true;
        const char* start = buffer_ + begin_;
        const auto* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        const std::size_t take = nl ? static_cast<std::size_t>(nl - start) : end_ - begin_;
        const std::size_t room = kMaxBatchLineBytes - line.size();
        if (take > room) tooLong = true;
        line.append(start, std::min(take, room));
        begin_ += take;
        if (nl) {
            ++begin_;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return tooLong ? Result::TooLong : Result::Line;
}

namespace {

int RunBatch(const std::string& source, const std::filesystem::path& home, std::ostream& out)
{
    const int fd = source == "-" ? STDIN_FILENO : ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw UsageError{"无法打开批量文件：" + source};
    struct FdCloser {
        int fd;
        ~FdCloser()
        {
            if (fd != STDIN_FILENO) ::close(fd);
        }
    } closer{fd};
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) throw UsageError{"批量文件是一个文件夹：" + source};

    MZiWeiEx engine(home);
    engine.FixSettings(ReadChartSettings(home));
    bool allCast = true;
    int lineNumber = 0;
    BatchLineReader reader(fd);
    std::string line;
    for (BatchLineReader::Result got; (got = reader.Next(line)) != BatchLineReader::Result::End;) {
        if (got == BatchLineReader::Result::Failed) {
            std::cerr << "错误：读取批量文件失败（第" << lineNumber + 1 << "行起未读）：" << source << '\n';
            return 1;
        }
        ++lineNumber;
        if (got == BatchLineReader::Result::Line && line.empty()) continue;
        std::string error;
        try {
            if (got == BatchLineReader::Result::TooLong)
                throw UsageError{"这一行超过" + std::to_string(kMaxBatchLineBytes) + "字节"};
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
    const std::filesystem::path home = HomeFolder(args);
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
