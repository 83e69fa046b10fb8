#include "platform/Folders.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace warden {
namespace {

TEST(Folders, UserFoldersFollowXdgAndAreCreated) {
    test::TempDir dir;
    test::ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
    test::ScopedEnv config("XDG_CONFIG_HOME", (dir / "config").string());
    test::ScopedEnv cache("XDG_CACHE_HOME", (dir / "cache").string());

    EXPECT_EQ(folders::UserDataFolder(), dir / "data/VDL-K42 WARDEN");
    EXPECT_EQ(folders::ConfigFolder(), dir / "config/VDL-K42 WARDEN");
    EXPECT_EQ(folders::CacheFolder(), dir / "cache/VDL-K42 WARDEN");
    for (const char* created : {"data/VDL-K42 WARDEN", "config/VDL-K42 WARDEN"}) {
        EXPECT_TRUE(std::filesystem::is_directory(dir / created)) << created;
    }
}

TEST(Folders, RelativeXdgValuesAreIgnoredForHome) {
    test::TempDir dir;
    test::ScopedEnv home("HOME", dir.Path().string());
    test::ScopedEnv data("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(folders::UserDataFolder(), dir / ".local/share/VDL-K42 WARDEN");
}

TEST(Folders, RuntimeFolderIsPrivate) {
    test::TempDir dir;
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().string());
    const auto folder = folders::RuntimeFolder();
    ASSERT_EQ(folder, dir / "VDL-K42 WARDEN");
    const auto perms = std::filesystem::status(folder).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

TEST(Folders, DataFolderCanBeOverridden) {
    test::TempDir dir;
    test::ScopedEnv data("WARDEN_DATA_DIR", dir.Path().string());
    EXPECT_EQ(folders::DataFolder(), dir.Path());
}

TEST(Folders, ProgramFolderHoldsTheTestExecutable) {
    EXPECT_TRUE(std::filesystem::is_directory(folders::ProgramFolder()));
}

TEST(Folders, EnsureFolderFailsWhereAFileStands) {
    test::TempDir dir;
    std::FILE* file = std::fopen((dir / "plain").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_FALSE(folders::EnsureFolder(dir / "plain/below"));
}

}  // namespace
}  // namespace warden
