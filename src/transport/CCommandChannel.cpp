#include "transport/CCommandChannel.h"

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"
#include "platform/Trace.h"

namespace warden {

namespace {

constexpr uint32_t kEndConfigPauseMs = 10;
constexpr uint32_t kLightTimeoutMs = 1000;
constexpr size_t kLinkUpByte = kFramePayloadByte;
constexpr uint8_t kLinkUpValue = 0xFF;
// Bytes 5-6 address at most 64 KiB.
constexpr size_t kAddressSpace = 0x10000;
// Bounds the discarding of stale replies against a device that never stops
// sending (the size of the system's default HID input buffer).
constexpr int kMaxStaleReplies = 32;

// Replies are whole frames; a shorter one comes from an interface that only
// looks like a command interface, and its zero padding must not pass for a
// successful answer.
int WholeReply(int result, uint32_t count) {
    if (result == kResultOk && count < kFrameSize) {
        Trace("reply of %u bytes is shorter than a frame\n", count);
        return kResultNoReply;
    }
    return result;
}

void TraceFrame(const char* title, const Frame& frame) {
    if (!TraceEnabled()) return;
    Trace("%s\n", title);
    TraceText(FormatFrameLine(frame, 0));
    TraceText(FormatFrameLine(frame, 1));
}

// Counts the running exchanges so that the lighting stream yields to any of
// them, also when two threads exchange at once.
class BusyScope {
public:
    explicit BusyScope(std::atomic<int>& busy) : m_busy(busy) { m_busy.fetch_add(1); }
    ~BusyScope() { m_busy.fetch_sub(1); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::atomic<int>& m_busy;
};

}  // namespace

int StatusResult(uint8_t status) {
    if (status == kStatusFailFF) return kResultStatusFF;
    if (status == kStatusFailFE) return kResultStatusFE;
    return kResultOk;
}

CCommandChannel::CCommandChannel() = default;
CCommandChannel::~CCommandChannel() = default;

int CCommandChannel::Connect(const std::string& path) {
    ScopedLock lock(m_ioLock);
    if (!m_connection.Open(path, true, true, true, false)) {
        m_open.store(false);
        return 0;
    }
    m_open.store(true);
    return 1;
}

void CCommandChannel::Disconnect() {
    m_open.store(false);
    // Not under the I/O lock: closing aborts a transfer that waits for an
    // unplugged device instead of queueing behind it.
    m_connection.Close();
}

int CCommandChannel::SetTableSize(uint32_t n) {
    if (n > kMaxTableSize) return 0;
    m_tableSize.store(static_cast<uint16_t>(n));
    return 1;
}

void CCommandChannel::SetChunkSize(uint8_t size) {
    m_chunkSize.store(std::clamp<uint8_t>(size, 1, kFramePayloadSize));
}

uint32_t CCommandChannel::TimeoutMs() const {
    return m_wireless.load() ? kWirelessTimeoutMs : kWiredTimeoutMs;
}

int CCommandChannel::Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply,
                              uint32_t* bytesOut) {
    BusyScope busy(m_busy);
    if (bytesOut) *bytesOut = 0;
    if (!m_open.load()) return kResultNoReply;

    Frame frame = FrameFromBytes(request);
    const uint8_t command = frame[kFrameCommandByte];
    TraceFrame("命令", frame);

    const uint32_t timeout = TimeoutMs();
    Frame answer{};
    uint32_t count = 0;
    int result = 0;
    {
        // Held from the request to its reply so that no other frame's reply
        // can be taken for this one.
        ScopedLock lock(m_ioLock);
        DiscardStaleReplies();
        if (m_connection.WriteReport(frame.data(), kFrameSize, timeout, nullptr) <= 0) {
            return kResultWriteFailed;
        }
        result = m_connection.ReadReport(answer.data(), kFrameSize, timeout, &count);
        if (answer[kFrameCommandByte] != command) {
            // A late reply to an earlier request: skip it once.
            answer.fill(0);
            result = m_connection.ReadReport(answer.data(), kFrameSize, timeout, &count);
        }
        result = WholeReply(result, count);
    }
    std::copy_n(answer.begin(), std::min(reply.size(), kFrameSize), reply.begin());
    if (bytesOut) *bytesOut = count;
    TraceFrame("返回", answer);
    return result;
}

void CCommandChannel::DiscardStaleReplies() {
    // Whatever is queued before the request goes out answers an exchange
    // that already gave up waiting. Left there, a reply with the same command
    // code would be taken for this request's answer, and every later answer
    // of that command would be one behind.
    Frame stale{};
    for (int i = 0;
         i < kMaxStaleReplies && m_connection.ReadReport(stale.data(), kFrameSize, 0, nullptr) == 1;
         ++i) {
        Trace("stale reply to command %02x discarded\n", stale[kFrameCommandByte]);
    }
}

int CCommandChannel::ExchangeLight(std::span<const uint8_t> request, std::span<uint8_t> reply,
                                   uint32_t* bytesOut) {
    if (bytesOut) *bytesOut = 0;
    if (!m_open.load()) return kResultNoReply;
    Frame frame = FrameFromBytes(request);
    Frame answer{};
    uint32_t count = 0;
    ScopedLock lock(m_ioLock);
    if (m_connection.WriteReport(frame.data(), kFrameSize, kLightTimeoutMs, nullptr) <= 0) {
        return kResultWriteFailed;
    }
    const int read = m_connection.ReadReport(answer.data(), kFrameSize, kLightTimeoutMs, &count);
    const int result = WholeReply(read, count);
    std::copy_n(answer.begin(), std::min(reply.size(), kFrameSize), reply.begin());
    if (bytesOut) *bytesOut = count;
    return result;
}

bool CCommandChannel::CanTransfer(size_t address, size_t length) const {
    if (!m_open.load()) return false;
    // Past 0xFFFF the offset field would wrap and the frames would land at
    // the start of the device's memory.
    if (address + length > kAddressSpace) {
        Trace("transfer of %zu bytes at %04zx runs past the 16-bit address space\n", length,
              address);
        return false;
    }
    return true;
}

int CCommandChannel::RunChunked(const Transfer& transfer) {
    if (!CanTransfer(transfer.address, transfer.length)) return kResultNoReply;
    for (size_t offset = 0; offset < transfer.length; offset += transfer.chunk) {
        const size_t length = std::min<size_t>(transfer.chunk, transfer.length - offset);
        Frame request = MakeFrame(transfer.command, static_cast<uint8_t>(length),
                                  static_cast<uint16_t>(transfer.address + offset));
        if (transfer.source) {
            std::memcpy(&request[kFramePayloadByte], transfer.source + offset, length);
        }
        Frame reply{};
        if (const int result = RunFrame(request, reply, transfer.locking); result != kResultOk) {
            return result;
        }
        if (transfer.sink) {
            std::memcpy(transfer.sink + offset, &reply[kFramePayloadByte], length);
        }
    }
    return kResultOk;
}

int CCommandChannel::RunFrame(Frame& request, Frame& reply, Locking locking) {
    SealFrame(request);
    int result;
    if (locking == Locking::Command) {
        ScopedLock lock(m_commandLock);
        result = Exchange(request, reply);
    } else {
        result = Exchange(request, reply);
    }
    if (result != kResultOk) return result;
    return StatusResult(reply[kFrameStatusByte]);
}

int CCommandChannel::RunSimple(uint8_t command) {
    Frame request = MakeFrame(command, 0, 0);
    Frame reply{};
    return RunFrame(request, reply);
}

int CCommandChannel::BeginConfig() {
    return RunSimple(kCmdBeginConfig);
}

int CCommandChannel::EndConfig() {
    Sleep(kEndConfigPauseMs);
    return RunSimple(kCmdEndConfig);
}

int CCommandChannel::ReadInfo(DeviceInfoBlock& info) {
    return RunChunked({kCmdReadInfo, ChunkSize(), Locking::Command, nullptr, info.bytes.data(),
                       DeviceInfoBlock::kSize, 0});
}

int CCommandChannel::ReadMemory(std::span<uint8_t> buffer, uint16_t address) {
    return RunChunked({kCmdReadMemory, ChunkSize(), Locking::Command, nullptr, buffer.data(),
                       buffer.size(), address});
}

int CCommandChannel::WriteMemory(std::span<const uint8_t> data, uint16_t address) {
    return RunChunked({kCmdWriteMemory, ChunkSize(), Locking::Command, data.data(), nullptr,
                       data.size(), address});
}

int CCommandChannel::ReadKeyTable(std::span<uint8_t> buffer) {
    const size_t size = TableSize();
    if (buffer.size() < size) {
        Trace("key table buffer of %zu bytes is smaller than the table (%zu)\n", buffer.size(),
              size);
        return kResultNoReply;
    }
    return RunChunked(
        {kCmdReadKeyTable, ChunkSize(), Locking::Command, nullptr, buffer.data(), size, 0});
}

int CCommandChannel::WriteKeyTable(std::span<const uint8_t> data, int index) {
    if (index != 0) return kResultBadTableIndex;
    const size_t size = TableSize();
    if (data.size() < size) {
        Trace("key table of %zu bytes is smaller than the table size (%zu)\n", data.size(), size);
        return kResultNoReply;
    }
    return RunChunked(
        {kCmdWriteKeyTable, ChunkSize(), Locking::Command, data.data(), nullptr, size, 0});
}

int CCommandChannel::ReadLedMap(std::span<uint8_t> buffer) {
    const size_t size = TableSize() / 3;
    if (buffer.size() < size) {
        Trace("LED map buffer of %zu bytes is smaller than the map (%zu)\n", buffer.size(), size);
        return kResultNoReply;
    }
    return RunChunked(
        {kCmdReadLedMap, ChunkSize(), Locking::Command, nullptr, buffer.data(), size, 0});
}

int CCommandChannel::WriteMacroImage(std::span<const uint8_t> data) {
    return RunChunked(
        {kCmdWriteMacroImage, ChunkSize(), Locking::Command, data.data(), nullptr, data.size(), 0});
}

int CCommandChannel::WriteShootImage(std::span<const uint8_t> data) {
    return RunChunked({kCmdWriteShootImage, static_cast<uint8_t>(kFramePayloadSize), Locking::None,
                       data.data(), nullptr, data.size(), 0});
}

int CCommandChannel::ReadStatus(std::span<uint8_t> buffer, uint16_t offset) {
    if (buffer.size() > kFramePayloadSize) {
        Trace("status read of %zu bytes exceeds one frame\n", buffer.size());
        return kResultNoReply;
    }
    Frame request = MakeFrame(kCmdReadStatus, static_cast<uint8_t>(buffer.size()), offset);
    Frame reply{};
    if (const int result = RunFrame(request, reply); result != kResultOk) return result;
    std::copy_n(&reply[kFramePayloadByte], buffer.size(), buffer.begin());
    return kResultOk;
}

bool CCommandChannel::IsLinkUp() {
    Frame request = MakeFrame(kCmdLinkState, 0, 0);
    Frame reply{};
    return RunFrame(request, reply) == kResultOk && reply[kLinkUpByte] == kLinkUpValue;
}

int CCommandChannel::StreamLight(std::span<const uint8_t> data) {
    // Checked first: a closed channel must not report dropped frames as sent.
    if (!CanTransfer(0, data.size())) return kResultNoReply;
    const size_t chunk = ChunkSize();
    for (size_t offset = 0; offset < data.size(); offset += chunk) {
        const size_t length = std::min(chunk, data.size() - offset);
        Frame request =
            MakeFrame(kCmdStreamLight, static_cast<uint8_t>(length), static_cast<uint16_t>(offset));
        std::memcpy(&request[kFramePayloadByte], data.data() + offset, length);
        SealFrame(request);
        // Nothing is streamed to a wireless device, so there is nothing to
        // report as dropped either.
        if (m_wireless.load()) continue;
        if (IsBusy()) {
            Trace("放弃灯光数据\n");
            continue;
        }
        Frame reply{};
        int result;
        {
            ScopedLock lock(m_lightingLock);
            result = ExchangeLight(request, reply);
        }
        if (result != kResultOk) return result;
        if (const int status = StatusResult(reply[kFrameStatusByte]); status != kResultOk) {
            return status;
        }
    }
    return kResultOk;
}

}  // namespace warden
