#include <gtest/gtest.h>

#include <vector>

#include "platform/hid/HidDescriptorParser.h"
#include "platform/hid/HidReportDecoder.h"
#include "platform/hid/HidTestDescriptors.h"

namespace warden {
namespace {

std::shared_ptr<const HidPreparsedData> Collection(const std::vector<uint8_t>& descriptor,
                                                   size_t index = 0) {
    auto parsed = HidDescriptorParser::Parse(descriptor);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    return parsed.ok ? parsed.collections.at(index) : nullptr;
}

std::vector<uint16_t> Usages(HidReportType type, uint16_t page, const HidPreparsedData& data,
                             const std::vector<uint8_t>& report, HidStatus* status = nullptr) {
    std::vector<uint16_t> list(HidMaxUsageListLength(type, page, &data));
    uint32_t length = static_cast<uint32_t>(list.size());
    const HidStatus s = HidGetUsages(type, page, list.data(), &length, &data, report);
    if (status != nullptr) *status = s;
    list.resize(length);
    return list;
}

struct UsagesCase {
    const char* name;
    const std::vector<uint8_t>* descriptor;
    size_t collection;
    uint16_t page;
    std::vector<uint8_t> report;
    std::vector<uint16_t> expected;
};

void PrintTo(const UsagesCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeUsages : public testing::TestWithParam<UsagesCase> {};

TEST_P(DecodeUsages, GivesTheUsagesThatAreOn) {
    const UsagesCase& c = GetParam();
    auto data = Collection(*c.descriptor, c.collection);
    ASSERT_NE(data, nullptr);
    HidStatus status = 0;
    EXPECT_EQ(Usages(HidReportType::Input, c.page, *data, c.report, &status), c.expected);
    EXPECT_EQ(status, kHidpStatusSuccess);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, DecodeUsages,
    testing::Values(
        UsagesCase{"MouseButtons1And3", &test::kBootMouse, 0, 0x09, {0, 0x05, 0x10, 0xF0}, {1, 3}},
        UsagesCase{"MouseNoButton", &test::kBootMouse, 0, 0x09, {0, 0x00, 0x10, 0xF0}, {}},
        UsagesCase{"KeyboardModifiersAndKeys",
                   &test::kBootKeyboard,
                   0,
                   0x07,
                   {0, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0},
                   {0xE1, 0x04, 0x05}},
        UsagesCase{"KeyboardSelectorOutOfRange",
                   &test::kBootKeyboard,
                   0,
                   0x07,
                   {0, 0, 0, 0x66, 0xFF, 0, 0, 0, 0},
                   {}},
        UsagesCase{"ConsumerVolumeUp", &test::kConsumerControl, 0, 0x0C, {3, 0xE9, 0x00}, {0xE9}},
        UsagesCase{"NotificationCode", &test::kMouseInterface1, 2, 0x0C, {3, 0x01, 0x04}, {0x401}},
        UsagesCase{"ShortReportDecodesWhatIsThere",
                   &test::kBootKeyboard,
                   0,
                   0x07,
                   {0, 0x01, 0, 0x04},
                   {0xE0, 0x04}}),
    [](const testing::TestParamInfo<UsagesCase>& p) { return p.param.name; });

TEST(HidReportDecoder, MaxUsageListLengthCountsEveryField) {
    auto keyboard = Collection(test::kBootKeyboard);
    EXPECT_EQ(HidMaxUsageListLength(HidReportType::Input, 0x07, keyboard.get()), 14u);
    EXPECT_EQ(HidMaxUsageListLength(HidReportType::Output, 0x08, keyboard.get()), 5u);
    EXPECT_EQ(HidMaxUsageListLength(HidReportType::Input, 0, keyboard.get()), 14u);
    EXPECT_EQ(HidMaxUsageListLength(HidReportType::Feature, 0x07, keyboard.get()), 0u);
    EXPECT_EQ(HidMaxUsageListLength(HidReportType::Input, 0x07, nullptr), 0u);
}

TEST(HidReportDecoder, UsageStatusesForWrongPageReportAndBuffer) {
    auto data = Collection(test::kMouseInterface1, 2);
    uint16_t list[1] = {};
    uint32_t length = 1;
    const std::vector<uint8_t> otherReport = {4, 1, 2};
    EXPECT_EQ(HidGetUsages(HidReportType::Input, 0x0C, list, &length, data.get(), otherReport),
              kHidpStatusIncompatibleReportId);
    length = 1;
    EXPECT_EQ(HidGetUsages(HidReportType::Input, 0x09, list, &length, data.get(), otherReport),
              kHidpStatusUsageNotFound);
    auto keyboard = Collection(test::kBootKeyboard);
    const std::vector<uint8_t> two = {0, 0x03, 0, 0, 0, 0, 0, 0, 0};
    length = 1;
    EXPECT_EQ(HidGetUsages(HidReportType::Input, 0x07, list, &length, keyboard.get(), two),
              kHidpStatusBufferTooSmall);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(list[0], 0xE0);
}

struct ValueCase {
    const char* name;
    std::vector<uint8_t> report;
    uint16_t usage;
    HidStatus rawStatus;
    uint32_t raw;
    HidStatus scaledStatus;
    int32_t scaled;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeValues : public testing::TestWithParam<ValueCase> {};

TEST_P(DecodeValues, RawAndScaled) {
    const ValueCase& c = GetParam();
    auto data = Collection(test::kScaledValues);
    uint32_t raw = 0xDEADBEEF;
    int32_t scaled = 12345;
    EXPECT_EQ(HidGetUsageValue(HidReportType::Input, 0x01, c.usage, &raw, data.get(), c.report),
              c.rawStatus);
    if (c.rawStatus == kHidpStatusSuccess) {
        EXPECT_EQ(raw, c.raw);
    }
    EXPECT_EQ(
        HidGetScaledUsageValue(HidReportType::Input, 0x01, c.usage, &scaled, data.get(), c.report),
        c.scaledStatus);
    if (c.scaledStatus == kHidpStatusSuccess) {
        EXPECT_EQ(scaled, c.scaled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, DecodeValues,
    testing::Values(
        ValueCase{"XOnPhysicalRange",
                  {0, 128, 0, 0},
                  0x30,
                  kHidpStatusSuccess,
                  128,
                  kHidpStatusSuccess,
                  501},
        ValueCase{"NegativeYIsRawUnsigned",
                  {0, 0, 0xF6, 0},
                  0x31,
                  kHidpStatusSuccess,
                  0xF6,
                  kHidpStatusSuccess,
                  0},
        ValueCase{"PositiveY", {0, 0, 5, 0}, 0x31, kHidpStatusSuccess, 5, kHidpStatusSuccess, 750},
        ValueCase{"YOutOfLogicalRange",
                  {0, 0, 11, 0},
                  0x31,
                  kHidpStatusSuccess,
                  11,
                  kHidpStatusValueOutOfRange,
                  0},
        ValueCase{
            "HatWithUnits", {0, 0, 0, 0x02}, 0x39, kHidpStatusSuccess, 2, kHidpStatusSuccess, 90},
        ValueCase{"HatNullState", {0, 0, 0, 0x08}, 0x39, kHidpStatusSuccess, 8, kHidpStatusNull, 0},
        ValueCase{"FieldPastShortReport",
                  {0, 1},
                  0x31,
                  kHidpStatusInvalidReportLength,
                  0,
                  kHidpStatusInvalidReportLength,
                  0},
        ValueCase{"UnknownUsage",
                  {0, 1, 2, 3},
                  0x35,
                  kHidpStatusUsageNotFound,
                  0,
                  kHidpStatusUsageNotFound,
                  0}),
    [](const testing::TestParamInfo<ValueCase>& p) { return p.param.name; });

TEST(HidReportDecoder, ValueWithoutPhysicalRangeHasNoScaledValue) {
    auto mouse = Collection(test::kBootMouse);
    const std::vector<uint8_t> report = {0, 0, 0xFF, 0x01};
    uint32_t raw = 0;
    int32_t scaled = 7;
    EXPECT_EQ(HidGetUsageValue(HidReportType::Input, 0x01, 0x30, &raw, mouse.get(), report),
              kHidpStatusSuccess);
    EXPECT_EQ(raw, 0xFFu);  // -1, not sign-extended
    EXPECT_EQ(
        HidGetScaledUsageValue(HidReportType::Input, 0x01, 0x30, &scaled, mouse.get(), report),
        kHidpStatusBadLogPhyValues);
    EXPECT_EQ(scaled, 0);
}

TEST(HidReportDecoder, ValueOfAnotherReportIsIncompatible) {
    auto vendor = Collection(test::kMouseInterface1, 3);
    uint32_t raw = 0;
    std::vector<uint8_t> report(64, 0);
    report[0] = 4;
    report[1] = 0x5A;
    EXPECT_EQ(HidGetUsageValue(HidReportType::Input, 0xFF1C, 0x01, &raw, vendor.get(), report),
              kHidpStatusSuccess);
    EXPECT_EQ(raw, 0x5Au);  // first element of the value array
    report[0] = 3;
    EXPECT_EQ(HidGetUsageValue(HidReportType::Input, 0xFF1C, 0x01, &raw, vendor.get(), report),
              kHidpStatusIncompatibleReportId);
    EXPECT_EQ(HidGetUsageValue(HidReportType::Input, 0xFF1C, 0x01, &raw, nullptr, report),
              kHidpStatusInvalidPreparsedData);
}

}  // namespace
}  // namespace warden
