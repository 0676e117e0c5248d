#include "ZiweiexGrades.h"

#include "Sexagenary.h"

#include <algorithm>

int StarGrade(int star, int branch, uint8_t miaoxian)
{
    if (star < 1 || star >= static_cast<int>(kGradeTable1.size())) return 0;
    const std::string_view digits = (miaoxian == 0 ? kGradeTable1 : kGradeTable2)[star];
    return digits[Mod(branch - 1, 12)] - '0';  // the digits start with 子
}

FourStars FourTransforms(int stem, const ChartSettings& settings)
{
    const StemTransforms& t = kTransformsByStem[Mod(stem, 10)];
    const int variant = t.variantSetting ? std::min<int>(settings.*t.variantSetting, t.rowCount - 1) : 0;
    return t.rows[variant];
}

int TransformKind(int star, const FourStars& transforms)
{
    for (int k = 0; k < 4; ++k)
        if (transforms[k] == star) return k + 1;
    return 0;
}

void FillLayerMarks(PalaceRecord& palace, MarkLayer layer, const FourStars& transforms)
{
    MarkList& marks = palace.marks[layer];
    marks = MarkList{};
    for (int slot = 0; slot < palace.stars.count; ++slot)
        if (const int kind = TransformKind(palace.stars.stars[slot], transforms))
            marks.Add(static_cast<int16_t>(slot), static_cast<int16_t>(kind));
}

void FillNatalMarks(ChartData& chart, const ChartSettings& settings, bool shown)
{
    const FourStars natal = FourTransforms(StemOf(chart.yearPillar), settings);
    for (PalaceRecord& palace : chart.palaces) {
        for (MarkList& marks : palace.marks) marks = MarkList{};
        if (shown) FillLayerMarks(palace, kNatalMarks, natal);
    }
}
