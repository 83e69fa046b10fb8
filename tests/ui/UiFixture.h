#pragma once
// A layout window on the test host, recording what it is told.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ui/CPaintManagerUI.h"
#include "ui/CResourceManager.h"
#include "ui/WindowImplBase.h"
#include "ui/controls/CControlUI.h"
#include "ui/testhost/RecordingPainter.h"
#include "ui/testhost/TestHost.h"

namespace warden {

struct Noted {
    std::string type;
    std::string sender;
    WParam wParam;
    LParam lParam;
};

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(std::string skin) : m_skin(std::move(skin)) {}

    void Notify(TNotifyUI& msg) override {
        notes.push_back(
            {msg.sType, msg.pSender ? msg.pSender->GetName() : "", msg.wParam, msg.lParam});
        WindowImplBase::Notify(msg);
    }
    CControlUI* CreateControl(std::string_view className) override {
        return factory ? factory(className) : nullptr;
    }
    // Notifications of `type` from the control named `sender`.
    std::vector<Noted> Notes(std::string_view type, std::string_view sender) const {
        std::vector<Noted> found;
        for (const Noted& n : notes)
            if (n.type == type && n.sender == sender) found.push_back(n);
        return found;
    }
    CControlUI* Find(std::string_view name) { return m_pm.FindControl(name); }
    CPaintManagerUI& Manager() { return m_pm; }

    std::vector<Noted> notes;
    std::vector<std::tuple<uint32_t, WParam, LParam>> messages;
    std::function<CControlUI*(std::string_view)> factory;
    std::function<void(uint32_t, WParam, LParam)> onMessage;

protected:
    std::string GetWindowClassName() const override { return "TestWnd"; }
    std::string GetSkinFile() override { return m_skin; }
    LResult HandleCustomMessage(uint32_t message, WParam wParam, LParam lParam,
                                bool& handled) override {
        handled = false;
        if (message == WM_TIMER ||
            (message >= WM_USER && message < CPaintManagerUI::kMsgFlushNotify)) {
            messages.emplace_back(message, wParam, lParam);
            if (onMessage) onMessage(message, wParam, lParam);
            handled = true;
        }
        return 0;
    }

private:
    std::string m_skin;
};

class UiTest : public ::testing::Test {
protected:
    UiTest() {
        CPaintManagerUI::SetResourcePath(WARDEN_TESTDATA_DIR "/ui/");
        CResourceManager::GetInstance().Reset();
    }
    ~UiTest() override {
        for (auto& w : m_windows)
            if (w->GetHWND()) w->DestroyWindow();
        host.Pump();
    }

    // Creates a window of `skin` (400 x 300 unless the layout says) and
    // paints it once, which lays it out and raises "windowinit".
    TestWindow& Open(const std::string& skin,
                     std::function<CControlUI*(std::string_view)> factory = {}) {
        auto window = std::make_unique<TestWindow>(skin);
        window->factory = std::move(factory);
        window->Create(0, "test", UI_WNDSTYLE_FRAME, 0, Rect{0, 0, 400, 300});
        host.Pump();
        RecordingPainter painter;
        host.Paint(*window, painter);
        m_windows.push_back(std::move(window));
        return *m_windows.back();
    }

    static Point Center(const CControlUI* control) {
        const Rect& rc = control->GetPos();
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    TestHost host;

private:
    std::vector<std::unique_ptr<TestWindow>> m_windows;
};

}  // namespace warden
