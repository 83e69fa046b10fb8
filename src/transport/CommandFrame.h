#pragma once
// The 64-byte command frame shared by both ends of the command channel:
// report id, 16-bit checksum over bytes 3..63, command code, chunk length,
// 16-bit offset, status, 56 payload bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace warden {

inline constexpr size_t kFrameSize = 64;
inline constexpr size_t kFrameHeaderSize = 8;
inline constexpr size_t kFramePayloadSize = kFrameSize - kFrameHeaderSize;
inline constexpr uint8_t kCommandReportId = 0x04;

// Byte positions inside a frame.
inline constexpr size_t kFrameReportIdByte = 0;
inline constexpr size_t kFrameChecksumLowByte = 1;
inline constexpr size_t kFrameChecksumHighByte = 2;
inline constexpr size_t kFrameCommandByte = 3;
inline constexpr size_t kFrameLengthByte = 4;
inline constexpr size_t kFrameOffsetLowByte = 5;
inline constexpr size_t kFrameOffsetHighByte = 6;
inline constexpr size_t kFrameStatusByte = 7;
inline constexpr size_t kFramePayloadByte = 8;

// Reply status values that mean failure; every other value is success.
inline constexpr uint8_t kStatusFailFF = 0xFF;
inline constexpr uint8_t kStatusFailFE = 0xFE;

enum CommandCode : uint8_t {
    kCmdBeginConfig = 0x01,
    kCmdEndConfig = 0x02,
    kCmdReadInfo = 0x03,
    kCmdReadMemory = 0x05,
    kCmdWriteMemory = 0x06,
    kCmdReadKeyTable = 0x07,
    kCmdWriteKeyTable = 0x09,
    kCmdStreamLight = 0x12,
    kCmdWriteMacroImage = 0x15,
    kCmdWriteShootImage = 0x17,
    kCmdReadStatus = 0x1A,
    kCmdReadLedMap = 0x1B,
    kCmdLinkState = 0xAA,
};

using Frame = std::array<uint8_t, kFrameSize>;

// Sum of bytes 3..63 as an unsigned integer, truncated to 16 bits.
uint16_t FrameChecksum(const Frame& frame);

// Writes the checksum of the frame's current contents into bytes 1 and 2.
void SealFrame(Frame& frame);

// True when bytes 1 and 2 hold the checksum of the rest of the frame.
bool HasValidChecksum(const Frame& frame);

// A request header; the payload is left zero.
Frame MakeFrame(uint8_t command, uint8_t length, uint16_t offset);

// Copies `bytes` into a zeroed frame, padding short input and cutting long
// input at 64 bytes.
Frame FrameFromBytes(std::span<const uint8_t> bytes);

// One of the frame's two trace lines (half 0: bytes 0..31, half 1: bytes
// 32..63) as 32 hexadecimal values, newline-terminated.
std::string FormatFrameLine(const Frame& frame, size_t half);

}  // namespace warden
