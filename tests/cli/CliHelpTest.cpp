// What a user of an installed command-line tool expects: --version, COMMAND --help, and a
// manual page that gives the same synopses as "qiravel-cli help".
#include "Cli.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The commands of "qiravel-cli help", each as "name synopsis".
std::vector<std::string> HelpSynopses()
{
    const ProcessResult r = Cli({"help"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> synopses;
    for (const std::string& line : Lines(r.out))
        if (line.rfind("  ", 0) == 0 && line[2] != ' ') synopses.push_back(line.substr(2));
    return synopses;
}

// The manual page's text as it reads, without font changes and with "\-" as "-".
std::string ManPageText()
{
    std::ifstream in(QIRAVEL_MAN_PAGE);
    std::ostringstream text;
    text << in.rdbuf();
    std::string plain = std::regex_replace(text.str(), std::regex(R"(\\f[BIRP])"), "");
    return std::regex_replace(plain, std::regex(R"(\\-)"), "-");
}

}  // namespace

TEST(CliHelp, VersionPrintsTheProjectVersion)
{
    const ProcessResult r = Cli({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, std::string("qiravel-cli ") + QIRAVEL_PROJECT_VERSION + "\n");
    EXPECT_TRUE(r.err.empty());
}

TEST(CliHelp, CommandHelpPrintsThatCommandsUsageInsteadOfRunningIt)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"cast", "--help"}, "cast --name 姓名 --date"},
        {{"cast", "--name", "张三", "--date", "1984-02-05", "-h"}, "cast --name 姓名 --date"},
        {{"cases", "add", "--help"}, "cases add|list|show"},
        {{"help", "jd"}, "jd 日期[T时:分] [--json]"},
        {{"--help", "terms"}, "terms 年份 [--json]"},
        {{"click", "--help"}, "click （与 cast 相同的出生参数）"},
    };
    for (const auto& [args, usage] : cases) {
        const ProcessResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 0) << args.front() << ": " << r.err;
        EXPECT_EQ(r.out.rfind("用法：qiravel-cli " + usage, 0), 0u) << r.out;
        EXPECT_EQ(Lines(r.out).size(), 2u) << r.out;
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
}

TEST(CliHelp, HelpForAnUnknownCommandIsBadInput)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"help", "nosuch"}, {"nosuch", "--help"}}) {
        const ProcessResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err, "错误：未知命令 nosuch（qiravel-cli help 列出全部命令）\n");
    }
}

TEST(CliHelp, ManualPageGivesEverySynopsisOfTheHelpAndNoOther)
{
    const std::vector<std::string> synopses = HelpSynopses();
    ASSERT_GE(synopses.size(), 9u);
    const std::string man = ManPageText();
    for (const std::string& synopsis : synopses)
        EXPECT_NE(man.find("\n.TP\n" + synopsis + "\n"), std::string::npos) << synopsis;

    // One entry per command between COMMANDS and the next section.
    const size_t commands = man.find("\n.SH COMMANDS\n");
    const size_t next = man.find("\n.SH ", commands + 1);
    ASSERT_NE(commands, std::string::npos);
    const std::string section = man.substr(commands, next - commands);
    size_t entries = 0;
    for (size_t at = section.find("\n.TP\n"); at != std::string::npos; at = section.find("\n.TP\n", at + 1)) ++entries;
    EXPECT_EQ(entries, synopses.size());
    for (const char* convention : {"--version", "--help", "qiravel-cli help", "QIRAVEL_HOME", ".local/share/qiravel"})
        EXPECT_NE(man.find(convention), std::string::npos) << convention;
}
