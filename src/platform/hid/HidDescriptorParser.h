#pragma once
// Our own HID report-descriptor parser: main, global and local items
// (push/pop, usage ranges, extended usages; delimited alias sets keep their
// first usage), split into top-level collections with their caps and report
// byte lengths as HidP_GetCaps gives them.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/hid/HidPreparsedData.h"

namespace warden {

struct HidDescriptorParseResult {
    bool ok = false;
    std::string error;  // why the descriptor was refused, when !ok
    // One entry per top-level collection, in descriptor order.
    std::vector<std::shared_ptr<const HidPreparsedData>> collections;
};

class HidDescriptorParser {
public:
    // Parses a whole descriptor. A truncated item, unbalanced collections,
    // a main item outside any collection, a report over kHidMaxReportBytes,
    // too many caps or a descriptor over kHidMaxDescriptorBytes refuse it
    // (ok false, no collections). A descriptor without any collection is
    // refused too.
    static HidDescriptorParseResult Parse(std::span<const uint8_t> descriptor);
};

}  // namespace warden
