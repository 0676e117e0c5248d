#pragma once
// Helpers for the case-store tests: sample cases and raw access to the files on disk.
#include "Database.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline CaseRecord SampleCase(const std::string& name, int16_t year = 1990, const std::string& category = "临时保存")
{
    CaseRecord r;
    r.name = name;
    r.category = category;
    r.birth = {year, 5, 1, 8, 30};
    r.isMale = 1;
    r.provinceIndex = 34;
    r.cityIndex = 0;
    r.longitude = 120.0f;
    r.latitude = 30.0f;
    r.commentName = CommentBaseName(name, r.birth);
    return r;
}

inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string RecordBytes(const CaseRecord& record)
{
    const auto bytes = EncodeCaseRecord(record);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : std::string();
}
