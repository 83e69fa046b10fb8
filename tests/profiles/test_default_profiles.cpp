// The default profiles beside the program must agree with the key and
// equaliser tables the device kinds use, and carry every key of their kind.

#include <gtest/gtest.h>

#include <iterator>

#include "profiles/EqualiserPresets.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/KeyCodeTables.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "profiles/ProfileTestSupport.h"
#include "transport/DeviceKindTable.h"
#include "transport/DeviceLayoutTable.h"

namespace warden {
namespace {

// Keys of each kind beyond the common ones, in the row order of the kind and
// layout tables (mouse, keyboard, mousepad, headset).
const std::vector<std::string> kOwnKeys[] = {
    {"DPIStages", "SystemStages", "ReportStages", "CorrectInfo"},
    {"SystemStages", "CustomLightMode"},
    {},
    {"SystemSetStages", "EQHzValueInfo", "CustomEQNameInfo", "CustomEQHzValueInfo"},
};
static_assert(std::size(kOwnKeys) == kDeviceKinds.size());

std::string KindName(size_t row) {
    return std::string(kDeviceKinds[row].kindName);
}

Json::Value DefaultEntry(const char* kind) {
    return ReadJsonValue(test::DefaultProfile(kind))["Device"][0];
}

void ExpectCode(const KeyAssignmentRecord& key, const KeyCode& code) {
    EXPECT_EQ(key.Assignment(), code.Packed());
    EXPECT_EQ(key.DefaultAssignment(), code.Packed());
}

std::vector<KeyAssignmentRecord> DefaultKeys(const char* kind) {
    CBasicProfiledata data;
    data.LoadProfile(test::DefaultProfile(kind));
    return data.GetKeyList();
}

TEST(DefaultProfiles, EveryKindHasItsKeysAndOneLightZoneEntryPerZone) {
    for (size_t row = 0; row < kDeviceKinds.size(); ++row) {
        const std::string kind = KindName(row);
        SCOPED_TRACE(kind);
        const Json::Value root = ReadJsonValue(test::DefaultProfile(kind.c_str()));
        ASSERT_TRUE(root.isObject());
        EXPECT_TRUE(root["profilename"].isString());
        EXPECT_EQ(root["profileUUID"].asString(), kind);
        ASSERT_EQ(root["Device"].size(), 1u);
        const Json::Value entry = root["Device"][0];
        std::vector<std::string> keys = {"LightInfo", "LightList", "KeyList"};
        keys.insert(keys.end(), kOwnKeys[row].begin(), kOwnKeys[row].end());
        for (const std::string& key : keys) EXPECT_TRUE(entry.isMember(key)) << key;
        EXPECT_EQ(entry["LightInfo"].size(), 9u);
        // Null zone entries: no zone overrides the effect until the user sets one.
        EXPECT_EQ(entry["LightList"].size(),
                  static_cast<Json::ArrayIndex>(kDeviceLayouts[row].lightZoneCount));
        for (const Json::Value& zone : entry["LightList"]) EXPECT_TRUE(zone.isNull());
    }
}

TEST(DefaultProfiles, DefaultFilesAreWrittenAsTheProgramWritesThem) {
    for (const DeviceKindRow& row : kDeviceKinds) {
        const auto path = test::DefaultProfile(std::string(row.kindName).c_str());
        EXPECT_EQ(test::ReadText(path), StyledJsonText(ReadJsonValue(path))) << row.kindName;
    }
}

TEST(DefaultProfiles, KeyboardKeysAreTheStandardKeyCodes) {
    const auto keys = DefaultKeys("keyboard");
    ASSERT_EQ(keys.size(), kKeyboardKeyCount);
    for (size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectCode(keys[i], kStandardKeyCodes[i]);
    }
}

TEST(DefaultProfiles, MouseKeysAreTheFactoryCodes) {
    const auto keys = DefaultKeys("mouse");
    ASSERT_EQ(keys.size(), kMouseFactoryKeys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectCode(keys[i], kMouseFactoryKeys[i].factoryCode);
    }
    EXPECT_TRUE(DefaultKeys("MousePad").empty());
    EXPECT_TRUE(DefaultKeys("HD").empty());
}

TEST(DefaultProfiles, HeadsetPresetsAreTheEqualiserTable) {
    CHs6533Profiledata data;
    data.LoadProfile(test::DefaultProfile("HD"));
    for (int preset = 1; preset <= kEqualiserPresetCount; ++preset) {
        const EqualiserBands& bands = kEqualiserPresets[preset - 1];
        EXPECT_EQ(data.GetEQValues(preset), std::vector<int>(bands.begin(), bands.end())) << preset;
    }
    EXPECT_EQ(DefaultEntry("HD")["EQHzValueInfo"].size(), 13u);
    const auto values = data.GetSystemSetStages();
    EXPECT_GE(values[2], 1);
    EXPECT_LE(values[2], kEqualiserPresetCount);
}

TEST(DefaultProfiles, MouseHasUsableStagesAndCorrectionPresets) {
    CMouseProfiledata data;
    data.LoadProfile(test::DefaultProfile("mouse"));
    const auto stages = data.GetDPIStages();
    ASSERT_GE(stages.size(), 1u);
    ASSERT_LE(stages.size(), 7u);
    for (const DPIStageRecord& stage : stages) {
        EXPECT_LE(stage.dpiX, 73);
        EXPECT_EQ(stage.enable, 1);
    }
    EXPECT_LT(static_cast<size_t>(data.GetActiveStage()), stages.size());
    EXPECT_FALSE(data.GetCorrectInfo().empty());
}

TEST(DefaultProfiles, KeyboardHasACustomColourGroupForEveryKey) {
    CKeyboardProfiledata data;
    data.LoadProfile(test::DefaultProfile("keyboard"));
    const int group = data.GetCustomGroupIndex();
    EXPECT_EQ(DefaultEntry("keyboard")["CustomLightMode"]["LightColorInfo"][group].size(),
              kKeyboardKeyCount);
}

}  // namespace
}  // namespace warden
