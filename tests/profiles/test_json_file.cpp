#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "platform/Trace.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileTestSupport.h"

namespace warden {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

TEST(JsonFile, ReadsWholeFileAndTracesTheOpenResult) {
    TempDir dir;
    WriteText(dir / "a.json", "{\"x\":1}");
    TraceCapture traces;
    EXPECT_EQ(readjsonFile(dir / "a.json"), "{\"x\":1}");
    EXPECT_TRUE(traces.Contains("readjsonFile 错误吗：：0\n"));
    traces.Clear();
    EXPECT_EQ(readjsonFile(dir / "missing.json"), "");
    EXPECT_TRUE(traces.Contains("readjsonFile 错误吗：：2\n"));  // ENOENT
}

TEST(JsonFile, UnusableFilesReadAsNull) {
    TempDir dir;
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"empty.json", ""},
        {"broken.json", "{\"Device\": [ {\"LightInfo\": "},
        {"garbage.json", "\x01\x02\xff"},
        {"deep.json", nullptr},
    };
    for (const Case& c : cases) {
        const std::string text = c.text ? c.text : std::string(100000, '[');
        WriteText(dir / c.name, text);
        EXPECT_TRUE(ReadJsonValue(dir / c.name).isNull()) << c.name;
    }
    EXPECT_TRUE(ReadJsonValue(dir / "missing.json").isNull());
}

TEST(JsonFile, EmptyTextTracesThePath) {
    TempDir dir;
    TraceCapture traces;
    ReadJsonValue(dir / "nothing.json");
    EXPECT_TRUE(traces.Contains((dir / "nothing.json").string()));
}

TEST(JsonFile, WritesStyledSortedCrLfUtf8WithoutBom) {
    TempDir dir;
    Json::Value value;
    value["zeta"] = 1;
    value["alpha"] = "Grüße 配置";
    value["mid"]["b"] = Json::Value();
    value["mid"]["a"] = -5;
    EXPECT_EQ(WriteJsonFile(dir / "out.json", value), 0);

    const std::string text = ReadText(dir / "out.json");
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("Grüße 配置"), std::string::npos);
    EXPECT_LT(text.find("\"alpha\""), text.find("\"mid\""));
    EXPECT_LT(text.find("\"mid\""), text.find("\"zeta\""));
    EXPECT_LT(text.find("\"a\""), text.find("\"b\""));
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << "bare LF at " << i;
        }
    }
    EXPECT_EQ(ReadJsonValue(dir / "out.json"), value);
}

TEST(JsonFile, ByteOrderMarkOfImportedFilesIsSkipped) {
    TempDir dir;
    WriteText(dir / "bom.json", "\xEF\xBB\xBF{\"profilename\": \"x\"}");
    EXPECT_EQ(ReadJsonValue(dir / "bom.json")["profilename"].asString(), "x");
}

TEST(JsonFile, CommentsSurviveARoundTrip) {
    TempDir dir;
    WriteText(dir / "c.json", "{\n// kept\n\"a\": 1\n}");
    const Json::Value value = ReadJsonValue(dir / "c.json");
    WriteJsonFile(dir / "c.json", value);
    EXPECT_NE(ReadText(dir / "c.json").find("// kept"), std::string::npos);
}

TEST(JsonFile, FailingWriteKeepsOldFileAndStillReturnsZero) {
    TempDir dir;
    // Long enough that the temporary sibling's name exceeds NAME_MAX.
    const auto target = dir / std::string(250, 'p');
    WriteText(target, "{\"old\":true}");
    Json::Value value;
    value["new"] = true;
    TraceCapture traces;
    EXPECT_EQ(WriteJsonFile(target, value), 0);
    EXPECT_TRUE(traces.Contains("WriteJsonFile failed"));
    EXPECT_EQ(ReadText(target), "{\"old\":true}");
}

TEST(JsonFile, TimeStampNamesHaveTheFormatAndNeverRepeat) {
    const std::regex format(R"(\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}_\d{3})");
    std::set<std::string> seen;
    for (int i = 0; i < 5000; ++i) {
        const std::string name = MakeTimeStampName();
        ASSERT_TRUE(std::regex_match(name, format)) << name;
        ASSERT_TRUE(seen.insert(name).second) << "repeated " << name;
    }
}

TEST(JsonFile, KeepCorruptFileMovesItAside) {
    TempDir dir;
    WriteText(dir / "p.Json", "not json");
    const auto aside = KeepCorruptFile(dir / "p.Json");
    ASSERT_FALSE(aside.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "p.Json"));
    EXPECT_EQ(ReadText(aside), "not json");
    EXPECT_EQ(aside.filename().string().rfind("p.Json.corrupt-", 0), 0u);
}

}  // namespace
}  // namespace warden
