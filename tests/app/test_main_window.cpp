#include <gtest/gtest.h>

#include "mainwnd/CMainWnd.h"
#include "mainwnd/MainWndMessages.h"
#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"
#include "ui/CMenuWnd.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CResourceManager.h"
#include "ui/MessageQueue.h"
#include "ui/controls/CControlUI.h"
#include "ui/qt/QtHost.h"

namespace warden {
namespace {

constexpr uint32_t kWmNcHitTest = 0x0084;

// A menu command record as the menu window posts it.
WParam Command(const char* name) {
    auto* command = new MenuCmd;
    command->szName = name;
    return reinterpret_cast<WParam>(command);
}

// The main window on the Qt host (offscreen, so without a tray) with the
// program's own skin.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHost(&m_host);
        CPaintManagerUI::SetResourcePath(std::string(WARDEN_SOURCE_DIR) + "/data/skin/");
        ASSERT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));
        m_window = std::make_unique<CMainWnd>();
        m_handle = m_window->Create(0, "VDL-K42 WARDEN", 0x96CA0000u, 0, 0, 0, 800, 572);
        ASSERT_NE(m_handle, 0u);
        m_window->GetPaintManager().UpdateLayout();
    }
    void TearDown() override {
        if (IsWindow(m_handle)) m_window->DestroyWindow();
        m_window.reset();
        MessageQueue::Instance().DispatchPending();
        MessageQueue::Instance().ResetQuit();
        CResourceManager::GetInstance().Reset();
        SetHost(nullptr);
    }
    CControlUI* Find(const char* name) { return m_window->GetPaintManager().FindControl(name); }
    LParam ScreenPoint(int x, int y) {
        const Rect rect = m_window->GetWindowRect();
        return MakeLParam(rect.left + x, rect.top + y);
    }

    QtHost m_host;
    std::unique_ptr<CMainWnd> m_window;
    WindowHandle m_handle = 0;
};

TEST_F(MainWindowTest, LayoutProvidesTheFixedControlsAndShowsTheOverlay) {
    for (const char* name :
         {"closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "gamemodebtn", "cloudbtn",
          "smarteyesbtn", "setbtn", "device_select_layout", "No_device_Link", "setting_progress",
          "control_light_status", "text_test", "root"}) {
        EXPECT_NE(Find(name), nullptr) << name;
    }
    EXPECT_TRUE(Find("No_device_Link")->IsVisible());
    EXPECT_FALSE(Find("setting_progress")->IsVisible());
    EXPECT_EQ(m_window->GetClientRect(), (Rect{0, 0, 1000, 640}));
    EXPECT_EQ(CMainWnd::MainWindowHandle(), m_handle);
}

TEST_F(MainWindowTest, CloseButtonKeepsTheProgramRunning) {
    TraceCapture traces;
    m_window->GetPaintManager().SendNotify(Find("closebtn"), "click");
    MessageQueue::Instance().DispatchPending();
    EXPECT_TRUE(IsWindow(m_handle));
    EXPECT_FALSE(MessageQueue::Instance().IsQuitPosted());
    // No tray offscreen: minimised rather than hidden out of reach.
    EXPECT_TRUE(traces.Contains("minimising instead of hiding"));
}

TEST_F(MainWindowTest, TrayMenuExitEndsTheProgramOtherCommandsDoNot) {
    m_window->SendMessage(WM_MENUCLICK, Command("about"), 0);
    EXPECT_TRUE(IsWindow(m_handle));
    m_window->SendMessage(WM_MENUCLICK, 0, 0);  // no record: ignored
    m_window->SendMessage(WM_MENUCLICK, Command("exit"), 0);
    MessageQueue::Instance().DispatchPending();
    EXPECT_FALSE(IsWindow(m_handle));
    EXPECT_TRUE(MessageQueue::Instance().IsQuitPosted());
    EXPECT_EQ(MessageQueue::Instance().ExitCode(), 0);
}

TEST_F(MainWindowTest, SecondStartMessageRestoresAndUpdatesTheOverlay) {
    TraceCapture traces;
    Find("No_device_Link")->SetVisible(false);
    m_window->SendMessage(RegisterWindowMessage(mainwnd::kProductMessage), 0, 1);
    EXPECT_TRUE(Find("No_device_Link")->IsVisible());
    EXPECT_TRUE(traces.Contains("软件标示 "));
    EXPECT_TRUE(m_window->IsVisible());
}

TEST_F(MainWindowTest, TrayRightClickOpensTheTrayMenu) {
    TraceCapture traces;
    m_window->SendMessage(WM_TIMER, mainwnd::kTimerTrayMenu, 0);
    EXPECT_FALSE(traces.Contains("menu.xml"));
    EXPECT_FALSE(traces.Contains("not built"));
    EXPECT_TRUE(IsWindow(m_handle));
}

TEST_F(MainWindowTest, EscapeDoesNotCloseTheMainWindow) {
    m_window->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    MessageQueue::Instance().DispatchPending();
    EXPECT_TRUE(IsWindow(m_handle));
}

TEST_F(MainWindowTest, CaptionAreaMovesTheWindowExceptOverButtons) {
    const struct {
        int x, y;
        LResult hit;
    } cases[] = {
        {500, 20, 2},   // empty title bar
        {972, 26, 1},   // the close button
        {500, 300, 1},  // below the caption
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_window->SendMessage(kWmNcHitTest, 0, ScreenPoint(c.x, c.y)), c.hit)
            << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace warden
