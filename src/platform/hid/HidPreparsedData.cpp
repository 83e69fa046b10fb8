#include "platform/hid/HidPreparsedData.h"

#include <algorithm>
#include <cstring>

namespace warden {

uint16_t HidPreparsedData::ReportByteLength(HidReportType type) const {
    switch (type) {
        case HidReportType::Input:
            return m_caps.inputReportByteLength;
        case HidReportType::Output:
            return m_caps.outputReportByteLength;
        case HidReportType::Feature:
            return m_caps.featureReportByteLength;
    }
    return 0;
}

bool HidPreparsedData::OwnsReportId(HidReportType type, uint8_t reportId) const {
    return (m_reportIds[Index(type)][reportId / 64] >> (reportId % 64) & 1) != 0;
}

size_t HidPreparsedData::ShapeInputReport(std::span<const uint8_t> raw,
                                          std::span<uint8_t> out) const {
    if (raw.empty() || out.empty()) return 0;
    const uint8_t id = m_usesReportIds ? raw[0] : 0;
    if (!OwnsReportId(HidReportType::Input, id)) return 0;
    std::span<const uint8_t> body = m_usesReportIds ? raw.subspan(1) : raw;
    const size_t length = std::min<size_t>(out.size(), m_caps.inputReportByteLength);
    out[0] = id;
    const size_t copied = std::min(body.size(), length - 1);
    if (copied > 0) std::memcpy(out.data() + 1, body.data(), copied);
    std::fill(out.begin() + 1 + copied, out.begin() + length, uint8_t{0});
    return length;
}

bool HidPreparsedData::AcceptsOutputReport(std::span<const uint8_t> report) const {
    if (report.empty() || report.size() > kHidMaxReportBytes) return false;
    if (!m_usesReportIds && report[0] != 0) return false;
    return OwnsReportId(HidReportType::Output, report[0]);
}

}  // namespace warden
