#include <gtest/gtest.h>

#include <vector>

#include "emulator/CEmulatedFirmware.h"
#include "profiles/KeyCodeTables.h"

namespace warden {
namespace {

Frame Request(uint8_t command, uint8_t length, uint16_t offset, std::vector<uint8_t> payload = {}) {
    Frame frame = MakeFrame(command, length, offset);
    std::copy(payload.begin(), payload.end(), frame.begin() + kFramePayloadByte);
    SealFrame(frame);
    return frame;
}

Frame OnlyReply(CEmulatedFirmware& firmware, const Frame& request) {
    FirmwareResponse response = firmware.HandleFrame(request);
    EXPECT_EQ(response.reports.size(), 1u);
    return response.reports.empty() ? Frame{} : response.reports.front();
}

TEST(EmulatedFirmware, RepliesEchoHeaderWithValidChecksum) {
    CEmulatedFirmware firmware(MouseFirmware());
    const Frame reply = OnlyReply(firmware, Request(kCmdReadInfo, 33, 0));
    EXPECT_EQ(reply[kFrameReportIdByte], kCommandReportId);
    EXPECT_EQ(reply[kFrameCommandByte], kCmdReadInfo);
    EXPECT_EQ(reply[kFrameLengthByte], 33);
    EXPECT_EQ(reply[kFrameStatusByte], 0);
    EXPECT_TRUE(HasValidChecksum(reply));
    EXPECT_EQ(reply[kFramePayloadByte + DeviceInfoBlock::kKeyPositionsByte], 16);
    EXPECT_EQ(reply[kFramePayloadByte + DeviceInfoBlock::kMacroUnitsByte], 32);
    EXPECT_EQ(reply[kFramePayloadByte + DeviceInfoBlock::kDpiStepByte], 100);
    EXPECT_EQ(reply[kFramePayloadByte + DeviceInfoBlock::kLowestDpiByte], 200);
}

TEST(EmulatedFirmware, BadChecksumIsAnsweredWithFFAndCounted) {
    CEmulatedFirmware firmware(MouseFirmware());
    Frame request = Request(kCmdWriteMemory, 2, 0x100, {7, 8});
    request[kFrameChecksumLowByte] ^= 1;
    const Frame reply = OnlyReply(firmware, request);
    EXPECT_EQ(reply[kFrameStatusByte], kStatusFailFF);
    EXPECT_EQ(firmware.BadChecksumCount(), 1u);
    EXPECT_EQ(firmware.Memory(0x100, 2), (std::vector<uint8_t>{0, 0}));
    EXPECT_EQ(firmware.FrameCount(), 1u);
}

TEST(EmulatedFirmware, ReportsOfWrongShapeAreRejectedUnanswered) {
    CEmulatedFirmware firmware(MouseFirmware());
    std::vector<uint8_t> shortReport(17, 0);
    shortReport[0] = 0xFF;
    EXPECT_TRUE(firmware.HandleFrame(shortReport).reports.empty());
    Frame wrongId = Request(kCmdBeginConfig, 0, 0);
    wrongId[0] = 5;
    EXPECT_TRUE(firmware.HandleFrame(wrongId).reports.empty());
    EXPECT_EQ(firmware.RejectedReportCount(), 2u);
    EXPECT_EQ(firmware.FrameCount(), 0u);
}

TEST(EmulatedFirmware, MemoryWritesAndReadsBack) {
    CEmulatedFirmware firmware(MouseFirmware());
    OnlyReply(firmware, Request(kCmdWriteMemory, 3, 0x80, {1, 2, 3}));
    const Frame reply = OnlyReply(firmware, Request(kCmdReadMemory, 3, 0x80));
    EXPECT_EQ(reply[kFramePayloadByte], 1);
    EXPECT_EQ(reply[kFramePayloadByte + 2], 3);
    EXPECT_EQ(reply[kFramePayloadByte + 3], 0);
}

struct OutOfRangeCase {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    uint8_t status;
};

std::string CaseName(const OutOfRangeCase& c) {
    char name[48];
    std::snprintf(name, sizeof name, "Command%02X_Length%u_Offset%u", c.command, c.length,
                  c.offset);
    return name;
}
void PrintTo(const OutOfRangeCase& c, std::ostream* os) {
    *os << CaseName(c);
}

class EmulatedFirmwareRange : public ::testing::TestWithParam<OutOfRangeCase> {};

TEST_P(EmulatedFirmwareRange, OutOfRangeAccessFails) {
    CEmulatedFirmware firmware(MouseFirmware());  // 4 KiB memory, 4 KiB macros
    const OutOfRangeCase& c = GetParam();
    EXPECT_EQ(OnlyReply(firmware, Request(c.command, c.length, c.offset))[kFrameStatusByte],
              c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmulatedFirmwareRange,
    ::testing::Values(OutOfRangeCase{kCmdReadMemory, 8, 4092, kStatusFailFF},
                      OutOfRangeCase{kCmdReadInfo, 8, 30, kStatusFailFF},
                      OutOfRangeCase{kCmdWriteKeyTable, 8, 510, kStatusFailFF},
                      OutOfRangeCase{kCmdReadStatus, 7, 0, kStatusFailFF},
                      OutOfRangeCase{kCmdReadMemory, 57, 0, kStatusFailFF},
                      OutOfRangeCase{kCmdWriteMacroImage, 56, 4090, kStatusFailFE},
                      OutOfRangeCase{kCmdWriteShootImage, 56, 4090, kStatusFailFE},
                      OutOfRangeCase{0x55, 0, 0, kStatusFailFF}),
    [](const ::testing::TestParamInfo<OutOfRangeCase>& p) { return CaseName(p.param); });

TEST(EmulatedFirmware, MouseKeyTableHoldsTheTenFactoryCodes) {
    CEmulatedFirmware firmware(MouseFirmware());
    const std::vector<uint8_t> table = firmware.KeyTable();
    for (size_t key = 0; key < kMouseFactoryKeys.size(); ++key) {
        const KeyCode& code = kMouseFactoryKeys[key].factoryCode;
        EXPECT_EQ(KeyCode(table[3 * key], table[3 * key + 1], table[3 * key + 2]), code) << key;
    }
}

TEST(EmulatedFirmware, KeyboardKeyTableFollowsTheConfiguredOrder) {
    CEmulatedFirmware firmware(KeyboardFirmware({5, 0, 125}));
    const std::vector<uint8_t> table = firmware.KeyTable();
    EXPECT_EQ(KeyCode(table[0], table[1], table[2]), kStandardKeyCodes[5]);
    EXPECT_EQ(KeyCode(table[3], table[4], table[5]), kStandardKeyCodes[0]);
    EXPECT_EQ(KeyCode(table[6], table[7], table[8]), kStandardKeyCodes[125]);
    EXPECT_EQ(KeyCode(table[9], table[10], table[11]), kStandardKeyCodes[3]);
    EXPECT_EQ(firmware.InfoBlock().KeyPositions(), 126);
}

TEST(EmulatedFirmware, LinkStateAndStatusAreReported) {
    CEmulatedFirmware firmware(MousePadFirmware());
    EXPECT_EQ(OnlyReply(firmware, Request(kCmdLinkState, 0, 0))[kFramePayloadByte], 0xFF);
    firmware.SetLinkUp(false);
    EXPECT_EQ(OnlyReply(firmware, Request(kCmdLinkState, 0, 0))[kFramePayloadByte], 0x00);
    const Frame status = OnlyReply(firmware, Request(kCmdReadStatus, 6, 0));
    EXPECT_EQ(status[kFramePayloadByte + 2], 80);
}

TEST(EmulatedFirmware, ConfigTransactionsAreCounted) {
    CEmulatedFirmware firmware(HeadsetFirmware());
    OnlyReply(firmware, Request(kCmdBeginConfig, 0, 0));
    EXPECT_TRUE(firmware.InConfig());
    OnlyReply(firmware, Request(kCmdEndConfig, 0, 0));
    OnlyReply(firmware, Request(kCmdEndConfig, 0, 0));
    EXPECT_FALSE(firmware.InConfig());
    EXPECT_EQ(firmware.ConfigTransactions(), 1u);
}

TEST(EmulatedFirmware, StatusFaultFiresOnTheChosenFrameOfACommandOnly) {
    CEmulatedFirmware firmware(MouseFirmware());
    firmware.InjectFault(MakeFault(FaultKind::StatusFE, kCmdWriteMacroImage, 2));
    for (int chunk = 0; chunk < 2; ++chunk) {
        OnlyReply(firmware, Request(kCmdBeginConfig, 0, 0));  // not counted
        EXPECT_EQ(OnlyReply(firmware, Request(kCmdWriteMacroImage, 1, 0, {9}))[kFrameStatusByte],
                  0);
    }
    EXPECT_EQ(OnlyReply(firmware, Request(kCmdWriteMacroImage, 1, 1, {9}))[kFrameStatusByte],
              kStatusFailFE);
    EXPECT_EQ(firmware.MacroMemory()[1], 0) << "a refused frame is not applied";
    EXPECT_EQ(OnlyReply(firmware, Request(kCmdWriteMacroImage, 1, 1, {9}))[kFrameStatusByte], 0);
}

TEST(EmulatedFirmware, NoReplyAndLateReply) {
    CEmulatedFirmware firmware(MouseFirmware());
    firmware.InjectFault(MakeFault(FaultKind::NoReply));
    EXPECT_TRUE(firmware.HandleFrame(Request(kCmdBeginConfig, 0, 0)).reports.empty());

    firmware.InjectFault(MakeFault(FaultKind::LateReply));
    EXPECT_TRUE(firmware.HandleFrame(Request(kCmdReadInfo, 33, 0)).reports.empty());
    const FirmwareResponse next = firmware.HandleFrame(Request(kCmdEndConfig, 0, 0));
    ASSERT_EQ(next.reports.size(), 2u);
    EXPECT_EQ(next.reports[0][kFrameCommandByte], kCmdReadInfo);
    EXPECT_EQ(next.reports[1][kFrameCommandByte], kCmdEndConfig);
}

TEST(EmulatedFirmware, EchoOtherPrecedesTheAnswerWithStaleReplies) {
    CEmulatedFirmware firmware(MouseFirmware());
    OnlyReply(firmware, Request(kCmdBeginConfig, 0, 0));
    firmware.InjectFault(MakeFault(FaultKind::EchoOther, std::nullopt, 0, 2));
    const FirmwareResponse response = firmware.HandleFrame(Request(kCmdReadInfo, 33, 0));
    ASSERT_EQ(response.reports.size(), 3u);
    EXPECT_EQ(response.reports[0][kFrameCommandByte], kCmdBeginConfig);
    EXPECT_EQ(response.reports[1][kFrameCommandByte], kCmdBeginConfig);
    EXPECT_TRUE(HasValidChecksum(response.reports[1]));
    EXPECT_EQ(response.reports[2][kFrameCommandByte], kCmdReadInfo);
}

TEST(EmulatedFirmware, UnplugFaultLeavesTheFrameUnanswered) {
    CEmulatedFirmware firmware(MouseFirmware());
    firmware.InjectFault(MakeFault(FaultKind::Unplug, kCmdWriteMemory, 1));
    EXPECT_FALSE(firmware.HandleFrame(Request(kCmdWriteMemory, 1, 0x200, {1})).unplug);
    const FirmwareResponse response = firmware.HandleFrame(Request(kCmdWriteMemory, 1, 0x201, {1}));
    EXPECT_TRUE(response.unplug);
    EXPECT_TRUE(response.reports.empty());
    EXPECT_EQ(firmware.Memory(0x201, 1)[0], 0);
}

TEST(EmulatedFirmware, StoresShootImageAndDirectMemoryAndForgetsClearedFaults) {
    CEmulatedFirmware firmware(MouseFirmware());
    OnlyReply(firmware, Request(kCmdWriteShootImage, 2, 56, {0xAA, 0x55}));
    EXPECT_EQ(firmware.ShootMemory()[57], 0x55);
    const uint8_t block[] = {3, 4};
    firmware.WriteMemoryDirect(0, block);
    EXPECT_EQ(OnlyReply(firmware, Request(kCmdReadMemory, 1, 0))[kFramePayloadByte], 3);
    firmware.InjectFault(MakeFault(FaultKind::NoReply));
    firmware.ClearFaults();
    OnlyReply(firmware, Request(kCmdBeginConfig, 0, 0));
}

}  // namespace
}  // namespace warden
