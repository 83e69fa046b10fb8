#include <gtest/gtest.h>

#include <numeric>
#include <thread>

#include "ChannelFixture.h"
#include "platform/Trace.h"
#include "profiles/KeyCodeTables.h"

namespace warden {
namespace {

using CommandChannel = ChannelFixture;

std::vector<uint8_t> Pattern(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

std::vector<std::pair<int, int>> LengthsAndOffsets(const std::vector<Frame>& frames) {
    std::vector<std::pair<int, int>> out;
    for (const Frame& f : frames) {
        out.emplace_back(f[kFrameLengthByte],
                         f[kFrameOffsetLowByte] | (f[kFrameOffsetHighByte] << 8));
    }
    return out;
}

TEST_F(CommandChannel, ReadInfoFitsOneFrame) {
    DeviceInfoBlock info;
    EXPECT_EQ(m_channel.ReadInfo(info), 1);
    const std::vector<Frame> frames = FramesOf(kCmdReadInfo);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(LengthsAndOffsets(frames), (std::vector<std::pair<int, int>>{{33, 0}}));
    EXPECT_EQ(info.KeyPositions(), 126);
    EXPECT_EQ(info.MacroUnits(), 32);
    EXPECT_EQ(Firmware().BadChecksumCount(), 0u);
}

TEST_F(CommandChannel, KeyTableAndLedMapOf104PositionsAreChunked) {
    ASSERT_EQ(m_channel.SetTableSize(312), 1);
    std::vector<uint8_t> table(312);
    EXPECT_EQ(m_channel.ReadKeyTable(table), 1);
    EXPECT_EQ(LengthsAndOffsets(FramesOf(kCmdReadKeyTable)),
              (std::vector<std::pair<int, int>>{
                  {56, 0}, {56, 56}, {56, 112}, {56, 168}, {56, 224}, {32, 280}}));
    EXPECT_EQ(KeyCode(table[309], table[310], table[311]), kStandardKeyCodes[103]);

    std::vector<uint8_t> leds(104);
    EXPECT_EQ(m_channel.ReadLedMap(leds), 1);
    EXPECT_EQ(LengthsAndOffsets(FramesOf(kCmdReadLedMap)),
              (std::vector<std::pair<int, int>>{{56, 0}, {48, 56}}));
    EXPECT_EQ(leds[103], 103);

    const std::vector<uint8_t> written = Pattern(312, 1);
    EXPECT_EQ(m_channel.WriteKeyTable(written, 0), 1);
    EXPECT_EQ(LengthsAndOffsets(FramesOf(kCmdWriteKeyTable)).back(),
              (std::pair<int, int>{32, 280}));
    const std::vector<uint8_t> stored = Firmware().KeyTable();
    EXPECT_TRUE(std::equal(written.begin(), written.end(), stored.begin()));
}

TEST_F(CommandChannel, SetTableSizeAcceptsUpTo512) {
    EXPECT_EQ(m_channel.SetTableSize(512), 1);
    EXPECT_EQ(m_channel.SetTableSize(513), 0);
    EXPECT_EQ(m_channel.TableSize(), 512);
}

TEST_F(CommandChannel, MemoryFramesCarryAddressPlusOffset) {
    const std::vector<uint8_t> block = Pattern(85, 3);
    EXPECT_EQ(m_channel.WriteMemory(block, 0x80), 1);
    EXPECT_EQ(LengthsAndOffsets(FramesOf(kCmdWriteMemory)),
              (std::vector<std::pair<int, int>>{{56, 0x80}, {29, 0x80 + 56}}));
    std::vector<uint8_t> back(85);
    EXPECT_EQ(m_channel.ReadMemory(back, 0x80), 1);
    EXPECT_EQ(back, block);
}

TEST_F(CommandChannel, MismatchingEchoIsSkippedOnceThenAccepted) {
    ASSERT_EQ(m_channel.BeginConfig(), 1);
    Firmware().InjectFault(MakeFault(FaultKind::EchoOther, kCmdReadInfo, 0, 1));
    DeviceInfoBlock info;
    EXPECT_EQ(m_channel.ReadInfo(info), 1);
    EXPECT_EQ(info.KeyPositions(), 126);

    Firmware().InjectFault(MakeFault(FaultKind::EchoOther, kCmdReadStatus, 0, 2));
    Frame request = MakeFrame(kCmdReadStatus, 6, 0);
    SealFrame(request);
    Frame reply{};
    EXPECT_EQ(m_channel.Exchange(request, reply), 1);
    EXPECT_EQ(reply[kFrameCommandByte], kCmdReadInfo) << "the second stale reply is accepted";
    // The real answer still waits in the queue; the next command skips it.
    EXPECT_EQ(m_channel.EndConfig(), 1);
}

TEST_F(CommandChannel, StatusFEInThirdMacroChunkStopsAfterTwoChunks) {
    Firmware().InjectFault(MakeFault(FaultKind::StatusFE, kCmdWriteMacroImage, 2));
    const std::vector<uint8_t> image = Pattern(200, 10);
    EXPECT_EQ(m_channel.WriteMacroImage(image), kResultStatusFE);
    EXPECT_EQ(FramesOf(kCmdWriteMacroImage).size(), 3u);
    const std::vector<uint8_t> memory = Firmware().MacroMemory();
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 112, memory.begin()));
    EXPECT_EQ(memory[112], 0);
}

TEST_F(CommandChannel, StatusFFGivesMinus102) {
    Firmware().InjectFault(MakeFault(FaultKind::StatusFF, kCmdBeginConfig));
    EXPECT_EQ(m_channel.BeginConfig(), kResultStatusFF);
}

struct LinkCase {
    const char* name;
    bool linkUp;
    std::optional<FaultKind> fault;
    bool expected;
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandChannelLink : public ChannelFixture, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(CommandChannelLink, IsLinkUp) {
    const LinkCase& c = GetParam();
    Firmware().SetLinkUp(c.linkUp);
    if (c.fault) Firmware().InjectFault(MakeFault(*c.fault, kCmdLinkState));
    EXPECT_EQ(m_channel.IsLinkUp(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandChannelLink,
                         ::testing::Values(LinkCase{"Up", true, std::nullopt, true},
                                           LinkCase{"Down", false, std::nullopt, false},
                                           LinkCase{"StatusFF", true, FaultKind::StatusFF, false},
                                           LinkCase{"StatusFE", true, FaultKind::StatusFE, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(CommandChannel, WriteKeyTableIndexOneSendsNothing) {
    const std::vector<uint8_t> table(512);
    EXPECT_EQ(m_channel.WriteKeyTable(table, 1), kResultBadTableIndex);
    EXPECT_EQ(Firmware().FrameCount(), 0u);
}

TEST_F(CommandChannel, ClosedChannelAnswersZeroWithoutTraffic) {
    m_channel.Disconnect();
    std::vector<uint8_t> buffer(512);
    DeviceInfoBlock info;
    EXPECT_EQ(m_channel.BeginConfig(), 0);
    EXPECT_EQ(m_channel.EndConfig(), 0);
    EXPECT_EQ(m_channel.ReadInfo(info), 0);
    EXPECT_EQ(m_channel.ReadMemory(std::span(buffer).first(25), 0), 0);
    EXPECT_EQ(m_channel.WriteMemory(std::span(buffer).first(85), 0), 0);
    EXPECT_EQ(m_channel.ReadKeyTable(buffer), 0);
    EXPECT_EQ(m_channel.WriteKeyTable(buffer, 0), 0);
    EXPECT_EQ(m_channel.StreamLight(std::span(buffer).first(378)), 0);
    EXPECT_EQ(m_channel.WriteMacroImage(std::span(buffer).first(100)), 0);
    EXPECT_EQ(m_channel.WriteShootImage(std::span(buffer).first(100)), 0);
    EXPECT_EQ(m_channel.ReadStatus(std::span(buffer).first(6), 0), 0);
    EXPECT_EQ(m_channel.ReadLedMap(buffer), 0);
    EXPECT_FALSE(m_channel.IsLinkUp());
    EXPECT_EQ(Firmware().FrameCount(), 0u);
    EXPECT_FALSE(m_channel.IsBusy()) << "a refused exchange must not leave the busy flag set";
}

TEST_F(CommandChannel, UndersizedBuffersAreRefusedWithoutTraffic) {
    std::vector<uint8_t> small(100);
    EXPECT_EQ(m_channel.ReadKeyTable(small), 0);
    EXPECT_EQ(m_channel.WriteKeyTable(small, 0), 0);
    EXPECT_EQ(m_channel.ReadLedMap(std::span(small).first(50)), 0);
    EXPECT_EQ(m_channel.ReadStatus(std::span(small).first(57), 0), 0);
    EXPECT_EQ(Firmware().FrameCount(), 0u);
}

TEST_F(CommandChannel, ChunkSizeStaysWithinAFrameAndShootImageIgnoresIt) {
    m_channel.SetChunkSize(0);
    EXPECT_EQ(m_channel.ChunkSize(), 1);
    m_channel.SetChunkSize(200);
    EXPECT_EQ(m_channel.ChunkSize(), 56);
    m_channel.SetChunkSize(20);
    EXPECT_EQ(m_channel.WriteMacroImage(Pattern(50, 0)), 1);
    EXPECT_EQ(LengthsAndOffsets(FramesOf(kCmdWriteMacroImage)),
              (std::vector<std::pair<int, int>>{{20, 0}, {20, 20}, {10, 40}}));
    EXPECT_EQ(m_channel.WriteShootImage(Pattern(120, 0)), 1);
    EXPECT_EQ(LengthsAndOffsets(FramesOf(kCmdWriteShootImage)),
              (std::vector<std::pair<int, int>>{{56, 0}, {56, 56}, {8, 112}}));
}

TEST_F(CommandChannel, ReadStatusCopiesTheRequestedBytes) {
    Firmware().SetStatus({1, 2, 3, 4, 5, 6});
    std::vector<uint8_t> status(6);
    EXPECT_EQ(m_channel.ReadStatus(status, 0), 1);
    EXPECT_EQ(status, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST_F(CommandChannel, ExchangeTracesRequestAndReply) {
    TraceCapture capture;
    EXPECT_EQ(m_channel.BeginConfig(), 1);
    const std::vector<std::string> entries = capture.Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0], "命令\n");
    EXPECT_EQ(entries[1].substr(0, 14), "04 01 00 01   ");
    EXPECT_EQ(entries[3], "返回\n");
}

TEST_F(CommandChannel, UnplugInTheMiddleOfATransfer) {
    Firmware().InjectFault(MakeFault(FaultKind::Unplug, kCmdWriteMemory, 1));
    EXPECT_EQ(m_channel.WriteMemory(Pattern(85, 0), 0), kResultNoReply);
    EXPECT_EQ(FramesOf(kCmdWriteMemory).size(), 2u);
    EXPECT_EQ(m_channel.BeginConfig(), kResultWriteFailed);
}

TEST_F(CommandChannel, LateReplyTimesOutThenIsSkipped) {
    Firmware().InjectFault(MakeFault(FaultKind::LateReply, kCmdBeginConfig));
    EXPECT_EQ(m_channel.BeginConfig(), kResultNoReply);
    DeviceInfoBlock info;
    EXPECT_EQ(m_channel.ReadInfo(info), 1);
    EXPECT_EQ(info.KeyPositions(), 126);
}

TEST_F(CommandChannel, UnsealedRequestIsAnsweredWithStatusFF) {
    Frame request = MakeFrame(kCmdBeginConfig, 0, 0);  // checksum left 0
    Frame reply{};
    EXPECT_EQ(m_channel.Exchange(request, reply), 1);
    EXPECT_EQ(reply[kFrameStatusByte], kStatusFailFF);
    EXPECT_EQ(Firmware().BadChecksumCount(), 1u);
}

TEST_F(CommandChannel, LateReplyOfTheSameCommandIsNotTakenForTheNextAnswer) {
    Firmware().WriteMemoryDirect(0, Pattern(50, 1));
    // The answer to an earlier one-byte read that gave up waiting arrives
    // only now, before the next read of the same command goes out.
    Frame late = MakeFrame(kCmdReadMemory, 1, 0);
    late[kFramePayloadByte] = 0xEE;
    SealFrame(late);
    ASSERT_EQ(m_device->Interface().QueueInputReport(late), 1u);

    TraceCapture capture;
    std::vector<uint8_t> block(25);
    EXPECT_EQ(m_channel.ReadMemory(block, 25), 1);
    EXPECT_EQ(block, Pattern(25, 26));
    EXPECT_EQ(capture.Count("stale reply to command 05 discarded"), 1u);
    std::vector<uint8_t> first(1);
    EXPECT_EQ(m_channel.ReadMemory(first, 0), 1);
    EXPECT_EQ(first[0], 1) << "later answers must not lag one behind";
}

TEST_F(CommandChannel, ClosedChannelGivesZeroAlsoWhenNothingWouldBeSent) {
    m_channel.Disconnect();
    EXPECT_EQ(m_channel.WriteMacroImage({}), 0);
    EXPECT_EQ(m_channel.ReadMemory({}, 0), 0);
    EXPECT_EQ(m_channel.StreamLight({}), 0);
    m_channel.SetWireless(true);
    EXPECT_EQ(m_channel.StreamLight(Pattern(378, 0)), 0) << "dropped frames of a closed channel";
}

TEST_F(CommandChannel, TransferPastTheSixteenBitAddressSpaceSendsNothing) {
    EXPECT_EQ(m_channel.WriteMemory(Pattern(100, 0), 0xFFE0), 0);
    std::vector<uint8_t> back(40);
    EXPECT_EQ(m_channel.ReadMemory(back, 0xFFF0), 0);
    EXPECT_EQ(Firmware().FrameCount(), 0u);
}

TEST_F(CommandChannel, ReplyShorterThanAFrameIsNoReply) {
    // The command collection's usage, but input reports of 7 bytes after the
    // report id.
    const std::vector<uint8_t> descriptor = {
        0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
        0x08, 0x95, 0x07, 0x09, 0x01, 0x81, 0x02, 0x95, 0x3F, 0x09, 0x01, 0x91, 0x02, 0xC0};
    auto firmware = std::make_shared<CEmulatedFirmware>(KeyboardFirmware());
    EmulatedHidInterfaceConfig config;
    config.interfaceNumber = 1;
    config.reportDescriptor = descriptor;
    config.onOutputReport = [firmware](EmulatedHidInterface& target,
                                       std::span<const uint8_t> report, EmulatedOutputPath) {
        for (const Frame& reply : firmware->HandleFrame(report).reports) {
            target.QueueInputReport(reply);
        }
        return true;
    };
    const std::shared_ptr<EmulatedHidInterface> iface = m_backend->Plug(config);
    ASSERT_NE(iface, nullptr);
    CCommandChannel channel;
    ASSERT_EQ(channel.Connect(iface->Paths().front()), 1);

    DeviceInfoBlock info;
    EXPECT_EQ(channel.ReadInfo(info), kResultNoReply);
    EXPECT_EQ(channel.BeginConfig(), kResultNoReply);
    EXPECT_EQ(channel.StreamLight(Pattern(30, 0)), kResultNoReply);
    EXPECT_EQ(firmware->FrameCount(), 3u);
}

TEST_F(CommandChannel, StreamLightSendsChunksAndStoresThem) {
    const std::vector<uint8_t> colours = Pattern(378, 0);
    EXPECT_EQ(m_channel.StreamLight(colours), 1);
    EXPECT_EQ(FramesOf(kCmdStreamLight).size(), 7u);
    const std::vector<uint8_t> stored = Firmware().LightBuffer();
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), stored.begin()));
}

TEST_F(CommandChannel, StreamLightDropsSilentlyInWirelessMode) {
    m_channel.SetWireless(true);
    TraceCapture capture;
    EXPECT_EQ(m_channel.StreamLight(Pattern(378, 0)), 1);
    EXPECT_EQ(capture.Count("放弃灯光数据"), 0u);
    EXPECT_EQ(Firmware().FrameCount(), 0u);
}

TEST_F(CommandChannel, StreamLightDropsWhileAnotherThreadExchanges) {
    // The device leaves one key table chunk unanswered, so that exchange
    // stays busy until it is aborted below.
    Firmware().InjectFault(MakeFault(FaultKind::NoReply, kCmdWriteKeyTable));
    std::vector<uint8_t> table(512);
    int keyResult = 99;
    std::thread writer([&] { keyResult = m_channel.WriteKeyTable(table, 0); });
    while (!m_channel.IsBusy()) std::this_thread::yield();

    TraceCapture capture;
    EXPECT_EQ(m_channel.StreamLight(Pattern(168, 0)), 1);
    EXPECT_EQ(capture.Count("放弃灯光数据"), 3u);
    EXPECT_TRUE(FramesOf(kCmdStreamLight).empty());

    // Closing cuts the waiting read short and fails the re-read at once.
    m_channel.Disconnect();
    writer.join();
    // Closed while waiting for the reply, or before its request was out.
    EXPECT_TRUE(keyResult == kResultNoReply || keyResult == kResultWriteFailed) << keyResult;
    EXPECT_FALSE(m_channel.IsBusy());
}

}  // namespace
}  // namespace warden
