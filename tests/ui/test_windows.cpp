#include <atomic>
#include <thread>

#include "UiFixture.h"
#include "platform/Trace.h"
#include "ui/CMenuWnd.h"
#include "ui/CTrayIcon.h"
#include "ui/MessageQueue.h"
#include "ui/MessageTarget.h"

namespace warden {
namespace {

using WindowsTest = UiTest;

TEST_F(WindowsTest, MenuItemClickPostsMenuCommandWithItsName) {
    TestWindow& w = Open("main.xml");
    std::string name;
    w.onMessage = [&](uint32_t message, WParam wParam, LParam) {
        if (message != WM_MENUCLICK) return;
        name = reinterpret_cast<MenuCmd*>(wParam)->szName;
        CMenuWnd::ReleaseCmd(wParam);
    };
    CMenuWnd* menu = CMenuWnd::CreateMenu("menu.xml", {100, 100}, &w.Manager());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(host.Windows().size(), 2u);
    EXPECT_EQ(host.Windows()[1]->rect.left, 100);
    EXPECT_EQ(host.Windows()[1]->rect.Height(), 48);
    auto& popup = dynamic_cast<CWindowWnd&>(host.Windows()[1]->client);
    RecordingPainter painter;
    host.Paint(popup, painter);
    const auto* text = painter.FindText("Exit");
    ASSERT_NE(text, nullptr);
    host.Click(popup, {text->rect.left + 5, text->rect.top + 5});
    EXPECT_EQ(name, "exit");
    EXPECT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(std::get<0>(w.messages[0]), 1145u);
    EXPECT_EQ(host.Windows().size(), 1u);  // the menu closed itself
}

TEST_F(WindowsTest, MenuAlignmentRightBottomPutsTheCornerAtThePoint) {
    TestWindow& w = Open("main.xml");
    CMenuWnd* menu = CMenuWnd::CreateMenu("menu.xml", {500, 400}, &w.Manager(),
                                          eMenuAlignment_Right | eMenuAlignment_Bottom);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(host.Windows()[1]->rect.right, 500);
    EXPECT_EQ(host.Windows()[1]->rect.bottom, 400);
    menu->DestroyMenu();
    EXPECT_EQ(CMenuWnd::CreateMenu("missing.xml", {0, 0}, &w.Manager()), nullptr);
}

// A tray icon sits in a corner of the 1920 x 1080 screen: the menu opens on
// the side of the point that keeps it on the screen.
TEST_F(WindowsTest, MenuAtTheScreenEdgeOpensTowardsTheScreen) {
    TestWindow& w = Open("main.xml");
    const struct {
        Point point;
        uint32_t alignment;
        int right, bottom;  // the corner expected at the point
    } cases[] = {
        {{1915, 5}, eMenuAlignment_Left | eMenuAlignment_Top, 1915, -1},
        {{1915, 1075}, eMenuAlignment_Left | eMenuAlignment_Top, 1915, 1075},
        {{5, 1075}, eMenuAlignment_Left | eMenuAlignment_Top, -1, 1075},
        {{5, 5}, eMenuAlignment_Right | eMenuAlignment_Bottom, -1, -1},
    };
    for (const auto& c : cases) {
        CMenuWnd* menu = CMenuWnd::CreateMenu("menu.xml", c.point, &w.Manager(), c.alignment);
        ASSERT_NE(menu, nullptr);
        const Rect rc = host.Windows()[1]->rect;
        EXPECT_GE(rc.left, 0) << c.point.x << "," << c.point.y;
        EXPECT_GE(rc.top, 0) << c.point.x << "," << c.point.y;
        EXPECT_LE(rc.right, 1920) << c.point.x << "," << c.point.y;
        EXPECT_LE(rc.bottom, 1080) << c.point.x << "," << c.point.y;
        EXPECT_EQ(c.right < 0 ? rc.left : rc.right, c.right < 0 ? c.point.x : c.right);
        EXPECT_EQ(c.bottom < 0 ? rc.top : rc.bottom, c.bottom < 0 ? c.point.y : c.bottom);
        menu->DestroyMenu();
    }
}

TEST_F(WindowsTest, MenuCommandToAGoneWindowIsReleased) {
    TestWindow& w = Open("main.xml");
    WindowHandle handle = w.GetHWND();
    auto* cmd = new MenuCmd{"x", "", "", false};
    w.DestroyWindow();
    // With the release function the record is freed rather than leaked
    // (the sanitizer build checks this).
    EXPECT_FALSE(MessageQueue::Instance().Post(handle, WM_MENUCLICK, reinterpret_cast<WParam>(cmd),
                                               0,
                                               [](WParam p, LParam) { CMenuWnd::ReleaseCmd(p); }));
}

TEST_F(WindowsTest, SendFromWorkerIsHandledOnTheUiThread) {
    TestWindow& w = Open("main.xml");
    std::thread::id handler;
    w.onMessage = [&](uint32_t, WParam, LParam) { handler = std::this_thread::get_id(); };
    WindowMessageTarget target(w.GetHWND());
    std::atomic<LResult> result{-1};
    std::thread worker([&] { result = target.Send(3090, 4, 0); });
    while (!MessageQueue::Instance().HasPending()) std::this_thread::yield();
    host.Pump();
    worker.join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_EQ(handler, std::this_thread::get_id());
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(std::get<1>(w.messages[0]), 4u);
}

TEST_F(WindowsTest, SendFromWorkerToAWindowBeingDestroyedReturnsZero) {
    TestWindow& w = Open("main.xml");
    WindowMessageTarget target(w.GetHWND());
    std::atomic<bool> done{false};
    std::atomic<LResult> result{-1};
    std::thread worker([&] {
        result = target.Send(3091, 1, 0);
        done = true;
    });
    while (!MessageQueue::Instance().HasPending()) std::this_thread::yield();
    w.DestroyWindow();  // the UI thread tears down without pumping
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(result.load(), 0);
    EXPECT_TRUE(w.messages.empty());
    // Later sends and posts fail at once.
    EXPECT_EQ(target.Send(3091, 1, 0), 0);
    EXPECT_FALSE(target.Post(3091, 1, 0));
}

TEST_F(WindowsTest, SendAbortedByStopEventReturnsZero) {
    TestWindow& w = Open("main.xml");
    WindowMessageTarget target(w.GetHWND());
    Event stop;
    std::atomic<LResult> result{-1};
    std::thread worker([&] { result = target.Send(3090, 0, 0, &stop); });
    while (!MessageQueue::Instance().HasPending()) std::this_thread::yield();
    stop.Set();
    worker.join();
    EXPECT_EQ(result.load(), 0);
    host.Pump();
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(WindowsTest, ModalWindowReturnsTheCloseResult) {
    TestWindow& owner = Open("main.xml");
    TestWindow dialog("main.xml");
    ASSERT_NE(dialog.Create(owner.GetHWND(), "dialog", UI_WNDSTYLE_DIALOG, 0, Rect{0, 0, 200, 100}),
              0u);
    bool ownerDisabledMeanwhile = false;
    host.SetIdleHandler([&] {
        ownerDisabledMeanwhile = !host.Native(owner)->enabled;
        dialog.Close(7);
    });
    EXPECT_EQ(dialog.ShowModal(), 7u);
    host.SetIdleHandler({});
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_TRUE(host.Native(owner)->enabled);
    EXPECT_EQ(dialog.GetHWND(), 0u);
}

TEST_F(WindowsTest, ModalWithNothingToDoEndsCancelled) {
    TestWindow dialog("main.xml");
    ASSERT_NE(dialog.Create(0, "dialog", UI_WNDSTYLE_DIALOG, 0), 0u);
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetHWND(), 0u);
}

TEST_F(WindowsTest, CloseButtonClosesTheWindow) {
    TestWindow& w = Open("main.xml");
    host.Click(w, Center(w.Find("closebtn")));
    EXPECT_EQ(w.GetHWND(), 0u);
}

}  // namespace
}  // namespace warden

namespace warden {
namespace {

class PagePump : public CNotifyPump {
public:
    PagePump() {
        OnNotify("click", [this](TNotifyUI& msg) { clicked.push_back(msg.pSender->GetName()); });
    }
    std::vector<std::string> clicked;
};

TEST_F(WindowsTest, VirtualWindowPumpGetsItsControlsNotifications) {
    TestWindow& w = Open("main.xml");
    PagePump page;
    ASSERT_TRUE(w.AddVirtualWnd("mainpage", &page));
    EXPECT_FALSE(w.AddVirtualWnd("mainpage", &page));
    w.Find("titlebar")->SetAttribute("virtualwnd", "mainpage");
    host.Click(w, Center(w.Find("minbtn")));
    EXPECT_EQ(page.clicked, (std::vector<std::string>{"minbtn"}));
    // The pump took it, so the window's title-bar default did not run.
    EXPECT_FALSE(host.Native(w)->minimized);
    EXPECT_TRUE(w.RemoveVirtualWnd("mainpage"));
    host.Click(w, Center(w.Find("minbtn")));
    EXPECT_EQ(page.clicked.size(), 1u);
    EXPECT_TRUE(host.Native(w)->minimized);
}

TEST_F(WindowsTest, MissingLayoutGivesAnEmptyWindowAndATrace) {
    TraceCapture trace;
    TestWindow& w = Open("missing.xml");
    EXPECT_EQ(w.Manager().GetRoot(), nullptr);
    EXPECT_TRUE(trace.Contains("missing.xml"));
    RecordingPainter painter;
    host.Paint(w, painter);
    host.Click(w, {10, 10});
    EXPECT_TRUE(painter.Calls().empty());
}

TEST_F(WindowsTest, TrayIconClicksReachTheOwnerAsItsMessage) {
    TestWindow& w = Open("main.xml");
    CTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(w.GetHWND(), "icon.png", "tip", 1025));
    ASSERT_NE(host.GetTray(), nullptr);
    EXPECT_EQ(host.GetTray()->toolTip, "tip");
    host.GetTray()->onMouse(WM_RBUTTONUP);
    host.Pump();
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0], std::make_tuple(1025u, WParam{0}, LParam{WM_RBUTTONUP}));
    tray.DeleteTrayIcon();
    EXPECT_EQ(host.GetTray(), nullptr);
}

}  // namespace
}  // namespace warden
