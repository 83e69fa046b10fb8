#pragma once
// Process-wide registered window messages: equal names give equal numbers,
// numbered from 0xC000 upward in order of first registration.

#include <cstdint>
#include <string_view>

namespace warden {

inline constexpr uint32_t kFirstRegisteredMessage = 0xC000;

uint32_t RegisterWindowMessage(std::string_view name);

}  // namespace warden
