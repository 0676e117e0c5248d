#include "ProgramFolder.h"
#include "TempHome.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    ~Environment()
    {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    void Set(const std::string& name, const std::optional<std::string>& value)
    {
        if (saved_.find(name) == saved_.end()) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

void Write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An installed layout under a temporary prefix: bin/ without "dat", share/qiravel/ with defaults.
class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(bin());
        Write(shared() / "dat" / "dili.ini", "[北京]\n北京=116:28*39:54\n");
        Write(shared() / "skins" / "蓝色.skn", "skin");
        env.Set("QIRAVEL_HOME", std::nullopt);
        env.Set("XDG_DATA_HOME", std::nullopt);
        env.Set("HOME", (root.path() / "home").string());
    }
    fs::path bin() const { return root.path() / "prefix" / "bin"; }
    fs::path shared() const { return root.path() / "prefix" / "share" / "qiravel"; }
    fs::path user() const { return root.path() / "home" / ".local" / "share" / "qiravel"; }

    TempHome root;
    Environment env;
};

}  // namespace

TEST_F(InstalledProgram, HomeOptionThenEnvironmentThenPortableFolderThenUserFolder)
{
    const fs::path portable = root.path() / "portable";
    fs::create_directories(portable / "dat");
    struct Case {
        std::string option;
        std::optional<std::string> env;
        fs::path executableFolder;
        fs::path expected;
    };
    const Case cases[] = {
        {"/tmp/from-option", "/tmp/from-env", portable, "/tmp/from-option"},
        {"", "/tmp/from-env", portable, "/tmp/from-env"},
        {"", "", portable, portable},  // an empty QIRAVEL_HOME names nothing
        {"", std::nullopt, portable, portable},
        {"", std::nullopt, bin(), user()},
    };
    for (const Case& c : cases) {
        env.Set("QIRAVEL_HOME", c.env);
        EXPECT_EQ(ResolveProgramFolder(c.option, c.executableFolder), c.expected)
            << c.option << " / " << c.env.value_or("(unset)") << " / " << c.executableFolder;
    }
    EXPECT_EQ(DatFolder("/x"), "/x/dat");
}

TEST_F(InstalledProgram, UserFolderFollowsXdgDataHomeWhenItIsAbsolute)
{
    const fs::path home = root.path() / "home";
    const std::pair<std::optional<std::string>, fs::path> cases[] = {
        {std::nullopt, home / ".local/share/qiravel"},
        {"", home / ".local/share/qiravel"},
        {"relative/data", home / ".local/share/qiravel"},
        {"/srv/data", "/srv/data/qiravel"},
    };
    for (const auto& [xdg, expected] : cases) {
        env.Set("XDG_DATA_HOME", xdg);
        EXPECT_EQ(UserDataFolder(), expected) << xdg.value_or("(unset)");
    }
}

TEST_F(InstalledProgram, SharedDataLiesBesideTheBinFolder)
{
    EXPECT_EQ(SharedDataFolder("/usr/bin"), "/usr/share/qiravel");
    EXPECT_EQ(SharedDataFolder(bin()), shared());
}

TEST_F(InstalledProgram, FirstStartMakesTheUserFolderWithTheInstalledDefaults)
{
    ASSERT_EQ(ResolveProgramFolder("", bin()), user());
    EXPECT_TRUE(fs::is_directory(user() / "dat"));
    EXPECT_EQ(Read(user() / "dat" / "dili.ini"), "[北京]\n北京=116:28*39:54\n");
    EXPECT_EQ(Read(user() / "skins" / "蓝色.skn"), "skin");
    EXPECT_FALSE(fs::exists(bin() / "dat"));
}

TEST_F(InstalledProgram, LaterStartsKeepTheUsersFilesAndRestoreOnlyMissingOnes)
{
    ResolveProgramFolder("", bin());
    Write(user() / "dat" / "dili.ini", "[自己的]\n");
    fs::remove(user() / "skins" / "蓝色.skn");
    Write(user() / "dat" / "ZiWei.dat", "cases");
    Write(shared() / "skins" / "新.skn", "new");

    ASSERT_EQ(ResolveProgramFolder("", bin()), user());
    EXPECT_EQ(Read(user() / "dat" / "dili.ini"), "[自己的]\n");
    EXPECT_EQ(Read(user() / "dat" / "ZiWei.dat"), "cases");
    EXPECT_EQ(Read(user() / "skins" / "蓝色.skn"), "skin");
    EXPECT_EQ(Read(user() / "skins" / "新.skn"), "new");
    for (const auto& entry : fs::recursive_directory_iterator(user()))
        EXPECT_EQ(entry.path().filename().string().find(".seeding"), std::string::npos) << entry.path();
}

TEST_F(InstalledProgram, WithoutInstalledDefaultsTheUserFolderStillGetsItsDatFolder)
{
    fs::remove_all(shared());
    ASSERT_EQ(ResolveProgramFolder("", bin()), user());
    EXPECT_TRUE(fs::is_directory(user() / "dat"));
}

TEST_F(InstalledProgram, SeedingReportsWhatCouldNotBeCopied)
{
    EXPECT_TRUE(SeedFolder(root.path() / "nothing-here", root.path() / "target"));
    // A file where the "dat" folder should go: the place table cannot be copied, the skin can.
    Write(root.path() / "target" / "dat", "a file, not a folder");
    EXPECT_FALSE(SeedFolder(shared(), root.path() / "target"));
    EXPECT_EQ(Read(root.path() / "target" / "dat"), "a file, not a folder");
    EXPECT_EQ(Read(root.path() / "target" / "skins" / "蓝色.skn"), "skin");
}

TEST(ProgramFolder, ABuildFolderIsItsOwnProgramFolder)
{
    Environment env;
    env.Set("QIRAVEL_HOME", std::nullopt);
    ASSERT_TRUE(fs::is_directory(ExecutableFolder() / "dat"));
    EXPECT_EQ(ResolveProgramFolder(), ExecutableFolder());
}
