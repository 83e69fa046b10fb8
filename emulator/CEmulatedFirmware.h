#pragma once
// The device side of the command channel, as a pure model: a 64-byte frame
// in, the input reports it answers with out. It keeps the information
// block, memory, key table, LED map, macro and shoot memory, status and link
// state of one device, logs every frame it received and applies injected
// faults. Thread-safe: frames may arrive from several threads.

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "emulator/FaultPlan.h"
#include "emulator/FirmwareConfig.h"
#include "transport/CommandFrame.h"
#include "transport/DeviceInfoBlock.h"

namespace warden {

struct FirmwareResponse {
    std::vector<Frame> reports;  // input reports to queue, in order
    bool unplug = false;         // the device leaves the bus
};

class CEmulatedFirmware {
public:
    static constexpr size_t kKeyTableCapacity = 512;
    static constexpr size_t kLedMapCapacity = kKeyTableCapacity / 3;
    static constexpr size_t kLightBufferCapacity = 1024;

    explicit CEmulatedFirmware(FirmwareConfig config);

    // Handles one output report of the command interface. Reports of another
    // length or report id are logged as rejected and not answered.
    FirmwareResponse HandleFrame(std::span<const uint8_t> report);

    // Handles a lighting output report of the headset (17 bytes, report id
    // 0xFF, mode 0x22 or 0x44, group 0xAA..0xAF). Returns false, counting it
    // as rejected, for any other report.
    bool HandleLightReport(std::span<const uint8_t> report);
    std::vector<std::vector<uint8_t>> LightReports() const;

    // Queues a fault; faults fire in the order they were queued.
    void InjectFault(const Fault& fault);
    void ClearFaults();

    // --- Inspection (copies, safe from any thread) -----------------------
    std::vector<Frame> ReceivedFrames() const;
    size_t FrameCount() const;
    // Frames answered with 0xFF because their checksum was wrong.
    size_t BadChecksumCount() const;
    // Output reports refused: not a 64-byte frame with report id 4, or not
    // a valid headset lighting report.
    size_t RejectedReportCount() const;
    DeviceInfoBlock InfoBlock() const;
    std::vector<uint8_t> Memory(uint16_t address, size_t length) const;
    std::vector<uint8_t> KeyTable() const;
    std::vector<uint8_t> MacroMemory() const;
    std::vector<uint8_t> ShootMemory() const;
    std::vector<uint8_t> LightBuffer() const;
    bool InConfig() const;
    // Completed BeginConfig / EndConfig pairs.
    size_t ConfigTransactions() const;

    // --- Changing the device from outside --------------------------------
    void SetLinkUp(bool up);
    void SetStatus(const std::array<uint8_t, 6>& status);
    void WriteMemoryDirect(uint16_t address, std::span<const uint8_t> bytes);

private:
    struct Outcome {
        uint8_t status = 0;
        std::array<uint8_t, kFramePayloadSize> payload{};
    };

    Outcome Execute(const Frame& request);
    Outcome ReadFrom(std::span<const uint8_t> store, size_t offset, size_t length) const;
    Outcome WriteTo(std::span<uint8_t> store, size_t offset, const Frame& request);
    std::optional<Fault> TakeFault(uint8_t command);
    Frame MakeReply(const Frame& request, const Outcome& outcome) const;

    mutable std::mutex m_mutex;
    FirmwareConfig m_config;
    DeviceInfoBlock m_info;
    std::vector<uint8_t> m_memory;
    std::vector<uint8_t> m_keyTable;
    std::vector<uint8_t> m_ledMap;
    std::vector<uint8_t> m_macroMemory;
    std::vector<uint8_t> m_shootMemory;
    std::vector<uint8_t> m_lightBuffer;
    std::vector<Frame> m_received;
    std::vector<std::vector<uint8_t>> m_lightReports;
    std::deque<std::pair<Fault, uint32_t>> m_faults;  // fault, frames counted so far
    std::optional<Frame> m_lateReply;
    uint8_t m_lastCommand = 0;
    size_t m_badChecksums = 0;
    size_t m_rejected = 0;
    bool m_inConfig = false;
    size_t m_transactions = 0;
};

}  // namespace warden
