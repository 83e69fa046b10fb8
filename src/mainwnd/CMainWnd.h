#pragma once
// The one top-level window of the program: builds "XML_MAIN", owns the
// title-bar buttons, the device list area and the "No device" overlay, the
// tray icon and its menu. Closing hides it to the tray; the tray menu's
// "exit" ends the program. Device pages, threads and routing join it later.

#include <array>
#include <memory>
#include <string>

#include "ui/CTrayIcon.h"
#include "ui/WindowImplBase.h"

namespace warden {

class CButtonUI;

class CMainWnd : public WindowImplBase {
public:
    CMainWnd();
    ~CMainWnd() override;

    // Process-wide: the main window's handle (0 before InitWindow).
    static WindowHandle MainWindowHandle();

    void Notify(TNotifyUI& msg) override;

protected:
    std::string GetWindowClassName() const override { return "MainWnd"; }
    std::string GetSkinFile() override { return "XML_MAIN"; }
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    // Escape must not close the main window; Enter is not handled either.
    bool ResponseDefaultKeyEvent(WParam) override { return false; }
    LResult HandleCustomMessage(uint32_t message, WParam wParam, LParam lParam,
                                bool& handled) override;
    LResult OnDestroy(uint32_t message, WParam wParam, LParam lParam, bool& handled) override;

private:
    enum TitleButton { kClose, kMax, kRestore, kMin, kSkin, kGameMode, kCloud, kSmartEyes, kSet };

    void OnWindowInit();
    void OnTrayMouse(LParam mouseMessage);
    void OnTimer(uint32_t id);
    void OpenTrayMenu();
    void ApplyFonts(std::string_view face);
    // Shows the overlay when no entry of the device list is present.
    void UpdateNoDeviceOverlay();
    void BringToFront();
    void HideToTray();

    std::array<CButtonUI*, 9> m_titleButtons{};
    CTrayIcon m_trayIcon;
    // The open tray menu (it deletes itself when closed).
    WindowHandle m_trayMenu = 0;
    uint64_t m_trayMenuTimer = 0;
};

}  // namespace warden
