#pragma once
// The "--emulate KINDS" demo mode: the emulated HID backend with virtual
// devices of the chosen kinds replaces the real one for the whole run.

#include <string>
#include <string_view>

namespace warden {

// Parses `kinds` (see ParseEmulatedKinds), plugs one virtual device of each
// kind into a new emulated backend and installs it process-wide. Returns
// false with a message in `error` for an unknown kind or a device that
// could not be plugged; the current backend is then left as it was.
bool StartEmulation(std::string_view kinds, std::string* error);

// Unplugs the virtual devices and restores the real backend. Safe to call
// when no emulation runs.
void StopEmulation();

}  // namespace warden
