#pragma once
// The four twelve-fold cycles whose stage names the palace cells show. Each returns the
// stage index 0..11 of the palace at `branch` (names in ZiweiexNames.h).
#include "ZiweiexTypes.h"

// Year the 博士, 将星 and 岁建 cycles follow: the natal year, or the annual year once an annual
// chart has set annualAge.
int CycleYear(const ChartData& chart);

// 长生: from the bureau's start branch, in the direction of the decades.
int ChangShengAt(const ChartData& chart, bool isMale, int branch);
// 博士: from the 禄存 branch of the cycle year, in the direction of the decades (judged by the
// natal year and sex).
int BoShiAt(const ChartData& chart, bool isMale, int branch);
// 将星: clockwise from the start branch of the cycle year's triad.
int JiangXingAt(const ChartData& chart, int branch);
// 岁建: clockwise from the cycle year's branch.
int SuiJianAt(const ChartData& chart, int branch);
