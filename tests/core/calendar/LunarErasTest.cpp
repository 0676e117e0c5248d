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
