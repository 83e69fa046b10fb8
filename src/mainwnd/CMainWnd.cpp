#include "mainwnd/CMainWnd.h"

#include <atomic>
#include <thread>

#include "mainwnd/FontTable.h"
#include "mainwnd/MainWndMessages.h"
#include "platform/Folders.h"
#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"
#include "ui/CMenuWnd.h"
#include "ui/CResourceManager.h"
#include "ui/MessageQueue.h"
#include "ui/controls/CButtonUI.h"
#include "ui/controls/CContainerUI.h"

namespace warden {
namespace {

using namespace mainwnd;

// Hit testing for moving the frameless window by its caption area.
constexpr uint32_t kWmNcHitTest = 0x0084;
constexpr LResult kHtClient = 1;
constexpr LResult kHtCaption = 2;

constexpr std::array<const char*, 9> kTitleButtonNames = {"closebtn", "maxbtn",       "restorebtn",
                                                          "minbtn",   "skinbtn",      "gamemodebtn",
                                                          "cloudbtn", "smarteyesbtn", "setbtn"};

constexpr const char* kNoDeviceOverlay = "No_device_Link";
constexpr const char* kDeviceList = "device_select_layout";
constexpr const char* kAppIcon = "common/app_icon.svg";

std::atomic<WindowHandle> g_mainWindow{0};

}  // namespace

CMainWnd::CMainWnd() = default;

CMainWnd::~CMainWnd() {
    CResourceManager::GetInstance().SetTextQueryInterface(nullptr);
    if (m_trayMenuTimer != 0 && GetHost()) GetHost()->StopTimer(m_trayMenuTimer);
    if (auto* open = dynamic_cast<CMenuWnd*>(CWindowWnd::FromHandle(m_trayMenu))) {
        open->DestroyMenu();
    }
}

WindowHandle CMainWnd::MainWindowHandle() {
    return g_mainWindow.load();
}

void CMainWnd::InitWindow() {
    Trace("InitWindow");
    auto& resources = CResourceManager::GetInstance();
    resources.SetTextQueryInterface(this);
    if (!resources.LoadLanguage("lan_cn.xml")) Trace("language file lan_cn.xml not loaded\n");
    for (size_t i = 0; i < kTitleButtonNames.size(); ++i) {
        m_titleButtons[i] = dynamic_cast<CButtonUI*>(m_pm.FindControl(kTitleButtonNames[i]));
    }
    g_mainWindow = GetHWND();
    const std::string icon = CPaintManagerUI::ResolvePath(kAppIcon);
    SetIcon(icon);
    m_trayIcon.CreateTrayIcon(GetHWND(), icon, folders::kProductName, kMsgTray);
}

void CMainWnd::ApplyFonts(std::string_view face) {
    m_pm.RemoveAllFonts();
    CPaintManagerUI::RemoveAllSharedFonts();
    for (const auto& row : kFontTable) {
        if (row.id < 0) {
            m_pm.SetDefaultFont(face, row.size, row.bold, row.underline, false, true);
        } else {
            m_pm.AddFont(row.id, face, row.size, row.bold, row.underline, false, true);
        }
    }
}

void CMainWnd::OnWindowInit() {
    // Until the language list and the stored choice take over, the window
    // starts in English with the faces of languages without their own.
    ApplyFonts(kOtherLanguageFace);
    CResourceManager::GetInstance().LoadLanguage("lan_en.xml");
    CResourceManager::GetInstance().ReloadText();
    UpdateNoDeviceOverlay();
}

void CMainWnd::UpdateNoDeviceOverlay() {
    CControlUI* overlay = m_pm.FindControl(kNoDeviceOverlay);
    if (overlay == nullptr) return;
    auto* list = dynamic_cast<CContainerUI*>(m_pm.FindControl(kDeviceList));
    bool anyPresent = false;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        if (list->GetItemAt(i)->IsVisible()) anyPresent = true;
    }
    overlay->SetVisible(!anyPresent);
}

void CMainWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) OnWindowInit();
    WindowImplBase::Notify(msg);
}

void CMainWnd::OnClick(TNotifyUI& msg) {
    CControlUI* sender = msg.pSender;
    if (sender == nullptr) return;
    if (sender == m_titleButtons[kMin]) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (sender == m_titleButtons[kMax]) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (sender == m_titleButtons[kRestore]) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (sender == m_titleButtons[kClose]) {
        HideToTray();
    }
}

void CMainWnd::HideToTray() {
    // Without a tray (some desktops have none) a hidden window could only be
    // brought back by starting the program again: minimise it instead.
    if (m_trayIcon.IsVisible()) {
        ShowWindow(false, false);
    } else {
        Trace("no tray icon: minimising instead of hiding\n");
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

void CMainWnd::BringToFront() {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(true, true);
    if (NativeWindow* native = GetNative()) {
        native->SetTopmost(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        native->SetTopmost(false);
        native->Activate();
    }
}

void CMainWnd::OnTrayMouse(LParam mouseMessage) {
    if (mouseMessage == kTrayLeftButtonUp) {
        UpdateNoDeviceOverlay();
        const bool shown = IsVisible() && !(GetNative() && GetNative()->IsMinimized());
        if (shown) {
            HideToTray();
        } else {
            BringToFront();
            m_pm.NeedUpdate();
            m_pm.Invalidate();
        }
    } else if (mouseMessage == kTrayRightButtonUp) {
        if (Host* host = GetHost()) {
            if (m_trayMenuTimer != 0) host->StopTimer(m_trayMenuTimer);
            const WindowHandle self = GetHWND();
            m_trayMenuTimer = host->StartTimer(kTimerTrayMenuMs, [self] {
                warden::PostMessage(self, WM_TIMER, kTimerTrayMenu, 0);
            });
        }
    }
}

void CMainWnd::OnTimer(uint32_t id) {
    if (id == kTimerTrayMenu) {
        if (m_trayMenuTimer != 0 && GetHost()) GetHost()->StopTimer(m_trayMenuTimer);
        m_trayMenuTimer = 0;
        OpenTrayMenu();
    }
}

void CMainWnd::OpenTrayMenu() {
    if (auto* open = dynamic_cast<CMenuWnd*>(CWindowWnd::FromHandle(m_trayMenu))) {
        open->DestroyMenu();
    }
    const Point cursor = GetHost() ? GetHost()->GetCursorPos() : Point{};
    CMenuWnd* menu = CMenuWnd::CreateMenu("menu.xml", cursor, &m_pm);
    m_trayMenu = menu != nullptr ? menu->GetHWND() : 0;
}

LResult CMainWnd::HandleCustomMessage(uint32_t message, WParam wParam, LParam lParam,
                                      bool& handled) {
    static const uint32_t productMessage = RegisterWindowMessage(kProductMessage);
    if (message == productMessage) {
        Trace("软件标示 %d，%xd%xd", message, static_cast<unsigned>(wParam),
              static_cast<unsigned>(lParam));
        UpdateNoDeviceOverlay();
        BringToFront();
        return 0;
    }
    switch (message) {
        case kWmNcHitTest: {
            handled = true;
            const Rect window = GetWindowRect();
            const Point pt{LParamX(lParam) - window.left, LParamY(lParam) - window.top};
            const Rect caption = m_pm.GetCaptionRect();
            const Rect client = GetClientRect();
            // A caption rectangle's bottom counts from the top of the window.
            const Rect area{client.left + caption.left, client.top + caption.top,
                            client.right - caption.right, client.top + caption.bottom};
            if (!area.Contains(pt)) return kHtClient;
            CControlUI* control = m_pm.FindControl(pt);
            const bool takesInput = control != nullptr && control->GetInterface("Button");
            return takesInput ? kHtClient : kHtCaption;
        }
        case WM_DESTROY:
            Trace("退出测试");
            PostQuitMessage(0);
            handled = true;
            return 0;
        case WM_TIMER:
            OnTimer(static_cast<uint32_t>(wParam));
            handled = true;
            return 0;
        case kMsgTray:
            OnTrayMouse(lParam);
            return 0;
        case WM_MENUCLICK: {
            handled = true;
            const auto* command = reinterpret_cast<const MenuCmd*>(wParam);
            const bool exit = command != nullptr && command->szName == "exit";
            CMenuWnd::ReleaseCmd(wParam);
            if (exit) Close(IDOK);
            return 0;
        }
        case kMsgShowProgress:
            if (CControlUI* progress = m_pm.FindControl("setting_progress"))
                progress->SetVisible(true);
            return 0;
        default:
            return 0;
    }
}

LResult CMainWnd::OnDestroy(uint32_t message, WParam wParam, LParam lParam, bool& handled) {
    m_trayIcon.DeleteTrayIcon();
    PostQuitMessage(0);
    g_mainWindow = 0;
    WindowImplBase::OnDestroy(message, wParam, lParam, handled);
    handled = false;
    return 0;
}

}  // namespace warden
