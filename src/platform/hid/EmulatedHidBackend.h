#pragma once
// In-process virtual HID interfaces: the device emulator, tests and the
// demo mode declare interfaces with their ids and report descriptor, answer
// output reports from a handler and queue input reports, and plug or unplug
// them while the program runs. Thread-safe throughout; the handler may queue
// input reports from the caller's thread or later from its own.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidShareTable.h"

namespace warden {

class EmulatedHidInterface;

// How the host sent an output report.
enum class EmulatedOutputPath { Write, SetOutputReport };

// Called for every output report the host sends, one call at a time per
// interface, without any backend lock held (it may queue input reports,
// plug or unplug). `report` starts with the report id (0 when the interface
// numbers no reports). Returning false makes the host's transfer fail.
using EmulatedOutputHandler = std::function<bool(
    EmulatedHidInterface& iface, std::span<const uint8_t> report, EmulatedOutputPath path)>;

struct EmulatedHidInterfaceConfig {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    int interfaceNumber = 0;  // negative: the path carries no "&mi_"
    std::vector<uint8_t> reportDescriptor;
    EmulatedOutputHandler onOutputReport;  // may be empty: reports are accepted
};

// One plugged (or since unplugged) virtual interface: one USB interface with
// one report descriptor, seen by the host as one path per top-level
// collection.
class EmulatedHidInterface {
public:
    virtual ~EmulatedHidInterface() = default;

    // Delivers an input report as the device sends it: report id first when
    // the descriptor numbers its reports, data only otherwise. Every open
    // path of the collection owning the report id receives a copy; a report
    // no collection owns, or sent while unplugged, is dropped. Returns the
    // number of open paths that received it.
    virtual size_t QueueInputReport(std::span<const uint8_t> report) = 0;
    // Unplugs the interface: its paths vanish from enumeration, opens fail,
    // waiting reads end with a failure. Idempotent.
    virtual void Unplug() = 0;
    virtual bool IsPlugged() const = 0;
    // Paths of the interface, one per top-level collection.
    virtual std::vector<std::string> Paths() const = 0;
    // Number of paths currently open on the interface.
    virtual size_t OpenCount() const = 0;
};

class EmulatedHidBackend : public HidBackend {
public:
    EmulatedHidBackend();
    ~EmulatedHidBackend() override;

    // Plugs a virtual interface; it is enumerated after those plugged
    // earlier. Returns null (with a trace) when the descriptor is refused.
    std::shared_ptr<EmulatedHidInterface> Plug(EmulatedHidInterfaceConfig config);
    // Unplugs every interface.
    void UnplugAll();

    bool EnumerateInterfaces(std::vector<std::string>& paths) override;
    std::unique_ptr<HidDevice> Open(const std::string& path, const HidOpenFlags& flags) override;
    bool IsPresent(const std::string& path) override;

private:
    class Interface;
    class Handle;
    std::shared_ptr<Interface> FindPlugged(const std::string& path, size_t& collection) const;

    const std::shared_ptr<HidShareTable> m_shares;
    mutable std::mutex m_lock;
    std::vector<std::shared_ptr<Interface>> m_interfaces;
    uint32_t m_nextInstance = 1;
};

}  // namespace warden
