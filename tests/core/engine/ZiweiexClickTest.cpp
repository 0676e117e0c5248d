// Clicks on a drawn chart: the readings of stars and transformation marks, the centre box, and
// the palace a click elsewhere makes the reference. Click points are computed from the cell
// layout: a cell's text starts 2 pixels in from its corner, one column per character width and
// one line per character height; a star's name fills lines 0 and 1 of its column, its grade
// line 2, and the natal, decade (or flying) and annual marks lines 3, 4 and 5.
#include "DecziweiTexts.h"
#include "RecordingCanvas.h"
#include "TempHome.h"
#include "Ziweiex.h"
#include "ZiweiexPalaces.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

ChartInput Birth(int year, int month, int day, int hour, int minute, bool male = true)
{
    ChartInput in;
    in.birth = {static_cast<int16_t>(year), static_cast<int16_t>(month), static_cast<int16_t>(day),
                static_cast<int16_t>(hour), static_cast<int16_t>(minute)};
    in.isMale = male ? 1 : 0;
    return in;
}

// The reading a star should give: the star-nature strings for 1..28, the description blocks
// for the others.
std::string StarReading(int star)
{
    return star <= 28 ? NumberedString(700 + star) : ReadTextBlock("zdinfo", StarBlockKey(star));
}

std::string MarkReading(int kind, int star)
{
    return ReadTextBlock("shinfo", TransformBlockKey(kind, star));
}

class Clicks : public ::testing::Test {
protected:
    void SetUp() override { engine.AttachImage(canvas, 9); }

    // 1984-02-05 12:30 Beijing time, a man: lunar 甲子 year, first month, fourth day.
    void CastExample() { ASSERT_TRUE(engine.CastNatal(Birth(1984, 2, 5, 12, 30))) << engine.lastError(); }

    const ChartGeometry& Geometry() const { return *engine.geometry(); }

    // Top-left pixel of character column `column` on text line `line` of the cell of `branch`.
    CanvasPoint At(int branch, int column, int line) const
    {
        const ChartGeometry& g = Geometry();
        const CanvasPoint corner = CellCorner(g, branch);
        return {corner.x + 2 + column * g.charWidth, corner.y + 2 + line * g.charHeight};
    }

    ClickResult Click(int x, int y) { return engine.ClickReading(x, y, text); }
    ClickResult Click(int branch, int column, int line)
    {
        const CanvasPoint p = At(branch, column, line);
        return Click(p.x, p.y);
    }

    const PalaceRecord& PalaceOf(int branch) const { return engine.chart().palaces[PalaceAt(engine.chart(), branch)]; }

    // Whether a filled mark square of `colour` has its top-left corner at (x, y).
    bool MarkSquareAt(int x, int y, Rgb colour) const
    {
        for (const RecordingCanvas::Shape& s : canvas.shapes)
            if (s.kind == RecordingCanvas::Shape::Fill && s.colour == colour && s.points[0].x == x && s.points[0].y == y)
                return true;
        return false;
    }

    int MarkCount(MarkLayer layer) const
    {
        int n = 0;
        for (const PalaceRecord& p : engine.chart().palaces) n += p.marks[layer].count;
        return n;
    }

    TempHome home;
    RecordingCanvas canvas;
    MZiWeiEx engine{home.path()};
    std::string text;
};

}  // namespace

TEST_F(Clicks, BeforeAnyCastOnlyTheCentreBoxAnswers)
{
    const ChartGeometry& g = Geometry();
    for (int b = 0; b < 12; ++b) {
        EXPECT_EQ(Click(b, 0, 0), ClickResult::NoChart) << b;
        EXPECT_EQ(Click(b, 3, 5), ClickResult::NoChart) << b;
    }
    EXPECT_EQ(Click(g.halfWidth, g.halfHeight), ClickResult::CentreBox);
    EXPECT_EQ(Click(g.halfWidth - g.cellWidth, g.halfHeight - g.cellHeight), ClickResult::CentreBox);
    EXPECT_EQ(Click(g.halfWidth + g.cellWidth - 1, g.halfHeight + g.cellHeight - 1), ClickResult::CentreBox);
    EXPECT_EQ(Click(g.halfWidth + g.cellWidth, g.halfHeight), ClickResult::NoChart);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(engine.highlightedPalace(), -1);
    EXPECT_TRUE(canvas.texts.empty());

    // An engine without an image has nothing to click.
    MZiWeiEx bare(home.path());
    EXPECT_EQ(bare.ClickReading(g.halfWidth, g.halfHeight, text), ClickResult::NoChart);
}

TEST_F(Clicks, AFailedCastLeavesNoChartToClick)
{
    CastExample();
    EXPECT_FALSE(engine.CastNatal(Birth(1984, 2, 30, 12, 0)));
    EXPECT_EQ(Click(3, 0, 0), ClickResult::NoChart);
    const ChartGeometry& g = Geometry();
    EXPECT_EQ(Click(g.halfWidth, g.halfHeight), ClickResult::CentreBox);
}

TEST_F(Clicks, StarNamesReadTheirDescriptions)
{
    CastExample();
    const size_t drawn = canvas.texts.size();
    std::set<int> seen;
    for (int b = 0; b < 12; ++b) {
        const StarList& stars = PalaceOf(b).stars;
        for (int slot = 0; slot < stars.count; ++slot) {
            const int s = stars.stars[slot];
            seen.insert(s);
            // 天姚 and the stars from 54 on have no description.
            const bool described = s != 30 && s < 54;
            const std::string expected = StarReading(s);
            ASSERT_EQ(!expected.empty(), described) << "star " << s;
            for (int line : {0, 1}) {
                const ClickResult result = Click(b, slot, line);
                EXPECT_EQ(result, described ? ClickResult::Reading : ClickResult::EmptyReading) << "star " << s;
                EXPECT_EQ(text, expected) << "star " << s << " line " << line;
            }
        }
    }
    for (int s : {1, 14, 15, 28, 29, 30, 31, 53, 54, 55, 56, 57, 58, 59, 60, 61})
        EXPECT_TRUE(seen.count(s)) << "star " << s << " is not in the example chart";
    EXPECT_EQ(engine.highlightedPalace(), -1);
    EXPECT_EQ(canvas.texts.size(), drawn) << "a reading must not redraw the chart";
}

TEST_F(Clicks, TheTwoPixelsBeforeTheTextOriginBelongToTheFirstStar)
{
    CastExample();
    for (int b = 0; b < 12; ++b) {
        const StarList& stars = PalaceOf(b).stars;
        if (stars.count == 0) continue;
        const CanvasPoint corner = CellCorner(Geometry(), b);
        Click(corner.x + 1, corner.y + 1);
        EXPECT_EQ(text, StarReading(stars.stars[0])) << b;
    }
}

TEST_F(Clicks, GradeLineHighlightsThePalace)
{
    CastExample();
    const ChartData& chart = engine.chart();
    const int b = PalaceBranch(chart, 4);  // the wealth palace
    ASSERT_GT(PalaceOf(b).stars.count, 0);
    EXPECT_EQ(Click(b, 0, 2), ClickResult::Highlighted);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(engine.highlightedPalace(), b);

    // Redrawn around it: the clicked cell is labelled 命宫 in amber and the links start there.
    const ChartGeometry& g = Geometry();
    const CanvasPoint corner = CellCorner(g, b);
    const int labelX = corner.x + 2 * g.charWidth + 2;
    const int labelY = corner.y + g.cellHeight - 2 * g.charHeight - 1;
    const auto label = canvas.TextsAt(labelX, labelY);
    ASSERT_FALSE(label.empty());
    EXPECT_EQ(label.back().text, "命");
    EXPECT_EQ(label.back().colour, chart_colour::kAmber);
    const CanvasPoint from = LinkAnchor(g, b), to = LinkAnchor(g, b + 6);
    bool linked = false;
    for (const RecordingCanvas::Shape& s : canvas.shapes)
        linked |= s.kind == RecordingCanvas::Shape::Line && s.colour == chart_colour::kRed && s.points[0].x == from.x &&
                  s.points[0].y == from.y && s.points[1].x == to.x && s.points[1].y == to.y;
    EXPECT_TRUE(linked);

    // Past the last star, lines 0 and 1 are empty cell space too.
    const int other = PalaceBranch(chart, 7);
    EXPECT_EQ(Click(other, PalaceOf(other).stars.count, 0), ClickResult::Highlighted);
    EXPECT_EQ(engine.highlightedPalace(), other);
}

TEST_F(Clicks, NatalMarksReadTheirTransformation)
{
    CastExample();
    const size_t drawn = canvas.texts.size();
    int marks = 0;
    for (int b = 0; b < 12; ++b) {
        const PalaceRecord& palace = PalaceOf(b);
        const MarkList& natal = palace.marks[kNatalMarks];
        for (int m = 0; m < natal.count; ++m) {
            const int slot = natal.entries[m].slot, kind = natal.entries[m].kind;
            const int star = palace.stars.stars[slot];
            const CanvasPoint p = At(b, slot, 3);
            EXPECT_TRUE(MarkSquareAt(p.x, p.y, chart_colour::kGreen)) << "the click point is not on the drawn mark";
            EXPECT_EQ(Click(b, slot, 3), ClickResult::Reading);
            EXPECT_EQ(text, MarkReading(kind, star));
            EXPECT_FALSE(text.empty()) << kind << "-" << star;
            ++marks;
        }
    }
    // 甲: 廉贞化禄, 破军化权, 武曲化科, 太阳化忌.
    EXPECT_EQ(marks, 4);
    EXPECT_EQ(engine.highlightedPalace(), -1);
    EXPECT_EQ(canvas.texts.size(), drawn);

    // Line 3 under a star without a mark, in a palace with a mark, is empty cell space.
    for (int b = 0; b < 12; ++b) {
        const PalaceRecord& palace = PalaceOf(b);
        const MarkList& natal = palace.marks[kNatalMarks];
        if (natal.count == 0) continue;
        const int unmarked = natal.entries[0].slot == 0 ? 1 : 0;
        ASSERT_EQ(natal.count, 1) << "the example chart has one natal mark per palace";
        EXPECT_EQ(Click(b, unmarked, 3), ClickResult::Highlighted);
        EXPECT_EQ(engine.highlightedPalace(), b);
    }
}

TEST_F(Clicks, AnAnnualMarkReadsLikeTheNatalMarkOfTheSameKindAndStar)
{
    CastExample();
    // 1994 is a 甲戌 year: the annual stem is the natal year's, so the annual marks of line 5
    // fall on the same stars as the natal marks of line 3.
    ASSERT_TRUE(engine.CastAnnual({1994, 6, 1, 12, 0}, 0)) << engine.lastError();
    ASSERT_EQ(engine.chart().annualAge, 11);
    ASSERT_EQ(MarkCount(kAnnualMarks), 4);
    const ChartGeometry& g = Geometry();
    int compared = 0;
    for (int b = 0; b < 12; ++b) {
        const PalaceRecord& palace = PalaceOf(b);
        const MarkList& annual = palace.marks[kAnnualMarks];
        for (int m = 0; m < annual.count; ++m) {
            const int slot = annual.entries[m].slot;
            const CanvasPoint corner = CellCorner(g, b);
            EXPECT_TRUE(MarkSquareAt(corner.x + 2 + slot * g.charWidth, corner.y + 5 * g.charHeight + 1,
                                     chart_colour::kBlue));
            ASSERT_EQ(Click(b, slot, 5), ClickResult::Reading);
            const std::string annualText = text;
            ASSERT_EQ(Click(b, slot, 3), ClickResult::Reading);
            EXPECT_EQ(annualText, text);
            EXPECT_EQ(annualText, MarkReading(annual.entries[m].kind, palace.stars.stars[slot]));
            ++compared;
        }
    }
    EXPECT_EQ(compared, 4);

    // The decade marks of line 4 read their own kind and star from the same store.
    int decade = 0;
    for (int b = 0; b < 12; ++b) {
        const PalaceRecord& palace = PalaceOf(b);
        const MarkList& marks = palace.marks[kDecadeMarks];
        for (int m = 0; m < marks.count; ++m, ++decade) {
            ASSERT_EQ(Click(b, marks.entries[m].slot, 4), ClickResult::Reading);
            EXPECT_EQ(text, MarkReading(marks.entries[m].kind, palace.stars.stars[marks.entries[m].slot]));
            EXPECT_FALSE(text.empty());
        }
    }
    EXPECT_EQ(decade, 4);
    EXPECT_EQ(engine.highlightedPalace(), -1);
}

TEST_F(Clicks, FlyingMarksAppearOnLineFourOnceAPalaceIsPicked)
{
    CastExample();
    ASSERT_EQ(MarkCount(kDecadeMarks), 0);
    const int wealth = PalaceBranch(engine.chart(), 4);
    // Without a reference palace line 4 is empty cell space, even under a marked star.
    EXPECT_EQ(Click(wealth, 0, 4), ClickResult::Highlighted);
    EXPECT_EQ(engine.highlightedPalace(), wealth);

    // The wealth palace's stem flies its four transformations; each amber mark reads its block.
    ASSERT_EQ(MarkCount(kDecadeMarks), 4);
    const ChartGeometry& g = Geometry();
    const size_t drawn = canvas.texts.size();
    for (int b = 0; b < 12; ++b) {
        const PalaceRecord& palace = PalaceOf(b);
        const MarkList& flying = palace.marks[kDecadeMarks];
        for (int m = 0; m < flying.count; ++m) {
            const int slot = flying.entries[m].slot;
            const CanvasPoint corner = CellCorner(g, b);
            EXPECT_TRUE(MarkSquareAt(corner.x + 2 + slot * g.charWidth, corner.y + 4 * g.charHeight, chart_colour::kAmber));
            EXPECT_EQ(Click(b, slot, 4), ClickResult::Reading);
            EXPECT_EQ(text, MarkReading(flying.entries[m].kind, palace.stars.stars[slot]));
            EXPECT_FALSE(text.empty());
        }
    }
    EXPECT_EQ(engine.highlightedPalace(), wealth);
    EXPECT_EQ(canvas.texts.size(), drawn);

    // The natal marks stay readable in the highlighted chart.
    for (int b = 0; b < 12; ++b) {
        const PalaceRecord& palace = PalaceOf(b);
        if (palace.marks[kNatalMarks].count == 0) continue;
        EXPECT_EQ(Click(b, palace.marks[kNatalMarks].entries[0].slot, 3), ClickResult::Reading);
    }

    // Picking another palace moves the flying marks to its stem's stars.
    const int career = PalaceBranch(engine.chart(), 8);
    EXPECT_EQ(Click(career, 11, 7), ClickResult::Highlighted);
    EXPECT_EQ(engine.highlightedPalace(), career);
    EXPECT_EQ(MarkCount(kDecadeMarks), 4);
}

TEST_F(Clicks, DailyHourlyAnnualChartHasNoMarksToRead)
{
    CastExample();
    ASSERT_TRUE(engine.CastAnnual({1994, 6, 1, 12, 0}, 1)) << engine.lastError();
    for (MarkLayer layer : {kNatalMarks, kDecadeMarks, kAnnualMarks}) EXPECT_EQ(MarkCount(layer), 0);
    for (int b = 0; b < 12; ++b) {
        if (PalaceOf(b).stars.count == 0) continue;
        for (int line : {3, 4, 5}) {
            EXPECT_EQ(Click(b, 0, line), ClickResult::Highlighted) << b << " line " << line;
            EXPECT_EQ(engine.highlightedPalace(), b);
            EXPECT_TRUE(text.empty());
        }
    }
    // Highlighting an annual chart lays no marks either.
    for (MarkLayer layer : {kNatalMarks, kDecadeMarks, kAnnualMarks}) EXPECT_EQ(MarkCount(layer), 0);
}
