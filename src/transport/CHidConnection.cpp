#include "transport/CHidConnection.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/Trace.h"
#include "platform/hid/HidReportDecoder.h"

namespace warden {
namespace {

// The "%x" number after `key` (searched without regard to case); 0 when the
// key or its digits are missing.
uint32_t HexAfterKey(const std::string& path, std::string_view key) {
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    const auto at = std::search(path.begin(), path.end(), key.begin(), key.end(), same);
    unsigned value = 0;
    if (at == path.end()) return 0;
    const size_t digits = static_cast<size_t>(at - path.begin()) + key.size();
    if (std::sscanf(path.c_str() + digits, "%x", &value) != 1) return 0;
    return value;
}

}  // namespace

CHidConnection::CHidConnection() = default;

CHidConnection::~CHidConnection() {
    Close();
    FreePaths();
}

int CHidConnection::EnumeratePaths() {
    FreePaths();
    std::vector<std::string> paths;
    if (!CurrentHidBackend()->EnumerateInterfaces(paths)) return 0;
    m_paths = std::move(paths);
    m_haveList = true;
    m_cursor = 0;
    return 1;
}

const char* CHidConnection::NextPath() {
    if (!m_haveList || m_cursor >= m_paths.size()) return nullptr;
    const std::string& path = m_paths[m_cursor++];
    return path.empty() ? nullptr : path.c_str();
}

void CHidConnection::FreePaths() {
    m_paths = {};
    m_haveList = false;
    m_cursor = 0;
}

int CHidConnection::Open(const std::string& path, int read, int write, int overlapped,
                         int exclusive) {
    std::unique_lock lock(m_handleLock);
    CloseLocked(lock);
    m_openForRead = read != 0;
    m_openForWrite = write != 0;
    m_overlapped = overlapped != 0;
    m_exclusive = exclusive != 0;
    if (path.size() > kHidMaxDevicePathLength) {
        Trace("HID path longer than %zu characters refused\n", kHidMaxDevicePathLength);
        return 0;
    }
    m_devicePath = path;
    const HidOpenFlags flags{m_openForRead != 0, m_openForWrite != 0, m_overlapped != 0,
                             m_exclusive != 0};
    std::unique_ptr<HidDevice> device = CurrentHidBackend()->Open(path, flags);
    if (device == nullptr) return 0;
    m_parserData = device->PreparsedData();
    m_caps = m_parserData->Caps();
    m_attributes = device->Attributes();
    for (HidReportType type :
         {HidReportType::Input, HidReportType::Output, HidReportType::Feature}) {
        LoadTables(type);
    }
    m_interfaceNumber = static_cast<int>(HexAfterKey(path, "&mi_"));
    m_collectionNumber = static_cast<int>(HexAfterKey(path, "&col"));
    m_handle = std::move(device);
    return 1;
}

void CHidConnection::LoadTables(HidReportType type) {
    const HidPreparsedData* data = m_parserData.get();
    ReportTables& t = m_tables[static_cast<size_t>(type)];
    t.buffer.assign(data->ReportByteLength(type), 0);
    const auto buttons = data->ButtonCaps(type);
    const auto values = data->ValueCaps(type);
    t.buttonCaps.assign(buttons.begin(), buttons.end());
    t.valueCaps.assign(values.begin(), values.end());
    size_t valueCount = 0;
    for (const HidValueCaps& caps : values) valueCount += caps.usageMax - caps.usageMin + 1u;
    t.items.clear();
    t.items.reserve(buttons.size() + valueCount);
    for (const HidButtonCaps& caps : buttons) {
        HidReportItem& item = t.items.emplace_back();
        item.isButton = true;
        item.usagePage = caps.usagePage;
        item.reportId = caps.reportId;
        item.usageMin = caps.usageMin;
        item.usageMax = caps.usageMax;
        item.usageListLength = HidMaxUsageListLength(type, caps.usagePage, data);
        item.usageList.assign(item.usageListLength, 0);
    }
    for (const HidValueCaps& caps : values) {
        for (uint32_t usage = caps.usageMin; usage <= caps.usageMax; ++usage) {
            HidReportItem& item = t.items.emplace_back();
            item.usagePage = caps.usagePage;
            item.reportId = caps.reportId;
            item.usage = static_cast<uint16_t>(usage);
        }
    }
}

void CHidConnection::ReleaseTables() {
    for (ReportTables& t : m_tables) t = ReportTables{};
    m_parserData.reset();
    m_caps = HidCaps{};
    m_attributes = HidAttributes{};
    m_interfaceNumber = 0;
    m_collectionNumber = 0;
}

void CHidConnection::Close() {
    std::unique_lock lock(m_handleLock);
    CloseLocked(lock);
}

void CHidConnection::CloseLocked(std::unique_lock<std::mutex>& lock) {
    const bool aborting = m_readInProgress.load() != 0 || m_writeInProgress.load() != 0;
    if (aborting) m_abort.Set();
    if (m_handle != nullptr) {
        // The abort event releases one waiter; cancelling releases them all,
        // and waiting for them keeps the tables alive while they copy.
        m_handle->Cancel();
        m_transferDone.wait(
            lock, [this] { return m_readInProgress.load() == 0 && m_writeInProgress.load() == 0; });
    }
    // A transfer that completed before it saw this signal leaves it pending;
    // it was meant for the handle going away, not for the first transfer of
    // the next open.
    if (aborting) m_abort.TryConsume();
    ReleaseTables();
    m_handle.reset();
}

bool CHidConnection::IsOpen() const {
    std::lock_guard lock(m_handleLock);
    return m_handle != nullptr;
}

std::shared_ptr<HidDevice> CHidConnection::BeginTransfer(std::atomic<int>& inProgress) {
    std::lock_guard lock(m_handleLock);
    inProgress.store(1);
    return m_handle;
}

void CHidConnection::EndTransfer(std::atomic<int>& inProgress) {
    std::lock_guard lock(m_handleLock);
    inProgress.store(0);
    m_transferDone.notify_all();
}

int CHidConnection::ReadReport(uint8_t* buffer, uint32_t length, uint32_t timeoutMs,
                               uint32_t* bytesOut) {
    if (bytesOut != nullptr) *bytesOut = 0;
    std::shared_ptr<HidDevice> device = BeginTransfer(m_readInProgress);
    int result = 0;
    const bool usable = device != nullptr && m_openForRead != 0 && buffer != nullptr &&
                        length >= device->PreparsedData()->Caps().inputReportByteLength;
    // A pending abort ends the transfer at once, as the wait would.
    if (usable && !m_abort.TryConsume()) {
        size_t transferred = 0;
        if (device->Read(std::span(buffer, length), timeoutMs, m_abort, transferred) ==
            HidTransferResult::Completed) {
            result = 1;
            if (bytesOut != nullptr) *bytesOut = static_cast<uint32_t>(transferred);
        }
    }
    device.reset();
    EndTransfer(m_readInProgress);
    return result;
}

int CHidConnection::WriteReport(const uint8_t* buffer, uint32_t length, uint32_t timeoutMs,
                                uint32_t* bytesOut) {
    if (bytesOut != nullptr) *bytesOut = 0;
    std::shared_ptr<HidDevice> device = BeginTransfer(m_writeInProgress);
    int result = 0;
    const bool usable = device != nullptr && m_openForWrite != 0 && buffer != nullptr && length > 0;
    if (usable && !m_abort.TryConsume()) {
        size_t transferred = 0;
        if (device->Write(std::span(buffer, length), timeoutMs, m_abort, transferred) ==
            HidTransferResult::Completed) {
            result = 1;
            if (bytesOut != nullptr) *bytesOut = static_cast<uint32_t>(transferred);
        }
    }
    device.reset();
    EndTransfer(m_writeInProgress);
    return result;
}

bool CHidConnection::SetOutputReport(const uint8_t* report, uint32_t length) {
    std::shared_ptr<HidDevice> device;
    {
        std::lock_guard lock(m_handleLock);
        device = m_handle;
    }
    return device != nullptr && report != nullptr &&
           device->SetOutputReport(std::span(report, length));
}

void CHidConnection::Abort() {
    m_abort.Set();
}

bool CHidConnection::DecodeReport(const uint8_t* report, uint32_t length, HidReportType type,
                                  HidReportItem* items, uint32_t itemCount,
                                  const HidPreparsedData* parserData) {
    if (report == nullptr || length == 0 || items == nullptr) return true;
    const std::span<const uint8_t> bytes(report, length);
    const uint8_t reportId = report[0];
    for (uint32_t i = 0; i < itemCount; ++i) {
        HidReportItem& item = items[i];
        if (item.reportId != reportId) continue;
        if (item.isButton) {
            const uint32_t capacity = std::min<uint32_t>(
                item.usageListLength, static_cast<uint32_t>(item.usageList.size()));
            uint32_t count = capacity;
            item.status = HidGetUsages(type, item.usagePage, item.usageList.data(), &count,
                                       parserData, bytes);
            // Keep, in order, only the usages of this item's range.
            uint32_t kept = 0;
            for (uint32_t j = 0; j < std::min(count, capacity); ++j) {
                const uint16_t usage = item.usageList[j];
                if (usage >= item.usageMin && usage <= item.usageMax)
                    item.usageList[kept++] = usage;
            }
            if (kept < capacity) item.usageList[kept] = 0;
        } else {
            item.status =
                HidGetUsageValue(type, item.usagePage, item.usage, &item.value, parserData, bytes);
            if (item.status != kHidpStatusSuccess) return false;
            item.status = HidGetScaledUsageValue(type, item.usagePage, item.usage,
                                                 &item.scaledValue, parserData, bytes);
        }
        item.isSet = true;
    }
    return true;
}

uint8_t* CHidConnection::ReportBuffer(HidReportType type) {
    auto& buffer = m_tables[static_cast<size_t>(type)].buffer;
    return buffer.empty() ? nullptr : buffer.data();
}

HidReportItem* CHidConnection::Items(HidReportType type) {
    auto& items = m_tables[static_cast<size_t>(type)].items;
    return items.empty() ? nullptr : items.data();
}

uint32_t CHidConnection::ItemCount(HidReportType type) const {
    return static_cast<uint32_t>(m_tables[static_cast<size_t>(type)].items.size());
}

const std::vector<HidButtonCaps>& CHidConnection::ButtonCaps(HidReportType type) const {
    return m_tables[static_cast<size_t>(type)].buttonCaps;
}

const std::vector<HidValueCaps>& CHidConnection::ValueCaps(HidReportType type) const {
    return m_tables[static_cast<size_t>(type)].valueCaps;
}

uint16_t ParseVendorId(const std::string& path) {
    return HexAfterKey(path, "vid_") & 0xFFFF;
}
uint16_t ParseProductId(const std::string& path) {
    return HexAfterKey(path, "pid_") & 0xFFFF;
}
uint16_t ParseInterfaceNumber(const std::string& path) {
    return HexAfterKey(path, "&mi_") & 0xFFFF;
}
uint16_t ParseCollectionNumber(const std::string& path) {
    return HexAfterKey(path, "&col") & 0xFFFF;
}

}  // namespace warden
