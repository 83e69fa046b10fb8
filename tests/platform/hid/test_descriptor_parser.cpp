#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/hid/HidDescriptorParser.h"
#include "platform/hid/HidTestDescriptors.h"

namespace warden {
namespace {

using test::kBootKeyboard;
using test::kBootMouse;
using test::kConsumerControl;
using test::kMouseInterface1;
using test::kPushPopExtended;
using test::kScaledValues;

struct CollectionExpectation {
    uint16_t usagePage, usage;
    uint16_t inputLength, outputLength, featureLength;
    uint16_t inputButtonCaps, inputValueCaps, outputButtonCaps, outputValueCaps;
};

struct DescriptorCase {
    const char* name;
    const std::vector<uint8_t>* descriptor;
    bool usesReportIds;
    std::vector<CollectionExpectation> collections;
};

void PrintTo(const DescriptorCase& c, std::ostream* os) {
    *os << c.name;
}

class ParserShapes : public testing::TestWithParam<DescriptorCase> {};

TEST_P(ParserShapes, CollectionsLengthsAndCapsMatch) {
    const DescriptorCase& c = GetParam();
    const HidDescriptorParseResult parsed = HidDescriptorParser::Parse(*c.descriptor);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ASSERT_EQ(parsed.collections.size(), c.collections.size());
    for (size_t i = 0; i < c.collections.size(); ++i) {
        const CollectionExpectation& e = c.collections[i];
        const HidPreparsedData& data = *parsed.collections[i];
        const HidCaps& caps = data.Caps();
        SCOPED_TRACE(i);
        EXPECT_EQ(data.UsesReportIds(), c.usesReportIds);
        EXPECT_EQ(data.CollectionIndex(), i);
        EXPECT_EQ(caps.usagePage, e.usagePage);
        EXPECT_EQ(caps.usage, e.usage);
        EXPECT_EQ(caps.inputReportByteLength, e.inputLength);
        EXPECT_EQ(caps.outputReportByteLength, e.outputLength);
        EXPECT_EQ(caps.featureReportByteLength, e.featureLength);
        EXPECT_EQ(caps.numberInputButtonCaps, e.inputButtonCaps);
        EXPECT_EQ(caps.numberInputValueCaps, e.inputValueCaps);
        EXPECT_EQ(caps.numberOutputButtonCaps, e.outputButtonCaps);
        EXPECT_EQ(caps.numberOutputValueCaps, e.outputValueCaps);
        EXPECT_EQ(data.ButtonCaps(HidReportType::Input).size(), e.inputButtonCaps);
        EXPECT_EQ(data.ValueCaps(HidReportType::Output).size(), e.outputValueCaps);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ParserShapes,
    testing::Values(
        DescriptorCase{"BootMouse", &kBootMouse, false, {{0x01, 0x02, 4, 0, 0, 1, 2, 0, 0}}},
        DescriptorCase{"BootKeyboard", &kBootKeyboard, false, {{0x01, 0x06, 9, 2, 0, 2, 0, 1, 0}}},
        DescriptorCase{
            "ConsumerControl", &kConsumerControl, true, {{0x0C, 0x01, 3, 0, 0, 1, 0, 0, 0}}},
        DescriptorCase{"MouseInterface1",
                       &kMouseInterface1,
                       true,
                       {{0x01, 0x06, 8, 0, 0, 2, 0, 0, 0},
                        {0x01, 0x80, 2, 0, 0, 1, 0, 0, 0},
                        {0x0C, 0x01, 3, 0, 0, 1, 0, 0, 0},
                        {0xFF1C, 0x92, 64, 64, 0, 0, 1, 0, 1}}},
        DescriptorCase{"ScaledValues", &kScaledValues, false, {{0x01, 0x04, 4, 0, 0, 0, 3, 0, 0}}},
        DescriptorCase{
            "PushPopExtended", &kPushPopExtended, false, {{0x01, 0x02, 4, 0, 0, 1, 2, 0, 0}}}),
    [](const testing::TestParamInfo<DescriptorCase>& p) { return p.param.name; });

TEST(HidDescriptorParser, ButtonAndValueCapsCarryUsagesRangesAndLayout) {
    const auto parsed = HidDescriptorParser::Parse(kBootMouse);
    ASSERT_TRUE(parsed.ok);
    const HidPreparsedData& data = *parsed.collections[0];
    const HidButtonCaps& buttons = data.ButtonCaps(HidReportType::Input)[0];
    EXPECT_EQ(buttons.usagePage, 0x09);
    EXPECT_TRUE(buttons.isRange);
    EXPECT_EQ(buttons.usageMin, 1);
    EXPECT_EQ(buttons.usageMax, 3);
    EXPECT_EQ(buttons.bitOffset, 8u);
    EXPECT_EQ(buttons.linkCollection, 1);  // inside the physical pointer collection
    const auto values = data.ValueCaps(HidReportType::Input);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].usageMin, 0x30);
    EXPECT_EQ(values[1].usageMin, 0x31);
    EXPECT_FALSE(values[0].isRange);
    EXPECT_FALSE(values[0].isAbsolute);
    EXPECT_EQ(values[0].logicalMin, -127);
    EXPECT_EQ(values[0].logicalMax, 127);
    EXPECT_EQ(values[1].bitOffset, 24u);
    EXPECT_EQ(data.Caps().numberLinkCollectionNodes, 2);
}

TEST(HidDescriptorParser, ReportIdsBelongToTheirCollections) {
    const auto parsed = HidDescriptorParser::Parse(kMouseInterface1);
    ASSERT_TRUE(parsed.ok);
    const HidPreparsedData& vendor = *parsed.collections[3];
    EXPECT_TRUE(vendor.OwnsReportId(HidReportType::Input, 4));
    EXPECT_TRUE(vendor.OwnsReportId(HidReportType::Output, 4));
    EXPECT_FALSE(vendor.OwnsReportId(HidReportType::Input, 3));
    EXPECT_TRUE(parsed.collections[2]->OwnsReportId(HidReportType::Input, 3));
    const HidValueCaps& payload = vendor.ValueCaps(HidReportType::Input)[0];
    EXPECT_EQ(payload.reportCount, 63);  // one usage takes every field
    EXPECT_EQ(payload.reportId, 4);
}

TEST(HidDescriptorParser, PushPopExtendedUsagesAndDelimiters) {
    const auto parsed = HidDescriptorParser::Parse(kPushPopExtended);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const HidPreparsedData& data = *parsed.collections[0];
    EXPECT_EQ(data.ButtonCaps(HidReportType::Input)[0].usagePage, 0x09);
    const auto values = data.ValueCaps(HidReportType::Input);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].usagePage, 0x01);  // restored by pop
    EXPECT_EQ(values[0].usageMin, 0x38);   // extended usage
    EXPECT_EQ(values[1].usageMin, 0x30);   // first of the alias set
    EXPECT_EQ(values[1].bitOffset, 24u);
}

TEST(HidDescriptorParser, ArrayUsagesShareTheirField) {
    const auto parsed = HidDescriptorParser::Parse(kBootKeyboard);
    ASSERT_TRUE(parsed.ok);
    const HidButtonCaps& keys = parsed.collections[0]->ButtonCaps(HidReportType::Input)[1];
    EXPECT_TRUE(keys.isArray);
    EXPECT_EQ(keys.usageMin, 0x00);
    EXPECT_EQ(keys.usageMax, 0x65);
    EXPECT_EQ(keys.reportCount, 6);
    EXPECT_EQ(keys.bitOffset, 24u);
    const HidButtonCaps& leds = parsed.collections[0]->ButtonCaps(HidReportType::Output)[0];
    EXPECT_EQ(leds.usagePage, 0x08);
    EXPECT_EQ(leds.usageMax, 5);
}

struct MalformedCase {
    const char* name;
    std::vector<uint8_t> descriptor;
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name;
}

class ParserRefuses : public testing::TestWithParam<MalformedCase> {};

TEST_P(ParserRefuses, MalformedDescriptor) {
    const auto parsed = HidDescriptorParser::Parse(GetParam().descriptor);
    EXPECT_FALSE(parsed.ok);
    EXPECT_FALSE(parsed.error.empty());
    EXPECT_TRUE(parsed.collections.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ParserRefuses,
    testing::Values(
        MalformedCase{"Empty", {}},
        MalformedCase{"TruncatedItem", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}},
        MalformedCase{"TruncatedLongItem", {0xFE, 0x05, 0x10, 0x00}},
        MalformedCase{"EndWithoutCollection", {0x05, 0x01, 0xC0}},
        MalformedCase{"CollectionNeverClosed", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        MalformedCase{"MainItemOutsideCollection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        MalformedCase{"PopWithoutPush", {0x05, 0x01, 0xB4}},
        MalformedCase{"ReportIdZero", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
        MalformedCase{
            "AbsurdReportLength",
            {0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x75, 0x08, 0x96, 0x00, 0x20, 0x81, 0x02, 0xC0}},
        MalformedCase{
            "FieldWiderThan32Bits",
            {0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x75, 0x40, 0x95, 0x01, 0x81, 0x02, 0xC0}},
        MalformedCase{"NoCollection", {0x05, 0x01, 0x09, 0x02}}),
    [](const testing::TestParamInfo<MalformedCase>& p) { return p.param.name; });

TEST(HidDescriptorParser, RefusesOverlongDescriptor) {
    std::vector<uint8_t> descriptor(kHidMaxDescriptorBytes + 1, 0x00);
    EXPECT_FALSE(HidDescriptorParser::Parse(descriptor).ok);
}

std::vector<uint8_t> FromHex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    std::string word;
    while (in >> word) bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    return bytes;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Captured descriptors of real devices kept with the tests.
TEST(HidDescriptorParser, ParsesCapturedDescriptors) {
    struct Captured {
        const char* file;
        size_t collections;
        uint16_t usagePage, usage, inputLength;
    };
    const Captured cases[] = {
        {"keyboard_979.hex", 1, 0x01, 0x06, 21},
        {"keyboard_ArrayKeyboard.hex", 1, 0x01, 0x06, 9},
        {"mouse_992.hex", 1, 0x01, 0x02, 4},
    };
    for (const Captured& c : cases) {
        SCOPED_TRACE(c.file);
        const auto bytes = FromHex(ReadText(std::string(WARDEN_TESTDATA_DIR) + "/hid/" + c.file));
        ASSERT_FALSE(bytes.empty());
        const auto parsed = HidDescriptorParser::Parse(bytes);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        ASSERT_EQ(parsed.collections.size(), c.collections);
        EXPECT_EQ(parsed.collections[0]->Caps().usagePage, c.usagePage);
        EXPECT_EQ(parsed.collections[0]->Caps().usage, c.usage);
        EXPECT_EQ(parsed.collections[0]->Caps().inputReportByteLength, c.inputLength);
    }
}

// The whole shared collection, when present: every descriptor must give a
// clear outcome, and the well-formed ones must parse.
TEST(HidDescriptorParser, SharedCollectionOfRealDescriptors) {
    const std::string text =
        ReadText(std::string(WARDEN_SHARED_TESTDATA_DIR) + "/hid-descriptors.json");
    if (text.empty()) GTEST_SKIP() << "shared HID descriptors not available";
    size_t total = 0, parsed = 0;
    for (size_t at = text.find("\": \""); at != std::string::npos;
         at = text.find("\": \"", at + 1)) {
        const size_t end = text.find('"', at + 4);
        const std::string hex = text.substr(at + 4, end - at - 4);
        if (hex.find_first_not_of("0123456789abcdefABCDEF ") != std::string::npos) continue;
        ++total;
        const auto result = HidDescriptorParser::Parse(FromHex(hex));
        if (result.ok) {
            ++parsed;
            for (const auto& c : result.collections) {
                EXPECT_LE(c->Caps().inputReportByteLength, kHidMaxReportBytes);
            }
        }
    }
    EXPECT_GE(total, 100u);
    EXPECT_EQ(parsed, total);
}

}  // namespace
}  // namespace warden
