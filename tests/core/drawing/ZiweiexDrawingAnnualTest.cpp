// The annual chart over the 甲子 chart of 张三 (1984-02-05 12:30, male, Life palace 壬申, 金四局),
// mostly for 2024-03-01 12:00: lunar 正月廿一 of the 甲辰 year, age 41. Worked out by hand:
//   the annual Life palace stands at the year's branch 辰 and the annual names run
//   counter-clockwise from there;
//   age 41 falls in the decade 34-43 of 田宅 (乙亥), the decade's Life palace;
//   the annual Dou Jun is 戌, where 正月 stands, the months running clockwise;
//   the annual stem 甲 transforms 廉贞, 破军, 武曲, 太阳; the decade stem 乙 天机, 天梁, 紫微, 太阴;
//   the lunar month has 29 days.
#include "ZiweiexDrawingFixture.h"

#include "ZiweiexNames.h"

#include <tuple>

using namespace chart_colour;

class ZiweiexDrawingAnnual : public DrawnChart {
protected:
    void SetUp() override { CastZhang(); }
    void Annual(int year, int month, int day, uint8_t dailyHourly)
    {
        ASSERT_TRUE(engine.CastAnnual({static_cast<int16_t>(year), static_cast<int16_t>(month),
                                       static_cast<int16_t>(day), 12, 0},
                                      dailyHourly));
    }
    // Lines 4 and 5 of the cell (one pixel lower than a star's lines): days and hours, or the
    // decade and annual marks.
    int Line4(int branch) const { return Cell(branch).y + 4 * h + 1; }
    int Line5(int branch) const { return Cell(branch).y + 5 * h + 1; }
    // The overlay stars stand on the two lines above the label line, from the right.
    std::string Overlay(int branch, int k, Rgb colour) const
    {
        const CanvasPoint c = Cell(branch);
        return Down(c.x + g().cellWidth - w - 2 - k * w, c.y + g().cellHeight - 4 * h - 1, colour);
    }
};

TEST_F(ZiweiexDrawingAnnual, PalaceNamesOfTheYearAndTheDecadeAndTheMonths)
{
    Annual(2024, 3, 1, 0);
    const struct { int branch; const char* annual; const char* decade; const char* month; } cells[] = {
        {kHai, "疾厄", "命宫", "二月"},  {kZi, "财帛", "父母", "三月"},   {kChou, "子女", "福德", "四月"},
        {kYin, "夫妻", "田宅", "五月"},  {kMao, "兄弟", "官禄", "六月"},  {kChen, "命宫", "仆役", "七月"},
        {kSi, "父母", "迁移", "八月"},   {kWu, "福德", "疾厄", "九月"},   {kWei, "田宅", "财帛", "十月"},
        {kShen, "官禄", "子女", "十一"}, {kYou, "仆役", "夫妻", "十二"},  {kXu, "迁移", "兄弟", "正月"}};
    for (const auto& c : cells) {
        const int left = Cell(c.branch).x, y1 = LabelLine(c.branch);
        EXPECT_EQ(Down(left + 2 * w + 2, y1, kBlue), c.annual) << c.branch;
        EXPECT_EQ(Down(left + 3 * w + 2, y1, kMaroon), c.decade) << c.branch;
        EXPECT_EQ(Down(left + g().cellWidth - 4 * w - 2, y1, kRed), c.month) << c.branch;
    }
    // The natal chart stays underneath, its labels centred as before.
    EXPECT_EQ(TextAt(LabelX(kShen), LabelLine(kShen), kRed), "命身");
    // Without days and hours nothing is written at the start of lines 4 and 5 but marks.
    EXPECT_TRUE(At(Cell(kYin).x + 2, Line4(kYin), kRed).empty());
    // The 岁建 ring follows the annual year: at 申, four places on from 辰, 官符 (natal 白虎).
    EXPECT_EQ(Down(Cell(kShen).x + g().cellWidth - 3 * w - 2, LabelLine(kShen), kBlack), "官符");
}

TEST_F(ZiweiexDrawingAnnual, DecadeAndAnnualMarksUnderTheNatalOnes)
{
    Annual(2024, 3, 1, 0);
    // Every transformed star here is the first of its palace: column 0.
    const struct { int branch; const char* character; } decade[] = {
        {kChou, "禄"}, {kWei, "权"}, {kYin, "科"}, {kMao, "忌"}};
    const struct { int branch; const char* character; } annual[] = {
        {kWu, "禄"}, {kZi, "权"}, {kXu, "科"}, {kHai, "忌"}};
    for (const auto& m : decade) {
        EXPECT_TRUE(SquareAt(Cell(m.branch).x + 2, Line4(m.branch), kMaroon)) << m.branch;
        EXPECT_EQ(TextAt(Cell(m.branch).x + 2, Line4(m.branch), kWhite), m.character) << m.branch;
    }
    for (const auto& m : annual) {
        EXPECT_TRUE(SquareAt(Cell(m.branch).x + 2, Line5(m.branch), kBlue)) << m.branch;
        EXPECT_EQ(TextAt(Cell(m.branch).x + 2, Line5(m.branch), kWhite), m.character) << m.branch;
        // The natal marks of the same year stem stay on line 3.
        EXPECT_TRUE(SquareAt(Cell(m.branch).x + 2, Cell(m.branch).y + 2 + 3 * h, kGreen)) << m.branch;
    }
    EXPECT_EQ(Fills(kMaroon).size(), 4u);
    EXPECT_EQ(Fills(kBlue).size(), 4u);
    EXPECT_EQ(Fills(kGreen).size(), 4u);

    // The drawn squares are those of the mark lists the click readings use.
    for (const PalaceRecord& palace : engine.chart().palaces) {
        const int b = BranchOf(palace.stemBranch);
        for (const auto& [layer, y, colour] :
             {std::tuple{kDecadeMarks, Line4(b), kMaroon}, std::tuple{kAnnualMarks, Line5(b), kBlue}}) {
            const MarkList& marks = palace.marks[layer];
            for (int m = 0; m < marks.count; ++m) {
                const int x = Cell(b).x + 2 + marks.entries[m].slot * w;
                EXPECT_TRUE(SquareAt(x, y, colour)) << b;
                EXPECT_EQ(TextAt(x, y, kWhite), kTransformLabels[marks.entries[m].kind]) << b;
            }
        }
    }
}

TEST_F(ZiweiexDrawingAnnual, OverlayStarsFromTheRight)
{
    Annual(2024, 3, 1, 0);
    // Annual (甲辰): 魁 丑, 钺 未, 禄 寅, 羊 卯, 陀 丑, 昌 巳, 曲 酉, 鸾 亥, 喜 巳.
    // Decade (乙亥): 魁 子, 钺 申, 禄 卯, 羊 辰, 陀 寅, 昌 午, 曲 申.
    // In a cell the annual stars come first, in identifier order, then the decade ones.
    EXPECT_EQ(Overlay(kYin, 0, kBlue), "流禄");
    EXPECT_EQ(Overlay(kYin, 1, kMaroon), "运陀");
    EXPECT_EQ(Overlay(kChou, 0, kBlue), "流魁");
    EXPECT_EQ(Overlay(kChou, 1, kBlue), "流陀");
    EXPECT_EQ(Overlay(kShen, 0, kMaroon), "运钺");
    EXPECT_EQ(Overlay(kShen, 1, kMaroon), "运曲");
    EXPECT_EQ(Overlay(kSi, 0, kBlue), "流昌");
    EXPECT_EQ(Overlay(kSi, 1, kBlue), "流喜");
    EXPECT_EQ(Overlay(kMao, 0, kBlue), "流羊");
    EXPECT_EQ(Overlay(kMao, 1, kMaroon), "运禄");
    EXPECT_EQ(Overlay(kHai, 0, kBlue), "流鸾");
    EXPECT_EQ(Overlay(kHai, 1, kBlue) + Overlay(kHai, 1, kMaroon), "");
    int annualStars = 0, decadeStars = 0;
    for (const auto& t : canvas.texts) {
        annualStars += t.text == "流" && t.colour == kBlue;
        decadeStars += t.text == "运" && t.colour == kMaroon;
    }
    EXPECT_EQ(annualStars, 9);
    EXPECT_EQ(decadeStars, 7);
}

TEST_F(ZiweiexDrawingAnnual, DaysAndHoursReplaceTheMarks)
{
    // 正月 of 2024 has 29 days and stands at 戌: days 1, 13, 25 there, and four places on, at
    // 寅, 5, 17 and 29; the next place has no day 30. Day 21 puts the 子 hour at 午.
    Annual(2024, 3, 1, 1);
    const struct { int branch; const char* text; } days[] = {
        {kXu, "1、13、25日"}, {kYin, "5、17、29日"}, {kMao, "6、18日"}};
    for (const auto& d : days) EXPECT_EQ(TextAt(Cell(d.branch).x + 2, Line4(d.branch), kRed), d.text) << d.branch;
    const struct { int branch; const char* text; } hours[] = {
        {kWu, "子时"}, {kXu, "辰时"}, {kYin, "申时"}, {kMao, "酉时"}};
    for (const auto& t : hours) EXPECT_EQ(TextAt(Cell(t.branch).x + 2, Line5(t.branch), kRed), t.text) << t.branch;
    // No transformation marks of any layer, and no mark lists to click on.
    for (Rgb colour : {kGreen, kMaroon, kBlue}) EXPECT_TRUE(Fills(colour).empty()) << colour;
    EXPECT_TRUE(InColour(kWhite).empty());
    for (const PalaceRecord& palace : engine.chart().palaces)
        for (const MarkList& marks : palace.marks) EXPECT_EQ(marks.count, 0);
    // The months are still laid out.
    EXPECT_EQ(Down(Cell(kXu).x + g().cellWidth - 4 * w - 2, LabelLine(kXu), kRed), "正月");

    // 二月 (30 days, from 10 March) stands at 亥; 20 March is its eleventh day: 子 hour at 酉.
    Annual(2024, 3, 20, 1);
    EXPECT_EQ(TextAt(Cell(kHai).x + 2, Line4(kHai), kRed), "1、13、25日");
    EXPECT_EQ(TextAt(Cell(kChen).x + 2, Line4(kChen), kRed), "6、18、30日");
    EXPECT_EQ(TextAt(Cell(kYou).x + 2, Line5(kYou), kRed), "子时");

    // Back without days and hours, the marks return.
    Annual(2024, 3, 1, 0);
    EXPECT_EQ(Fills(kGreen).size(), 4u);
    EXPECT_TRUE(At(Cell(kYin).x + 2, Line4(kYin), kRed).empty());
}

TEST_F(ZiweiexDrawingAnnual, DecadeLayerBeforeTheFirstDecadeAndBeyondTheLast)
{
    // Age 3 (lunar 1986), below the bureau 4: the decade is that of 疾厄, at 卯.
    Annual(1986, 6, 1, 0);
    EXPECT_EQ(engine.chart().annualAge, 3);
    EXPECT_EQ(Down(Cell(kMao).x + 3 * w + 2, LabelLine(kMao), kMaroon), "命宫");
    // Age 4: the Life palace's own decade 4-13.
    Annual(1987, 6, 1, 0);
    EXPECT_EQ(Down(Cell(kShen).x + 3 * w + 2, LabelLine(kShen), kMaroon), "命宫");
    // Age 124 lies beyond the last decade (114-123): no decade names, stars or marks; only the
    // legend below the grid is maroon.
    Annual(2107, 6, 1, 0);
    EXPECT_EQ(engine.chart().annualAge, 124);
    for (const auto& t : InColour(kMaroon)) EXPECT_GT(t.y, g().gridHeight) << t.text;
    EXPECT_TRUE(Fills(kMaroon).empty());
    // The annual layer is there: a 丁卯 year, its Life palace at 卯.
    EXPECT_EQ(Down(Cell(kMao).x + 2 * w + 2, LabelLine(kMao), kBlue), "命宫");
}
