// The highlighted palace and zooming, on the 甲子 chart of 张三 (1984-02-05 12:30, male): the
// Life palace is 壬申, and the palace at 寅 is 丙寅. Flying transformations worked out by hand:
//   壬 (梁紫辅武): 天梁 at 未, 紫微 at 寅, 左辅 at 辰 (third star), 武曲 at 戌;
//   丙 (同机昌廉): 天同 at 酉, 天机 at 丑, 文昌 at 辰 (fourth star), 廉贞 at 午.
#include "ZiweiexDrawingFixture.h"

#include "ZiweiexNames.h"

using namespace chart_colour;

namespace {

const char* const kNames[] = {"命宫", "兄弟", "夫妻", "子女", "财帛", "疾厄", "迁移", "仆役", "官禄", "田宅", "福德", "父母"};
const char* const kLabels[] = {"命", "兄", "偶", "子", "财", "疾", "迁", "仆", "官", "田", "福", "父"};

struct Flying {
    int branch;
    int slot;
    const char* character;
};

}  // namespace

class ZiweiexDrawingHighlight : public DrawnChart {
protected:
    // The amber role names, counted counter-clockwise from the reference palace.
    void ExpectRolesFrom(int reference)
    {
        for (int r = 0; r < 12; ++r) {
            const int b = (reference - r + 12) % 12;
            EXPECT_EQ(Down(Cell(b).x + 2 * w + 2, LabelLine(b), kAmber), kNames[r]) << b;
        }
    }
    void ExpectFlying(const std::vector<Flying>& marks)
    {
        for (const Flying& m : marks) {
            const int x = Cell(m.branch).x + 2 + m.slot * w, y = Cell(m.branch).y + 4 * h;
            EXPECT_TRUE(SquareAt(x, y, kAmber)) << m.branch;
            EXPECT_EQ(TextAt(x, y, kWhite), m.character) << m.branch;
        }
        EXPECT_EQ(Fills(kAmber).size(), marks.size());
        // The second mark lists hold them, for the readings of line 4.
        size_t entries = 0;
        for (const PalaceRecord& palace : engine.chart().palaces) {
            const MarkList& flying = palace.marks[kDecadeMarks];
            for (int m = 0; m < flying.count; ++m, ++entries) {
                const CanvasPoint c = Cell(BranchOf(palace.stemBranch));
                EXPECT_TRUE(SquareAt(c.x + 2 + flying.entries[m].slot * w, c.y + 4 * h, kAmber));
            }
            EXPECT_EQ(palace.marks[kAnnualMarks].count, 0);
        }
        EXPECT_EQ(entries, marks.size());
    }
    // The first red line: from the reference palace to its opposite.
    std::pair<CanvasPoint, CanvasPoint> OppositeLink() const
    {
        for (const auto& s : canvas.shapes)
            if (s.kind == RecordingCanvas::Shape::Line && s.colour == kRed) return {s.points[0], s.points[1]};
        return {};
    }
    int FontOf(const std::string& text) const
    {
        for (const auto& t : canvas.texts)
            if (t.text == text) return t.fontSize;
        return 0;
    }
};

TEST_F(ZiweiexDrawingHighlight, LifePalaceRolesMatchTheNatalLabels)
{
    CastZhang();
    engine.HighlightPalace(kShen);
    EXPECT_EQ(engine.highlightedPalace(), kShen);
    ExpectRolesFrom(kShen);
    // The same palaces carry the same names in green (命身 in red at the Life palace).
    for (int r = 1; r < 12; ++r) {
        const int b = (kShen - r + 12) % 12;
        EXPECT_EQ(TextAt(LabelX(b), LabelLine(b), kGreen), kNames[r]);
    }
    ExpectFlying({{kWei, 0, "禄"}, {kYin, 0, "权"}, {kChen, 2, "科"}, {kXu, 0, "忌"}});
    // The natal marks stay.
    EXPECT_EQ(Fills(kGreen).size(), 4u);
    const auto [from, to] = OppositeLink();
    EXPECT_EQ(from.x, 444);  // 申: the centre box's top-right corner
    EXPECT_EQ(from.y, 108);
    EXPECT_EQ(to.x, 148);  // 寅: its bottom-left corner
    EXPECT_EQ(to.y, 324);
}

TEST_F(ZiweiexDrawingHighlight, AnotherPalaceFliesItsOwnStem)
{
    CastZhang();
    engine.HighlightPalace(kYin);
    ExpectRolesFrom(kYin);
    ExpectFlying({{kYou, 0, "禄"}, {kChou, 0, "权"}, {kChen, 3, "科"}, {kWu, 0, "忌"}});
    const auto [from, to] = OppositeLink();
    EXPECT_EQ(from.x, 148);
    EXPECT_EQ(from.y, 324);
    EXPECT_EQ(to.x, 444);
    EXPECT_EQ(to.y, 108);

    // The 壬 variant 梁紫府武 puts 科 on 天府, beside 紫微 at 寅.
    Settings("tg9=1\n");
    CastZhang();
    engine.HighlightPalace(kShen);
    ExpectFlying({{kWei, 0, "禄"}, {kYin, 0, "权"}, {kYin, 1, "科"}, {kXu, 0, "忌"}});
}

TEST_F(ZiweiexDrawingHighlight, AnnualChartTakesOneCharacterLabels)
{
    CastZhang();
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    engine.HighlightPalace(kChen);
    for (int r = 0; r < 12; ++r) {
        const int b = (kChen - r + 12) % 12;
        const CanvasPoint c = Cell(b);
        EXPECT_EQ(TextAt(c.x + 4 * w + 8, c.y + 5 * h + 1, kAmber), kLabels[r]) << b;
        EXPECT_EQ(Down(c.x + 2 * w + 2, LabelLine(b), kAmber), "") << b;
    }
    // No flying marks; the decade and annual marks stay as they were.
    EXPECT_TRUE(Fills(kAmber).empty());
    EXPECT_EQ(Fills(kMaroon).size(), 4u);
    EXPECT_EQ(Fills(kBlue).size(), 4u);
    EXPECT_EQ(Down(Cell(kChen).x + 2 * w + 2, LabelLine(kChen), kBlue), "命宫");
}

TEST_F(ZiweiexDrawingHighlight, ClicksHighlightAndCastsClearIt)
{
    CastZhang();
    // The label line of 寅, right of its five stars: no star and no mark there.
    std::string text;
    EXPECT_EQ(engine.ClickReading(LabelX(kYin), LabelLine(kYin) + 1, text), ClickResult::Highlighted);
    EXPECT_EQ(engine.highlightedPalace(), kYin);
    EXPECT_EQ(Down(Cell(kYin).x + 2 * w + 2, LabelLine(kYin), kAmber), "命宫");
    // The centre box leaves it as it is.
    EXPECT_EQ(engine.ClickReading(296, 216, text), ClickResult::CentreBox);
    EXPECT_EQ(engine.highlightedPalace(), kYin);

    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    EXPECT_EQ(engine.highlightedPalace(), -1);
    EXPECT_TRUE(InColour(kAmber).empty());
    engine.HighlightPalace(kXu);
    CastZhang();
    EXPECT_EQ(engine.highlightedPalace(), -1);
    EXPECT_TRUE(InColour(kAmber).empty());
    EXPECT_TRUE(Fills(kAmber).empty());
}

TEST_F(ZiweiexDrawingHighlight, ZoomKeepsTheHighlight)
{
    CastZhang();
    engine.HighlightPalace(kYin);
    const int resizes = canvas.resizes;
    engine.Zoom(+1);
    EXPECT_EQ(canvas.resizes, resizes + 1);
    EXPECT_EQ(g().fontSize, 10);
    EXPECT_EQ(engine.highlightedPalace(), kYin);
    ExpectRolesFrom(kYin);
    ExpectFlying({{kYou, 0, "禄"}, {kChou, 0, "权"}, {kChen, 3, "科"}, {kWu, 0, "忌"}});
    EXPECT_EQ(FontOf("★Qiravel★"), 13);
    EXPECT_EQ(FontOf("命身"), 10);

    // In an annual chart too.
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    engine.HighlightPalace(kChen);
    engine.Zoom(-1);
    EXPECT_EQ(g().fontSize, 9);
    EXPECT_EQ(TextAt(Cell(kChen).x + 4 * w + 8, Cell(kChen).y + 5 * h + 1, kAmber), "命");
    EXPECT_EQ(Down(Cell(kChen).x + 2 * w + 2, LabelLine(kChen), kBlue), "命宫");
}

TEST_F(ZiweiexDrawingHighlight, ZoomRedrawsTheChartOfTheState)
{
    CastZhang();
    engine.Zoom(+1);
    EXPECT_TRUE(InColour(kAmber).empty());
    EXPECT_EQ(TextAt(LabelX(kShen), LabelLine(kShen), kRed), "命身");
    EXPECT_EQ(OppositeLink().first.x, 444);  // from the Life palace 申
    EXPECT_EQ(Fills(kGreen).size(), 4u);

    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    engine.Zoom(+1);
    EXPECT_EQ(g().fontSize, 11);
    EXPECT_EQ(Down(Cell(kChen).x + 2 * w + 2, LabelLine(kChen), kBlue), "命宫");
    EXPECT_EQ(Fills(kBlue).size(), 4u);
    // From the annual year's branch 辰: the middle of the 辰 cell's right side.
    EXPECT_EQ(OppositeLink().first.x, 148);
    EXPECT_EQ(OppositeLink().first.y, 162);
}

TEST_F(ZiweiexDrawingHighlight, ZoomWithoutAChartChangesNothing)
{
    engine.Zoom(+1);
    engine.Zoom(-1);
    EXPECT_EQ(canvas.resizes, 1);
    EXPECT_EQ(g().fontSize, 9);
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_TRUE(canvas.shapes.empty());

    // Nor after a failed cast.
    EXPECT_FALSE(engine.CastNatal(Birth(2023, 2, 29, 12, 0, true)));
    engine.Zoom(+1);
    EXPECT_EQ(canvas.resizes, 1);
    EXPECT_EQ(g().fontSize, 9);
}

TEST_F(ZiweiexDrawingHighlight, ZoomStaysBetweenSevenAndTwenty)
{
    // A start-up size of 25 is used as it is; the first step either way brings it to 20.
    for (int step : {+1, -1}) {
        engine.AttachImage(canvas, 25);
        EXPECT_EQ(g().fontSize, 25);
        engine.Zoom(step);
        EXPECT_EQ(g().fontSize, 25);  // no chart yet
        CastZhang();
        engine.Zoom(step);
        EXPECT_EQ(g().fontSize, 20);
    }
    engine.Zoom(+1);
    EXPECT_EQ(g().fontSize, 20);
    engine.AttachImage(canvas, 7);
    CastZhang();
    const int resizes = canvas.resizes;
    engine.Zoom(-1);
    EXPECT_EQ(g().fontSize, 7);
    EXPECT_EQ(canvas.resizes, resizes + 1);  // still a full redraw
    EXPECT_EQ(TextAt(LabelX(kShen), LabelLine(kShen), kRed), "命身");
}
