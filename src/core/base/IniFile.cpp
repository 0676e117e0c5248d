#include "IniFile.h"

#include "AtomicFile.h"
#include "Gbk.h"

// GBK bytes are kept as they are; conversion happens at this class's interface.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <optional>

struct IniFile::Store {
    CSimpleIniA ini{false, false, false};  // bytes as they are, no multi-keys or multi-lines
};

namespace {

std::string ToGbk(const std::string& utf8) { return Utf8ToGbk(utf8).value_or(std::string()); }

template <typename List>
std::vector<std::string> InFileOrder(List entries)
{
    entries.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(GbkToUtf8(e.pItem));
    return names;
}

}  // namespace

namespace {

// No settings file of this program comes near this; anything larger is not one of ours.
constexpr off_t kMaxIniBytes = 1 << 20;

// The file's text when it is a regular file of sane size; empty otherwise (a FIFO would hang
// the read, a folder or a device has no settings in it).
std::string ReadSettingsText(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    std::string text;
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxIniBytes) {
        text.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        text.resize(done);
    }
    ::close(fd);
    return text;
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)), store_(std::make_unique<Store>())
{
    store_->ini.SetSpaces(false);
    const std::string text = ReadSettingsText(path_);  // a missing or unreadable file leaves it empty
    store_->ini.LoadData(text.data(), text.size());
}

IniFile::~IniFile() = default;

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const
{
    const char* v = store_->ini.GetValue(ToGbk(section).c_str(), ToGbk(key).c_str(), nullptr);
    return v ? GbkToUtf8(v) : fallback;
}

int IniFile::ReadInt(const std::string& section, const std::string& key, int fallback) const
{
    const char* v = store_->ini.GetValue(ToGbk(section).c_str(), ToGbk(key).c_str(), nullptr);
    if (!v) return fallback;
    char* end = nullptr;
    const long n = std::strtol(v, &end, 10);
    if (end == v) return fallback;
    // Beyond int it is some other value, never one that wrapped round to a meaningful one.
    return static_cast<int>(std::clamp<long>(n, INT_MIN, INT_MAX));
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const
{
    return ReadInt(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::KeyExists(const std::string& section, const std::string& key) const
{
    return store_->ini.GetValue(ToGbk(section).c_str(), ToGbk(key).c_str(), nullptr) != nullptr;
}

bool IniFile::SectionExists(const std::string& section) const
{
    return store_->ini.GetSection(ToGbk(section).c_str()) != nullptr;
}

std::vector<std::string> IniFile::Keys(const std::string& section) const
{
    CSimpleIniA::TNamesDepend keys;
    store_->ini.GetAllKeys(ToGbk(section).c_str(), keys);
    return InFileOrder(keys);
}

std::vector<std::string> IniFile::Sections() const
{
    CSimpleIniA::TNamesDepend sections;
    store_->ini.GetAllSections(sections);
    return InFileOrder(sections);
}

bool IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    const auto s = Utf8ToGbk(section), k = Utf8ToGbk(key), v = Utf8ToGbk(value);
    if (!s || !k || !v || k->empty()) return false;
    if (store_->ini.SetValue(s->c_str(), k->c_str(), v->c_str()) < 0) return false;
    return Save();
}

bool IniFile::WriteInt(const std::string& section, const std::string& key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    return WriteInt(section, key, value ? 1 : 0);
}

bool IniFile::DeleteKey(const std::string& section, const std::string& key)
{
    if (!store_->ini.Delete(ToGbk(section).c_str(), ToGbk(key).c_str())) return true;
    return Save();
}

bool IniFile::DeleteSection(const std::string& section)
{
    if (!store_->ini.Delete(ToGbk(section).c_str(), nullptr)) return true;
    return Save();
}

bool IniFile::Save()
{
    std::string text;
    if (store_->ini.Save(text, false) < 0) return false;
    return WriteFileAtomically(path_, text);
}
