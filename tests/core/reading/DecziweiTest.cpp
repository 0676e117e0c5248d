// The interpretation report: its two opening lines, the eight sections in order with their
// notes, main-star lines and flying-transformation lines, the transformation variants of the
// settings, and what the report pane receives. The numbered texts open with their subject
// ("紫微在财帛宫-", "财帛宫化禄入命宫-", "财帛宫自化禄-"), so the tests can tell from a line
// which star, palace and transformation it speaks of.
#include "Decziwei.h"

#include "DecziweiTexts.h"
#include "Sexagenary.h"
#include "TempHome.h"
#include "Ziweiex.h"
#include "ZiweiexGrades.h"
#include "ZiweiexNames.h"
#include "ZiweiexPalaces.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

const std::array<std::string_view, 12> kPalaceTitles = {
    "命宫", "兄弟宫", "夫妻宫", "子女宫", "财帛宫", "疾厄宫", "迁移宫", "仆役宫", "官禄宫", "田宅宫", "福德宫", "父母宫"};

struct Section {
    const char* heading;
    int palace;
    const char* note;
    bool flying;  // the section reads the transformations flown from its palace's stem
};

// The report's sections in order, with the palace each reads.
const std::array<Section, 8> kSections = {{
    {"经济财富：", 4, "☆财帛宫无主星,论财运可看对宫-福德宫。", true},
    {"事业地位：", 8, "☆官禄宫无主星,论事业可看对宫-夫妻宫。", true},
    {"婚姻择偶：", 2, "☆夫妻宫无主星,论婚姻可看对宫-官禄宫。", true},
    {"体质健康：", 5, "☆疾厄宫无主星,论体质健康可看对宫-父母宫。", true},
    {"祖业房产：", 9, "☆田宅宫无主星,论祖业房产可看对宫-子女宫。", false},
    {"父母家人：", 11, "☆父母无主星,论父母家人可看对宫-疾厄宫。", false},
    {"子女后代：", 3, "☆子女宫无主星,论子女后代可看对宫-田宅宫。", false},
    {"人际交往：", 6, "☆迁移宫无主星,论人际关系可看对宫-命宫。", true},
}};

constexpr int kLifeBranch = 3;  // 寅

// A chart of a 甲子 year with the Life palace at 寅 and the palace stems of a 甲 year (丙 at 寅,
// one stem on per branch, so 甲 at 戌 for the wealth palace). Every star a stem can transform
// stands in a palace no section reads, so the section palaces start empty: 命 紫微 天府 左辅
// 右弼, 兄弟 天机 太阳 文昌 文曲, 仆役 武曲 天同 廉贞 天相 天梁 七杀 破军, 福德 太阴 贪狼 巨门.
ChartData HandChart()
{
    ChartData chart{};
    chart.yearPillar = 1;
    for (int p = 0; p < kPalaceCount; ++p) {
        const int branch = Mod(kLifeBranch - p, 12);
        chart.palaces[p].stemBranch = CycleIndex(Mod(3 + Mod(branch - kLifeBranch, 12), 10), static_cast<int16_t>(branch));
    }
    const auto put = [&](int palace, std::initializer_list<int> stars) {
        for (int s : stars) chart.palaces[palace].stars.Add(static_cast<uint8_t>(s));
    };
    put(0, {1, 7, 20, 21});
    put(1, {2, 3, 22, 23});
    put(7, {4, 5, 6, 11, 12, 13, 14});
    put(10, {8, 9, 10});
    return chart;
}

// Moves stars, in this order, to the end of a palace's list, taking them from wherever they stood.
void MoveStars(ChartData& chart, int palace, const std::vector<int>& stars)
{
    for (int s : stars) {
        for (PalaceRecord& p : chart.palaces) {
            StarList kept;
            for (int i = 0; i < p.stars.count; ++i)
                if (p.stars.stars[i] != s) kept.Add(p.stars.stars[i]);
            p.stars = kept;
        }
        chart.palaces[palace].stars.Add(static_cast<uint8_t>(s));
    }
}

void SetStem(ChartData& chart, int palace, int stem)
{
    PalaceRecord& p = chart.palaces[palace];
    p.stemBranch = CycleIndex(stem, static_cast<int16_t>(BranchOf(p.stemBranch)));
}

std::string Build(const ChartData& chart, const ChartSettings& settings = {})
{
    MDecZiWei builder;
    builder.BuildReport(chart, settings);
    return builder.LastReport();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The lines of section n (0..7) after its heading, up to the empty line that ends it.
std::vector<std::string> SectionLines(const std::string& report, int n)
{
    const std::vector<std::string> lines = Lines(report);
    std::vector<std::string> section;
    size_t i = 0;
    while (i < lines.size() && lines[i] != kSections[n].heading) ++i;
    for (++i; i < lines.size() && !lines[i].empty(); ++i) section.push_back(lines[i]);
    return section;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, std::string_view mark)
{
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.starts_with(mark)) found.push_back(line);
    return found;
}

std::string MainStarSubject(int star, int palace)
{
    return "★" + std::string(kStarNames[star]) + "在" + std::string(kPalaceTitles[palace]) + "-";
}

std::string FlyingSubject(int from, int kind, int to)
{
    const std::string source(kPalaceTitles[from]);
    const std::string k(kTransformLabels[kind]);
    return "☆" + source + (to == from ? "自化" + k : "化" + k + "入" + std::string(kPalaceTitles[to])) + "-";
}

int PalaceHolding(const ChartData& chart, int star)
{
    for (int p = 0; p < kPalaceCount; ++p)
        if (chart.palaces[p].stars.Contains(static_cast<uint8_t>(star))) return p;
    return -1;
}

// Checks one report against the chart it was built from: every section's note, main-star
// lines and flying lines, by the subjects their texts open with.
void CheckSections(const ChartData& chart, const ChartSettings& settings, const std::string& report)
{
    for (int n = 0; n < 8; ++n) {
        const Section& section = kSections[n];
        const StarList& stars = chart.palaces[section.palace].stars;
        const std::vector<std::string> lines = SectionLines(report, n);
        size_t at = 0;
        const bool noMainStar = stars.count == 0 || stars.stars[0] >= 26;
        if (noMainStar) {
            ASSERT_LT(at, lines.size());
            EXPECT_EQ(lines[at++], section.note) << section.heading;
        }
        for (int slot = 0; slot < stars.count && stars.stars[slot] <= 14; ++slot) {
            ASSERT_LT(at, lines.size());
            const std::string& line = lines[at++];
            EXPECT_TRUE(line.starts_with(MainStarSubject(stars.stars[slot], section.palace))) << line;
            EXPECT_EQ(line, "★" + NumberedString(780 + 20 * section.palace + stars.stars[slot]));
        }
        if (section.flying) {
            const FourStars transformed = FourTransforms(StemOf(chart.palaces[section.palace].stemBranch), settings);
            for (int k = 1; k <= 4; ++k) {
                ASSERT_LT(at, lines.size());
                const int to = PalaceHolding(chart, transformed[k - 1]);
                EXPECT_TRUE(lines[at++].starts_with(FlyingSubject(section.palace, k, to)))
                    << section.heading << " kind " << k << ": " << lines[at - 1];
            }
        }
        EXPECT_EQ(at, lines.size()) << section.heading << " has lines of no kind";
    }
}

}  // namespace

TEST(Report, OpensWithTheBirthYearAndItsRulingStar)
{
    ChartData chart = HandChart();
    std::vector<std::string> lines = Lines(Build(chart));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "  命主(甲子)" + NumberedString(101));
    EXPECT_TRUE(lines[0].starts_with("  命主(甲子)屋上之鼠"));
    EXPECT_EQ(lines[1], "  " + NumberedString(1021));
    EXPECT_TRUE(lines[1].starts_with("  甲年生人廉贞值星施号令"));

    // The cycle's last pair, 癸亥, is index 0; 壬戌 is 59.
    for (const auto& [year, label] : {std::pair{0, "癸亥"}, std::pair{59, "壬戌"}, std::pair{38, "辛丑"}}) {
        chart.yearPillar = static_cast<int16_t>(year);
        lines = Lines(Build(chart));
        EXPECT_EQ(lines[0], "  命主(" + std::string(label) + ")" + NumberedString(100 + year));
        EXPECT_EQ(lines[1], "  " + NumberedString(1020 + year % 10));
    }
    EXPECT_TRUE(lines[1].starts_with("  辛年生人"));
}

TEST(Report, EightSectionsInOrderWithAnEmptyLineBetween)
{
    std::vector<std::string> headings;
    for (const Section& s : kSections) headings.emplace_back(s.heading);
    EXPECT_EQ(MDecZiWei::Headings(), headings);

    const std::string report = Build(HandChart());
    ASSERT_TRUE(report.ends_with("\n"));
    const std::vector<std::string> lines = Lines(report);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[2], headings[0]) << "the first section follows the opening lines directly";
    size_t next = 0, empty = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            ++empty;
            ASSERT_LT(i + 1, lines.size());
            ASSERT_LT(next, headings.size());
            EXPECT_EQ(lines[i + 1], headings[next]) << "an empty line only before a heading";
        } else if (next < headings.size() && lines[i] == headings[next]) {
            if (next > 0) {
                EXPECT_TRUE(lines[i - 1].empty()) << headings[next];
            }
            ++next;
        }
    }
    EXPECT_EQ(next, 8u);
    EXPECT_EQ(empty, 7u);
}

TEST(Report, NoteOnlyWhenNoMainStarLeadsThePalace)
{
    // The section palaces of the hand-made chart are all empty: each section opens with its note.
    ChartData chart = HandChart();
    std::string report = Build(chart);
    for (int n = 0; n < 8; ++n) {
        const std::vector<std::string> lines = SectionLines(report, n);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], kSections[n].note);
        EXPECT_TRUE(LinesStartingWith(lines, "★").empty());
    }

    // 禄存 (15) is no main star, but it stands below 26: neither ★ lines nor the note.
    MoveStars(chart, 4, {15});
    std::vector<std::string> wealth = SectionLines(Build(chart), 0);
    EXPECT_TRUE(LinesStartingWith(wealth, "★").empty());
    EXPECT_EQ(wealth.size(), 4u);
    for (const std::string& line : wealth) EXPECT_TRUE(line.starts_with("☆财帛宫")) << line;

    // 天马 (26) or the lesser stars alone: the note.
    for (const std::vector<int>& stars : std::vector<std::vector<int>>{{26}, {27, 28}, {29, 35, 61}}) {
        chart.palaces[4].stars = StarList{};
        MoveStars(chart, 4, stars);
        wealth = SectionLines(Build(chart), 0);
        ASSERT_EQ(wealth.size(), 5u);
        EXPECT_EQ(wealth[0], kSections[0].note);
        EXPECT_TRUE(LinesStartingWith(wealth, "★").empty());
    }
}

TEST(Report, MainStarLinesFollowThePlacementOrder)
{
    ChartData chart = HandChart();
    MoveStars(chart, 4, {1, 7, 20});  // 紫微, 天府, then 左辅
    std::vector<std::string> wealth = SectionLines(Build(chart), 0);
    ASSERT_EQ(wealth.size(), 6u);
    EXPECT_EQ(wealth[0], "★" + NumberedString(861));
    EXPECT_TRUE(wealth[0].starts_with("★紫微在财帛宫-"));
    EXPECT_EQ(wealth[1], "★" + NumberedString(867));
    EXPECT_TRUE(wealth[1].starts_with("★天府在财帛宫-"));
    for (size_t i = 2; i < wealth.size(); ++i) EXPECT_TRUE(wealth[i].starts_with("☆财帛宫")) << wealth[i];

    // Each section reads the main-star texts of its own palace.
    MoveStars(chart, 8, {13});
    MoveStars(chart, 2, {14});
    MoveStars(chart, 5, {11, 12});
    MoveStars(chart, 9, {10});
    MoveStars(chart, 11, {9});
    MoveStars(chart, 3, {8});
    MoveStars(chart, 6, {6, 16});
    CheckSections(chart, {}, Build(chart));
}

TEST(Report, FlyingLinesNameWhereEachTransformationLands)
{
    // The wealth palace at 戌 has the stem 甲: 廉贞 (仆役) 禄, 破军 (仆役) 权, 武曲 (仆役) 科,
    // 太阳 (兄弟) 忌.
    ChartData chart = HandChart();
    std::vector<std::string> wealth = SectionLines(Build(chart), 0);
    ASSERT_EQ(wealth.size(), 5u);
    EXPECT_EQ(wealth[1], "☆" + NumberedString(307));
    EXPECT_TRUE(wealth[1].starts_with("☆财帛宫化禄入仆役宫-"));
    EXPECT_TRUE(wealth[2].starts_with("☆财帛宫化权入仆役宫-"));
    EXPECT_TRUE(wealth[3].starts_with("☆财帛宫化科入仆役宫-"));
    EXPECT_EQ(wealth[4], "☆" + NumberedString(361));
    EXPECT_TRUE(wealth[4].starts_with("☆财帛宫化忌入兄弟宫-"));

    // The five flying sections, each with four lines; the other three have none.
    MoveStars(chart, 9, {1});
    MoveStars(chart, 11, {2});
    MoveStars(chart, 3, {12, 29});
    const std::string report = Build(chart);
    for (int n = 0; n < 8; ++n) {
        const std::vector<std::string> lines = SectionLines(report, n);
        size_t flyingLines = 0;
        for (const std::string& line : lines)
            if (line.starts_with("☆") && line != kSections[n].note) ++flyingLines;
        EXPECT_EQ(flyingLines, kSections[n].flying ? 4u : 0u) << kSections[n].heading;
    }
    CheckSections(chart, {}, report);
}

TEST(Report, ThePalacesOwn禄ComesFirstAsSelfTransformation)
{
    ChartData chart = HandChart();
    MoveStars(chart, 4, {6});  // the wealth palace's stem 甲 transforms 廉贞 to 禄
    MoveStars(chart, 2, {5});  // the marriage palace at 子 has 丙: 天同 takes 禄
    const std::string report = Build(chart);
    const std::vector<std::string> wealth = SectionLines(report, 0);
    ASSERT_GE(wealth.size(), 2u);
    EXPECT_TRUE(wealth[0].starts_with("★廉贞在财帛宫-"));
    EXPECT_EQ(wealth[1], "☆" + NumberedString(304));
    EXPECT_TRUE(wealth[1].starts_with("☆财帛宫自化禄-"));
    const std::vector<std::string> marriage = SectionLines(report, 2);
    ASSERT_EQ(marriage.size(), 5u);
    EXPECT_EQ(marriage[1], "☆" + NumberedString(202));
    EXPECT_TRUE(marriage[1].starts_with("☆夫妻宫自化禄-"));
    // 丙 also sends 忌 to 廉贞, now in the wealth palace.
    EXPECT_TRUE(marriage[4].starts_with("☆夫妻宫化忌入财帛宫-"));
}

TEST(Report, TransformationVariantsOfTheSettings)
{
    // The career palace at 午 gets the stem 戊: 贪狼 禄, 太阴 权, 右弼 (or 太阳) 科, 天机 忌.
    ChartData chart = HandChart();
    SetStem(chart, 8, 5);
    ChartSettings settings;
    MDecZiWei builder;
    builder.BuildReport(chart, settings);
    EXPECT_EQ(builder.FlyingTargets(8), (std::array<int, 4>{10, 10, 0, 1}));
    EXPECT_TRUE(SectionLines(builder.LastReport(), 1)[3].starts_with("☆官禄宫化科入命宫-"));  // 右弼 in 命

    settings.tg5 = 1;
    builder.BuildReport(chart, settings);
    EXPECT_EQ(builder.FlyingTargets(8), (std::array<int, 4>{10, 10, 1, 1}));
    const std::vector<std::string> career = SectionLines(builder.LastReport(), 1);
    EXPECT_EQ(career[3], "☆" + NumberedString(641));
    EXPECT_TRUE(career[3].starts_with("☆官禄宫化科入兄弟宫-"));  // 太阳 in 兄弟

    // The migration palace at 申 has 壬: 科 goes to 左辅, or with tg9 to 天府.
    MoveStars(chart, 10, {7});
    settings = {};
    builder.BuildReport(chart, settings);
    EXPECT_TRUE(SectionLines(builder.LastReport(), 7)[3].starts_with("☆迁移宫化科入命宫-"));
    settings.tg9 = 1;
    builder.BuildReport(chart, settings);
    EXPECT_TRUE(SectionLines(builder.LastReport(), 7)[3].starts_with("☆迁移宫化科入福德宫-"));
    CheckSections(chart, settings, builder.LastReport());

    // A 庚 wealth palace: 科 and 忌 follow tg7 (天同/太阴, 太阴/天同, 天府/天同).
    SetStem(chart, 4, 7);
    for (uint8_t tg7 : {0, 1, 2}) {
        settings.tg7 = tg7;
        builder.BuildReport(chart, settings);
        CheckSections(chart, settings, builder.LastReport());
    }
}

TEST(Report, RealChartsUnderEverySetting)
{
    TempHome home;
    MZiWeiEx engine(home.path());
    struct Birth {
        int16_t year, month, day, hour, minute;
        bool male;
    };
    const Birth births[] = {{1984, 2, 5, 12, 30, true}, {1990, 7, 15, 3, 10, false}, {2000, 1, 7, 23, 30, true},
                            {1950, 11, 20, 18, 0, false}, {1966, 5, 1, 7, 45, true},  {2023, 3, 22, 9, 5, false}};
    int reports = 0;
    for (const Birth& b : births)
        for (uint8_t variant = 0; variant < 3; ++variant) {
            ChartSettings settings;
            settings.tg5 = variant % 2;
            settings.tg7 = variant;
            settings.tg9 = variant / 2;
            settings.showfu = variant == 1 ? 0 : 1;
            engine.FixSettings(settings);
            ChartInput in;
            in.birth = {b.year, b.month, b.day, b.hour, b.minute};
            in.isMale = b.male;
            ASSERT_TRUE(engine.CastNatal(in)) << engine.lastError();
            ChartData chart;
            ChartSettings copied;
            engine.CopyChart(chart, copied);

            MDecZiWei builder;
            builder.BuildReport(chart, copied);
            for (int p = 0; p < kPalaceCount; ++p) {
                const FourStars transformed = FourTransforms(StemOf(chart.palaces[p].stemBranch), copied);
                const std::array<int, 4> targets = builder.FlyingTargets(p);
                for (int k = 0; k < 4; ++k)
                    EXPECT_TRUE(chart.palaces[targets[k]].stars.Contains(static_cast<uint8_t>(transformed[k])))
                        << b.year << " palace " << p << " kind " << k + 1;
            }
            CheckSections(chart, copied, builder.LastReport());
            ++reports;
        }
    EXPECT_EQ(reports, 18);
}

namespace {

class RecordingTarget final : public ReportTarget {
public:
    void ShowReport(const std::string& t, const std::vector<std::string>& h, int indent) override
    {
        text = t;
        headings = h;
        indentPoints = indent;
        ++shows;
    }
    void Clear() override { ++clears; }

    std::string text;
    std::vector<std::string> headings;
    int indentPoints = -1;
    int shows = 0;
    int clears = 0;
};

}  // namespace

TEST(Report, TheTargetReceivesTextHeadingsAndIndent)
{
    RecordingTarget target;
    ChartData chart = HandChart();
    ChartSettings settings;
    settings.ileft = 24;
    {
        MDecZiWei builder;
        builder.SetTarget(&target);
        builder.BuildReport(chart, settings);
        EXPECT_EQ(target.shows, 1);
        EXPECT_EQ(target.text, builder.LastReport());
        EXPECT_EQ(target.headings, MDecZiWei::Headings());
        EXPECT_EQ(target.indentPoints, 24);

        // Every report starts afresh and replaces the last one.
        const std::string first = target.text;
        settings.ileft = 0;
        MoveStars(chart, 4, {6});
        builder.BuildReport(chart, settings);
        EXPECT_EQ(target.shows, 2);
        EXPECT_EQ(target.indentPoints, 0);
        EXPECT_EQ(target.text, builder.LastReport());
        EXPECT_EQ(Lines(target.text).size(), Lines(first).size());
        EXPECT_NE(target.text, first);

        // The builder keeps its own copy of the chart.
        chart = ChartData{};
        EXPECT_EQ(builder.FlyingTargets(4)[0], 4);
        EXPECT_EQ(target.clears, 0);
    }
    EXPECT_EQ(target.clears, 1) << "the builder clears its pane when it goes";
}
