#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempDir.h"

namespace warden {
namespace {

size_t FilesIn(const std::filesystem::path& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(AtomicFile, WritesAndReplacesWholeContent) {
    test::TempDir dir;
    const auto file = dir / "profile.json";
    ASSERT_TRUE(WriteFileAtomic(file, "first version, longer"));
    ASSERT_TRUE(WriteFileAtomic(file, "second"));
    std::string content;
    ASSERT_TRUE(ReadWholeFile(file, content));
    EXPECT_EQ(content, "second");
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << "no temporary file may be left behind";
}

TEST(AtomicFile, AWriteThatFailsHalfWayLeavesTheOldFileIntact) {
    test::TempDir dir;
    const auto file = dir / "profile.json";
    ASSERT_TRUE(WriteFileAtomic(file, "the user's settings"));
    const bool written = WriteFileAtomic(file, [](std::FILE* out) {
        std::fputs("{\"half\": ", out);
        return false;  // e.g. the disk filled up mid-way
    });
    EXPECT_FALSE(written);
    std::string content;
    ASSERT_TRUE(ReadWholeFile(file, content));
    EXPECT_EQ(content, "the user's settings");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, FailsCleanlyWhenTheFolderIsMissing) {
    test::TempDir dir;
    EXPECT_FALSE(WriteFileAtomic(dir / "missing/profile.json", "data"));
}

TEST(AtomicFile, KeepsThePermissionsOfTheReplacedFile) {
    test::TempDir dir;
    const auto file = dir / "private.json";
    ASSERT_TRUE(WriteFileAtomic(file, "a"));
    ASSERT_EQ(chmod(file.c_str(), 0600), 0);
    ASSERT_TRUE(WriteFileAtomic(file, "b"));
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(AtomicFile, ReadingAMissingFileFails) {
    test::TempDir dir;
    std::string content = "unchanged";
    EXPECT_FALSE(ReadWholeFile(dir / "nothing", content));
    EXPECT_EQ(content, "unchanged");
}

}  // namespace
}  // namespace warden
