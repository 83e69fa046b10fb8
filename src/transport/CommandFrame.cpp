#include "transport/CommandFrame.h"

#include <algorithm>
#include <cstdio>

namespace warden {

uint16_t FrameChecksum(const Frame& frame) {
    uint32_t sum = 0;
    for (size_t i = kFrameCommandByte; i < kFrameSize; ++i) sum += frame[i];
    return static_cast<uint16_t>(sum);
}

void SealFrame(Frame& frame) {
    const uint16_t sum = FrameChecksum(frame);
    frame[kFrameChecksumLowByte] = static_cast<uint8_t>(sum);
    frame[kFrameChecksumHighByte] = static_cast<uint8_t>(sum >> 8);
}

bool HasValidChecksum(const Frame& frame) {
    const uint16_t sum = FrameChecksum(frame);
    return frame[kFrameChecksumLowByte] == static_cast<uint8_t>(sum) &&
           frame[kFrameChecksumHighByte] == static_cast<uint8_t>(sum >> 8);
}

Frame MakeFrame(uint8_t command, uint8_t length, uint16_t offset) {
    Frame frame{};
    frame[kFrameReportIdByte] = kCommandReportId;
    frame[kFrameCommandByte] = command;
    frame[kFrameLengthByte] = length;
    frame[kFrameOffsetLowByte] = static_cast<uint8_t>(offset);
    frame[kFrameOffsetHighByte] = static_cast<uint8_t>(offset >> 8);
    return frame;
}

Frame FrameFromBytes(std::span<const uint8_t> bytes) {
    Frame frame{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), kFrameSize), frame.begin());
    return frame;
}

std::string FormatFrameLine(const Frame& frame, size_t half) {
    // Groups of four separated by three spaces in the first half of the line
    // and by two in the second, as the vendor's tools print them.
    std::string text;
    text.reserve(112);
    char cell[4];
    const size_t first = (half == 0 ? 0 : 32);
    for (size_t i = 0; i < 32; ++i) {
        if (i > 0) text += (i % 4 != 0) ? " " : (i < 16 ? "   " : "  ");
        std::snprintf(cell, sizeof cell, "%02x", frame[first + i]);
        text += cell;
    }
    text += '\n';
    return text;
}

}  // namespace warden
