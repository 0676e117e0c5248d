#pragma once
// Brightness grades, the four transformations and the transformation marks of a chart.
#include "ZiweiexTables.h"
#include "ZiweiexTypes.h"

// Grade digit 0..5 (0 none, 1 庙, 2 旺, 3 闲/得, 4 平, 5 陷) of a star in a branch, from the
// first table when miaoxian is 0 and the second otherwise; 0 for stars above 32.
int StarGrade(int star, int branch, uint8_t miaoxian);

// The stars that take 禄, 权, 科 and 忌 for a stem (0..9), with the variants of 戊, 庚 and 壬
// chosen by tg5, tg7 and tg9.
FourStars FourTransforms(int stem, const ChartSettings& settings);

// Transformation kind 1..4 of a star under `transforms`, 0 when it takes none.
int TransformKind(int star, const FourStars& transforms);

// Clears the marks of all three layers and records the stars transformed by the natal year
// stem in each palace's natal list. `shown` is false in an annual chart laid out by days and
// hours, which shows no transformation marks.
void FillNatalMarks(ChartData& chart, const ChartSettings& settings, bool shown);

// Records in the palace's `layer` list the stars of that palace transformed by `transforms`.
void FillLayerMarks(PalaceRecord& palace, MarkLayer layer, const FourStars& transforms);
