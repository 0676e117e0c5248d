// The centre box of real charts and the stem table below the grid. The summary lines start 3
// pixels right of the centre box's left edge (x 151) and line n stands at
// y = (216 - 108) + n * (12 + 6). Expected texts are worked out by hand from the casting rules.
#include "ZiweiexDrawingFixture.h"

using namespace chart_colour;

class ZiweiexDrawingCentre : public DrawnChart {
protected:
    std::string Line(int n) const
    {
        return TextAt(g().halfWidth - g().cellWidth + 3, g().halfHeight - g().cellHeight + n * (h + h / 2), kBlack);
    }
    // The text of the line, or "" when it does not start with `prefix`.
    std::string LineFrom(int n, const std::string& prefix) const
    {
        const std::string text = Line(n);
        return text.starts_with(prefix) ? text : "";
    }
    ChartInput Zhang() const { return Birth(1984, 2, 5, 12, 30, true); }
    std::string StemTableLine(int k) const { return TextAt(2, g().gridHeight + (k == 0 ? 5 : h + 10), kBlack); }
};

TEST_F(ZiweiexDrawingCentre, NatalChartOfAKnownBirth)
{
    CastZhang();
    // Heading: blue, three points larger, centred over the centre box (148 + (296 - 66) / 2).
    const auto heading = canvas.TextsAt(263, 110);
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0].text, "★Qiravel★");
    EXPECT_EQ(heading[0].colour, kBlue);
    EXPECT_EQ(heading[0].fontSize, 12);

    EXPECT_EQ(Line(1), "【本命盘-天盘】");
    EXPECT_EQ(Line(2), "姓名:张三,北京-北京");
    EXPECT_EQ(Line(3), "公历:1984年2月5日12时30分(北京时间)");
    EXPECT_EQ(Line(4), "农历:一九八四年正月初四日午时");
    // 立春 1984 fell on 4 February, so the bazi year is 甲子 and the month 丙寅; 2000-01-07 is
    // a 甲子 day, 5815 days later, so 1984-02-05 is 己巳 and its 午 hour 庚午.
    EXPECT_EQ(Line(5), "四柱:甲子年 丙寅月 己巳日 庚午时");
    // 壬申 Life palace: metal bureau 4, sound 剑锋金.
    EXPECT_EQ(Line(6), "命局:阳男(甲子)  金四局 剑锋金");
    EXPECT_EQ(Line(7), "命宫:申     命主:廉贞");
    EXPECT_EQ(Line(8), "身宫:申     身主:火星");
    EXPECT_EQ(Line(9), "子年斗君:午");
    EXPECT_EQ(Line(10), "");
    for (const auto& t : canvas.texts) {
        if (t.colour == kBlack && t.x == 151) {
            EXPECT_EQ(t.fontSize, 9) << t.text;
        }
    }
}

TEST_F(ZiweiexDrawingCentre, NatalChartOfAYangFemale)
{
    CastLi();
    EXPECT_EQ(Line(3), "公历:1990年6月15日8时0分(北京时间)");
    EXPECT_EQ(Line(4), "农历:一九九○年五月廿三日辰时");
    EXPECT_EQ(Line(5), "四柱:庚午年 壬午月 辛亥日 壬辰时");
    EXPECT_EQ(Line(6), "命局:阳女(庚午)  土五局 城墙土");
    EXPECT_EQ(Line(7), "命宫:寅     命主:禄存");
    EXPECT_EQ(Line(8), "身宫:戌     身主:火星");
    EXPECT_EQ(Line(9), "子年斗君:子");
}

TEST_F(ZiweiexDrawingCentre, ChartKinds)
{
    const struct { uint8_t kind; const char* line; } kinds[] = {
        {0, "【本命盘-天盘】"}, {1, "【本命盘-地盘】"}, {2, "【本命盘-人盘】"},
        // Any other kind casts a 天盘 chart, and says so.
        {4, "【本命盘-天盘】"}};
    for (const auto& k : kinds) {
        ChartInput in = Zhang();
        in.chartKind = k.kind;
        ASSERT_TRUE(engine.CastNatal(in));
        EXPECT_EQ(Line(1), k.line) << int(k.kind);
    }
}

TEST_F(ZiweiexDrawingCentre, LongitudeAndClockKind)
{
    // 116°28' east. Local mean time runs (120 - 116.4667) x 4 min = 14 min 8 s behind Beijing
    // time, so 12:30 becomes 12:16; in early February the sun runs about 14 minutes behind
    // mean time as well (equation of time), so true solar time is 12:02.
    const struct { const char* settings; const char* person; const char* solar; } cases[] = {
        {"idate=0\n", "姓名:张三,北京-北京", "公历:1984年2月5日12时30分(北京时间)"},
        {"idate=1\n", "姓名:张三,北京-北京(经度:116:28)", "公历:1984年2月5日12时2分(真太阳时)"},
        {"idate=2\n", "姓名:张三,北京-北京(经度:116:28)", "公历:1984年2月5日12时16分(地方时)"},
        // A hand-written value the settings dialog never offers converts like 2.
        {"idate=3\n", "姓名:张三,北京-北京(经度:116:28)", "公历:1984年2月5日12时16分(地方时)"}};
    for (const auto& c : cases) {
        Settings(c.settings);
        ChartInput in = Zhang();
        in.longitude = 116.0f + 28.0f / 60.0f;
        ASSERT_TRUE(engine.CastNatal(in));
        EXPECT_EQ(Line(2), c.person) << c.settings;
        EXPECT_EQ(Line(3), c.solar) << c.settings;
    }
    Settings("idate=2\n");
    ChartInput in = Zhang();
    in.longitude = 87.5f;  // 87°30'
    ASSERT_TRUE(engine.CastNatal(in));
    EXPECT_EQ(Line(2), "姓名:张三,北京-北京(经度:87:30)");
}

TEST_F(ZiweiexDrawingCentre, LunarDateWords)
{
    const struct { ChartInput in; const char* line4; } cases[] = {
        // Leap fourth month of 2020 from 23 May: 1 June is its tenth day.
        {Birth(2020, 6, 1, 12, 0, true), "农历:二○二○年闰四月初十日午时"},
        {Birth(1990, 6, 12, 12, 0, true), "农历:一九九○年五月二十日午时"},
        // The second month of 2024 has 30 days, from 10 March.
        {Birth(2024, 4, 8, 12, 0, true), "农历:二○二四年二月三十日午时"},
        // 23:30 belongs to the next day and is a 子 hour; the solar line keeps the clock time.
        {Birth(1984, 2, 5, 23, 30, true), "农历:一九八四年正月初五日子时"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(engine.CastNatal(c.in));
        EXPECT_EQ(Line(4), c.line4);
    }
    EXPECT_EQ(Line(3), "公历:1984年2月5日23时30分(北京时间)");

    // Year 10 CE is 十年; the astronomical year 0 is shown as -1, in words 前一.
    ASSERT_TRUE(engine.CastNatal(Birth(10, 8, 1, 12, 0, true)));
    EXPECT_NE(LineFrom(4, "农历:十年"), "") << Line(4);
    ASSERT_TRUE(engine.CastNatal(Birth(0, 8, 1, 12, 0, true)));
    EXPECT_NE(LineFrom(3, "公历:-1年8月1日12时0分"), "") << Line(3);
    EXPECT_NE(LineFrom(4, "农历:前一年"), "") << Line(4);
}

TEST_F(ZiweiexDrawingCentre, AnnualLines)
{
    CastZhang();
    // 2024-03-01 is 正月廿一 of the 甲辰 year: age 41. The annual Dou Jun goes from 辰 back by
    // the birth month (1) and on by the birth hour (午, 7): 戌. The minor limit of a 子 year
    // starts at 戌 and moves (41 - 1) mod 12 = 4 places clockwise for a male: 寅.
    ASSERT_TRUE(engine.CastAnnual({2024, 3, 1, 12, 0}, 0));
    EXPECT_EQ(Line(1), "【41岁流年命盘】");
    EXPECT_EQ(Line(2), "姓名:张三,北京-北京");
    EXPECT_EQ(Line(4), "农历:一九八四年正月初四日午时");
    EXPECT_EQ(Line(9), "子年斗君:午  流年斗君:戌  小限:寅");
    EXPECT_EQ(Line(10), "流年:2024-3-1 正月廿一午时(甲辰年41岁)");
    EXPECT_EQ(Line(11), "");

    // The annual day has no 日; days 1..10 take 初.
    ASSERT_TRUE(engine.CastAnnual({2024, 2, 19, 12, 0}, 0));
    EXPECT_EQ(Line(10), "流年:2024-2-19 正月初十午时(甲辰年41岁)");
    ASSERT_TRUE(engine.CastAnnual({2020, 6, 1, 23, 30}, 0));
    EXPECT_EQ(Line(10), "流年:2020-6-1 闰四月十一子时(庚子年37岁)");
    EXPECT_EQ(Line(1), "【37岁流年命盘】");
}

TEST_F(ZiweiexDrawingCentre, StemTableAndLegend)
{
    CastZhang();
    EXPECT_EQ(StemTableLine(0), "甲:廉-破-武-阳  乙:机-梁-紫-阴  丙:同-机-昌-廉  丁:阴-同-机-巨  戊:贪-阴-弼-机  ");
    EXPECT_EQ(StemTableLine(1), "己:武-贪-梁-曲  庚:阳-武-同-阴  辛:巨-阳-曲-昌  壬:梁-紫-辅-武  癸:破-巨-阴-贪  ");
    // The legend stands 10 pixels right of the second line without its trailing blanks:
    // 25 characters and 19 half-width signs, 39 character widths.
    const int x = 39 * w + 10;
    const int top = g().gridHeight + 1;
    EXPECT_EQ(TextAt(x, top, kGreen), "★先天");
    EXPECT_EQ(TextAt(x, top + h, kMaroon), "★大限");
    EXPECT_EQ(TextAt(x, top + 2 * h, kBlue), "★流年");
    for (const auto& t : canvas.texts) {
        if (t.y > g().gridHeight) {
            EXPECT_EQ(t.fontSize, 9) << t.text;
        }
    }
}

TEST_F(ZiweiexDrawingCentre, StemTableFollowsTheTransformationVariants)
{
    const struct { const char* settings; const char* first; const char* second; } cases[] = {
        {"tg5=1\ntg7=1\ntg9=1\n", "甲:廉-破-武-阳  乙:机-梁-紫-阴  丙:同-机-昌-廉  丁:阴-同-机-巨  戊:贪-阴-阳-机  ",
         "己:武-贪-梁-曲  庚:阳-武-阴-同  辛:巨-阳-曲-昌  壬:梁-紫-府-武  癸:破-巨-阴-贪  "},
        {"tg7=2\n", "甲:廉-破-武-阳  乙:机-梁-紫-阴  丙:同-机-昌-廉  丁:阴-同-机-巨  戊:贪-阴-弼-机  ",
         "己:武-贪-梁-曲  庚:阳-武-府-同  辛:巨-阳-曲-昌  壬:梁-紫-辅-武  癸:破-巨-阴-贪  "},
        {"tg5=7\ntg7=9\ntg9=3\n", "甲:廉-破-武-阳  乙:机-梁-紫-阴  丙:同-机-昌-廉  丁:阴-同-机-巨  戊:贪-阴-阳-机  ",
         "己:武-贪-梁-曲  庚:阳-武-府-同  辛:巨-阳-曲-昌  壬:梁-紫-府-武  癸:破-巨-阴-贪  "}};
    for (const auto& c : cases) {
        Settings(c.settings);
        CastZhang();
        EXPECT_EQ(StemTableLine(0), c.first) << c.settings;
        EXPECT_EQ(StemTableLine(1), c.second) << c.settings;
        EXPECT_EQ(TextAt(39 * w + 10, g().gridHeight + 1, kGreen), "★先天") << c.settings;
    }
}
