#pragma once
// Interim stand-in for the core place table, with its names, until that lands.
#include <filesystem>
#include <string>
#include <vector>

const std::vector<std::string>& ProvinceNames();
inline constexpr int kProvinceCount = 35;
inline constexpr int kUnknownProvince = kProvinceCount - 1;
inline constexpr const char* kUnknownPlace = "未知地";

struct Place {
    std::string name;
    double longitude = 120;
    double latitude = 30;
};

class PlaceTable {
public:
    explicit PlaceTable(const std::filesystem::path& programFolder) : folder_(programFolder) {}
    std::vector<Place> Choices(int province) const;

private:
    std::filesystem::path folder_;
};
