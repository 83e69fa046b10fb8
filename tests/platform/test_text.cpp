#include "platform/Text.h"

#include <gtest/gtest.h>

namespace warden {
namespace {

TEST(Text, CaseInsensitiveComparison) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"VID_320F", "vid_320f", 0},     {"abc", "abd", -1}, {"abc", "ab", 1},
        {"", "", 0},                     {"Ä", "ä", -1},  // only ASCII folds
        {"&MI_01&Col04", "&mi_01&col04", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareNoCase(c.a, c.b), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(EqualsNoCase(c.a, c.b), c.expected == 0) << c.a << " vs " << c.b;
    }
}

TEST(Text, ContainsNoCaseFindsFragments) {
    EXPECT_TRUE(ContainsNoCase("\\\\?\\hid#VID_320F&PID_220F&MI_01", "vid_320f"));
    EXPECT_FALSE(ContainsNoCase("hid#vid_320f", "pid_"));
    EXPECT_TRUE(ContainsNoCase("anything", ""));
}

TEST(Text, FormatHandlesShortAndLongOutput) {
    EXPECT_EQ(Format("软件标示：%d", 49152), "软件标示：49152");
    const std::string longText(1000, 'x');
    EXPECT_EQ(Format("%s!", longText.c_str()), longText + "!");
    EXPECT_EQ(ToLowerAscii("MI_01&COL04"), "mi_01&col04");
}

}  // namespace
}  // namespace warden
