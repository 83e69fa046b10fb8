#pragma once
// Small stand-ins for the controls and peers a device object talks to: key
// buttons with a light preview, the selection panel, the device list entry,
// the power panel and the main window. They only record what they are told.

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "devices/COrmandelUSBDevice.h"
#include "devices/IDeviceListEntry.h"
#include "devices/ILightPreview.h"
#include "devices/IPowerPanel.h"
#include "ui/MessageTarget.h"
#include "ui/UIDefine.h"
#include "ui/controls/CLinearLayoutUI.h"

namespace warden::test {

class TestKeyButton : public CControlUI, public ILightPreview {
public:
    std::string_view GetClass() const override { return "DeviceKeyButton"; }
    void* GetInterface(std::string_view name) override {
        if (name == kLightPreviewInterface) return static_cast<ILightPreview*>(this);
        return CControlUI::GetInterface(name);
    }
    void SetLightColor(uint32_t c, uint32_t l, bool on) override {
        colour = c;
        level = l;
        lightOn = on;
        ++updates;
    }
    uint32_t colour = 255;
    uint32_t level = 200;
    bool lightOn = false;
    int updates = 0;
};

class TestSelectPanel : public CVerticalLayoutUI {
public:
    std::string_view GetClass() const override { return "SelectPanel"; }
};

// Creates the program's classes of a device layout; the device is made by
// `makeDevice`.
class DeviceLayoutCallback : public IDialogBuilderCallback {
public:
    explicit DeviceLayoutCallback(std::function<COrmandelUSBDevice*()> makeDevice)
        : m_makeDevice(std::move(makeDevice)) {}
    CControlUI* CreateControl(std::string_view className) override {
        if (className == "DeviceKeyButton") return new TestKeyButton;
        if (className == "SelectPanel") return new TestSelectPanel;
        if (className == "OrmandelUSBDevice") return m_makeDevice();
        return nullptr;
    }

private:
    std::function<COrmandelUSBDevice*()> m_makeDevice;
};

// Waits (bounded) until `ready` holds; the bound only keeps a broken build
// from hanging, it is never what a test checks.
template <typename Predicate>
bool WaitFor(std::mutex& mutex, std::condition_variable& changed, Predicate ready) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(10), ready);
}

class RecordingListEntry : public IDeviceListEntry {
public:
    struct Request {
        uint32_t id;
        uint32_t elapseMs;
    };
    void StartDeviceTimer(uint32_t id, uint32_t elapseMs) override {
        std::lock_guard lock(m_mutex);
        m_requests.push_back({id, elapseMs});
        m_changed.notify_all();
    }
    std::vector<Request> WaitForRequests(size_t count) {
        WaitFor(m_mutex, m_changed, [&] { return m_requests.size() >= count; });
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Request> m_requests;
};

class RecordingPowerPanel : public IPowerPanel {
public:
    void SetPowerPanelMode(int m) override { mode = m; }
    void ShowPowerStatus(std::span<const uint8_t, device::kPowerStatusSize> s) override {
        std::copy(s.begin(), s.end(), status.begin());
        ++shown;
    }
    int mode = -1;
    std::array<uint8_t, device::kPowerStatusSize> status{};
    int shown = 0;
};

class RecordingWindow : public MessageTarget {
public:
    struct Message {
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    bool Post(uint32_t m, WParam w, LParam l) override {
        messages.push_back({m, w, l});
        return true;
    }
    LResult Send(uint32_t m, WParam w, LParam l, Event* /*abort*/ = nullptr) override {
        messages.push_back({m, w, l});
        return 0;
    }
    std::vector<Message> messages;
};

// A catalogue kind's name for test case names; "Kind<n>" for others.
inline std::string DeviceKindName(int kind) {
    switch (kind) {
        case kKindKeyboard:
            return "Keyboard";
        case kKindMouse:
            return "Mouse";
        case kKindMousePad:
            return "MousePad";
        case kKindWirelessMouse:
            return "WirelessMouse";
        case kKindHeadset:
            return "Headset";
        default:
            return "Kind" + std::to_string(kind);
    }
}

}  // namespace warden::test
