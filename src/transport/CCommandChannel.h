#pragma once
// The command frame protocol over one HID interface: builds and checksums
// 64-byte frames, cuts long transfers into chunks, matches replies to
// requests, maps reply status to result codes and serialises the traffic of
// several threads (command lock per frame, I/O lock per exchange, lighting
// lock per lighting frame).

#include <atomic>
#include <cstdint>
#include <span>
#include <string>

#include "platform/CriticalSection.h"
#include "transport/CHidConnection.h"
#include "transport/CommandFrame.h"
#include "transport/DeviceInfoBlock.h"

namespace warden {

// Result codes of the command operations.
inline constexpr int kResultOk = 1;
inline constexpr int kResultNoReply = 0;  // not open, or the reply did not arrive
inline constexpr int kResultWriteFailed = -1;
inline constexpr int kResultStatusFF = -102;
inline constexpr int kResultStatusFE = -103;
inline constexpr int kResultBadTableIndex = -201;

inline constexpr uint16_t kMaxTableSize = 512;
inline constexpr uint32_t kWiredTimeoutMs = 1000;
inline constexpr uint32_t kWirelessTimeoutMs = 5000;

class CCommandChannel {
public:
    CCommandChannel();
    ~CCommandChannel();
    CCommandChannel(const CCommandChannel&) = delete;
    CCommandChannel& operator=(const CCommandChannel&) = delete;

    // --- Ownership of the interface -------------------------------------
    CHidConnection& Connection() { return m_connection; }
    CriticalSection& IoLock() { return m_ioLock; }

    // Opens `path` (read, write, overlapped, shared) under the I/O lock and
    // sets the open flag. Returns 1, or 0 when the interface cannot be opened
    // (the channel then stays closed).
    int Connect(const std::string& path);
    // Clears the open flag, then closes the interface, cutting a waiting
    // transfer short.
    void Disconnect();

    bool IsOpen() const { return m_open.load(); }
    void SetOpen(bool open) { m_open.store(open); }
    bool IsWireless() const { return m_wireless.load(); }
    // Wireless: 5000 ms time-outs and no lighting stream.
    void SetWireless(bool wireless) { m_wireless.store(wireless); }
    // A mark kept for the device object; the channel never reads it.
    bool SyncLightingMark() const { return m_syncLightingMark.load(); }
    void SetSyncLightingMark(bool mark) { m_syncLightingMark.store(mark); }
    // True while an Exchange runs on any thread.
    bool IsBusy() const { return m_busy.load() > 0; }

    uint16_t TableSize() const { return m_tableSize.load(); }
    // Stores n and returns 1 when n <= 512; otherwise returns 0 and keeps the
    // old size.
    int SetTableSize(uint32_t n);
    uint8_t ChunkSize() const { return m_chunkSize.load(); }
    // Payload bytes per chunked frame, kept within 1..56 so that a chunk
    // always fits a frame and a transfer always advances.
    void SetChunkSize(uint8_t size);

    // --- Commands: each returns 1, 0, -1, -102 or -103 (see above) --------
    // A closed channel gives 0 for every command, also one with nothing to
    // send; so does a transfer running past address 0xFFFF (nothing sent).
    int BeginConfig();
    // Pauses 10 ms first so the device has finished storing.
    int EndConfig();
    int ReadInfo(DeviceInfoBlock& info);
    int ReadMemory(std::span<uint8_t> buffer, uint16_t address);
    int WriteMemory(std::span<const uint8_t> data, uint16_t address);
    // `buffer` must hold TableSize() bytes; a smaller one gives 0 untouched.
    int ReadKeyTable(std::span<uint8_t> buffer);
    // `data` must hold TableSize() bytes (else 0, nothing sent); an index
    // other than 0 gives -201 with nothing sent.
    int WriteKeyTable(std::span<const uint8_t> data, int index);
    // Lighting frames: dropped (counted as sent) while an Exchange runs or in
    // wireless mode.
    int StreamLight(std::span<const uint8_t> data);
    int WriteMacroImage(std::span<const uint8_t> data);
    // Always 56-byte chunks, whatever the chunk size.
    int WriteShootImage(std::span<const uint8_t> data);
    // One frame; a length above 56 gives 0 with nothing sent.
    int ReadStatus(std::span<uint8_t> buffer, uint16_t offset);
    // `buffer` must hold TableSize() / 3 bytes; a smaller one gives 0.
    int ReadLedMap(std::span<uint8_t> buffer);
    // True only when the device answered with a success status and byte 8
    // 0xFF; false when closed or on any failure.
    bool IsLinkUp();

    // --- Lower operations ------------------------------------------------
    // One traced request and its reply, re-reading once when the reply's
    // command byte answers another request. Replies queued before the
    // request are discarded first. Returns 1 when the (last) read
    // succeeded, 0 when closed or no whole 64-byte reply came, -1 when the
    // write failed. `reply` receives up to its size of the reply;
    // `bytesOut` the read count.
    int Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply,
                 uint32_t* bytesOut = nullptr);
    // The lighting path: no trace, no busy flag, no matching, 1000 ms;
    // results as Exchange.
    int ExchangeLight(std::span<const uint8_t> request, std::span<uint8_t> reply,
                      uint32_t* bytesOut = nullptr);

private:
    enum class Locking { Command, None };
    struct Transfer {
        uint8_t command;
        uint8_t chunk;
        Locking locking;
        const uint8_t* source;  // payload to send, or null
        uint8_t* sink;          // where read payload goes, or null
        size_t length;
        uint16_t address;
    };

    // Seals `request` and exchanges it, under the command lock unless
    // `locking` says otherwise. Returns the exchange's failure, else the
    // reply's status as a result (1 when good).
    int RunFrame(Frame& request, Frame& reply, Locking locking = Locking::Command);
    int RunChunked(const Transfer& transfer);
    int RunSimple(uint8_t command);
    // False (traced when out of range) while closed or when `length` bytes
    // from `address` do not fit the 16-bit offset field.
    bool CanTransfer(size_t address, size_t length) const;
    // Reads and traces every reply queued before a request; I/O lock held.
    void DiscardStaleReplies();
    uint32_t TimeoutMs() const;

    CHidConnection m_connection;
    CriticalSection m_ioLock;
    CriticalSection m_commandLock;
    CriticalSection m_lightingLock;
    std::atomic<uint16_t> m_tableSize{kMaxTableSize};
    std::atomic<int> m_busy{0};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_syncLightingMark{false};
    std::atomic<bool> m_wireless{false};
    std::atomic<uint8_t> m_chunkSize{static_cast<uint8_t>(kFramePayloadSize)};
};

// Maps a reply status byte to 1, -102 or -103.
int StatusResult(uint8_t status);

}  // namespace warden
