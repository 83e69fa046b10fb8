#pragma once
// An open hidraw node seen through one of its top-level collections: only
// input reports of that collection are delivered, shaped as hid.dll gives
// them (a 0 report id byte is added when the interface numbers no reports).

#include <array>
#include <memory>
#include <string>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidShareTable.h"

namespace warden {

class HidrawDevice : public HidDevice {
public:
    // Takes ownership of `fd` (opened non-blocking).
    HidrawDevice(int fd, std::shared_ptr<const HidPreparsedData> data, HidAttributes attributes,
                 std::unique_ptr<HidShareTable::Lease> lease);
    ~HidrawDevice() override;

    const HidAttributes& Attributes() const override { return m_attributes; }
    const std::shared_ptr<const HidPreparsedData>& PreparsedData() const override { return m_data; }
    HidTransferResult Read(std::span<uint8_t> buffer, uint32_t timeoutMs, HidAbortEvent& abort,
                           size_t& transferred) override;
    HidTransferResult Write(std::span<const uint8_t> report, uint32_t timeoutMs,
                            HidAbortEvent& abort, size_t& transferred) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Cancel() override;

private:
    const int m_fd;
    const int m_cancelFd;
    const std::shared_ptr<const HidPreparsedData> m_data;
    const HidAttributes m_attributes;
    const std::unique_ptr<HidShareTable::Lease> m_lease;
    // Raw reports land here first; only one reader at a time uses it.
    std::array<uint8_t, kHidMaxReportBytes + 1> m_raw{};
};

}  // namespace warden
