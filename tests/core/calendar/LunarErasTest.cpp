// The era names of a year. Expected eras and their year counts are those of the standard
// chronological tables of Chinese history.
#include "Lunar.h"
#include "LunarData.h"

#include <gtest/gtest.h>

#include <string>

TEST(EraNames, EveryYearFromXiaOnHasAnEra)
{
    obb_class eras;
    EXPECT_EQ(eras.EraNames(-2070), "");
    EXPECT_EQ(eras.EraNames(-3000), "");
    for (int y = -2069; y <= 9999; ++y) ASSERT_FALSE(eras.EraNames(y).empty()) << y;
}

TEST(EraNames, Texts)
{
    obb_class eras;
    EXPECT_EQ(eras.EraNames(2024), "[当代] 中国  公历纪元2024年");
    EXPECT_EQ(eras.EraNames(-2069), "[夏] 禹  禹1年");
    // 1644: the last year of 崇祯 and the first of 顺治.
    EXPECT_EQ(eras.EraNames(1644), "[明] 毅宗 朱由检 崇祯17年；[清] 世祖 福临 顺治1年");
    EXPECT_EQ(eras.EraNames(905), "[唐] 哀帝 李柷 天佑2年");
    EXPECT_EQ(eras.EraNames(1271), "[南宋] 度宗 赵禥 咸淳7年；[元] 世祖 忽必烈 至元8年");
    EXPECT_EQ(eras.EraNames(1294), "[元] 世祖 忽必烈 至元31年");
}

TEST(EraNames, StructuredEras)
{
    obb_class eras;
    const auto found = eras.Eras(230);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[1].era->dynasty, "蜀汉");
    EXPECT_EQ(found[1].era->eraName, "建兴");
    EXPECT_EQ(found[1].yearOfEra, 8);
    EXPECT_TRUE(eras.Eras(-2070).empty());
}

// Years of short-lived rulers and of eras renamed within a year: every era in use that year,
// in table order. 天福 of 后晋 ran until 944 (天福九年七月改元开运).
TEST(EraNames, EveryEraOfAYearOfChange)
{
    obb_class eras;
    const auto names = [&](int year) {
        std::string text;
        for (const auto& [era, yearOfEra] : eras.Eras(year))
            text += std::string(era->eraName) + std::to_string(yearOfEra) + " ";
        return text;
    };
    EXPECT_EQ(names(944), "天福9 开运1 ");
    EXPECT_EQ(names(943), "天福8 ");
    EXPECT_EQ(names(945), "开运2 ");
    EXPECT_EQ(names(465), "永光1 景和1 泰始1 和平6 ");  // 南朝宋 前废帝 刘子业, then 明帝; 北魏
    EXPECT_EQ(names(710), "景龙4 唐隆1 景云1 ");         // 唐 中宗, 殇帝 李重茂, 睿宗
    EXPECT_EQ(names(452), "元嘉29 正平2 承平1 兴安1 ");  // 北魏 南安王 拓跋余 between 太武帝 and 文成帝
    EXPECT_EQ(names(532), "中大通4 普泰2 太昌1 永兴1 永熙1 ");  // 北魏 孝武帝 元修: three eras in 532
    EXPECT_EQ(eras.EraNames(710), "[唐] 中宗 李显 景龙4年；[唐] 殇帝 李重茂 唐隆1年；[唐] 睿宗 李旦 景云1年");
}

TEST(EraNames, KnownYears)
{
    obb_class eras;
    struct Known {
        int year;  // stored numbering
        std::string_view part;
    };
    for (const Known& k : {Known{-840, "共和1年"}, Known{-220, "始皇26年"}, Known{-139, "建元1年"}, Known{0, "元寿2年"},
                           Known{1, "元始1年"}, Known{208, "建安13年"}, Known{230, "建兴8年"}, Known{230, "黄龙2年"},
                           Known{230, "太和4年"}, Known{627, "贞观1年"}, Known{755, "天宝14年"},
                           Known{1127, "建炎1年"}, Known{1368, "至正28年"}, Known{1368, "洪武1年"},
                           Known{1700, "康熙39年"}, Known{1911, "宣统3年"}, Known{1912, "民国1年"},
                           Known{1949, "民国38年"}, Known{1949, "公历纪元1949年"}}) {
        EXPECT_NE(eras.EraNames(k.year).find(k.part), std::string::npos) << k.year << ' ' << k.part;
    }
}
