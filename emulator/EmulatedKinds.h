#pragma once
// The device kinds the emulator can plug in, and the parser of the
// "--emulate KINDS" argument.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace warden {

enum class EmulatedKind { Keyboard, Mouse, MousePad, Headset };

// Parses a comma-separated list of "mouse", "keyboard", "mousepad",
// "headset" and "all" (case-insensitive, blanks around words ignored).
// Returns the kinds without repeats in plugging order (keyboard, mouse,
// mousepad, headset: the keyboard comes before the mousepad so that the two
// devices with ids 0:0 take their own catalogue slots), or nullopt with a
// message in `error` for an empty list or an unknown word.
std::optional<std::vector<EmulatedKind>> ParseEmulatedKinds(std::string_view text,
                                                            std::string* error);

std::string_view EmulatedKindName(EmulatedKind kind);

}  // namespace warden
