#pragma once
// Qt key codes to the Windows virtual-key codes that the UI core and the
// layouts speak.

#include <cstdint>

namespace warden {

// The virtual-key code of `qtKey` (a Qt::Key value), or 0 when it has none.
uint32_t VirtualKeyFromQt(int qtKey);

}  // namespace warden
