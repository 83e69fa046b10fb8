#include <gtest/gtest.h>

#include "emulator/EmulatedKinds.h"

namespace warden {
namespace {

using Kinds = std::vector<EmulatedKind>;

struct ParseCase {
    const char* name;
    const char* text;
    Kinds expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseEmulatedKindsTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseEmulatedKindsTest, GivesKindsInPluggingOrder) {
    std::string error;
    const auto kinds = ParseEmulatedKinds(GetParam().text, &error);
    ASSERT_TRUE(kinds.has_value()) << error;
    EXPECT_EQ(*kinds, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseEmulatedKindsTest,
    ::testing::Values(ParseCase{"OneKind", "mouse", {EmulatedKind::Mouse}},
                      ParseCase{"PluggingOrder",
                                "mousepad,keyboard",
                                {EmulatedKind::Keyboard, EmulatedKind::MousePad}},
                      ParseCase{"BlanksCaseAndRepeats",
                                " Mouse , mouse,HEADSET",
                                {EmulatedKind::Mouse, EmulatedKind::Headset}},
                      ParseCase{"All",
                                "all",
                                {EmulatedKind::Keyboard, EmulatedKind::Mouse,
                                 EmulatedKind::MousePad, EmulatedKind::Headset}},
                      ParseCase{"AllAmongOthers",
                                "headset,all,",
                                {EmulatedKind::Keyboard, EmulatedKind::Mouse,
                                 EmulatedKind::MousePad, EmulatedKind::Headset}}),
    [](const ::testing::TestParamInfo<ParseCase>& p) { return std::string(p.param.name); });

TEST(ParseEmulatedKinds, RefusesUnknownWordsAndEmptyLists) {
    for (const char* text : {"mouse,trackball", "", " , ", "mice"}) {
        std::string error;
        EXPECT_FALSE(ParseEmulatedKinds(text, &error).has_value()) << text;
        EXPECT_NE(error.find("--emulate"), std::string::npos) << text;
    }
    std::string error;
    ParseEmulatedKinds("mouse,trackball", &error);
    EXPECT_NE(error.find("\"trackball\""), std::string::npos);
}

}  // namespace
}  // namespace warden
