// qiravel-cli cases: the case store from the command line.
#include "CliArgs.h"
#include "CliJson.h"
#include "Commands.h"
#include "Database.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "RtfReader.h"
#include "ZiweiexNames.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <map>
#include <ostream>

namespace fs = std::filesystem;

namespace {

// The texts this command shows.
constexpr std::string_view kNeedSubcommand = "需要子命令：add、list、show、delete、search、export、import 或 compact";
constexpr std::string_view kCategoryEmpty = "类别名不能为空";
constexpr std::string_view kCategoryTooLong = "类别名最多13个字节（6个汉字）：";
constexpr std::string_view kDefaultCategory = "临时保存";
constexpr std::string_view kNoRecords = "没有记录，无从查找。";
constexpr std::string_view kNothingFound = "没有找到符合条件的命例。";
constexpr std::string_view kSearchYearRange =
    "年份必须在-850到2100年之间，并且没有公元0年（公元前用负数，比如公元前120年，就输入-120）";
constexpr std::string_view kSearchYearOrder = "结束年必须大于或等于起始年";
constexpr std::string_view kTooFewToCompact = "命例数据过少，无需整理！";
constexpr std::string_view kNoImportFile = "没有导入的数据文件！";
constexpr std::string_view kNoImportFolder = "没有导入的数据文件夹！";
constexpr std::string_view kOwnFolder = "不能使用程序自己的文件夹";
constexpr std::string_view kNotCaseFile = "导入的数据不是完整的命例文件，或是符号链接，未作任何改动";
constexpr std::string_view kWriteProtected = "命例文件是只读的，未作任何改动";
constexpr std::string_view kCategoryControl = "类别名不能含有控制字符（如换行、制表符）";

// The comment document of a newly added case: an empty rich-text document.
constexpr std::string_view kEmptyComment =
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18\\par\n}\n";

// Compaction is offered from this many records on.
constexpr int32_t kCompactionThreshold = 2000;
// The search accepts birth years in this range (historical numbering).
constexpr int kSearchFirstYear = -850;
constexpr int kSearchLastYear = 2100;
constexpr std::size_t kCategoryMaxGbkBytes = 13;

// A store operation that failed: shown as one line, exit code 1.
struct StoreFailure {
    std::string message;
};

std::string StatusText(DbStatus status)
{
    switch (status) {
    case DbStatus::Ok: return "成功";
    case DbStatus::OutOfRange: return "没有这条命例";
    case DbStatus::Deleted: return "这条命例已删除";
    case DbStatus::Busy: return "命例文件正被另一个程序使用，请稍后再试";
    case DbStatus::IoError: return "读写命例文件失败";
    case DbStatus::BadText: return "文字无法按GBK保存，或超出字段长度";
    case DbStatus::OwnFolder: return std::string(kOwnFolder);
    case DbStatus::NotCaseFile: return std::string(kNotCaseFile);
    case DbStatus::WriteProtected: return std::string(kWriteProtected);
    }
    return "未知错误";
}

void Check(DbStatus status, const std::string& doing)
{
    if (status != DbStatus::Ok) throw StoreFailure{doing + "：" + StatusText(status)};
}

const std::set<std::string> kCommonOptions = {"home"};
const std::set<std::string> kCommonFlags = {"json"};

CliArgs ParseArgs(const CommandArgs& argv, std::set<std::string> valued, std::set<std::string> flags)
{
    valued.insert(kCommonOptions.begin(), kCommonOptions.end());
    flags.insert(kCommonFlags.begin(), kCommonFlags.end());
    return CliArgs(CommandArgs(argv.begin() + 1, argv.end()), valued, flags);
}

void OpenStore(MDataBase& db, const CliArgs& args)
{
    Check(db.Open(HomeFolder(args)), "打开命例文件");
}

void NoPositional(const CliArgs& args)
{
    if (!args.positional().empty()) throw UsageError{"多余的参数：" + args.positional().front()};
}

int32_t CaseNumber(const CliArgs& args)
{
    return ParseInt(args.single("命例编号"), 0, INT32_MAX, "命例编号");
}

std::string SexName(const CaseRecord& r) { return r.isMale ? "男" : "女"; }

std::string KindName(const CaseRecord& r)
{
    return r.chartKind < kChartKindNames.size() ? std::string(kChartKindNames[r.chartKind])
                                                : std::to_string(r.chartKind);
}

std::string CalendarName(const CaseRecord& r) { return !r.isLunar ? "公历" : r.isLeap ? "农历闰月" : "农历"; }

nlohmann::json CaseJson(const CaseRecord& r)
{
    return {{"number", r.recordNo},     {"deleted", r.IsDeleted()},    {"name", r.name},
            {"category", r.category},   {"date", FormatDateTime(r.birth)}, {"lunar", r.isLunar != 0},
            {"leap", r.isLeap != 0},    {"sex", SexName(r)},           {"province", r.provinceIndex},
            {"city", r.cityIndex},      {"longitude", r.longitude},    {"latitude", r.latitude},
            {"kind", KindName(r)},      {"commentName", r.commentName}};
}

// A text of a record as one field of a line: control characters (a file written elsewhere may
// hold them) would break the one-case-a-line output, so each shows as "?".
std::string LineField(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

// One line per case, as the case list shows it.
std::string CaseLine(const CaseRecord& r)
{
    return std::to_string(r.recordNo) + "\t" + LineField(r.name) + "\t" + SexName(r) + "\t" +
           FormatDateTime(r.birth) + "（" + CalendarName(r) + "）\t" + KindName(r) + "\t" + LineField(r.category);
}

// Prints the live cases among the numbers `next` hands out (nullopt ends them) as they are
// read, through one scan of the case file: memory stays the same whatever the file's size.
template <class Next>
void PrintLive(MDataBase& db, Next next, bool json, std::ostream& out)
{
    Check(db.BeginScan(), "读取命例");
    if (json) out << '[';
    bool first = true;
    DbStatus failure = DbStatus::Ok;
    for (std::optional<int32_t> n = next(); n; n = next()) {
        CaseRecord r;
        const DbStatus s = db.ReadScanned(*n, r);
        if (s == DbStatus::OutOfRange) break;  // the numbers are ascending
        if (s == DbStatus::Deleted) continue;
        if (s != DbStatus::Ok) {
            failure = s;
            break;
        }
        if (json) out << (first ? "" : ",") << JsonText(CaseJson(r));
        else out << CaseLine(r) << '\n';
        first = false;
    }
    db.EndScan();
    Check(failure, "读取命例");
    if (json) out << "]\n";
}

int32_t CountOf(const MDataBase& db)
{
    int32_t count = 0;
    Check(db.Count(count), "读取命例文件");
    return count;
}

std::string CheckedCategory(const CliArgs& args)
{
    std::string category = args.value("category").value_or(std::string(kDefaultCategory));
    const auto first = category.find_first_not_of(" \t");
    category = first == std::string::npos ? "" : category.substr(first, category.find_last_not_of(" \t") - first + 1);
    if (category.empty()) throw UsageError{std::string(kCategoryEmpty)};
    if (std::any_of(category.begin(), category.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        throw UsageError{std::string(kCategoryControl)};
    const auto bytes = GbkByteCount(category);
    if (!bytes || *bytes > kCategoryMaxGbkBytes) throw UsageError{std::string(kCategoryTooLong) + category};
    return category;
}

int Add(const CommandArgs& argv, std::ostream& out)
{
    std::set<std::string> valued = kBirthOptions;
    valued.insert("category");
    const CliArgs args = ParseArgs(argv, valued, kBirthFlags);
    NoPositional(args);
    CaseRecord r;
    SetBirthData(r, CheckedBirth(BirthEntryFromOptions(args)));
    r.category = CheckedCategory(args);

    MDataBase db;
    OpenStore(db, args);
    r.commentName = db.MakeCommentName(r);
    Check(db.Append(r), "保存命例");
    // A name used up by all its numbered variants already has a document: never overwrite it.
    std::error_code ec;
    if (const auto comment = db.CommentPath(r); comment && !fs::exists(*comment, ec))
        Check(db.SaveComment(r, kEmptyComment), "命例已保存为第" + std::to_string(r.recordNo) + "条，但建立评语文件");
    if (args.has("json")) out << JsonText(CaseJson(r)) << '\n';
    else out << "已保存第" << r.recordNo << "条命例：" << CaseLine(r) << '\n';
    return 0;
}

int List(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args = ParseArgs(argv, {}, {});
    NoPositional(args);
    MDataBase db;
    OpenStore(db, args);
    int32_t n = 0;
    PrintLive(db, [&]() -> std::optional<int32_t> { return n < INT32_MAX ? std::optional(n++) : std::nullopt; },
              args.has("json"), out);
    return 0;
}

// Reads a case that must be live.
CaseRecord ReadCase(const MDataBase& db, int32_t number)
{
    CaseRecord r;
    const DbStatus s = db.Read(number, r);
    if (s == DbStatus::OutOfRange) throw StoreFailure{"没有第" + std::to_string(number) + "条命例"};
    if (s == DbStatus::Deleted) throw StoreFailure{"第" + std::to_string(number) + "条命例已删除"};
    Check(s, "读取命例");
    return r;
}

// The text of a comment document, read through the same reader as the comment pane.
std::string CommentText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) throw StoreFailure{"读取评语文件失败：" + path.string()};
    return RtfToPlainText(QByteArrayView(bytes.data(), qsizetype(bytes.size()))).toStdString();
}

int Show(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args = ParseArgs(argv, {}, {"comment"});
    const int32_t number = CaseNumber(args);
    MDataBase db;
    OpenStore(db, args);
    const CaseRecord r = ReadCase(db, number);
    const auto comment = db.CommentPath(r);
    std::error_code ec;
    const bool hasComment = comment && fs::exists(*comment, ec);
    const std::string commentText = hasComment && args.has("comment") ? CommentText(*comment) : std::string();
    if (args.has("json")) {
        nlohmann::json j = CaseJson(r);
        j["commentFile"] = hasComment ? comment->string() : "";
        if (args.has("comment")) j["comment"] = commentText;
        out << JsonText(j) << '\n';
        return 0;
    }
    char place[512];  // room for any float a foreign record may hold
    std::snprintf(place, sizeof place, "省份序号 %d，城市序号 %d，东经 %.4f°，北纬 %.4f°", r.provinceIndex, r.cityIndex,
                  r.longitude, r.latitude);
    out << "编号：" << r.recordNo << "\n姓名：" << r.name << "\n性别：" << SexName(r) << "\n出生：" << FormatDateTime(r.birth)
        << "（" << CalendarName(r) << "）\n出生地：" << place << "\n盘式：" << KindName(r) << "\n类别：" << r.category
        << "\n评语：" << (hasComment ? comment->string() : "（无评语文件）") << '\n';
    if (args.has("comment") && hasComment) out << "评语内容：\n" << commentText << (commentText.ends_with('\n') ? "" : "\n");
    return 0;
}

int Delete(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args = ParseArgs(argv, {}, {});
    const int32_t number = CaseNumber(args);
    MDataBase db;
    OpenStore(db, args);
    CaseRecord r;
    const DbStatus s = db.DeleteCase(number, r);
    if (s == DbStatus::OutOfRange) throw StoreFailure{"没有第" + std::to_string(number) + "条命例"};
    if (s == DbStatus::Deleted) throw StoreFailure{"第" + std::to_string(number) + "条命例已删除"};
    Check(s, r.IsDeleted() ? "命例已删除，但删除评语文件" : "删除命例");
    if (args.has("json")) out << JsonText(nlohmann::json{{"deleted", number}}) << '\n';
    else out << "已删除第" << number << "条命例：" << r.name << '\n';
    return 0;
}

// A search year as typed (historical numbering) in stored numbering.
int16_t SearchYear(const std::optional<std::string>& text)
{
    int year = 0;
    try {
        year = text ? ParseInt(*text, kSearchFirstYear, kSearchLastYear, "年份") : 0;
    } catch (const UsageError&) {
        year = 0;
    }
    if (year == 0) throw UsageError{std::string(kSearchYearRange)};
    return static_cast<int16_t>(HistoricalToStoredYear(year));
}

SearchCriteria ParseCriteria(const CliArgs& args)
{
    SearchCriteria c;
    if (const auto sex = args.value("sex")) {
        if (*sex != "男" && *sex != "女") throw UsageError{"性别应为 男 或 女：" + *sex};
        c.sexFilter = true;
        c.sexValue = *sex == "男";
    }
    if (args.has("from") || args.has("to")) {
        c.yearFilter = true;
        c.yearFrom = SearchYear(args.value("from"));
        c.yearTo = SearchYear(args.value("to"));
        if (c.yearTo < c.yearFrom) throw UsageError{std::string(kSearchYearOrder)};
    }
    if (const auto province = args.value("province"))
        c.provinceIndex = static_cast<int16_t>(ParseInt(*province, 0, INT16_MAX, "省份序号"));
    if (const auto name = args.value("name"); name && !name->empty()) {
        c.nameMode = args.has("name-exact") ? MatchMode::Equals : MatchMode::Contains;
        c.namePattern = *name;
    }
    if (const auto category = args.value("category"); category && !category->empty()) {
        c.categoryMode = args.has("category-exact") ? MatchMode::Equals : MatchMode::Contains;
        c.categoryPattern = *category;
    }
    return c;
}

int Search(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args =
        ParseArgs(argv, {"name", "category", "sex", "from", "to", "province"}, {"name-exact", "category-exact"});
    NoPositional(args);
    const SearchCriteria criteria = ParseCriteria(args);
    const bool json = args.has("json");
    MDataBase db;
    OpenStore(db, args);
    if (CountOf(db) == 0) {
        if (json) out << "[]\n";
        else out << kNoRecords << '\n';
        return 0;
    }
    std::vector<int32_t> found;
    Check(db.Search(criteria, found), "查找命例");
    if (!json && found.empty()) out << kNothingFound << '\n';
    else if (!json) out << "共找到" << found.size() << "条记录\n";
    std::size_t i = 0;
    PrintLive(db, [&]() { return i < found.size() ? std::optional(found[i++]) : std::nullopt; }, json, out);
    return 0;
}

fs::path ExistingFolder(const CliArgs& args)
{
    const fs::path folder = fs::absolute(args.single("文件夹"));
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw UsageError{"不是已有的文件夹：" + folder.string()};
    return folder;
}

int Export(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args = ParseArgs(argv, {}, {});
    const fs::path folder = ExistingFolder(args) / kExportFolderName;
    MDataBase db;
    OpenStore(db, args);
    std::error_code ec;
    fs::create_directory(folder, ec);
    if (ec) throw StoreFailure{"无法建立文件夹：" + folder.string()};
    const DbStatus s = db.ExportTo(folder);
    if (s == DbStatus::OwnFolder) throw UsageError{std::string(kOwnFolder)};
    Check(s, "导出命例");
    if (args.has("json")) out << JsonText(nlohmann::json{{"folder", folder.string()}}) << '\n';
    else out << "成功导出，已保存到" << (folder / "").string() << "目录下\n";
    return 0;
}

int Import(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args = ParseArgs(argv, {}, {});
    const fs::path folder = ExistingFolder(args);
    const auto cases = FindEntryIgnoringCase(folder, kCaseFileName);
    std::error_code ec;
    if (!cases || !fs::exists(fs::symlink_status(*cases, ec))) throw UsageError{std::string(kNoImportFile)};
    const auto comments = FindEntryIgnoringCase(folder, kCommentFolderName);
    if (!comments || !fs::is_directory(fs::symlink_status(*comments, ec))) throw UsageError{std::string(kNoImportFolder)};
    MDataBase db;
    OpenStore(db, args);
    const DbStatus s = db.ImportFrom(folder);
    if (s == DbStatus::OwnFolder) throw UsageError{std::string(kOwnFolder)};
    if (s == DbStatus::NotCaseFile) throw UsageError{std::string(kNotCaseFile)};
    Check(s, "导入命例");
    const int32_t count = CountOf(db);
    if (args.has("json")) out << JsonText(nlohmann::json{{"count", count}}) << '\n';
    else out << "成功导入，共" << count << "条记录。\n";
    return 0;
}

int Compact(const CommandArgs& argv, std::ostream& out)
{
    const CliArgs args = ParseArgs(argv, {}, {"force"});
    NoPositional(args);
    MDataBase db;
    OpenStore(db, args);
    const int32_t before = CountOf(db);
    const bool json = args.has("json");
    if (before < kCompactionThreshold && !args.has("force")) {
        if (json) out << JsonText(nlohmann::json{{"compacted", false}, {"before", before}, {"after", before}}) << '\n';
        else out << kTooFewToCompact << '\n';
        return 0;
    }
    Check(db.Compact(), "整理命例文件");
    const int32_t after = CountOf(db);
    if (json) out << JsonText(nlohmann::json{{"compacted", true}, {"before", before}, {"after", after}}) << '\n';
    else out << "整理数据完成：保留" << after << "条记录，去掉" << before - after << "条已删除的记录。\n";
    return 0;
}

const std::map<std::string, int (*)(const CommandArgs&, std::ostream&)> kSubcommands = {
    {"add", Add},       {"list", List},     {"show", Show},     {"delete", Delete},
    {"search", Search}, {"export", Export}, {"import", Import}, {"compact", Compact}};

}  // namespace

int RunCases(const CommandArgs& args, std::ostream& out)
{
    if (args.empty()) throw UsageError{std::string(kNeedSubcommand)};
    const auto sub = kSubcommands.find(args.front());
    if (sub == kSubcommands.end()) throw UsageError{std::string(kNeedSubcommand) + "：" + args.front()};
    try {
        return sub->second(args, out);
    } catch (const StoreFailure& failure) {
        std::cerr << "错误：" << Abbreviated(failure.message) << '\n';
        return 1;
    }
}
