#include "ZiweiexStars.h"

#include "Sexagenary.h"
#include "ZiweiexPalaces.h"
#include "ZiweiexTables.h"

int ZiWeiBranch(int lunarDay, int bureau)
{
    int q = lunarDay / bureau;
    if (lunarDay % bureau != 0) {
        ++q;
        const int borrowed = bureau * q - lunarDay;  // days added to make the division even
        q += borrowed % 2 == 1 ? -borrowed : borrowed;
    }
    return Mod(q + 14, 12);  // q = 1 is 寅, counting clockwise
}

int LuCunBranch(int year) { return kLuCunByStem[StemOf(year)]; }

bool RunsForward(const ChartData& chart, bool isMale)
{
    const bool yangYear = chart.yearPillar % 2 == 1;
    return isMale == yangYear;
}

std::array<int8_t, 62> StarBranches(const ChartData& chart, const BirthFacts& birth, const ChartSettings& settings)
{
    const int ys = StemOf(chart.yearPillar);
    const int yb = BranchOf(chart.yearPillar);
    const int y = Mod(yb - 1, 12);                       // hour index of the year branch
    const int h = Mod(BranchOf(chart.hourPillar) - 1, 12);  // hour index of the birth hour
    const int m = birth.chartMonth;
    const int day = birth.lunarDay;
    const int life = LifeBranch(chart);
    const int body = BranchOf(chart.bodyPalace);
    const int monthBranch = Mod(m + 2, 12);
    const bool yangYear = chart.yearPillar % 2 == 1;

    std::array<int, 62> at{};
    const int ziWei = ZiWeiBranch(day, chart.bureau);
    at[1] = ziWei;
    for (int i = 0; i < 5; ++i) at[2 + i] = ziWei - kZiWeiSeriesOffsets[i];
    const int tianFu = kTianFuByZiWei[ziWei];
    at[7] = tianFu;
    for (int i = 0; i < 7; ++i) at[8 + i] = tianFu + kTianFuSeriesOffsets[i];

    at[15] = LuCunBranch(chart.yearPillar);
    at[16] = at[15] + 1;  // 擎羊
    at[17] = at[15] - 1;  // 陀罗
    at[18] = h + 2 + kHuoXingShift[TriadOf(yb)];
    at[19] = h + 2 + kLingXingShift[TriadOf(yb)];
    at[20] = m + 4;   // 左辅
    at[21] = 12 - m;  // 右弼
    at[22] = 11 - h;  // 文昌
    at[23] = h + 5;   // 文曲
    at[24] = kTianKuiByStem[ys];
    at[25] = kTianYueByStem[ys];
    at[26] = kTianMaByTriad[TriadOf(settings.tm == 0 ? monthBranch : yb)];

    at[27] = h;       // 地劫
    at[28] = -h;      // 地空
    at[29] = 4 - y;   // 红鸾
    at[30] = m + 1;   // 天姚
    at[31] = 7 - y;   // 天哭
    at[32] = y + 7;   // 天虚
    at[33] = at[29] + 6;  // 天喜
    at[34] = h + 7;   // 台辅
    at[35] = h + 3;   // 封诰
    at[36] = kJieShenByMonth[m - 1];
    at[37] = kTianWuByTriad[TriadOf(monthBranch)];
    at[38] = kTianYueStarByMonth[m - 1];
    at[39] = kYinShaByMonth[(m - 1) % 6];
    at[40] = at[20] + day - 1;    // 三台
    at[41] = at[21] - (day - 1);  // 八座
    at[42] = at[22] + day - 2;    // 恩光
    at[43] = at[23] + day - 2;    // 天贵
    at[44] = kTianGuanByStem[ys];
    at[45] = kTianFuStarByStem[ys];
    at[46] = y + 5;   // 龙池
    at[47] = 11 - y;  // 凤阁
    at[48] = kGuChenBySeason[yb / 3];
    at[49] = kGuaSuBySeason[yb / 3];
    at[50] = kFeiLianByBranch[yb];
    at[51] = kPoSuiByGroup[yb % 3];
    at[52] = life + yb - 1;  // 天才
    at[53] = body + yb - 1;  // 天寿
    at[54] = kJieKongByStem[ys];
    at[55] = life + 5;  // 天伤, in the 仆役 palace
    at[56] = life + 7;  // 天使, in the 疾厄 palace
    const int decadeOfYear = (chart.yearPillar == 0 ? 60 : chart.yearPillar) - 1;
    const int firstEmpty = 11 - 2 * (decadeOfYear / 10);  // 旬空: the year's ten-day group
    at[57] = yangYear ? firstEmpty : firstEmpty + 1;
    at[58] = m + 9;   // 天刑
    at[59] = kDaHaoByBranch[yb];
    at[60] = yb + 1;  // 天空
    at[61] = kTianChuByStem[ys];

    std::array<int8_t, 62> branches{};
    for (int s = 1; s <= kStarCount; ++s) branches[s] = static_cast<int8_t>(Mod(at[s], 12));
    return branches;
}

void AddStar(ChartData& chart, int branch, uint8_t star)
{
    chart.palaces[PalaceAt(chart, Mod(branch, 12))].stars.Add(star);
}

namespace {

constexpr int kLastAlwaysPlaced = 26;

void RebuildPalaceRing(ChartData& chart)
{
    const int yearStem = StemOf(chart.yearPillar);
    const int life = LifeBranch(chart);
    for (int k = 1; k < kPalaceCount; ++k) chart.palaces[k].stemBranch = PalacePair(yearStem, Mod(life - k, 12));
}

void SetDecades(ChartData& chart, bool isMale)
{
    const bool forward = RunsForward(chart, isMale);
    chart.palaces[0].decadeStart = chart.bureau;
    for (int j = 1; j < kPalaceCount; ++j) {
        const int palace = forward ? kPalaceCount - j : j;
        chart.palaces[palace].decadeStart = static_cast<int16_t>(chart.bureau + 10 * j);
    }
}

}  // namespace

void PlaceStars(ChartData& chart, const BirthFacts& birth, const ChartSettings& settings)
{
    for (PalaceRecord& p : chart.palaces) p.stars = StarList{};
    const std::array<int8_t, 62> branches = StarBranches(chart, birth, settings);
    const int last = settings.showfu != 0 ? kStarCount : kLastAlwaysPlaced;
    for (int s = 1; s <= last; ++s) AddStar(chart, branches[s], static_cast<uint8_t>(s));
    RebuildPalaceRing(chart);
    SetDecades(chart, birth.isMale);
}
