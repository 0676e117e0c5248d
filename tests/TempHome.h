#pragma once
// A fresh program folder under the system's temporary folder, removed afterwards.
#include <filesystem>
#include <random>
#include <string>

class TempHome {
public:
    TempHome()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("qiravel-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_ / "dat");
    }
    ~TempHome()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path dat() const { return path_ / "dat"; }

private:
    std::filesystem::path path_;
};
