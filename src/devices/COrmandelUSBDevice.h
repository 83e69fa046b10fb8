#pragma once
// What every device kind shares: the device's page (a horizontal layout
// built from the device layout file) and its driver at once. It owns the
// command and notification channels, the lighting state and engine, the
// key and zone controls of the picture, the key maps and two worker threads
// (lighting and synchronisation). Kinds override the virtual operations.
//
// Threads: everything runs on the UI thread except the lighting thread (the
// effect primitives and the per-zone pass), the synchronisation thread
// (notification reports) and the main window's synchronised lighting
// (SetZoneColour). A kind that overrides an operation the worker threads
// call must stop both threads in its own destructor.

#include <json/json.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "devices/LightingEngine.h"
#include "platform/CriticalSection.h"
#include "platform/WorkerThread.h"
#include "profiles/ProfileRecords.h"
#include "transport/CCommandChannel.h"
#include "transport/DeviceCatalogue.h"
#include "transport/DeviceInfoBlock.h"
#include "ui/MessageTarget.h"
#include "ui/controls/CLinearLayoutUI.h"

namespace warden {

class CTabLayoutUI;
class IDeviceListEntry;
class IPowerPanel;

class COrmandelUSBDevice : public CHorizontalLayoutUI {
public:
    COrmandelUSBDevice();
    // Stops the lighting thread, then the synchronisation thread; the
    // channels close their connections.
    ~COrmandelUSBDevice() override;

    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // --- Virtual operations, in slot order ----------------------------------
    // Binds the "DeviceKeyButton" controls of the first "SelectPanel": "key_N"
    // becomes key button N, "light_N" zone control N; names without "_", with
    // another prefix, without a whole decimal number or with N outside the
    // arrays are skipped.
    virtual void BindLayout();
    // Base: returns 0.
    virtual int ReloadLighting();
    virtual void StepBreathing();
    virtual void StepBreathingFour();
    virtual void StepStatic();
    virtual void StepSpectrum();
    virtual void StepFlash();
    virtual void StepFlashFour();
    virtual void StepOff();
    // When light output is enabled, hands every visible zone control its zone
    // colour, level and light-on flag.
    virtual void ShowLighting();
    // A zone outside the frame is ignored (Get gives 0). Any thread.
    virtual void SetZoneColour(int zone, uint32_t colour);
    virtual uint32_t GetZoneColour(int zone);
    virtual void OnConnected();
    virtual void ReloadFromDevice();
    virtual void ReservedOperation1();
    virtual void ReservedOperation2();
    // While the command channel is open: reads the six status bytes, sets
    // byte 3 to the wireless flag, hands them to the power panel and sends
    // message 3329 (wParam byte 4) to the main window. A failed read is
    // traced and changes nothing.
    virtual void ReadPowerStatus();
    // Base: returns 0.
    virtual int LoadCurrentProfile();
    virtual void ApplyProfile();
    virtual void CheckMacroAssignments();
    virtual void RestoreDefaults();
    // Base: returns 0.
    virtual int SendKeyAssignments(int index, const std::vector<KeyAssignmentRecord>& list);
    // Base: returns 0.
    virtual int SendKeys(int index);
    // Base: returns 0.
    virtual int WriteMacros();
    // Base: returns 0.
    virtual int Send(int profileNumber, int value, int reserved, int screenWidth, int screenHeight);
    virtual void LoadPanelLists();
    virtual void SetKeyMap(const std::map<int, int>& map);
    // Reactive state; a key outside the 126 is ignored.
    virtual void FadeKey(int key, int modeFlag);
    virtual void LightPressedKeys();
    virtual void ShiftRipple(int direction);
    virtual void ClearReactive();
    // Stores the tab and shows the function and key pages it stands for, when
    // the page has both "device_function_switch" and
    // "device_key_function_switch" tab layouts.
    virtual void SetPageTab(int tab);
    virtual int GetPageTab();
    virtual void LoadProfileFiles();
    // Base: empty.
    virtual std::string GetProfileFile();
    virtual void Save();
    virtual void SetPageType(int type);
    virtual int GetPageType();
    // Stores the light settings from their three words.
    virtual void SetLightInfo(uint32_t word1, uint32_t word2, uint32_t word3);
    virtual void SelectKey(int key);

    // --- Setters of the main window, in the order it calls them -------------
    void SetLayoutFile(std::string_view file) { m_layoutFile = file; }
    void SetMainWindow(MessageTarget* window) { m_mainWindow = window; }
    // Resizes the key buttons; nothing when unchanged.
    void SetKeyCount(int count);
    // Resizes zone controls, zone colours and zone settings, zeroing every
    // zone colour and setting. Negative counts count as 0. Only while the
    // lighting thread is stopped: the frame it writes is reallocated.
    void SetZoneCount(int count);
    // Passed on to the power panel when one is attached.
    void SetPowerPanelMode(int mode);
    void SetProfileBaseName(std::string_view name) { m_profileBaseName = name; }
    void SetDeviceFolderName(std::string_view name) { m_deviceFolderName = name; }
    // The panel receives the power panel mode; null detaches.
    void AttachPowerPanel(IPowerPanel* panel);
    // Copies the entry and takes its device kind and interface role.
    void SetCatalogueEntry(const DeviceCatalogueEntry& entry);
    void SetLightConfigBaseName(std::string_view name) { m_lightConfigBaseName = name; }

    void AttachListEntry(IDeviceListEntry* entry) { m_listEntry.store(entry); }
    IDeviceListEntry* GetListEntry() const { return m_listEntry.load(); }
    void AttachLightingPanel(CControlUI* panel) { m_lightingPanel = panel; }
    CControlUI* GetLightingPanel() const { return m_lightingPanel; }
    IPowerPanel* GetPowerPanel() const { return m_powerPanel; }
    bool IsLightOutputEnabled() const { return m_lightOutput.load(); }
    void SetLightOutputEnabled(bool on) { m_lightOutput.store(on); }
    bool IsPreviewRefresh() const { return m_previewRefresh.load(); }
    void SetPreviewRefresh(bool on) { m_previewRefresh.store(on); }
    int GetDeviceKind() const { return m_deviceKind.load(); }
    int GetInterfaceRole() const { return m_interfaceRole; }
    int GetPowerPanelMode() const { return m_powerPanelMode; }
    const DeviceCatalogueEntry& GetCatalogueEntry() const { return m_catalogueEntry; }
    const std::string& GetLayoutFile() const { return m_layoutFile; }
    int GetSelectedKey() const { return m_selectedKey; }
    const LightInfoRecord& GetLightSettings() const { return m_engine.Settings(); }

    // --- Arrival and removal of the interfaces ------------------------------
    // Command interface arrived: opens `slot`'s path under the I/O lock; on
    // success the channel is open, wireless for kind 6, and the device takes
    // the slot as its catalogue entry. Returns 1, or 0 (channel left closed).
    int OpenCommand(const DeviceCatalogueEntry& slot);
    // Command interface gone: the channel closes; profile, panels and
    // lighting state stay.
    void CloseCommand();
    // When the notification channel is closed: opens `path` and starts the
    // synchronisation thread (also when the open failed, as the thread idles
    // on a closed channel). Returns 1 when the channel is open afterwards.
    int OpenNotification(const std::string& path);
    // When the notification channel is open: stops the synchronisation
    // thread (cutting its pending read short), then closes the channel.
    void CloseNotification();

    CCommandChannel& CommandChannel() { return m_command; }
    CCommandChannel& NotificationChannel() { return m_notification; }
    bool IsSyncThreadRunning() const { return m_syncThread.IsRunning(); }
    bool IsLightingThreadRunning() const { return m_lightingThread.IsRunning(); }
    // The counter that 0x404 notifications advance through 0-3.
    int GetNotificationCounter() const { return m_notificationCounter.load(); }

    // --- Controls and state the kinds and panels read -----------------------
    const std::vector<CControlUI*>& GetKeyButtons() const { return m_keyButtons; }
    const std::vector<CControlUI*>& GetZoneControls() const { return m_zoneControls; }
    CTabLayoutUI* GetFunctionTab() const { return m_functionTab; }
    CTabLayoutUI* GetKeyFunctionTab() const { return m_keyFunctionTab; }
    LightingEngine& Engine() { return m_engine; }

    // --- File locations (see DeviceFiles.h) ---------------------------------
    std::filesystem::path DefaultFolder() const;
    std::filesystem::path DefaultProfilePath() const;
    std::filesystem::path UserFolder() const;
    std::filesystem::path ProfilePath() const;
    std::filesystem::path LightConfigPath() const;

protected:
    // Lighting thread: started by a kind's OnConnected (restarting it), idle
    // while the command channel is closed or the sync lighting mark is set;
    // otherwise each counted tick brings the effect one tick nearer its next
    // StepEffect, and every pass runs RunZonePass under the zone lock.
    void StartLightingThread();
    void StopLightingThread();
    // Stops the synchronisation thread, cutting its pending read short; the
    // notification channel stays as it is.
    void StopSyncThread();
    // The primitive of the current effect.
    virtual void StepEffect() {}
    // The per-zone pass after each tick.
    virtual void RunZonePass() {}
    // True: a tick is counted whenever the tick count moved by more than 1
    // (keyboard, mouse); false: every pass sleeps 1 ms and counts.
    virtual bool CountsSystemTicks() const { return true; }
    virtual const char* LightingExitTrace() const;

    // A key event of the notification interface (kind 1 down, 2 up) for
    // device key position `position`, on the synchronisation thread. Only the
    // keyboard reacts.
    virtual void OnDeviceKeyEvent(int position, int eventKind);

    // The zone colours to the zone controls, whatever the light output flag.
    void PaintZonePreviews();
    void SetDeviceKind(int kind) { m_deviceKind.store(kind); }

    CCommandChannel m_command;
    CCommandChannel m_notification;
    DeviceInfoBlock m_deviceInfo;
    CControlUI* m_lightingPanel = nullptr;
    IPowerPanel* m_powerPanel = nullptr;
    MessageTarget* m_mainWindow = nullptr;
    std::string m_layoutFile;
    std::string m_profileBaseName;
    std::string m_lightConfigBaseName;
    std::string m_deviceFolderName;
    int m_interfaceRole = 0;
    int m_selectedKey = -1;
    int m_pageTab = 1;
    int m_pageType = 0;
    int m_powerPanelMode = 0;
    std::vector<CControlUI*> m_keyButtons;
    std::vector<CControlUI*> m_zoneControls;
    std::map<int, int> m_keyPositions;  // UI key index -> device key position
    std::map<int, int> m_keyLeds;       // UI key index -> LED index
    std::map<int, int> m_keyMap;        // set by SetKeyMap
    LightingEngine m_engine;
    Json::Value m_defaultLightList;
    Json::Value m_lightConfig;
    Json::Value m_macroList;
    CriticalSection m_effectLock;  // guards m_effectSteps
    CriticalSection m_zoneLock;    // guards m_zoneSettings during a frame
    std::vector<LightEffectStep> m_effectSteps;
    std::vector<LightZoneRecord> m_zoneSettings;
    DeviceCatalogueEntry m_catalogueEntry;

private:
    void RunLightingThread(warden::Event& stop);
    void RunSyncThread(warden::Event& stop);
    void HandleNotification(uint32_t code);
    CTabLayoutUI* FindTabLayout(std::string_view name);

    std::atomic<int> m_deviceKind{0};
    std::atomic<IDeviceListEntry*> m_listEntry{nullptr};
    std::atomic<bool> m_lightOutput{true};
    std::atomic<bool> m_previewRefresh{true};
    std::atomic<int> m_notificationCounter{0};
    CTabLayoutUI* m_functionTab = nullptr;
    CTabLayoutUI* m_keyFunctionTab = nullptr;
    WorkerThread m_lightingThread;
    WorkerThread m_syncThread;
};

// The event code of a decoded notification report: the first usage of the
// first input item. -1 when the connection has no button item or the report
// carried no usage.
int NotificationEventCode(CHidConnection& connection, const uint8_t* report, uint32_t length);

}  // namespace warden
