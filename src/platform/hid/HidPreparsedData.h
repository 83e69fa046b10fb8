#pragma once
// What HidD_GetPreparsedData gives: one top-level collection of a report
// descriptor with its caps and the layout of its fields, ready for the
// report decoder. Built by the descriptor parser, immutable afterwards.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/hid/HidTypes.h"

namespace warden {

class HidPreparsedData {
public:
    const HidCaps& Caps() const { return m_caps; }
    std::span<const HidButtonCaps> ButtonCaps(HidReportType type) const {
        return m_buttonCaps[Index(type)];
    }
    std::span<const HidValueCaps> ValueCaps(HidReportType type) const {
        return m_valueCaps[Index(type)];
    }
    // Report byte length of the type, report id byte included; 0 for none.
    uint16_t ReportByteLength(HidReportType type) const;
    // True when the interface's reports start with a report id.
    bool UsesReportIds() const { return m_usesReportIds; }
    // True when a report of this type and id carries fields of this
    // collection (id 0 stands for an interface without report ids).
    bool OwnsReportId(HidReportType type, uint8_t reportId) const;
    // Shapes a report as read from the device (id first only when numbered)
    // into `out` as hid.dll delivers it: id byte first, zero-padded to the
    // input report byte length, cut to `out`. Returns the bytes written, or 0
    // when the report belongs to another collection or is empty.
    size_t ShapeInputReport(std::span<const uint8_t> raw, std::span<uint8_t> out) const;
    // True when `report` (id byte first) is an output report of this
    // collection.
    bool AcceptsOutputReport(std::span<const uint8_t> report) const;
    // Position of the collection in its descriptor, from 0.
    uint16_t CollectionIndex() const { return m_collectionIndex; }

private:
    friend class HidDescriptorParserState;
    static constexpr size_t Index(HidReportType type) { return static_cast<size_t>(type); }

    HidCaps m_caps;
    std::array<std::vector<HidButtonCaps>, kHidReportTypeCount> m_buttonCaps;
    std::array<std::vector<HidValueCaps>, kHidReportTypeCount> m_valueCaps;
    // One bit per report id and type (256 ids).
    std::array<std::array<uint64_t, 4>, kHidReportTypeCount> m_reportIds{};
    bool m_usesReportIds = false;
    uint16_t m_collectionIndex = 0;
};

}  // namespace warden
