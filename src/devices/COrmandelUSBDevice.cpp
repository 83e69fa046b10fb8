#include "devices/COrmandelUSBDevice.h"

#include <algorithm>

#include "devices/DeviceFiles.h"
#include "devices/ILightPreview.h"
#include "devices/IPowerPanel.h"

namespace warden {

namespace {

size_t ClampCount(int count) {
    return count > 0 ? static_cast<size_t>(count) : 0;
}

}  // namespace

COrmandelUSBDevice::COrmandelUSBDevice() = default;

COrmandelUSBDevice::~COrmandelUSBDevice() {
    StopLightingThread();
    StopSyncThread();
}

std::string_view COrmandelUSBDevice::GetClass() const {
    return "OrmandelUSBDevice";
}

void* COrmandelUSBDevice::GetInterface(std::string_view name) {
    return name == "OrmandelUSBDevice" ? this : CHorizontalLayoutUI::GetInterface(name);
}

// --- Base behaviour of the virtual operations --------------------------------

int COrmandelUSBDevice::ReloadLighting() {
    return 0;
}

void COrmandelUSBDevice::StepBreathing() {
    m_engine.StepBreathing();
}
void COrmandelUSBDevice::StepBreathingFour() {
    m_engine.StepBreathingFour();
}
void COrmandelUSBDevice::StepStatic() {
    m_engine.StepStatic();
}
void COrmandelUSBDevice::StepSpectrum() {
    m_engine.StepSpectrum();
}
void COrmandelUSBDevice::StepFlash() {
    m_engine.StepFlash();
}
void COrmandelUSBDevice::StepFlashFour() {
    m_engine.StepFlashFour();
}
void COrmandelUSBDevice::StepOff() {
    m_engine.StepOff();
}

void COrmandelUSBDevice::ShowLighting() {
    if (m_lightOutput.load()) PaintZonePreviews();
}

void COrmandelUSBDevice::PaintZonePreviews() {
    const size_t count = std::min(m_engine.ZoneCount(), m_zoneControls.size());
    for (size_t i = 0; i < count; ++i) {
        CControlUI* control = m_zoneControls[i];
        if (control == nullptr || !control->IsVisible()) continue;
        auto* preview = static_cast<ILightPreview*>(control->GetInterface(kLightPreviewInterface));
        if (preview == nullptr) continue;
        // The preview takes red, green, blue from the low byte up: the zone's
        // bytes in their own order.
        const ZoneColour zone = m_engine.Zone(i);
        const uint32_t colour = zone.c1 | (uint32_t{zone.c2} << 8) | (uint32_t{zone.c3} << 16);
        preview->SetLightColor(colour, zone.level, true);
    }
}

void COrmandelUSBDevice::SetZoneColour(int zone, uint32_t colour) {
    if (zone >= 0) m_engine.SetZoneColour(static_cast<size_t>(zone), colour);
}

uint32_t COrmandelUSBDevice::GetZoneColour(int zone) {
    return zone >= 0 ? m_engine.GetZoneColour(static_cast<size_t>(zone)) : 0;
}

void COrmandelUSBDevice::OnConnected() {}
void COrmandelUSBDevice::ReloadFromDevice() {}
void COrmandelUSBDevice::ReservedOperation1() {}
void COrmandelUSBDevice::ReservedOperation2() {}
int COrmandelUSBDevice::LoadCurrentProfile() {
    return 0;
}
void COrmandelUSBDevice::ApplyProfile() {}
void COrmandelUSBDevice::CheckMacroAssignments() {}
void COrmandelUSBDevice::RestoreDefaults() {}

int COrmandelUSBDevice::SendKeyAssignments(int, const std::vector<KeyAssignmentRecord>&) {
    return 0;
}

int COrmandelUSBDevice::SendKeys(int) {
    return 0;
}
int COrmandelUSBDevice::WriteMacros() {
    return 0;
}
int COrmandelUSBDevice::Send(int, int, int, int, int) {
    return 0;
}
void COrmandelUSBDevice::LoadPanelLists() {}
void COrmandelUSBDevice::SetKeyMap(const std::map<int, int>& map) {
    m_keyMap = map;
}

void COrmandelUSBDevice::FadeKey(int key, int modeFlag) {
    if (key >= 0) m_engine.FadeKey(static_cast<size_t>(key), modeFlag != 0);
}

void COrmandelUSBDevice::LightPressedKeys() {
    m_engine.LightPressedKeys();
}
void COrmandelUSBDevice::ShiftRipple(int direction) {
    m_engine.ShiftRipple(direction != 0);
}
void COrmandelUSBDevice::ClearReactive() {
    m_engine.ClearReactive();
}
int COrmandelUSBDevice::GetPageTab() {
    return m_pageTab;
}
void COrmandelUSBDevice::LoadProfileFiles() {}
std::string COrmandelUSBDevice::GetProfileFile() {
    return {};
}
void COrmandelUSBDevice::Save() {}
void COrmandelUSBDevice::SetPageType(int type) {
    m_pageType = type;
}
int COrmandelUSBDevice::GetPageType() {
    return m_pageType;
}

void COrmandelUSBDevice::SetLightInfo(uint32_t word1, uint32_t word2, uint32_t word3) {
    m_engine.Settings() = LightInfoRecord::FromWords(word1, word2, word3);
}

void COrmandelUSBDevice::SelectKey(int key) {
    m_selectedKey = key;
}

void COrmandelUSBDevice::OnDeviceKeyEvent(int, int) {}

// --- Setters -------------------------------------------------------------------

void COrmandelUSBDevice::SetKeyCount(int count) {
    const size_t size = ClampCount(count);
    if (size != m_keyButtons.size()) m_keyButtons.resize(size, nullptr);
}

void COrmandelUSBDevice::SetZoneCount(int count) {
    const size_t size = ClampCount(count);
    m_zoneControls.resize(size, nullptr);
    m_engine.SetZoneCount(size);
    ScopedLock lock(m_zoneLock);
    m_zoneSettings.assign(size, LightZoneRecord{});
}

void COrmandelUSBDevice::SetPowerPanelMode(int mode) {
    m_powerPanelMode = mode;
    if (m_powerPanel != nullptr) m_powerPanel->SetPowerPanelMode(mode);
}

void COrmandelUSBDevice::AttachPowerPanel(IPowerPanel* panel) {
    m_powerPanel = panel;
    if (m_powerPanel != nullptr) m_powerPanel->SetPowerPanelMode(m_powerPanelMode);
}

void COrmandelUSBDevice::SetCatalogueEntry(const DeviceCatalogueEntry& entry) {
    m_catalogueEntry = entry;
    m_deviceKind.store(entry.deviceKind);
    m_interfaceRole = entry.interfaceRole;
}

// --- File locations --------------------------------------------------------------

std::filesystem::path COrmandelUSBDevice::DefaultFolder() const {
    return devicefiles::DefaultFolder();
}

std::filesystem::path COrmandelUSBDevice::DefaultProfilePath() const {
    return devicefiles::DefaultProfilePath(m_deviceFolderName);
}

std::filesystem::path COrmandelUSBDevice::UserFolder() const {
    return devicefiles::UserFolder(m_deviceFolderName);
}

std::filesystem::path COrmandelUSBDevice::ProfilePath() const {
    return devicefiles::ProfilePath(m_deviceFolderName, m_profileBaseName);
}

std::filesystem::path COrmandelUSBDevice::LightConfigPath() const {
    return devicefiles::LightConfigPath(m_deviceFolderName, m_lightConfigBaseName);
}

}  // namespace warden
