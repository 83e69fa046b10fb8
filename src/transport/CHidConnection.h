#pragma once
// One HID interface opened by path: its attributes, capabilities and report
// tables, reads and writes under a time-out that another thread can abort,
// report decoding into usage items; also the list of HID interface paths
// present. Stands on the process-wide HID backend (platform/hid).

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Event.h"
#include "platform/hid/HidAbortEvent.h"
#include "platform/hid/HidBackend.h"
#include "platform/hid/HidPreparsedData.h"
#include "platform/hid/HidTypes.h"

namespace warden {

// One decoded item of one report type: a set of buttons (one button-caps
// entry) or one value (one usage of a value-caps entry).
struct HidReportItem {
    bool isButton = false;
    uint16_t usagePage = 0;
    HidStatus status = kHidpStatusSuccess;  // last HidP status for this item
    uint32_t reportId = 0;
    bool isSet = false;  // a report carrying this item has been decoded
    // Button item.
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t usageListLength = 0;
    // Usages down in the last decoded report, 0-terminated when shorter;
    // sized once at open.
    std::vector<uint16_t> usageList;
    // Value item.
    uint16_t usage = 0;
    uint32_t value = 0;       // raw
    int32_t scaledValue = 0;  // mapped onto the physical range
};

// Longest device path Open accepts (the original keeps 259 characters).
inline constexpr size_t kHidMaxDevicePathLength = 259;

class CHidConnection {
public:
    CHidConnection();
    // Aborts a waiting transfer, closes the interface and frees the paths.
    ~CHidConnection();
    CHidConnection(const CHidConnection&) = delete;
    CHidConnection& operator=(const CHidConnection&) = delete;

    // Lists every present HID interface path; the cursor goes back to 0.
    // Returns 1, or 0 (no list) when the backend cannot list interfaces.
    int EnumeratePaths();
    // The path at the cursor, advancing it; null without a list, past the
    // end or at an empty entry. The string stays owned by the connection
    // until FreePaths, the next EnumeratePaths or destruction.
    const char* NextPath();
    void FreePaths();
    int PathCount() const { return static_cast<int>(m_paths.size()); }

    // Opens `path` (closing first when open) and loads its attributes, caps
    // and report tables. Returns 1, or 0 with the connection closed when the
    // path is longer than kHidMaxDevicePathLength, gone, refused by the share
    // rules (exclusive shares for reading only) or cannot be opened.
    int Open(const std::string& path, int read, int write, int overlapped, int exclusive);
    // Aborts a waiting transfer, waits until it has returned, then releases
    // the report tables and the handle. Paths and events stay; the abort
    // signalled here is spent with the handle and never ends a transfer of
    // a later open.
    void Close();
    bool IsOpen() const;

    // Transfer of one report under `timeoutMs` (kInfinite: until a report
    // arrives or the abort event is set). Returns 1 when it completed, 0 on
    // time-out, abort (also one signalled earlier and still pending),
    // failure or when closed; `bytesOut` (optional) gets the byte count, 0
    // on failure. A read buffer must hold the input report byte length.
    // Nothing is written into `buffer` after the call returned.
    int ReadReport(uint8_t* buffer, uint32_t length, uint32_t timeoutMs, uint32_t* bytesOut);
    int WriteReport(const uint8_t* buffer, uint32_t length, uint32_t timeoutMs, uint32_t* bytesOut);
    // HidD_SetOutputReport on the open handle. Returns false when closed or
    // when the report could not be sent.
    bool SetOutputReport(const uint8_t* report, uint32_t length);
    // Sets the abort event: ends one waiting transfer, or the next one.
    void Abort();
    // True while ReadReport / WriteReport runs.
    bool ReadInProgress() const { return m_readInProgress.load() != 0; }
    bool WriteInProgress() const { return m_writeInProgress.load() != 0; }

    // Fills the items whose report id equals report[0] from one report.
    // Returns false only when a value cannot be read (items before it keep
    // their new contents, items after it are untouched).
    static bool DecodeReport(const uint8_t* report, uint32_t length, HidReportType type,
                             HidReportItem* items, uint32_t itemCount,
                             const HidPreparsedData* parserData);

    // --- What the open interface gave (empty / zero while closed) ---------
    const std::string& DevicePath() const { return m_devicePath; }
    const HidPreparsedData* ParserData() const { return m_parserData.get(); }
    const HidCaps& Caps() const { return m_caps; }
    const HidAttributes& Attributes() const { return m_attributes; }
    uint8_t* ReportBuffer(HidReportType type);
    HidReportItem* Items(HidReportType type);
    uint32_t ItemCount(HidReportType type) const;
    const std::vector<HidButtonCaps>& ButtonCaps(HidReportType type) const;
    const std::vector<HidValueCaps>& ValueCaps(HidReportType type) const;
    int InterfaceNumber() const { return m_interfaceNumber; }
    int CollectionNumber() const { return m_collectionNumber; }
    bool OpenedForRead() const { return m_openForRead != 0; }
    bool OpenedForWrite() const { return m_openForWrite != 0; }
    bool OpenedOverlapped() const { return m_overlapped != 0; }
    bool OpenedExclusive() const { return m_exclusive != 0; }

private:
    struct ReportTables {
        std::vector<uint8_t> buffer;
        std::vector<HidReportItem> items;
        std::vector<HidButtonCaps> buttonCaps;
        std::vector<HidValueCaps> valueCaps;
    };

    void CloseLocked(std::unique_lock<std::mutex>& lock);
    void LoadTables(HidReportType type);
    void ReleaseTables();
    std::shared_ptr<HidDevice> BeginTransfer(std::atomic<int>& inProgress);
    void EndTransfer(std::atomic<int>& inProgress);

    std::vector<std::string> m_paths;
    bool m_haveList = false;
    uint32_t m_cursor = 0;
    int m_openForRead = 0;
    int m_openForWrite = 0;
    int m_overlapped = 0;
    int m_exclusive = 0;
    std::shared_ptr<HidDevice> m_handle;
    std::string m_devicePath;
    std::shared_ptr<const HidPreparsedData> m_parserData;
    HidCaps m_caps;
    HidAttributes m_attributes;
    std::array<ReportTables, kHidReportTypeCount> m_tables;
    int m_interfaceNumber = 0;
    int m_collectionNumber = 0;
    HidAbortEvent m_abort;
    std::atomic<int> m_readInProgress{0};
    std::atomic<int> m_writeInProgress{0};
    // Guards the handle against Open/Close from another thread while a
    // transfer runs; transfers hold a reference, Close waits for them.
    mutable std::mutex m_handleLock;
    std::condition_variable m_transferDone;
};

// Path helpers: the hexadecimal number after "vid_", "pid_", "&mi_" or
// "&col" (searched without regard to case), low 16 bits; 0 when the key or
// its digits are missing.
uint16_t ParseVendorId(const std::string& path);
uint16_t ParseProductId(const std::string& path);
uint16_t ParseInterfaceNumber(const std::string& path);
uint16_t ParseCollectionNumber(const std::string& path);

}  // namespace warden
