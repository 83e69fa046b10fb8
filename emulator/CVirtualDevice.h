#pragma once
// One emulated device on the emulated HID backend: its interface with the
// report descriptor the catalogue expects, its firmware answering the
// command frames, and the notification reports it can send.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "emulator/CEmulatedFirmware.h"
#include "emulator/EmulatedKinds.h"
#include "platform/hid/EmulatedHidBackend.h"

namespace warden {

inline constexpr uint16_t kSyncRequestCode = 0x401;
inline constexpr uint16_t kNotification404Code = 0x404;
inline constexpr uint16_t kKeyDownCodeBase = 0x500;
inline constexpr uint16_t kKeyUpCodeBase = 0x600;

class CVirtualDevice {
public:
    // Plugs a device of `kind` with `config` into `backend`. Mouse ids are
    // 0x320F:0x220F, the other kinds 0:0; keyboard, mouse and mousepad on
    // interface 1, the headset on interface 3. Returns null when the backend
    // refuses the interface.
    static std::unique_ptr<CVirtualDevice> Plug(EmulatedHidBackend& backend, EmulatedKind kind,
                                                FirmwareConfig config);
    // The same with the kind's factory firmware.
    static std::unique_ptr<CVirtualDevice> Plug(EmulatedHidBackend& backend, EmulatedKind kind);

    // Unplugs the device when it is destroyed.
    ~CVirtualDevice();
    CVirtualDevice(const CVirtualDevice&) = delete;
    CVirtualDevice& operator=(const CVirtualDevice&) = delete;

    EmulatedKind Kind() const { return m_kind; }
    CEmulatedFirmware& Firmware() { return *m_firmware; }
    EmulatedHidInterface& Interface() { return *m_interface; }

    // Paths of the interface in descriptor order; the command path is the
    // vendor collection ("&col04", or the only path of the headset), the
    // notification path the consumer collection ("&col03"; empty for the
    // headset).
    std::vector<std::string> Paths() const { return m_interface->Paths(); }
    std::string CommandPath() const;
    std::string NotificationPath() const;

    // Sends a notification report with `code` (0x401 synchronisation
    // request, 0x404, 0x5xx / 0x6xx key events). Returns the number of open
    // notification paths that received it (0 when nobody listens, when
    // unplugged, or for the headset, which has none).
    size_t Notify(uint16_t code);
    // Key event for device key position `position`: kind 1 down (0x500 +
    // position), kind 2 up (0x600 + position).
    size_t NotifyKey(uint8_t position, int eventKind);

    void Unplug() { m_interface->Unplug(); }
    bool IsPlugged() const { return m_interface->IsPlugged(); }

private:
    CVirtualDevice(EmulatedKind kind, std::shared_ptr<CEmulatedFirmware> firmware);

    EmulatedKind m_kind;
    std::shared_ptr<CEmulatedFirmware> m_firmware;
    std::shared_ptr<EmulatedHidInterface> m_interface;
};

// The kind's factory firmware.
FirmwareConfig FactoryFirmware(EmulatedKind kind);

}  // namespace warden
