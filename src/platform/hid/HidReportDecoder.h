#pragma once
// The HidP report functions over our parsed collections. Reports are shaped
// as hid.dll passes them: report id first (0 when reports are not numbered).
// A report shorter than its declared length is decoded as far as it goes;
// fields past its end are treated as absent.

#include <cstdint>
#include <span>

#include "platform/hid/HidPreparsedData.h"
#include "platform/hid/HidTypes.h"

namespace warden {

// HidP_MaxUsageListLength: the most usages HidGetUsages can return for the
// type and usage page (0: every page). 0 when `data` is null.
uint32_t HidMaxUsageListLength(HidReportType type, uint16_t usagePage,
                               const HidPreparsedData* data);

// HidP_GetUsages for link collection 0 (the whole collection): the button
// usages of `usagePage` that are on in `report`, in caps order. `usageLength`
// holds the capacity of `usageList` on entry and the count on return.
// Returns kHidpStatusSuccess, kHidpStatusUsageNotFound (no buttons of that
// page), kHidpStatusIncompatibleReportId (none in this report),
// kHidpStatusBufferTooSmall (list full; the first ones are kept) or
// kHidpStatusInvalidPreparsedData.
HidStatus HidGetUsages(HidReportType type, uint16_t usagePage, uint16_t* usageList,
                       uint32_t* usageLength, const HidPreparsedData* data,
                       std::span<const uint8_t> report);

// HidP_GetUsageValue: the raw (not sign-extended) value of the usage; for a
// value array its first element. Returns kHidpStatusSuccess,
// kHidpStatusUsageNotFound, kHidpStatusIncompatibleReportId,
// kHidpStatusInvalidReportLength (field past the report's end) or
// kHidpStatusInvalidPreparsedData; `value` is left alone on failure.
HidStatus HidGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, uint32_t* value,
                           const HidPreparsedData* data, std::span<const uint8_t> report);

// HidP_GetScaledUsageValue: the logical value mapped onto the physical
// range. Besides the failures above: kHidpStatusBadLogPhyValues when the
// logical or physical range is empty, kHidpStatusNull (null state of a field
// with a null state) or kHidpStatusValueOutOfRange; `value` is then 0.
HidStatus HidGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage,
                                 int32_t* value, const HidPreparsedData* data,
                                 std::span<const uint8_t> report);

}  // namespace warden
