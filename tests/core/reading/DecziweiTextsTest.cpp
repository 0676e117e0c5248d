// The interpretation text stores: the block lookup rule, and that every text the report and the
// click readings ask for is there, opens with its subject, is GBK and says something of its own.
#include "DecziweiTexts.h"

#include "Gbk.h"
#include "ZiweiexNames.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <set>

TEST(FindTextBlock, CollectsLinesUpToEnd)
{
    const std::string text = "[1]\r\nalpha\r\n\r\nbeta\r\n[end]\r\n[2]\nsecond\n[end]\n";
    EXPECT_EQ(FindTextBlock(text, "[1]"), "alpha\r\n\r\nbeta\r\n");
    EXPECT_EQ(FindTextBlock(text, "[2]"), "second\r\n");
    EXPECT_EQ(FindTextBlock(text, "[3]"), "");
    EXPECT_EQ(FindTextBlock(text, "[1"), "");
    EXPECT_EQ(FindTextBlock(text, "[1] "), "");
}

TEST(FindTextBlock, ABlockWithoutEndRunsOnAndSkipsItsOwnKey)
{
    const std::string text = "[1]\ra\r[2]\r[1]\rb\r[end]\r[3]\rc";
    EXPECT_EQ(FindTextBlock(text, "[1]"), "a\r\n[2]\r\nb\r\n");
    EXPECT_EQ(FindTextBlock(text, "[3]"), "c\r\n");  // to the end of the resource
}

namespace {

const std::array<std::string_view, 12> kPalaceTitles = {
    "命宫", "兄弟宫", "夫妻宫", "子女宫", "财帛宫", "疾厄宫", "迁移宫", "仆役宫", "官禄宫", "田宅宫", "福德宫", "父母宫"};

// Sentences of at least six characters (18 UTF-8 bytes of CJK text).
std::vector<std::string> Sentences(const std::string& text)
{
    static const std::regex stop("。|！|？|；|\r\n|\n");
    std::vector<std::string> out;
    for (std::sregex_token_iterator it(text.begin(), text.end(), stop, -1), end; it != end; ++it) {
        std::string s = *it;
        while (!s.empty() && s.front() == ' ') s.erase(s.begin());
        if (s.size() >= 18) out.push_back(s);
    }
    return out;
}

// Checks one range of texts: each present, opening with its subject, GBK, sharing no sentence.
void CheckRange(const std::string& range, const std::map<std::string, std::pair<std::string, std::string>>& entries)
{
    std::map<std::string, std::string> seen;
    for (const auto& [key, entry] : entries) {
        const auto& [subject, text] = entry;
        ASSERT_FALSE(text.empty()) << range << ' ' << key;
        EXPECT_EQ(text.rfind(subject, 0), 0u) << range << ' ' << key << " should open with " << subject;
        EXPECT_TRUE(Utf8ToGbk(text)) << range << ' ' << key << " is not GBK";
        for (const std::string& s : Sentences(text.substr(subject.size()))) {
            const auto [it, fresh] = seen.emplace(s, key);
            EXPECT_TRUE(fresh || it->second == key) << range << ": " << it->second << " and " << key << " share: " << s;
        }
    }
}

std::string Str(int n) { return NumberedString(n); }

}  // namespace

TEST(TextStores, YearTextsOpenWithTheYearsAnimalImage)
{
    EXPECT_EQ(Str(100).rfind("林下之猪", 0), 0u);
    EXPECT_EQ(Str(101).rfind("屋上之鼠", 0), 0u);
    EXPECT_EQ(Str(159).rfind("雇家之犬", 0), 0u);
    std::map<std::string, std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 60; ++i) entries[std::to_string(100 + i)] = {"", Str(100 + i)};
    CheckRange("year", entries);
}

TEST(TextStores, RulerAndStarNatureTexts)
{
    static const std::array<std::string_view, 10> stems = {"癸", "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬"};
    EXPECT_EQ(Str(1021).rfind("甲年生人廉贞值星施号令", 0), 0u);
    std::map<std::string, std::pair<std::string, std::string>> rulers, stars;
    for (int stem = 0; stem < 10; ++stem)
        rulers[std::to_string(1020 + stem)] = {std::string(stems[stem]) + "年生人", Str(1020 + stem)};
    CheckRange("ruler", rulers);
    EXPECT_EQ(Str(701).rfind("紫微星-阴阳", 0), 0u);
    for (int s = 1; s <= 28; ++s) {
        const std::string name(kStarNames[s]);  // 火星 and 铃星 already end in 星
        stars[std::to_string(700 + s)] = {name.ends_with("星") ? name + "-" : name + "星-", Str(700 + s)};
    }
    CheckRange("star", stars);
    EXPECT_EQ(Str(700), "");
    EXPECT_EQ(Str(729), "");
}

TEST(TextStores, FlyingTransformationRuns)
{
    const std::array<std::pair<int, int>, 5> sources = {{{200, 2}, {300, 4}, {400, 5}, {500, 6}, {600, 8}}};
    std::map<std::string, std::pair<std::string, std::string>> entries;
    for (const auto& [base, palace] : sources) {
        for (int kind = 1; kind <= 4; ++kind) {
            for (int target = 0; target < 12; ++target) {
                const int n = base + 20 * (kind - 1) + target;
                const std::string from(kPalaceTitles[palace]);
                const std::string k(kTransformLabels[kind]);
                const std::string subject = target == palace ? from + "自化" + k + "-"
                                                             : from + "化" + k + "入" + std::string(kPalaceTitles[target]) + "-";
                entries[std::to_string(n)] = {subject, Str(n)};
            }
            for (int gap = 12; gap < 20; ++gap) EXPECT_EQ(Str(base + 20 * (kind - 1) + gap), "");
        }
    }
    EXPECT_EQ(Str(200).rfind("夫妻宫化禄入命宫-", 0), 0u);
    EXPECT_EQ(Str(202).rfind("夫妻宫自化禄-", 0), 0u);
    CheckRange("flying", entries);
}

TEST(TextStores, MainStarInPalaceRuns)
{
    std::map<std::string, std::pair<std::string, std::string>> entries;
    for (int palace = 1; palace <= 11; ++palace)
        for (int star = 1; star <= 14; ++star) {
            const int n = 780 + 20 * palace + star;
            entries[std::to_string(n)] = {std::string(kStarNames[star]) + "在" + std::string(kPalaceTitles[palace]) + "-", Str(n)};
        }
    EXPECT_EQ(Str(800), "");
    EXPECT_EQ(Str(815), "");
    CheckRange("main star", entries);
}

TEST(TextStores, StarDescriptionBlocks)
{
    std::map<std::string, std::pair<std::string, std::string>> entries;
    for (int s = 29; s <= 53; ++s) {
        if (s == 30) continue;
        const std::string text = ReadTextBlock("zdinfo", StarBlockKey(s));
        ASSERT_FALSE(text.empty()) << s;
        const std::string first = text.substr(0, text.find("\r\n"));
        EXPECT_NE(first.find(kStarNames[s]), std::string::npos) << s << " opens with " << first;
        entries[std::to_string(s)] = {first, text};
    }
    EXPECT_EQ(ReadTextBlock("zdinfo", "[29]").rfind("红鸾、天喜", 0), 0u);
    EXPECT_EQ(ReadTextBlock("ZDINFO", "[30]"), "");
    EXPECT_EQ(ReadTextBlock("zdinfo", "[28]"), "");
    for (int s = 54; s <= 61; ++s) EXPECT_EQ(ReadTextBlock("zdinfo", StarBlockKey(s)), "") << s;
    CheckRange("zdinfo", entries);
}

TEST(TextStores, TransformedStarBlocks)
{
    const std::map<int, std::vector<int>> keys = {
        {1, {2, 3, 4, 5, 6, 8, 9, 10, 12, 14}},
        {2, {1, 2, 3, 4, 5, 8, 9, 10, 12, 14}},
        {3, {1, 2, 3, 4, 5, 7, 8, 12, 20, 21, 22, 23}},
        {4, {2, 3, 4, 5, 6, 8, 9, 10, 22, 23}}};
    std::map<std::string, std::pair<std::string, std::string>> entries;
    int count = 0;
    for (const auto& [kind, stars] : keys)
        for (int star : stars) {
            const std::string key = TransformBlockKey(kind, star);
            entries[key] = {std::string(kStarNames[star]) + "化" + std::string(kTransformLabels[kind]),
                            ReadTextBlock("shinfo", key)};
            ++count;
        }
    EXPECT_EQ(count, 42);
    const std::string lianZhen = ReadTextBlock("shinfo", "[1-6]");
    EXPECT_EQ(lianZhen.rfind("廉贞化禄\r\n", 0), 0u);
    EXPECT_EQ(lianZhen.find("[end]"), std::string::npos);
    EXPECT_EQ(ReadTextBlock("shinfo", "[1-7]"), "");
    CheckRange("shinfo", entries);
}
