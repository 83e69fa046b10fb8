#include "emulator/CEmulatedFirmware.h"

#include <algorithm>

#include "emulator/ReportDescriptors.h"

namespace warden {

namespace {

constexpr uint8_t kLinkUpValue = 0xFF;

uint16_t FrameOffset(const Frame& frame) {
    return static_cast<uint16_t>(frame[kFrameOffsetLowByte] | (frame[kFrameOffsetHighByte] << 8));
}

}  // namespace

CEmulatedFirmware::CEmulatedFirmware(FirmwareConfig config)
    : m_config(std::move(config)),
      m_memory(m_config.memorySize, 0),
      m_keyTable(kKeyTableCapacity, 0),
      m_ledMap(kLedMapCapacity, 0),
      m_macroMemory(size_t{m_config.macroUnits} * DeviceInfoBlock::kMacroUnitBytes, 0),
      m_shootMemory(m_config.shootCapacity, 0),
      m_lightBuffer(kLightBufferCapacity, 0) {
    m_info.bytes[DeviceInfoBlock::kKeyPositionsByte] = m_config.keyPositions;
    m_info.bytes[DeviceInfoBlock::kMacroUnitsByte] = m_config.macroUnits;
    m_info.bytes[DeviceInfoBlock::kDpiStepByte] = m_config.dpiStep;
    m_info.bytes[DeviceInfoBlock::kLowestDpiByte] = static_cast<uint8_t>(m_config.lowestDpi);
    m_info.bytes[DeviceInfoBlock::kLowestDpiByte + 1] =
        static_cast<uint8_t>(m_config.lowestDpi >> 8);
    const size_t positions = std::min(m_config.factoryKeys.size(), kKeyTableCapacity / 3);
    for (size_t p = 0; p < positions; ++p) {
        m_keyTable[3 * p] = m_config.factoryKeys[p].kind;
        m_keyTable[3 * p + 1] = m_config.factoryKeys[p].byte2;
        m_keyTable[3 * p + 2] = m_config.factoryKeys[p].byte3;
    }
    std::copy_n(m_config.ledMap.begin(), std::min(m_config.ledMap.size(), kLedMapCapacity),
                m_ledMap.begin());
    for (const MemoryPreset& preset : m_config.factoryMemory) {
        for (size_t i = 0; i < preset.bytes.size() && preset.address + i < m_memory.size(); ++i) {
            m_memory[preset.address + i] = preset.bytes[i];
        }
    }
}

FirmwareResponse CEmulatedFirmware::HandleFrame(std::span<const uint8_t> report) {
    std::lock_guard lock(m_mutex);
    FirmwareResponse response;
    if (report.size() != kFrameSize || report[kFrameReportIdByte] != kCommandReportId) {
        ++m_rejected;
        return response;
    }
    const Frame request = FrameFromBytes(report);
    m_received.push_back(request);
    if (m_lateReply) {
        response.reports.push_back(*m_lateReply);
        m_lateReply.reset();
    }
    const uint8_t command = request[kFrameCommandByte];
    const std::optional<Fault> fault = TakeFault(command);

    Outcome outcome;
    if (!HasValidChecksum(request)) {
        ++m_badChecksums;
        outcome.status = kStatusFailFF;
    } else if (fault && fault->kind == FaultKind::StatusFF) {
        outcome.status = kStatusFailFF;
    } else if (fault && fault->kind == FaultKind::StatusFE) {
        outcome.status = kStatusFailFE;
    } else if (fault && fault->kind == FaultKind::Unplug) {
        response.unplug = true;
        return response;
    } else {
        outcome = Execute(request);
    }
    const Frame reply = MakeReply(request, outcome);
    const uint8_t previous = m_lastCommand;
    m_lastCommand = command;

    if (!fault) {
        response.reports.push_back(reply);
    } else if (fault->kind == FaultKind::LateReply) {
        m_lateReply = reply;
    } else if (fault->kind == FaultKind::EchoOther) {
        Frame stale = reply;
        stale[kFrameCommandByte] = previous != command ? previous : static_cast<uint8_t>(~command);
        SealFrame(stale);
        for (uint32_t i = 0; i < fault->count; ++i) response.reports.push_back(stale);
        response.reports.push_back(reply);
    } else if (fault->kind != FaultKind::NoReply) {
        response.reports.push_back(reply);
    }
    return response;
}

bool CEmulatedFirmware::HandleLightReport(std::span<const uint8_t> report) {
    constexpr uint8_t kFirstGroup = 0xAA;
    constexpr uint8_t kLastGroup = 0xAF;
    std::lock_guard lock(m_mutex);
    const bool valid = report.size() == kHeadsetLightReportSize &&
                       report[0] == kHeadsetLightReportId &&
                       (report[1] == 0x22 || report[1] == 0x44) && report[2] >= kFirstGroup &&
                       report[2] <= kLastGroup;
    if (!valid) {
        ++m_rejected;
        return false;
    }
    m_lightReports.emplace_back(report.begin(), report.end());
    return true;
}

std::vector<std::vector<uint8_t>> CEmulatedFirmware::LightReports() const {
    std::lock_guard lock(m_mutex);
    return m_lightReports;
}

std::optional<Fault> CEmulatedFirmware::TakeFault(uint8_t command) {
    if (m_faults.empty()) return std::nullopt;
    auto& [fault, counted] = m_faults.front();
    if (fault.command && *fault.command != command) return std::nullopt;
    if (counted < fault.skip) {
        ++counted;
        return std::nullopt;
    }
    const Fault taken = fault;
    m_faults.pop_front();
    return taken;
}

CEmulatedFirmware::Outcome CEmulatedFirmware::Execute(const Frame& request) {
    const size_t length = request[kFrameLengthByte];
    const size_t offset = FrameOffset(request);
    if (length > kFramePayloadSize) return Outcome{kStatusFailFF, {}};
    switch (request[kFrameCommandByte]) {
        case kCmdBeginConfig:
            m_inConfig = true;
            return {};
        case kCmdEndConfig:
            if (m_inConfig) ++m_transactions;
            m_inConfig = false;
            return {};
        case kCmdReadInfo:
            return ReadFrom(m_info.bytes, offset, length);
        case kCmdReadMemory:
            return ReadFrom(m_memory, offset, length);
        case kCmdWriteMemory:
            return WriteTo(m_memory, offset, request);
        case kCmdReadKeyTable:
            return ReadFrom(m_keyTable, offset, length);
        case kCmdWriteKeyTable:
            return WriteTo(m_keyTable, offset, request);
        case kCmdStreamLight:
            return WriteTo(m_lightBuffer, offset, request);
        case kCmdReadLedMap:
            return ReadFrom(m_ledMap, offset, length);
        case kCmdReadStatus:
            return ReadFrom(m_config.status, offset, length);
        case kCmdWriteMacroImage:
        case kCmdWriteShootImage: {
            // A full memory is told apart from a malformed frame.
            std::vector<uint8_t>& store =
                request[kFrameCommandByte] == kCmdWriteMacroImage ? m_macroMemory : m_shootMemory;
            if (offset + length > store.size()) return Outcome{kStatusFailFE, {}};
            return WriteTo(store, offset, request);
        }
        case kCmdLinkState: {
            Outcome outcome;
            outcome.payload[0] = m_config.linkUp ? kLinkUpValue : 0x00;
            return outcome;
        }
        default:
            return Outcome{kStatusFailFF, {}};
    }
}

CEmulatedFirmware::Outcome CEmulatedFirmware::ReadFrom(std::span<const uint8_t> store,
                                                       size_t offset, size_t length) const {
    Outcome outcome;
    if (offset + length > store.size()) {
        outcome.status = kStatusFailFF;
        return outcome;
    }
    std::copy_n(store.begin() + static_cast<ptrdiff_t>(offset), length, outcome.payload.begin());
    return outcome;
}

CEmulatedFirmware::Outcome CEmulatedFirmware::WriteTo(std::span<uint8_t> store, size_t offset,
                                                      const Frame& request) {
    Outcome outcome;
    const size_t length = request[kFrameLengthByte];
    if (offset + length > store.size()) {
        outcome.status = kStatusFailFF;
        return outcome;
    }
    std::copy_n(request.begin() + kFramePayloadByte, length,
                store.begin() + static_cast<ptrdiff_t>(offset));
    return outcome;
}

Frame CEmulatedFirmware::MakeReply(const Frame& request, const Outcome& outcome) const {
    Frame reply{};
    reply[kFrameReportIdByte] = kCommandReportId;
    reply[kFrameCommandByte] = request[kFrameCommandByte];
    reply[kFrameLengthByte] = request[kFrameLengthByte];
    reply[kFrameOffsetLowByte] = request[kFrameOffsetLowByte];
    reply[kFrameOffsetHighByte] = request[kFrameOffsetHighByte];
    reply[kFrameStatusByte] = outcome.status;
    std::copy(outcome.payload.begin(), outcome.payload.end(), reply.begin() + kFramePayloadByte);
    SealFrame(reply);
    return reply;
}

void CEmulatedFirmware::InjectFault(const Fault& fault) {
    std::lock_guard lock(m_mutex);
    m_faults.emplace_back(fault, 0);
}

void CEmulatedFirmware::ClearFaults() {
    std::lock_guard lock(m_mutex);
    m_faults.clear();
    m_lateReply.reset();
}

std::vector<Frame> CEmulatedFirmware::ReceivedFrames() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

size_t CEmulatedFirmware::FrameCount() const {
    std::lock_guard lock(m_mutex);
    return m_received.size();
}

size_t CEmulatedFirmware::BadChecksumCount() const {
    std::lock_guard lock(m_mutex);
    return m_badChecksums;
}

size_t CEmulatedFirmware::RejectedReportCount() const {
    std::lock_guard lock(m_mutex);
    return m_rejected;
}

DeviceInfoBlock CEmulatedFirmware::InfoBlock() const {
    std::lock_guard lock(m_mutex);
    return m_info;
}

std::vector<uint8_t> CEmulatedFirmware::Memory(uint16_t address, size_t length) const {
    std::lock_guard lock(m_mutex);
    const size_t begin = std::min<size_t>(address, m_memory.size());
    const size_t end = std::min(begin + length, m_memory.size());
    return {m_memory.begin() + static_cast<ptrdiff_t>(begin),
            m_memory.begin() + static_cast<ptrdiff_t>(end)};
}

std::vector<uint8_t> CEmulatedFirmware::KeyTable() const {
    std::lock_guard lock(m_mutex);
    return m_keyTable;
}

std::vector<uint8_t> CEmulatedFirmware::MacroMemory() const {
    std::lock_guard lock(m_mutex);
    return m_macroMemory;
}

std::vector<uint8_t> CEmulatedFirmware::ShootMemory() const {
    std::lock_guard lock(m_mutex);
    return m_shootMemory;
}

std::vector<uint8_t> CEmulatedFirmware::LightBuffer() const {
    std::lock_guard lock(m_mutex);
    return m_lightBuffer;
}

bool CEmulatedFirmware::InConfig() const {
    std::lock_guard lock(m_mutex);
    return m_inConfig;
}

size_t CEmulatedFirmware::ConfigTransactions() const {
    std::lock_guard lock(m_mutex);
    return m_transactions;
}

void CEmulatedFirmware::SetLinkUp(bool up) {
    std::lock_guard lock(m_mutex);
    m_config.linkUp = up;
}

void CEmulatedFirmware::SetStatus(const std::array<uint8_t, 6>& status) {
    std::lock_guard lock(m_mutex);
    m_config.status = status;
}

void CEmulatedFirmware::WriteMemoryDirect(uint16_t address, std::span<const uint8_t> bytes) {
    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < bytes.size() && address + i < m_memory.size(); ++i) {
        m_memory[address + i] = bytes[i];
    }
}

}  // namespace warden
