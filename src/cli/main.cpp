// qiravel-cli: the chart and calendar engine from the command line.
#include "CliArgs.h"
#include "Commands.h"
#include "QiravelVersion.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <sstream>

namespace {

// What a run without arguments shows, after the help.
const std::vector<CommandArgs> kExamples = {
    {"jd", "1984-02-05T12:00"},
    {"lunar", "1984-02-05T12:00"},
    {"cast", "--name", "示例", "--date", "1984-02-05", "--time", "12:00", "--sex", "男"},
};

const Command* FindCommand(const std::string& name)
{
    for (const Command& c : AllCommands())
        if (c.name == name) return &c;
    return nullptr;
}

void PrintHelp(std::ostream& out)
{
    out << "Qiravel 紫微斗数 命令行\n用法：qiravel-cli 命令 [参数]\n"
           "      qiravel-cli 命令 --help 显示一个命令的用法，qiravel-cli --version 显示版本\n\n命令：\n";
    for (const Command& c : AllCommands())
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

void PrintCommandHelp(const Command& c, std::ostream& out)
{
    out << "用法：qiravel-cli " << c.name << ' ' << c.usage << '\n' << c.summary << '\n';
}

bool IsHelpOption(const std::string& word) { return word == "--help" || word == "-h"; }

// With no arguments: the help, then a few commands run on an example.
int ShowExamples(std::ostream& out)
{
    PrintHelp(out);
    for (const CommandArgs& example : kExamples) {
        out << "\n示例：qiravel-cli";
        for (const std::string& word : example) out << ' ' << word;
        out << "\n\n";
        const int code = FindCommand(example.front())->run(CommandArgs(example.begin() + 1, example.end()), out);
        if (code != 0) return code;
    }
    return 0;
}

}  // namespace

const std::vector<Command>& AllCommands()
{
    static const std::vector<Command> commands = {
        {"jd", "日期[T时:分] [--json]", "儒略日、星期与日干支（历史纪年，公元前用负数）", RunJd},
        {"ephem", "日期[T时:分] [--json]", "ΔT、太阳与月亮视黄经、月日黄经差与时差（北京时间）", RunEphem},
        {"cases", "add|list|show 编号 [--comment]|delete 编号|search|export 文件夹|import 文件夹|compact [--home 文件夹] [--json]",
         "命例库：保存、列出、查看、删除、查找、导出、导入与整理命例", RunCases},
        {"lunar", "日期[T时:分] [--json]", "公历（北京时间）转农历，附四柱", RunLunar},
        {"solar", "--lunar 年-月-日[T时:分] [--leap] [--json]", "农历转公历，--leap 表示闰月", RunSolar},
        {"terms", "年份 [--json]", "一年的二十四节气及其北京时间", RunTerms},
        {"eras", "年份 [--json]", "一年的历代年号", RunEras},
        {"calendar", "年-月 [--day 日 --hour 时 [--minute 分]] [--json]",
         "万年历：一个月每天的农历、当月节气时刻、年号生肖，及所选日时的四柱", RunCalendar},
        {"cast",
         "--name 姓名 --date 年-月-日 --time 时:分 --sex 男|女 [--lunar [--leap]] [--longitude 度] [--latitude 度] "
         "[--place 地点] [--kind 天盘|地盘|人盘] [--annual 年-月-日T时:分 [--daily-hourly]] [--home 文件夹] [--json] "
         "[--report] [--report-html 文件] [--png|--bmp|--jpg 文件 [--font-size 7..20] [--highlight 地支]] | "
         "--batch 文件|-",
         "排紫微斗数本命盘与流年盘，可输出断语报告与命盘图；--batch 每行一例（制表符分隔），逐行输出JSON", RunCast},
        {"click", "（与 cast 相同的出生参数） --x 横坐标 --y 纵坐标 [--font-size 7..20] [--highlight 地支] [--png 文件] [--json]",
         "在命盘图上点击一点：星曜或四化的简介，或选定宫位", RunClick},
    };
    return commands;
}

namespace {

int RunCommand(int argc, char** argv)
{
    if (argc < 2) return ShowExamples(std::cout);
    const std::string name = argv[1];
    const CommandArgs rest(argv + 2, argv + argc);
    if (name == "--version") {
        std::cout << "qiravel-cli " << kQiravelVersion << '\n';
        return 0;
    }
    const bool help = name == "help" || IsHelpOption(name);
    const std::string commandName = help ? (rest.empty() ? "" : rest.front()) : name;
    if (help && commandName.empty()) {
        PrintHelp(std::cout);
        return 0;
    }
    const Command* command = FindCommand(commandName);
    if (!command) throw UsageError{"未知命令 " + commandName + "（qiravel-cli help 列出全部命令）"};
    if (help || std::any_of(rest.begin(), rest.end(), IsHelpOption)) {
        PrintCommandHelp(*command, std::cout);
        return 0;
    }
    return command->run(rest, std::cout);
}

}  // namespace

// Nothing a user types or a file holds may end the program unannounced: every way out is one
// line on the error stream and an exit code (2 bad input, 1 a failed operation).
int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // A file grown past the size limit fails its write (and is reported) instead of killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        const int code = RunCommand(argc, argv);
        // Output that never arrived (a full disk, a closed pipe) is a failure, not a success.
        if (!std::cout.flush() || std::fflush(stdout) != 0) {
            std::cerr << "错误：无法写出结果\n";
            return code == 0 ? 1 : code;
        }
        return code;
    } catch (const UsageError& e) {
        std::cerr << "错误：" << Abbreviated(OneLine(e.message)) << '\n';
        return 2;
    } catch (const std::bad_alloc&) {
        std::cerr << "错误：内存不足，操作未完成\n";
    } catch (const std::exception& e) {
        std::cerr << "错误：内部错误，操作未完成（" << OneLine(e.what()) << "）\n";
    } catch (...) {
        std::cerr << "错误：内部错误，操作未完成\n";
    }
    return 1;
}
