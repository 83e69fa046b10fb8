#pragma once
// The records and status codes of the HID class driver interface, as the rest
// of the program knows them from hid.dll: capabilities, attributes, button
// and value caps, report types and HidP status values.

#include <cstdint>

namespace warden {

enum class HidReportType : uint8_t { Input = 0, Output = 1, Feature = 2 };
inline constexpr int kHidReportTypeCount = 3;

using HidStatus = uint32_t;
inline constexpr HidStatus kHidpStatusSuccess = 0x00110000u;
inline constexpr HidStatus kHidpStatusNull = 0x80110001u;
inline constexpr HidStatus kHidpStatusInvalidPreparsedData = 0xC0110001u;
inline constexpr HidStatus kHidpStatusInvalidReportType = 0xC0110002u;
inline constexpr HidStatus kHidpStatusInvalidReportLength = 0xC0110003u;
inline constexpr HidStatus kHidpStatusUsageNotFound = 0xC0110004u;
inline constexpr HidStatus kHidpStatusValueOutOfRange = 0xC0110005u;
inline constexpr HidStatus kHidpStatusBadLogPhyValues = 0xC0110006u;
inline constexpr HidStatus kHidpStatusBufferTooSmall = 0xC0110007u;
inline constexpr HidStatus kHidpStatusIncompatibleReportId = 0xC011000Au;

// Limits past which a descriptor is treated as malformed.
inline constexpr uint32_t kHidMaxDescriptorBytes = 4096;
inline constexpr uint32_t kHidMaxReportBytes = 4096;
inline constexpr uint32_t kHidMaxCapsPerCollection = 1024;

// Vendor id, product id and version, as HidD_GetAttributes gives them.
struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// HIDP_CAPS: the top-level usage and the sizes of one collection's reports.
// A report byte length includes the report id byte and is 0 when the
// collection has no report of that type.
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberInputDataIndices = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberOutputDataIndices = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
    uint16_t numberFeatureDataIndices = 0;
};

// One HIDP_BUTTON_CAPS or HIDP_VALUE_CAPS entry, plus where its fields lie in
// the report. A single usage has usageMin == usageMax and isRange false.
struct HidCapsEntry {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    bool isAbsolute = true;
    bool isArray = false;  // selector (array) field rather than variable fields
    bool hasNull = false;
    uint16_t bitField = 0;  // data bits of the main item
    uint16_t linkCollection = 0;
    uint16_t linkUsage = 0;
    uint16_t linkUsagePage = 0;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint16_t dataIndexMin = 0;
    uint16_t dataIndexMax = 0;
    uint16_t bitSize = 0;       // bits per field
    uint16_t reportCount = 0;   // fields (variable) or array elements (array)
    uint32_t bitOffset = 0;     // from the start of the report, report id byte included
    uint32_t selectorBase = 0;  // array: selector index of usageMin
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t unitsExp = 0;
    uint32_t units = 0;
};
using HidButtonCaps = HidCapsEntry;
using HidValueCaps = HidCapsEntry;

}  // namespace warden
