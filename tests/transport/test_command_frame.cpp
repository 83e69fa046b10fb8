#include <gtest/gtest.h>

#include <vector>

#include "transport/CommandFrame.h"

namespace warden {
namespace {

TEST(CommandFrame, ChecksumCoversBytesThreeToSixtyThree) {
    Frame frame = MakeFrame(kCmdWriteMemory, 56, 0x1234);
    for (size_t i = kFramePayloadByte; i < kFrameSize; ++i) frame[i] = 0xFF;
    frame[kFrameReportIdByte] = 0xAB;  // not summed
    SealFrame(frame);
    const uint32_t expected = kCmdWriteMemory + 56 + 0x34 + 0x12 + 56 * 0xFF;
    EXPECT_EQ(frame[kFrameChecksumLowByte], expected & 0xFF);
    EXPECT_EQ(frame[kFrameChecksumHighByte], (expected >> 8) & 0xFF);
    EXPECT_TRUE(HasValidChecksum(frame));
    frame[40] ^= 1;
    EXPECT_FALSE(HasValidChecksum(frame));
}

TEST(CommandFrame, HeaderIsLittleEndian) {
    const Frame frame = MakeFrame(kCmdReadMemory, 25, 0x0180);
    EXPECT_EQ(frame[kFrameReportIdByte], 0x04);
    EXPECT_EQ(frame[kFrameCommandByte], 0x05);
    EXPECT_EQ(frame[kFrameLengthByte], 25);
    EXPECT_EQ(frame[kFrameOffsetLowByte], 0x80);
    EXPECT_EQ(frame[kFrameOffsetHighByte], 0x01);
    EXPECT_EQ(frame[kFrameStatusByte], 0);
}

TEST(CommandFrame, FromBytesPadsAndCuts) {
    const std::vector<uint8_t> shortInput{1, 2, 3};
    const Frame padded = FrameFromBytes(shortInput);
    EXPECT_EQ(padded[2], 3);
    EXPECT_EQ(padded[3], 0);
    std::vector<uint8_t> longInput(100, 7);
    longInput[63] = 9;
    const Frame cut = FrameFromBytes(longInput);
    EXPECT_EQ(cut[63], 9);
}

TEST(CommandFrame, TraceLinesUseTheVendorLayout) {
    Frame frame{};
    for (size_t i = 0; i < kFrameSize; ++i) frame[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(FormatFrameLine(frame, 0),
              "00 01 02 03   04 05 06 07   08 09 0a 0b   0c 0d 0e 0f  10 11 12 13  14 15 16 17  "
              "18 19 1a 1b  1c 1d 1e 1f\n");
    EXPECT_EQ(FormatFrameLine(frame, 1).substr(0, 14), "20 21 22 23   ");
}

}  // namespace
}  // namespace warden
