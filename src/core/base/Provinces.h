#pragma once
// The numbering of the province list shared by the birth input, the place table and the case
// file: 35 entries, the last, "未知地", standing for no place (120°E 30°N).
inline constexpr int kProvinceCount = 35;
inline constexpr int kUnknownProvince = kProvinceCount - 1;
