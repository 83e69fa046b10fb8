#include <gtest/gtest.h>

#include "platform/Trace.h"
#include "profiles/BasicProfiledata.h"
#include "profiles/ProfileTestSupport.h"

namespace warden {
namespace {

using test::Parse;
using test::ReadText;
using test::TempDir;
using test::WriteText;

constexpr const char* kDefault = R"({"profilename":"Default","profileUUID":"mouse","Device":[
  {"LightInfo":{"SelectItem":3,"LogoSelectItem":1,"Light":4,"Speed":2,"MultiColor":1,
                "Red":10,"Green":20,"Blue":30,"Fx":1},
   "LightList":[null,{"LEDREGMode":1,"LEDBrightness":3,"LEDSpeed":2,"LEDMultiColor":5,
                      "LEDDirection":0,"red":1,"green":2,"blue":3}],
   "KeyList":[{"Assignment":1048832,"DefaultAssignment":1048832},
              {"Assignment":1049600,"DefaultAssignment":1049600}]}]})";

class BasicProfiledataTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteText(m_dir / "default.Json", kDefault);
        m_data.SetDefaultPath(m_dir / "default.Json");
        m_data.SetProfilePath(m_dir / "p.Json");
    }
    Json::Value FileOnDisk() { return Parse(ReadText(m_dir / "p.Json")); }

    TempDir m_dir;
    CBasicProfiledata m_data;
};

TEST_F(BasicProfiledataTest, MissingFileBecomesAFileHoldingOnlyDevice) {
    const Json::Value entry = m_data.LoadProfile(m_dir / "p.Json");
    const Json::Value file = FileOnDisk();
    EXPECT_EQ(file.getMemberNames(), std::vector<std::string>{"Device"});
    EXPECT_EQ(file["Device"][0], Parse(kDefault)["Device"][0]);
    EXPECT_EQ(entry, file["Device"][0]);
}

TEST_F(BasicProfiledataTest, EmptyDeviceIsCompletedFromDefaultKeepingOtherMembers) {
    WriteText(m_dir / "p.Json", R"({"profilename":"Mine","profileUUID":"u1","Device":[]})");
    m_data.LoadProfile(m_dir / "p.Json");
    const Json::Value file = FileOnDisk();
    EXPECT_EQ(file["profilename"].asString(), "Mine");
    EXPECT_EQ(file["profileUUID"].asString(), "u1");
    EXPECT_EQ(file["Device"][0], Parse(kDefault)["Device"][0]);
}

TEST_F(BasicProfiledataTest, ExistingEntryIsLoadedWithoutWriting) {
    const std::string text = R"({"Device":[{"KeyList":[]}]})";
    WriteText(m_dir / "p.Json", text);
    EXPECT_EQ(m_data.LoadProfile(m_dir / "p.Json"), Parse(R"({"KeyList":[]})"));
    EXPECT_EQ(ReadText(m_dir / "p.Json"), text);
}

TEST_F(BasicProfiledataTest, UnparsableProfileIsKeptAsideBeforeBeingCompleted) {
    const char* damaged[] = {"{\"Device\": [ {\"Light", "[1, 2, 3]", R"({"Device": "text"})",
                             R"({"Device": [17]})"};
    for (const char* text : damaged) {
        TempDir dir;
        WriteText(dir / "p.Json", text);
        m_data.LoadProfile(dir / "p.Json");
        EXPECT_EQ(test::CountFilesStartingWith(dir.Path(), "p.Json.corrupt-"), 1) << text;
        EXPECT_EQ(Parse(ReadText(dir / "p.Json"))["Device"][0], Parse(kDefault)["Device"][0]);
        for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
            if (item.path().filename() != "p.Json") {
                EXPECT_EQ(ReadText(item.path()), text);
            }
        }
    }
}

TEST_F(BasicProfiledataTest, UnparsableProfileThatCannotBeKeptAsideIsNotOverwritten) {
    // The aside name would exceed NAME_MAX, so the rename fails.
    const auto path = m_dir / (std::string(240, 'q') + ".Json");
    WriteText(path, "{broken");
    m_data.SetProfilePath(path);
    const Json::Value entry = m_data.LoadProfile(path);
    EXPECT_EQ(ReadText(path), "{broken");
    EXPECT_EQ(entry, Parse(kDefault)["Device"][0]);
    m_data.Save();
    EXPECT_EQ(ReadText(path), "{broken");
}

TEST_F(BasicProfiledataTest, SaveBeforeAnyLoadLeavesTheFileAlone) {
    WriteText(m_dir / "p.Json", kDefault);
    m_data.Save();
    EXPECT_EQ(ReadText(m_dir / "p.Json"), kDefault);
}

TEST_F(BasicProfiledataTest, SaveKeepsOtherMembersAndNullsOfAbsentKeys) {
    WriteText(
        m_dir / "p.Json",
        R"({"profilename":"Mine","profileUUID":"u1","extra":[1],"Device":[{"LightInfo":null}]})");
    m_data.LoadProfile(m_dir / "p.Json");
    m_data.GetKeyList();  // "KeyList" is absent: the lookup leaves it as null
    m_data.Save();
    const Json::Value file = FileOnDisk();
    EXPECT_EQ(file["profilename"].asString(), "Mine");
    EXPECT_EQ(file["extra"], Parse("[1]"));
    ASSERT_TRUE(file["Device"][0].isMember("KeyList"));
    EXPECT_TRUE(file["Device"][0]["KeyList"].isNull());
    ASSERT_TRUE(file["Device"][0].isMember("LightInfo"));
    EXPECT_TRUE(file["Device"][0]["LightInfo"].isNull());
}

TEST_F(BasicProfiledataTest, NullLightInfoKeepsTheRecordInMemory) {
    m_data.LoadProfile(m_dir / "p.Json");
    const LightInfoRecord loaded = m_data.GetLightInfo();
    EXPECT_EQ(loaded.selectItem, 3);
    EXPECT_EQ(loaded.logoSelectItem, 1);
    WriteText(m_dir / "p.Json", R"({"Device":[{"LightInfo":null}]})");
    m_data.LoadProfile(m_dir / "p.Json");
    EXPECT_EQ(m_data.GetLightInfo(), loaded);
}

TEST_F(BasicProfiledataTest, LightInfoWordsRoundTripThroughTheFile) {
    m_data.LoadProfile(m_dir / "p.Json");
    // SelectItem 7, Light 2, Speed 1, Fx 1; MultiColor 1, RGB 0x11 0x22 0x33; logo 5.
    m_data.SetLightInfo(0x01010207u, 0x33221101u, 0x00BBAA05u);
    const LightInfoRecord set = m_data.GetLightInfo();
    EXPECT_EQ(set.Word1(), 0x01010207u);
    EXPECT_EQ(set.Word2(), 0x33221101u);
    EXPECT_EQ(set.Word3(), 0x00BBAA05u);
    m_data.Save();
    const Json::Value info = FileOnDisk()["Device"][0]["LightInfo"];
    EXPECT_EQ(info.size(), 9u);
    EXPECT_EQ(info["Red"].asInt(), 0x11);
    EXPECT_EQ(info["LogoSelectItem"].asInt(), 5);

    CBasicProfiledata fresh;
    fresh.LoadProfile(m_dir / "p.Json");
    const LightInfoRecord read = fresh.GetLightInfo();
    EXPECT_EQ(read.Word1(), 0x01010207u);
    EXPECT_EQ(read.Word2(), 0x33221101u);
    EXPECT_EQ(read.Word3(), 0x05u);  // the two further bytes are not stored
}

TEST_F(BasicProfiledataTest, LightListGivesPresentFlagsAndFlagConversion) {
    m_data.LoadProfile(m_dir / "p.Json");
    const auto zones = m_data.GetLightList();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0], LightZoneRecord{});
    EXPECT_EQ(zones[1], (LightZoneRecord{1, 3, 2, 0, 1, 1, 2, 3, 1}));
}

TEST_F(BasicProfiledataTest, SetKeyListAndSaveLeaveDefaultAssignmentsAlone) {
    m_data.LoadProfile(m_dir / "p.Json");
    auto keys = m_data.GetKeyList();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1].kind, 0x10);
    EXPECT_EQ(keys[1].high, 0x04);
    EXPECT_EQ(keys[1].keyIndex, 1);
    for (auto& key : keys) {
        key.kind = 0x70;
        key.high = 2;
        key.low = 0;
        key.defaultKind = 0x99;  // must never reach the file
    }
    m_data.SetKeyList(keys);
    m_data.Save();
    const Json::Value list = FileOnDisk()["Device"][0]["KeyList"];
    EXPECT_EQ(list[0]["Assignment"].asInt(), 0x700200);
    EXPECT_EQ(list[0]["DefaultAssignment"].asInt(), 1048832);
    EXPECT_EQ(list[1]["DefaultAssignment"].asInt(), 1049600);
}

TEST_F(BasicProfiledataTest, WrongTypesReadAsAbsentWithoutThrowing) {
    m_data.LoadProfile(test::Fixture("wrong_types.Json"));
    EXPECT_NO_THROW({
        const LightInfoRecord info = m_data.GetLightInfo();
        EXPECT_EQ(info.red, 0);                      // "Red": "255"
        EXPECT_EQ(info.light, 0);                    // "Light": {}
        EXPECT_EQ(info.speed, 3);                    // 3.9 truncated
        EXPECT_EQ(info.multiColor, 1);               // true
        EXPECT_EQ(info.selectItem, 1);               // 257 cut to 8 bits
        EXPECT_EQ(info.green, 0);                    // 1e300
        EXPECT_TRUE(m_data.GetLightList().empty());  // "LightList": "none"
        const auto keys = m_data.GetKeyList();
        ASSERT_EQ(keys.size(), 3u);
        EXPECT_EQ(keys[0].Assignment(), 0u);  // element is a string
        EXPECT_EQ(keys[1].Assignment(), 0u);  // "Assignment": [1]
        EXPECT_EQ(keys[2].Assignment(), 0x200004u);
    });
}

TEST_F(BasicProfiledataTest, SettersReplaceWrongTypedContainers) {
    m_data.LoadProfile(test::Fixture("wrong_types.Json"));
    std::vector<KeyAssignmentRecord> keys(1);
    keys[0].kind = 0x20;
    keys[0].low = 4;
    EXPECT_NO_THROW(m_data.SetKeyList(keys));
    EXPECT_EQ(m_data.GetKeyList()[0].Assignment(), 0x200004u);
}

class EffectStepsTest : public BasicProfiledataTest {
protected:
    void SetUp() override {
        BasicProfiledataTest::SetUp();
        WriteText(m_dir / "steps.light", R"({"LEDEffectList":[
            {"LEDREGMode":1,"LEDDirection":true,"LEDBrightness":4,"LEDSpeed":2,"LEDMultiColor":0,
             "red":255,"green":128,"blue":0,"Time":1500,"Cyle":3},
            {"LEDREGMode":0,"Time":200}]})");
        Json::Value config;
        config["LightInfo"][0][0]["Guid"] = (m_dir / "absent").string();
        config["LightInfo"][0][0]["LightName"] = "first";
        config["LightInfo"][0][1]["Guid"] = (m_dir / "steps").string();
        config["LightInfo"][0][1]["LightName"] = "second";
        WriteJsonFile(m_dir / "tavix_light.config", config);
        m_data.SetBuiltInEffectCount(9);
        m_data.LoadProfile(m_dir / "p.Json");
        m_data.LoadLightConfig(m_dir / "tavix_light.config");
    }
    void Select(uint8_t effect) {
        m_data.SetLightInfo(effect, 0, 0);
        m_data.GetLightInfo();
    }
};

TEST_F(EffectStepsTest, CustomEffectReadsItsLightFile) {
    Select(10);
    const auto steps = m_data.GetEffectSteps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], (LightEffectStep{1, 4, 2, 1, 0, 255, 128, 0, 1500, 3}));
    EXPECT_EQ(steps[1].time, 200u);
}

TEST_F(EffectStepsTest, BuiltInEffectOrMissingFileGivesNoSteps) {
    for (uint8_t effect : {3, 9, 40}) {
        Select(effect);
        EXPECT_TRUE(m_data.GetEffectSteps().empty()) << int(effect);
    }
}

}  // namespace
}  // namespace warden
