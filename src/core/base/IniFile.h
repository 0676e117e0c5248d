#pragma once
// A profile (INI) file: [section] headers and key=value lines, GBK on disk, UTF-8 here.
// Sections and keys keep their file order; names compare case-insensitively, as in the
// Windows profile functions. The file is read when the object is made, and every write goes
// to the file at once (written whole to a sibling file, then renamed over the original).
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class IniFile {
public:
    explicit IniFile(std::filesystem::path path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Reads give `fallback` when the file, the section or the key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // The leading integer of the value (like atoi), or `fallback` when the value has none;
    // a number beyond int reads as INT_MAX or INT_MIN. A file that is not a regular file of
    // sane size (at most 1 MiB) reads as missing.
    int ReadInt(const std::string& section, const std::string& key, int fallback) const;
    // Stored as an integer: any non-zero integer reads true.
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

    bool KeyExists(const std::string& section, const std::string& key) const;
    bool SectionExists(const std::string& section) const;
    // Keys of a section in file order.
    std::vector<std::string> Keys(const std::string& section) const;
    std::vector<std::string> Sections() const;

    // Each returns false when the text cannot be written in GBK or the file cannot be saved;
    // the file then keeps its previous content.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& key, int value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    bool DeleteKey(const std::string& section, const std::string& key);
    bool DeleteSection(const std::string& section);

private:
    bool Save();

    struct Store;
    std::filesystem::path path_;
    std::unique_ptr<Store> store_;
};
