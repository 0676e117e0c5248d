// qiravel-cli cases, run as a user runs it, on a temporary program folder.
#include "Database.h"
#include "RunProcess.h"
#include "TempHome.h"
#include "core/cases/CaseFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CliCases : public ::testing::Test {
protected:
    ProcessResult Cases(std::vector<std::string> args, const TempHome* in = nullptr)
    {
        args.insert(args.begin(), "cases");
        args.push_back("--home");
        args.push_back((in ? in : &home)->path().string());
        return RunProcess(QIRAVEL_CLI, args);
    }

    nlohmann::json Json(std::vector<std::string> args, const TempHome* in = nullptr)
    {
        args.push_back("--json");
        const ProcessResult r = Cases(args, in);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }

    nlohmann::json Add(const std::string& name, const std::string& date = "1990-05-01", std::vector<std::string> more = {})
    {
        std::vector<std::string> args = {"add", "--name", name, "--date", date, "--time", "08:30", "--sex", "男"};
        args.insert(args.end(), more.begin(), more.end());
        return Json(args);
    }

    fs::path CommentFolder() const { return home.path() / "ZiWei_f"; }
    fs::path CaseFile() const { return home.dat() / "ZiWei.dat"; }

    TempHome home;
};

void ExpectUsageError(const ProcessResult& r, const std::string& message = {})
{
    EXPECT_EQ(r.exitCode, 2) << r.out << r.err;
    EXPECT_TRUE(r.out.empty());
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.err.rfind("错误：", 0), 0u) << r.err;
    if (!message.empty()) {
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}

}  // namespace

TEST_F(CliCases, AddStoresTheCaseWithAnEmptyCommentDocument)
{
    const auto first = Add("张三", "1990-05-01", {"--category", "家人"});
    EXPECT_EQ(first["number"], 0);
    EXPECT_EQ(first["category"], "家人");
    EXPECT_EQ(first["commentName"], "张三_199005010830");
    EXPECT_EQ(first["province"], 34);  // 未知地
    EXPECT_EQ(first["longitude"], 120.0);
    EXPECT_EQ(first["latitude"], 30.0);
    EXPECT_EQ(first["kind"], "天盘");
    const std::string rtf = FileBytes(CommentFolder() / "张三_199005010830.rtf");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);

    // The same name and minute again: the second takes the suffix.
    const auto second = Add("张三");
    EXPECT_EQ(second["number"], 1);
    EXPECT_EQ(second["category"], "临时保存");
    EXPECT_EQ(second["commentName"], "张三_199005010830_0");
    EXPECT_TRUE(fs::exists(CommentFolder() / "张三_199005010830_0.rtf"));
    EXPECT_EQ(fs::file_size(CaseFile()), 2 * kCaseRecordSize);
}

TEST_F(CliCases, AddTakesEveryBirthOption)
{
    const auto c = Add("Ab", "-120-12-30",
                       {"--province", "3", "--city", "2", "--longitude", "114.5", "--latitude", "38.25", "--kind",
                        "人盘"});
    EXPECT_EQ(c["name"], "ab");            // Latin letters lowered
    EXPECT_EQ(c["date"], "-120-12-30 08:30");  // 120 BC, stored as year -119
    EXPECT_EQ(c["commentName"], "ab_-11912300830");
    EXPECT_EQ(c["lunar"], false);
    EXPECT_EQ(c["leap"], false);
    EXPECT_EQ(c["sex"], "男");
    EXPECT_EQ(c["province"], 3);
    EXPECT_EQ(c["city"], 2);
    EXPECT_EQ(c["longitude"], 114.5);
    EXPECT_EQ(c["latitude"], 38.25);
    EXPECT_EQ(c["kind"], "人盘");
    MDataBase db;
    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    CaseRecord r;
    ASSERT_EQ(db.Read(0, r), DbStatus::Ok);
    EXPECT_EQ(r.birth, (MDateTime{-119, 12, 30, 8, 30}));

    const auto leap = Add("cd", "2020-04-01", {"--lunar", "--leap"});  // 2020 has a leap fourth month
    EXPECT_EQ(leap["date"], "2020-04-01 08:30");
    EXPECT_EQ(leap["lunar"], true);
    EXPECT_EQ(leap["leap"], true);
}

TEST_F(CliCases, BadArgumentsGetOneChineseLineAndExitCode2)
{
    const std::vector<std::string> base = {"add", "--date", "1990-05-01", "--time", "08:30", "--sex", "男"};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = base;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    ExpectUsageError(Cases(with({})), "--name");
    ExpectUsageError(Cases(with({"--name", ""})), "姓名不能为空");
    ExpectUsageError(Cases(with({"--name", "诸葛孔明先"})), "8个字节");
    ExpectUsageError(Cases(with({"--name", "😀"})));
    ExpectUsageError(Cases(with({"--name", "a", "--sex", "x"})), "性别");
    ExpectUsageError(Cases(with({"--name", "a", "--leap"})), "闰月只用于农历日期");
    ExpectUsageError(Cases(with({"--name", "a", "--kind", "月盘"})), "盘式");
    ExpectUsageError(Cases(with({"--name", "a", "--province", "3"})), "--longitude");
    ExpectUsageError(Cases(with({"--name", "a", "--province", "35"})));
    ExpectUsageError(Cases(with({"--name", "a", "--category", "  "})), "类别名不能为空");
    ExpectUsageError(Cases(with({"--name", "a", "--category", "一二三四五六七"})), "13个字节");
    ExpectUsageError(Cases(with({"--name", "a", "--bogus"})));
    ExpectUsageError(Cases({"add", "--name", "a", "--date", "0-05-01", "--time", "08:30", "--sex", "男"}));
    ExpectUsageError(Cases({"add", "--name", "a", "--date", "2023-02-29", "--time", "08:30", "--sex", "男"}));
    ExpectUsageError(Cases({"add", "--name", "a", "--date", "2023-02-01", "--time", "24:00", "--sex", "男"}));
    ExpectUsageError(Cases({}), "子命令");
    ExpectUsageError(Cases({"rename"}), "子命令");
    ExpectUsageError(Cases({"show"}));
    ExpectUsageError(Cases({"show", "x"}));
    ExpectUsageError(Cases({"list", "extra"}));
    EXPECT_FALSE(fs::exists(CaseFile()));  // turned away before the store was touched
}

TEST_F(CliCases, ListShowAndDelete)
{
    Add("张三");
    Add("李四", "1985-01-02", {"--category", "朋友"});
    auto list = Json({"list"});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1]["name"], "李四");

    const auto shown = Json({"show", "1"});
    EXPECT_EQ(shown["category"], "朋友");
    EXPECT_EQ(shown["commentFile"], (CommentFolder() / "李四_198501020830.rtf").string());
    const auto text = Cases({"show", "1"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("李四"), std::string::npos);

    const auto deleted = Cases({"delete", "0"});
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_FALSE(fs::exists(CommentFolder() / "张三_199005010830.rtf"));
    list = Json({"list"});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]["number"], 1);
    EXPECT_EQ(fs::file_size(CaseFile()), 2 * kCaseRecordSize);  // marked, not removed

    for (const auto& args : {std::vector<std::string>{"show", "0"}, {"delete", "0"}, {"show", "2"}}) {
        const auto r = Cases(args);
        EXPECT_EQ(r.exitCode, 1) << args[0] << args[1];
        EXPECT_EQ(r.err.rfind("错误：", 0), 0u) << r.err;
    }
}

TEST_F(CliCases, SearchTakesTheCriteriaOfTheSearchDialog)
{
    EXPECT_NE(Cases({"search"}).out.find("没有记录，无从查找。"), std::string::npos);
    Add("ab");
    Add("a");
    Add("张三", "1991-03-04", {"--category", "家人"});
    const auto numbers = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "search");
        std::vector<int> out;
        for (const auto& c : Json(args)) out.push_back(c["number"]);
        return out;
    };
    EXPECT_EQ(numbers({"--name", "a"}), (std::vector<int>{0, 1}));
    EXPECT_EQ(numbers({"--name", "a", "--name-exact"}), (std::vector<int>{1}));
    EXPECT_EQ(numbers({"--name", "A"}), (std::vector<int>{}));
    EXPECT_EQ(numbers({"--category", "家", "--sex", "男"}), (std::vector<int>{2}));
    EXPECT_EQ(numbers({"--from", "1990", "--to", "1990"}), (std::vector<int>{0, 1}));
    EXPECT_EQ(numbers({"--province", "34"}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(numbers({"--province", "3"}), (std::vector<int>{}));
    EXPECT_NE(Cases({"search", "--name", "x"}).out.find("没有找到符合条件的命例。"), std::string::npos);
    EXPECT_NE(Cases({"search"}).out.find("共找到3条记录"), std::string::npos);

    ExpectUsageError(Cases({"search", "--from", "1990", "--to", "1980"}), "结束年必须大于或等于起始年");
    ExpectUsageError(Cases({"search", "--from", "1990"}), "年份必须在-850到2100年之间");
    ExpectUsageError(Cases({"search", "--from", "0", "--to", "5"}), "没有公元0年");
    ExpectUsageError(Cases({"search", "--from", "-851", "--to", "5"}), "-850");
    ExpectUsageError(Cases({"search", "--sex", "x"}), "性别");
}

TEST_F(CliCases, ExportAndImportMoveTheWholeCollection)
{
    Add("张三");
    Add("李四");
    ASSERT_EQ(Cases({"delete", "1"}).exitCode, 0);
    TempHome target;
    const auto exported = Json({"export", target.path().string()});
    const fs::path folder = target.path() / "Qiravel_导出数据";
    EXPECT_EQ(exported["folder"], folder.string());
    EXPECT_EQ(FileBytes(folder / "ZiWei.dat"), FileBytes(CaseFile()));
    EXPECT_TRUE(fs::exists(folder / "ZiWei_f" / "张三_199005010830.rtf"));

    TempHome other;
    Json({"add", "--name", "王五", "--date", "1990-01-01", "--time", "00:00", "--sex", "女"}, &other);
    const auto imported = Json({"import", folder.string()}, &other);
    EXPECT_EQ(imported["count"], 2);
    EXPECT_EQ(FileBytes(other.dat() / "ZiWei.dat"), FileBytes(CaseFile()));
    EXPECT_TRUE(fs::exists(other.path() / "ZiWei_f" / "张三_199005010830.rtf"));
    EXPECT_FALSE(fs::exists(other.path() / "ZiWei_f" / "王五_199001010000.rtf"));

    ExpectUsageError(Cases({"export", (home.path() / "missing").string()}));
    ExpectUsageError(Cases({"import", target.path().string()}), "没有导入的数据文件！");
    fs::remove_all(folder / "ZiWei_f");
    ExpectUsageError(Cases({"import", folder.string()}), "没有导入的数据文件夹！");
}

TEST_F(CliCases, CompactionIsOfferedFrom2000RecordsOn)
{
    Add("a");
    Add("b");
    ASSERT_EQ(Cases({"delete", "0"}).exitCode, 0);
    EXPECT_NE(Cases({"compact"}).out.find("命例数据过少，无需整理！"), std::string::npos);
    EXPECT_EQ(fs::file_size(CaseFile()), 2 * kCaseRecordSize);
    const auto done = Json({"compact", "--force"});
    EXPECT_EQ(done["before"], 2);
    EXPECT_EQ(done["after"], 1);
    EXPECT_EQ(Json({"list"})[0]["name"], "b");
    EXPECT_EQ(Json({"list"})[0]["number"], 0);
}

TEST_F(CliCases, ABusyCaseFileFailsWithExitCode1AndChangesNothing)
{
    Add("a");
    const std::string before = FileBytes(CaseFile());
    MDataBase db;
    ASSERT_EQ(db.Open(home.path()), DbStatus::Ok);
    ASSERT_EQ(db.BeginScan(), DbStatus::Ok);
    for (const auto& args : {std::vector<std::string>{"add", "--name", "b", "--date", "1990-01-01", "--time", "00:00",
                                                      "--sex", "女"},
                             {"delete", "0"},
                             {"compact", "--force"},
                             {"list"}}) {
        const auto r = Cases(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_NE(r.err.find("命例文件正被另一个程序使用"), std::string::npos) << r.err;
    }
    db.EndScan();
    EXPECT_EQ(FileBytes(CaseFile()), before);
    EXPECT_EQ(Json({"list"}).size(), 1u);
}

TEST_F(CliCases, TheProgramFolderCanComeFromTheEnvironment)
{
    setenv("QIRAVEL_HOME", home.path().c_str(), 1);
    const auto r = RunProcess(QIRAVEL_CLI, {"cases", "add", "--name", "a", "--date", "1990-01-01", "--time", "00:00",
                                            "--sex", "女", "--json"});
    unsetenv("QIRAVEL_HOME");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fs::file_size(CaseFile()), kCaseRecordSize);
}

// Input: a category with a control character would break the one-case-a-line output; a
// foreign record holding one still lists on one line.
TEST_F(CliCases, ControlCharactersNeverBreakTheOneCaseALineOutput)
{
    const std::vector<std::string> add = {"add", "--name", "a", "--date", "1990-05-01", "--time", "08:30", "--sex", "男"};
    for (const char* category : {"家\n人", "家\t人", "a\x7F"}) {
        std::vector<std::string> args = add;
        args.insert(args.end(), {"--category", category});
        ExpectUsageError(Cases(args), "控制字符");
    }
    CaseRecord r = SampleCase("x");
    r.category = "a\nb";
    WriteBytes(CaseFile(), RecordBytes(r));
    const auto listed = Cases({"list"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 1) << listed.out;
}

// Input: the number listed, shown and deleted is the record's position, not what it stores.
TEST_F(CliCases, ListedNumbersArePositions)
{
    CaseRecord a = SampleCase("a"), b = SampleCase("b");
    a.recordNo = 1;
    b.recordNo = 0;
    WriteBytes(CaseFile(), RecordBytes(a) + RecordBytes(b));
    const auto list = Json({"list"});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["name"], "a");
    EXPECT_EQ(list[0]["number"], 0);
    ASSERT_EQ(Cases({"delete", "0"}).exitCode, 0);
    EXPECT_EQ(Json({"list"})[0]["name"], "b");
}

// Files: an import source whose case file is a symlink or not whole records is refused with
// its message, and nothing is replaced.
TEST_F(CliCases, ImportRefusesASymlinkedOrBrokenCaseFile)
{
    Add("张三");
    const std::string before = FileBytes(CaseFile());
    TempHome source;
    fs::create_directory(source.path() / "ZiWei_f");
    fs::create_symlink("/etc/passwd", source.path() / "ZiWei.dat");
    ExpectUsageError(Cases({"import", source.path().string()}), "不是完整的命例文件");
    fs::remove(source.path() / "ZiWei.dat");
    WriteBytes(source.path() / "ZiWei.dat", std::string(kCaseRecordSize + 1, '\0'));
    ExpectUsageError(Cases({"import", source.path().string()}), "不是完整的命例文件");
    EXPECT_EQ(FileBytes(CaseFile()), before);
    EXPECT_TRUE(fs::exists(CommentFolder() / "张三_199005010830.rtf"));
}

// Streams: a compaction that outgrows the file-size limit reports it instead of dying of SIGXFSZ.
TEST_F(CliCases, CompactionPastTheFileSizeLimitFailsWithAMessage)
{
    WriteBytes(CaseFile(), std::string(1000 * kCaseRecordSize, '\0'));
    const std::string before = FileBytes(CaseFile());
    const auto r = RunProcess("/bin/sh", {"-c", "ulimit -f 64 && exec \"$0\" \"$@\"", QIRAVEL_CLI, "cases", "compact",
                                          "--force", "--home", home.path().string()});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("整理命例文件"), std::string::npos) << r.err;
    EXPECT_EQ(FileBytes(CaseFile()), before);
}

// Input: an empty --home is an error, not the executable's folder.
TEST_F(CliCases, AnEmptyHomeIsRefused)
{
    ExpectUsageError(RunProcess(QIRAVEL_CLI, {"cases", "list", "--home", ""}), "--home");
}

// Streams: listing takes the same memory whatever the size of the case file.
TEST_F(CliCases, ListingALargeCaseFileNeedsLittleMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer maps memory of its own";
#else
    WriteBytes(CaseFile(), "");
    ASSERT_EQ(::truncate(CaseFile().c_str(), 100000 * static_cast<off_t>(kCaseRecordSize)), 0);  // empty live cases
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit cap{16 << 20, 16 << 20};  // far below what 100,000 cases held at once need
        ::setrlimit(RLIMIT_DATA, &cap);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execl(QIRAVEL_CLI, QIRAVEL_CLI, "cases", "list", "--home", home.path().c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

// A comment document as written by an editor on Windows: GBK pairs, a \uN, a skipped destination.
TEST_F(CliCases, ShowPrintsTheCommentAsText)
{
    Add("王五");
    std::ofstream(CommentFolder() / "王五_199005010830.rtf", std::ios::binary)
        << "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
           "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 "
           "\\'c6\\'c0\\'d3\\'ef\\tab ok\\par \\u21629?\\'c0\\'fd\\par\n}";
    const auto text = Cases({"show", "0", "--comment"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("评语内容：\n评语\tok\n命例\n"), std::string::npos) << text.out;

    const auto json = Json({"show", "0", "--comment"});
    EXPECT_EQ(json["comment"], "评语\tok\n命例\n");
    EXPECT_FALSE(Json({"show", "0"}).contains("comment"));
}
