#include "platform/RegisteredMessages.h"

#include <gtest/gtest.h>

namespace warden {
namespace {

TEST(RegisteredMessages, EqualNamesGiveEqualNumbersInTheRegisteredRange) {
    const uint32_t product = RegisterWindowMessage("VDL-K42 WARDEN");
    const uint32_t guid = RegisterWindowMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF15}");
    EXPECT_GE(product, kFirstRegisteredMessage);
    EXPECT_LE(product, 0xFFFFu);
    EXPECT_NE(product, guid);
    EXPECT_EQ(RegisterWindowMessage("VDL-K42 WARDEN"), product);
    EXPECT_EQ(RegisterWindowMessage(std::string("{4695579F-999A-41d4-9FAF-EFFCE93EBF15}")), guid);
}

TEST(RegisteredMessages, NewNamesCountUpward) {
    const uint32_t first = RegisterWindowMessage("test.first-new-name");
    const uint32_t second = RegisterWindowMessage("test.second-new-name");
    EXPECT_EQ(second, first + 1);
}

}  // namespace
}  // namespace warden
