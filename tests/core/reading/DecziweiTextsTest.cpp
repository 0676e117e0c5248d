// The interpretation text stores: the block lookup rule, and that every text the report and the
// click readings ask for is there, opens with its subject, is GBK, says something of its own and
// keeps to the wording rules of the texts.
#include "DecziweiTexts.h"

#include "Gbk.h"
#include "ZiweiexNames.h"

#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

// A few characters either side of a byte position, cut at character boundaries.
std::string Around(std::string_view text, size_t at)
{
    size_t from = at > 24 ? at - 24 : 0;
    size_t to = std::min(text.size(), at + 24);
    while (from > 0 && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) --from;
    while (to < text.size() && (static_cast<unsigned char>(text[to]) & 0xC0) == 0x80) ++to;
    return std::string(text.substr(from, to - from));
}

}  // namespace

// Every text speaks of the person as 命主, names palaces as the chart does, uses one word for a
// notion that has two, and avoids regional words a mainland reader stumbles over.
TEST(TextStores, WordingRules)
{
    struct Rule {
        std::string_view word;
        std::string_view instead;
    };
    static const Rule rules[] = {
        {"你", "命主"},
        {"交友宫", "仆役宫"}, {"奴仆宫", "仆役宫"}, {"事业宫", "官禄宫"}, {"男女宫", "子女宫"},
        {"妻妾宫", "夫妻宫"}, {"相貌宫", "父母宫"},
        {"兄弟姊妹", "兄弟姐妹"}, {"伴侣", "配偶"},
        {"拚", "拼"}, {"停损", "止损"}, {"透过", "通过"}, {"资讯", "信息"}, {"职涯", "职业"},
        {"升等", "晋升"}, {"评鉴", "考核"}, {"代书", "律师"}, {"物件", "房源"}, {"检视", "检查"},
        {"品质", "质量"},
    };
    size_t files = 0;
    for (const EmbeddedText& file : EmbeddedTexts()) {
        ++files;
        for (const Rule& rule : rules) {
            const size_t at = file.content.find(rule.word);
            EXPECT_EQ(at, std::string_view::npos)
                << file.fileName << " says " << rule.word << " where the texts say " << rule.instead << ": "
                << (at == std::string_view::npos ? std::string() : Around(file.content, at));
        }
    }
    EXPECT_EQ(files, 8u);
}
