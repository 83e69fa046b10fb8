// Descriptor parsing plus decoding of one report against every collection.
// Input: descriptor length (16 bits, little-endian), the descriptor, then
// the report.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid/HidDescriptorParser.h"
#include "platform/hid/HidReportDecoder.h"

using namespace warden;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t length = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const std::span<const uint8_t> descriptor(data + 2, length);
    const std::span<const uint8_t> report(data + 2 + length, size - 2 - length);
    const HidDescriptorParseResult parsed = HidDescriptorParser::Parse(descriptor);
    for (const auto& collection : parsed.collections) {
        const HidPreparsedData* pp = collection.get();
        std::vector<uint8_t> shaped(pp->Caps().inputReportByteLength + 1u);
        pp->ShapeInputReport(report, shaped);
        pp->AcceptsOutputReport(report);
        for (HidReportType type :
             {HidReportType::Input, HidReportType::Output, HidReportType::Feature}) {
            for (const HidButtonCaps& caps : pp->ButtonCaps(type)) {
                std::vector<uint16_t> usages(HidMaxUsageListLength(type, caps.usagePage, pp));
                uint32_t count = static_cast<uint32_t>(usages.size());
                HidGetUsages(type, caps.usagePage, usages.data(), &count, pp, report);
                if (count > usages.size()) __builtin_trap();
            }
            for (const HidValueCaps& caps : pp->ValueCaps(type)) {
                uint32_t raw = 0;
                int32_t scaled = 0;
                HidGetUsageValue(type, caps.usagePage, caps.usageMax, &raw, pp, report);
                HidGetScaledUsageValue(type, caps.usagePage, caps.usageMin, &scaled, pp, report);
            }
        }
    }
    return 0;
}
