#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include "platform/AtomicFile.h"
#include "support/TempDir.h"

namespace warden {
namespace {

TEST(SettingsStore, ValuesSurviveANewStoreOnTheSameFile) {
    test::TempDir dir;
    {
        SettingsStore store(dir / "settings.json");
        EXPECT_TRUE(store.SetString("LANGUAGE", "lan_cn.xml"));
        EXPECT_TRUE(store.SetInt("Background", 3));
    }
    SettingsStore reopened(dir / "settings.json");
    EXPECT_EQ(reopened.GetString("LANGUAGE"), "lan_cn.xml");
    EXPECT_EQ(reopened.GetInt("Background"), 3);
    EXPECT_EQ(reopened.GetString("Missing"), std::nullopt);
}

TEST(SettingsStore, WrongTypesReadAsAbsent) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.json");
    ASSERT_TRUE(store.SetString("LANGUAGE", "en"));
    EXPECT_EQ(store.GetInt("LANGUAGE"), std::nullopt);
    ASSERT_TRUE(store.SetInt("Count", 2));
    EXPECT_EQ(store.GetString("Count"), std::nullopt);
}

TEST(SettingsStore, ACorruptFileReadsEmptyAndIsReplacedOnWrite) {
    test::TempDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "settings.json", "{ not json"));
    SettingsStore store(dir / "settings.json");
    EXPECT_EQ(store.GetString("LANGUAGE"), std::nullopt);
    EXPECT_TRUE(store.SetString("LANGUAGE", "en"));
    EXPECT_EQ(store.GetString("LANGUAGE"), "en");
}

TEST(SettingsStore, RemoveDropsTheValue) {
    test::TempDir dir;
    SettingsStore store(dir / "settings.json");
    ASSERT_TRUE(store.SetInt("Value", 1));
    EXPECT_TRUE(store.Remove("Value"));
    EXPECT_EQ(store.GetInt("Value"), std::nullopt);
}

}  // namespace
}  // namespace warden
