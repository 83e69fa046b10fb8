#pragma once
// The emulated gaming mouse's interface 1 as the HID tests plug it.

#include <cstdint>
#include <utility>

#include "platform/hid/EmulatedHidBackend.h"
#include "platform/hid/HidTestDescriptors.h"

namespace warden::test {

// Interface 1 of 320F:220F with release number `version`; `handler` receives
// its output reports (empty: they are accepted).
inline EmulatedHidInterfaceConfig MouseInterfaceConfig(uint16_t version,
                                                       EmulatedOutputHandler handler = {}) {
    EmulatedHidInterfaceConfig config;
    config.vendorId = 0x320F;
    config.productId = 0x220F;
    config.version = version;
    config.interfaceNumber = 1;
    config.reportDescriptor = kMouseInterface1;
    config.onOutputReport = std::move(handler);
    return config;
}

}  // namespace warden::test
