#pragma once
// Faults an emulated device can be told to show for one chosen frame.

#include <cstdint>
#include <optional>

namespace warden {

enum class FaultKind {
    NoReply,    // the frame is taken but never answered
    LateReply,  // the answer comes only after the next frame has arrived
    EchoOther,  // `count` stale answers echoing another command precede it
    StatusFF,   // answered with status 0xFF, nothing applied
    StatusFE,   // answered with status 0xFE, nothing applied
    Unplug,     // the device leaves the bus on receiving the frame
};

struct Fault {
    FaultKind kind = FaultKind::NoReply;
    // Only frames of this command count; any command when empty.
    std::optional<uint8_t> command;
    // Number of counting frames to let through before the faulty one.
    uint32_t skip = 0;
    // For EchoOther: how many stale answers come first (1 or 2).
    uint32_t count = 1;
};

// The fault of `kind` on frame number `skip` (from 0) of `command`, or of any
// command when none is given.
inline Fault MakeFault(FaultKind kind, std::optional<uint8_t> command = std::nullopt,
                       uint32_t skip = 0, uint32_t count = 1) {
    Fault fault;
    fault.kind = kind;
    fault.command = command;
    fault.skip = skip;
    fault.count = count;
    return fault;
}

}  // namespace warden
