#include "emulator/CVirtualDevice.h"

#include "emulator/ReportDescriptors.h"
#include "platform/Trace.h"

namespace warden {

namespace {

constexpr uint16_t kMouseVendorId = 0x320F;
constexpr uint16_t kMouseProductId = 0x220F;
constexpr int kMainInterface = 1;
constexpr int kHeadsetInterface = 3;
constexpr size_t kNotificationPathIndex = 2;  // &col03
constexpr size_t kCommandPathIndex = 3;       // &col04

EmulatedHidInterfaceConfig InterfaceConfig(EmulatedKind kind) {
    EmulatedHidInterfaceConfig config;
    switch (kind) {
        case EmulatedKind::Mouse:
            config.vendorId = kMouseVendorId;
            config.productId = kMouseProductId;
            config.interfaceNumber = kMainInterface;
            config.reportDescriptor = ReportDescriptor(InterfaceShape::MouseInterface1);
            break;
        case EmulatedKind::Keyboard:
        case EmulatedKind::MousePad:
            config.interfaceNumber = kMainInterface;
            config.reportDescriptor = ReportDescriptor(InterfaceShape::KeyboardInterface1);
            break;
        case EmulatedKind::Headset:
            config.interfaceNumber = kHeadsetInterface;
            config.reportDescriptor = ReportDescriptor(InterfaceShape::HeadsetInterface3);
            break;
    }
    return config;
}

}  // namespace

FirmwareConfig FactoryFirmware(EmulatedKind kind) {
    switch (kind) {
        case EmulatedKind::Mouse:
            return MouseFirmware();
        case EmulatedKind::Keyboard:
            return KeyboardFirmware();
        case EmulatedKind::MousePad:
            return MousePadFirmware();
        case EmulatedKind::Headset:
            return HeadsetFirmware();
    }
    return {};
}

CVirtualDevice::CVirtualDevice(EmulatedKind kind, std::shared_ptr<CEmulatedFirmware> firmware)
    : m_kind(kind), m_firmware(std::move(firmware)) {}

CVirtualDevice::~CVirtualDevice() {
    if (m_interface) m_interface->Unplug();
}

std::unique_ptr<CVirtualDevice> CVirtualDevice::Plug(EmulatedHidBackend& backend,
                                                     EmulatedKind kind) {
    return Plug(backend, kind, FactoryFirmware(kind));
}

std::unique_ptr<CVirtualDevice> CVirtualDevice::Plug(EmulatedHidBackend& backend, EmulatedKind kind,
                                                     FirmwareConfig config) {
    auto firmware = std::make_shared<CEmulatedFirmware>(std::move(config));
    std::unique_ptr<CVirtualDevice> device(new CVirtualDevice(kind, firmware));
    EmulatedHidInterfaceConfig iface = InterfaceConfig(kind);
    // The handler owns the firmware, so a path still open after the device
    // object is gone never reaches freed memory.
    iface.onOutputReport = [firmware](EmulatedHidInterface& target, std::span<const uint8_t> report,
                                      EmulatedOutputPath path) {
        if (!report.empty() && report[0] == kHeadsetLightReportId) {
            return path == EmulatedOutputPath::SetOutputReport &&
                   firmware->HandleLightReport(report);
        }
        const FirmwareResponse response = firmware->HandleFrame(report);
        for (const Frame& reply : response.reports) target.QueueInputReport(reply);
        if (response.unplug) target.Unplug();
        return true;
    };
    device->m_interface = backend.Plug(std::move(iface));
    if (!device->m_interface) {
        Trace("emulator: the %s interface was refused\n", EmulatedKindName(kind).data());
        return nullptr;
    }
    return device;
}

std::string CVirtualDevice::CommandPath() const {
    const std::vector<std::string> paths = m_interface->Paths();
    const size_t index = m_kind == EmulatedKind::Headset ? 0 : kCommandPathIndex;
    return index < paths.size() ? paths[index] : std::string();
}

std::string CVirtualDevice::NotificationPath() const {
    const std::vector<std::string> paths = m_interface->Paths();
    if (m_kind == EmulatedKind::Headset || paths.size() <= kNotificationPathIndex) return {};
    return paths[kNotificationPathIndex];
}

size_t CVirtualDevice::Notify(uint16_t code) {
    if (m_kind == EmulatedKind::Headset) return 0;
    const uint8_t report[kNotificationReportSize] = {
        kNotificationReportId, static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)};
    return m_interface->QueueInputReport(report);
}

size_t CVirtualDevice::NotifyKey(uint8_t position, int eventKind) {
    const uint16_t base = eventKind == 2 ? kKeyUpCodeBase : kKeyDownCodeBase;
    return Notify(static_cast<uint16_t>(base + position));
}

}  // namespace warden
