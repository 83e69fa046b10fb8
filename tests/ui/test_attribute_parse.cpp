#include <gtest/gtest.h>

#include "ui/AttributeParse.h"

namespace warden {
namespace {

TEST(AttributeParse, ColorForms) {
    EXPECT_EQ(ParseColor("#FF202020"), 0xFF202020u);
    EXPECT_EQ(ParseColor("#202020"), 0xFF202020u);
    EXPECT_EQ(ParseColor("0x80112233"), 0x80112233u);
    EXPECT_EQ(ParseColor("#GG0000"), std::nullopt);
    EXPECT_EQ(ParseColor(""), std::nullopt);
}

}  // namespace
}  // namespace warden
