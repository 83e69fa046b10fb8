#include "platform/hid/HidReportDecoder.h"

namespace warden {
namespace {

// Reads `size` bits (at most 32) at `offset`, least significant bit first.
// False when the field reaches past the report's end.
bool ExtractBits(std::span<const uint8_t> report, uint32_t offset, uint32_t size, uint32_t& out) {
    if (size == 0 || size > 32 || uint64_t{offset} + size > uint64_t{report.size()} * 8) {
        return false;
    }
    uint64_t acc = 0;
    const uint32_t first = offset / 8;
    const uint32_t last = (offset + size - 1) / 8;
    for (uint32_t i = last + 1; i-- > first;) acc = (acc << 8) | report[i];
    acc >>= offset % 8;
    out =
        size == 32 ? static_cast<uint32_t>(acc) : static_cast<uint32_t>(acc & ((1ull << size) - 1));
    return true;
}

int64_t SignExtend(uint32_t value, uint32_t bits) {
    if (bits == 0 || bits >= 32) return static_cast<int32_t>(value);
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int64_t>((value ^ sign)) - static_cast<int64_t>(sign);
}

// The value caps of `usage` for this report: success, or why none fits.
HidStatus FindValue(HidReportType type, uint16_t usagePage, uint16_t usage,
                    const HidPreparsedData* data, std::span<const uint8_t> report,
                    const HidValueCaps*& found) {
    if (data == nullptr) return kHidpStatusInvalidPreparsedData;
    const uint8_t id = report.empty() ? 0 : report[0];
    HidStatus status = kHidpStatusUsageNotFound;
    for (const HidValueCaps& caps : data->ValueCaps(type)) {
        if (caps.usagePage != usagePage || usage < caps.usageMin || usage > caps.usageMax) continue;
        if (caps.reportId != id) {
            status = kHidpStatusIncompatibleReportId;
            continue;
        }
        found = &caps;
        return kHidpStatusSuccess;
    }
    return status;
}

HidStatus ReadRaw(const HidValueCaps& caps, uint16_t usage, std::span<const uint8_t> report,
                  uint32_t& raw) {
    const uint32_t index = caps.isRange ? usage - caps.usageMin : 0;
    return ExtractBits(report, caps.bitOffset + index * caps.bitSize, caps.bitSize, raw)
               ? kHidpStatusSuccess
               : kHidpStatusInvalidReportLength;
}

}  // namespace

uint32_t HidMaxUsageListLength(HidReportType type, uint16_t usagePage,
                               const HidPreparsedData* data) {
    if (data == nullptr) return 0;
    uint32_t total = 0;
    for (const HidButtonCaps& caps : data->ButtonCaps(type)) {
        if (usagePage == 0 || caps.usagePage == usagePage) total += caps.reportCount;
    }
    return total;
}

HidStatus HidGetUsages(HidReportType type, uint16_t usagePage, uint16_t* usageList,
                       uint32_t* usageLength, const HidPreparsedData* data,
                       std::span<const uint8_t> report) {
    if (data == nullptr || usageLength == nullptr) return kHidpStatusInvalidPreparsedData;
    const uint32_t capacity = usageList == nullptr ? 0 : *usageLength;
    const uint8_t id = report.empty() ? 0 : report[0];
    uint32_t count = 0;
    HidStatus status = kHidpStatusUsageNotFound;
    auto add = [&](uint32_t usage) {
        if (usage == 0) return true;  // selector 0 means "no usage"
        if (count >= capacity) return false;
        usageList[count++] = static_cast<uint16_t>(usage);
        return true;
    };
    for (const HidButtonCaps& caps : data->ButtonCaps(type)) {
        if (caps.usagePage != usagePage) continue;
        if (caps.reportId != id) {
            if (status == kHidpStatusUsageNotFound) status = kHidpStatusIncompatibleReportId;
            continue;
        }
        if (status != kHidpStatusBufferTooSmall) status = kHidpStatusSuccess;
        for (uint32_t k = 0; k < caps.reportCount && status == kHidpStatusSuccess; ++k) {
            uint32_t bits = 0;
            if (!ExtractBits(report, caps.bitOffset + k * caps.bitSize, caps.bitSize, bits)) break;
            uint32_t usage = 0;
            if (caps.isArray) {
                const int64_t logical = caps.logicalMin < 0 ? SignExtend(bits, caps.bitSize) : bits;
                const int64_t index = logical - caps.logicalMin - caps.selectorBase;
                const int64_t span = int64_t{caps.usageMax} - caps.usageMin;
                if (logical < caps.logicalMin || logical > caps.logicalMax || index < 0 ||
                    index > span) {
                    continue;
                }
                usage = caps.usageMin + static_cast<uint32_t>(index);
            } else {
                if (bits == 0) continue;
                usage = caps.isRange ? caps.usageMin + k : caps.usageMin;
            }
            if (!add(usage)) status = kHidpStatusBufferTooSmall;
        }
    }
    *usageLength = count;
    return status;
}

HidStatus HidGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, uint32_t* value,
                           const HidPreparsedData* data, std::span<const uint8_t> report) {
    const HidValueCaps* caps = nullptr;
    HidStatus status = FindValue(type, usagePage, usage, data, report, caps);
    if (status != kHidpStatusSuccess) return status;
    uint32_t raw = 0;
    status = ReadRaw(*caps, usage, report, raw);
    if (status == kHidpStatusSuccess && value != nullptr) *value = raw;
    return status;
}

HidStatus HidGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage,
                                 int32_t* value, const HidPreparsedData* data,
                                 std::span<const uint8_t> report) {
    const HidValueCaps* caps = nullptr;
    HidStatus status = FindValue(type, usagePage, usage, data, report, caps);
    if (status != kHidpStatusSuccess) return status;
    uint32_t raw = 0;
    status = ReadRaw(*caps, usage, report, raw);
    if (status != kHidpStatusSuccess) return status;
    int32_t scaled = 0;
    const int64_t logical = caps->logicalMin < 0 ? SignExtend(raw, caps->bitSize) : raw;
    if (caps->logicalMin >= caps->logicalMax || caps->physicalMin >= caps->physicalMax) {
        status = kHidpStatusBadLogPhyValues;
    } else if (logical < caps->logicalMin || logical > caps->logicalMax) {
        status = caps->hasNull ? kHidpStatusNull : kHidpStatusValueOutOfRange;
    } else {
        const int64_t physicalSpan = int64_t{caps->physicalMax} - caps->physicalMin;
        const int64_t logicalSpan = int64_t{caps->logicalMax} - caps->logicalMin;
        // 128-bit: both spans may reach 2^32.
        const __int128 offset = static_cast<__int128>(logical - caps->logicalMin) * physicalSpan;
        scaled = static_cast<int32_t>(caps->physicalMin + offset / logicalSpan);
    }
    if (value != nullptr) *value = scaled;
    return status;
}

}  // namespace warden
