// The palace cells of real natal charts: labels, decades, stems and branches, 长生 stages, stars
// with their colours and grades, the natal transformation marks and the small-star cycles.
// Expected values are worked out by hand from the casting rules for two births:
//   张三, 1984-02-05 12:30, male: 甲子 year, chart month 1, 午 hour, lunar day 4;
//   李四, 1990-06-15 08:00, female: 庚午 year, chart month 5, 辰 hour, lunar day 23.
#include "ZiweiexDrawingFixture.h"

#include "ZiweiexNames.h"

#include <algorithm>

using namespace chart_colour;

namespace {

struct CellText {
    int branch;
    const char* label;
    Rgb colour;
    const char* decade;
};

}  // namespace

class ZiweiexDrawingCells : public DrawnChart {
protected:
    // The label and the decade centred across the cell on its two bottom lines.
    void ExpectLabelAndDecade(const CellText& c)
    {
        const int left = Cell(c.branch).x, y1 = LabelLine(c.branch);
        EXPECT_EQ(TextAt(LabelX(c.branch), y1, c.colour), c.label) << c.branch;
        const int decadeX = left + (g().cellWidth - canvas.TextWidth(c.decade)) / 2;
        EXPECT_EQ(TextAt(decadeX, y1 + h, kBlack), c.decade) << c.branch;
    }
    // Column j of a cell: the star's name on lines 0 and 1, its grade on line 2.
    std::string StarName(int branch, int j, Rgb colour) const
    {
        const CanvasPoint c = Cell(branch);
        return Down(c.x + 2 + j * w, c.y + 2, colour);
    }
    std::string Grade(int branch, int j) const
    {
        const CanvasPoint c = Cell(branch);
        return TextAt(c.x + 2 + j * w, c.y + 2 + 2 * h, kBlue);
    }
};

TEST_F(ZiweiexDrawingCells, LabelsAndDecadesOfAForwardChart)
{
    CastZhang();
    // A yang male: decades run clockwise from the Life palace at 4 (金四局). Life and Body
    // palace coincide at 申, so its label is 命身; decades from 100 on read "%d岁".
    const CellText cells[] = {
        {kShen, "命身", kRed, "4-13"},      {kWei, "兄弟", kGreen, "114岁"},  {kWu, "夫妻", kGreen, "104岁"},
        {kSi, "子女", kGreen, "94-103"},    {kChen, "财帛", kGreen, "84-93"}, {kMao, "疾厄", kGreen, "74-83"},
        {kYin, "迁移", kGreen, "64-73"},    {kChou, "仆役", kGreen, "54-63"}, {kZi, "官禄", kGreen, "44-53"},
        {kHai, "田宅", kGreen, "34-43"},    {kXu, "福德", kGreen, "24-33"},   {kYou, "父母", kGreen, "14-23"}};
    for (const CellText& c : cells) ExpectLabelAndDecade(c);
    // Star names are drawn one character at a time, so the only red two-character text is 命身.
    const auto red = InColour(kRed);
    EXPECT_EQ(std::count_if(red.begin(), red.end(), [](const auto& t) { return t.text.size() == 6; }), 1);
}

TEST_F(ZiweiexDrawingCells, LabelsAndDecadesOfABackwardChartWithItsBodyPalace)
{
    CastLi();
    // A yang female: decades run counter-clockwise from 5 (土五局); the Body palace at 戌 is
    // the 财帛 palace and reads 财身 in red, the Life palace keeps 命宫 in red.
    const CellText cells[] = {
        {kYin, "命宫", kRed, "5-14"},       {kChou, "兄弟", kGreen, "15-24"}, {kXu, "财身", kRed, "45-54"},
        {kSi, "田宅", kGreen, "95-104"},    {kChen, "福德", kGreen, "105岁"}, {kMao, "父母", kGreen, "115岁"}};
    for (const CellText& c : cells) ExpectLabelAndDecade(c);
}

TEST_F(ZiweiexDrawingCells, StemBranchAndChangShengStageBesideIt)
{
    CastZhang();
    // Palace stems of a 甲 year: 丙 at 寅, onwards clockwise; 子 and 丑 repeat 丙 and 丁.
    // 长生 of 金四局 starts at 巳 and runs clockwise for a forward person.
    const struct { int branch; const char* pair; const char* stage; } cells[] = {
        {kSi, "己巳", "长生"}, {kWu, "庚午", "沐浴"}, {kWei, "辛未", "冠带"}, {kShen, "壬申", "临官"},
        {kYou, "癸酉", "帝旺"}, {kXu, "甲戌", "衰"},   {kHai, "乙亥", "病"},   {kZi, "丙子", "死"},
        {kChou, "丁丑", "墓"},  {kYin, "丙寅", "绝"},  {kMao, "丁卯", "胎"},  {kChen, "戊辰", "养"}};
    for (const auto& c : cells) {
        const int left = Cell(c.branch).x, y1 = LabelLine(c.branch);
        EXPECT_EQ(Down(left + 2, y1, kBlack), c.pair) << c.branch;
        const std::string stage = c.stage;
        if (stage.size() == 3) {
            // One character: horizontally, half a line down, so it sits between the two lines.
            EXPECT_EQ(TextAt(left + 2 + w, y1 + h / 2, kBlack), stage) << c.branch;
            EXPECT_TRUE(At(left + 2 + w, y1, kBlack).empty()) << c.branch;
        } else {
            EXPECT_EQ(Down(left + 2 + w, y1, kBlack), stage) << c.branch;
        }
    }
}

TEST_F(ZiweiexDrawingCells, StarsWithTheirColoursAndGrades)
{
    CastZhang();
    // 申: 七杀 (13), 火星 (18), 天马 (26) are red with grades; the minor stars from 35 on are
    // purple without.
    const char* shen[] = {"七杀", "火星", "天马", "封诰", "解神", "蜚廉", "天才", "天寿", "截空"};
    for (int j = 0; j < 9; ++j) EXPECT_EQ(StarName(kShen, j, j < 3 ? kRed : kPurple), shen[j]) << j;
    EXPECT_EQ(Grade(kShen, 0), "庙");
    EXPECT_EQ(Grade(kShen, 1), "陷");
    EXPECT_EQ(Grade(kShen, 2), "旺");
    for (int j = 3; j < 9; ++j) EXPECT_EQ(Grade(kShen, j), "") << j;
    EXPECT_EQ(StarName(kShen, 9, kRed) + StarName(kShen, 9, kPurple), "");

    // 巳: 地劫 (27) and 地空 (28) are purple and still graded; 天巫 (37) has no grade.
    const char* si[] = {"巨门", "地劫", "地空", "天巫", "破碎", "天厨"};
    for (int j = 0; j < 6; ++j) EXPECT_EQ(StarName(kSi, j, j == 0 ? kRed : kPurple), si[j]) << j;
    EXPECT_EQ(Grade(kSi, 0), "平");
    EXPECT_EQ(Grade(kSi, 1), "庙");
    EXPECT_EQ(Grade(kSi, 2), "闲");
    EXPECT_EQ(Grade(kSi, 3), "");

    // 午: 天虚 (32) is the last graded star; 酉: 天喜 (33) the first without.
    EXPECT_EQ(StarName(kWu, 3, kPurple), "天虚");
    EXPECT_EQ(Grade(kWu, 3), "平");
    EXPECT_EQ(StarName(kYou, 1, kPurple), "天喜");
    EXPECT_EQ(Grade(kYou, 1), "");
}

TEST_F(ZiweiexDrawingCells, EveryStarOfTheChartStandsInItsColumn)
{
    CastLi();
    const ChartData& chart = engine.chart();
    int drawnStars = 0;
    for (const PalaceRecord& palace : chart.palaces) {
        const int b = BranchOf(palace.stemBranch);
        for (int j = 0; j < palace.stars.count; ++j) {
            const int star = palace.stars.stars[j];
            EXPECT_EQ(StarName(b, j, star <= 26 ? kRed : kPurple), kStarNames[star]) << b << " slot " << j;
            if (star >= 33) {
                EXPECT_EQ(Grade(b, j), "") << kStarNames[star];
            }
            ++drawnStars;
        }
    }
    // Two characters per star; besides them only the labels 命宫 and 财身 are red or purple.
    EXPECT_EQ(static_cast<int>(InColour(kPurple).size() + InColour(kRed).size()), 2 * drawnStars + 2);
}

TEST_F(ZiweiexDrawingCells, SecondGradeTableReadsDeInsteadOfXian)
{
    CastZhang();
    // 辰 with the first table: 贪狼 庙, 铃星 旺, 左辅 庙, 文昌 旺; 龙池 ungraded.
    const char* first[] = {"庙", "旺", "庙", "旺", ""};
    for (int j = 0; j < 5; ++j) EXPECT_EQ(Grade(kChen, j), first[j]) << j;
    auto count = [&](const char* grade) {
        return std::count_if(canvas.texts.begin(), canvas.texts.end(),
                             [&](const RecordingCanvas::Text& t) { return t.colour == kBlue && t.text == grade; });
    };
    EXPECT_GT(count("闲"), 0);
    EXPECT_EQ(count("得"), 0);

    Settings("miaoxian=1\n");
    CastZhang();
    // The second table: 贪狼 庙, 铃星 陷, no grade for 左辅, 文昌 得; in 巳 巨门 旺, 地劫 得, 地空 庙.
    const char* second[] = {"庙", "陷", "", "得", ""};
    for (int j = 0; j < 5; ++j) EXPECT_EQ(Grade(kChen, j), second[j]) << j;
    EXPECT_EQ(Grade(kSi, 0), "旺");
    EXPECT_EQ(Grade(kSi, 1), "得");
    EXPECT_EQ(Grade(kSi, 2), "庙");
    EXPECT_EQ(count("闲"), 0);
    EXPECT_GT(count("得"), 0);
}

TEST_F(ZiweiexDrawingCells, WithoutMinorStarsNothingIsPurple)
{
    Settings("showfu=0\n");
    CastZhang();
    EXPECT_TRUE(InColour(kPurple).empty());
    EXPECT_EQ(StarName(kShen, 0, kRed), "七杀");
    EXPECT_EQ(StarName(kShen, 2, kRed), "天马");
    EXPECT_EQ(StarName(kShen, 3, kRed), "");
}

TEST_F(ZiweiexDrawingCells, APalaceWithoutStarsShowsOnlyItsLabelLines)
{
    // 1970-01-08 10:00, male, without the minor stars: the palace at 辰 holds no star.
    Settings("showfu=0\n");
    ASSERT_TRUE(engine.CastNatal(Birth(1970, 1, 8, 10, 0, true)));
    const PalaceRecord& palace = engine.chart().palaces[(LifeBranch(engine.chart()) - kChen + 12) % 12];
    ASSERT_EQ(palace.stars.count, 0);
    for (const auto& t : InCell(kChen)) EXPECT_GE(t.y, LabelLine(kChen)) << t.text;
    // Label, decade, the two characters of the stem-branch, the stage, three cycle names.
    EXPECT_GE(InCell(kChen).size(), 11u);
    EXPECT_LE(InCell(kChen).size(), 12u);
}

TEST_F(ZiweiexDrawingCells, NatalMarksAreGreenSquaresWithAWhiteCharacter)
{
    CastZhang();
    // 甲 year: 廉贞 禄 (午), 破军 权 (子), 武曲 科 (戌), 太阳 忌 (亥), each the first star of its
    // palace: a square on line 3 of column 0.
    const struct { int branch; int kind; const char* character; } marks[] = {
        {kWu, 1, "禄"}, {kZi, 2, "权"}, {kXu, 3, "科"}, {kHai, 4, "忌"}};
    ASSERT_EQ(Fills(kGreen).size(), 4u);
    for (const auto& m : marks) {
        const CanvasPoint c = Cell(m.branch);
        EXPECT_TRUE(SquareAt(c.x + 2, c.y + 2 + 3 * h, kGreen)) << m.branch;
        EXPECT_EQ(TextAt(c.x + 2, c.y + 2 + 3 * h, kWhite), m.character) << m.branch;
        const MarkList& natal = engine.chart().palaces[PalaceAt(engine.chart(), m.branch)].marks[kNatalMarks];
        ASSERT_EQ(natal.count, 1) << m.branch;
        EXPECT_EQ(natal.entries[0].slot, 0);
        EXPECT_EQ(natal.entries[0].kind, m.kind);
    }
    EXPECT_EQ(InColour(kWhite).size(), 4u);
}

TEST_F(ZiweiexDrawingCells, MarksFollowTheGengVariantAndTheMarkLists)
{
    // 庚 year. tg7 0 (阳武同阴): 太阳 禄 at 巳, 武曲 权 at 辰, 天同 科 at 卯, 太阴 忌 at 酉.
    // tg7 2 (阳武府同), and any unexpected value like 5: 天府 科 (申, second star), 天同 忌.
    const struct { const char* settings; int branch; int slot; const char* character; } cases[] = {
        {"tg7=0\n", kSi, 0, "禄"},   {"tg7=0\n", kChen, 0, "权"}, {"tg7=0\n", kMao, 0, "科"},
        {"tg7=0\n", kYou, 0, "忌"},  {"tg7=2\n", kShen, 1, "科"}, {"tg7=2\n", kMao, 0, "忌"},
        {"tg7=5\n", kShen, 1, "科"}, {"tg7=1\n", kYou, 0, "科"},  {"tg7=1\n", kMao, 0, "忌"}};
    for (const auto& c : cases) {
        Settings(c.settings);
        CastLi();
        const CanvasPoint cell = Cell(c.branch);
        const int x = cell.x + 2 + c.slot * w, y = cell.y + 2 + 3 * h;
        EXPECT_TRUE(SquareAt(x, y, kGreen)) << c.settings << c.branch;
        EXPECT_EQ(TextAt(x, y, kWhite), c.character) << c.settings << c.branch;

        // What is drawn is exactly what the natal mark lists hold.
        size_t entries = 0;
        for (const PalaceRecord& palace : engine.chart().palaces) {
            const CanvasPoint p = Cell(BranchOf(palace.stemBranch));
            const MarkList& natal = palace.marks[kNatalMarks];
            for (int m = 0; m < natal.count; ++m, ++entries) {
                const int mx = p.x + 2 + natal.entries[m].slot * w, my = p.y + 2 + 3 * h;
                EXPECT_TRUE(SquareAt(mx, my, kGreen));
                EXPECT_EQ(TextAt(mx, my, kWhite), kTransformLabels[natal.entries[m].kind]);
            }
        }
        EXPECT_EQ(entries, 4u) << c.settings;
        EXPECT_EQ(Fills(kGreen).size(), 4u) << c.settings;
    }
}

TEST_F(ZiweiexDrawingCells, SmallStarCyclesOnlyWhenShowxiaoIsOne)
{
    // 申 in the 甲子 chart: 博士 from 禄存 at 寅 forward gives 飞廉; 将星 from 子 gives 指背;
    // 岁建 from 子 gives 白虎. They stand at the right end of the label line, right to left.
    const int right = Cell(kShen).x + g().cellWidth - w - 2;
    CastZhang();
    EXPECT_EQ(Down(right, LabelLine(kShen), kBlack), "飞廉");
    EXPECT_EQ(Down(right - w, LabelLine(kShen), kBlack), "指背");
    EXPECT_EQ(Down(right - 2 * w, LabelLine(kShen), kBlack), "白虎");
    for (const char* off : {"showxiao=0\n", "showxiao=2\n"}) {
        Settings(off);
        CastZhang();
        for (int k = 0; k < 3; ++k) EXPECT_EQ(Down(right - k * w, LabelLine(kShen), kBlack), "") << off;
    }
}
