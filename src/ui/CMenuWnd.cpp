#include "ui/CMenuWnd.h"

#include <algorithm>

#include "platform/Trace.h"
#include "ui/MessageQueue.h"
#include "ui/controls/CControlUI.h"

namespace warden {
namespace {

constexpr int kDefaultMenuWidth = 160;

void ReleaseMenuCmd(WParam cmd, LParam) {
    delete reinterpret_cast<MenuCmd*>(cmd);
}

// One axis of a menu's placement: `start` is where the menu begins when it
// lies after the point (`before` false) or ends at it (`before` true).
int KeepOnScreen(int start, int extent, int point, bool before, int low, int high) {
    if (!before && start + extent > high) start = point - extent;
    if (before && start < low) start = point;
    return std::clamp(start, low, std::max(low, high - extent));
}

}  // namespace

CMenuWnd* CMenuWnd::CreateMenu(std::string_view xml, Point point, CPaintManagerUI* target,
                               uint32_t alignment) {
    WindowHandle targetWindow = target ? target->GetPaintWindowHandle() : 0;
    auto* menu = new CMenuWnd(xml, targetWindow);
    if (target) menu->m_pm.SetDPI(target->GetDPI());
    if (!menu->Create(targetWindow, "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
        delete menu;
        return nullptr;
    }
    if (!menu->m_pm.GetRoot()) {
        Trace("menu %.*s has no items\n", static_cast<int>(xml.size()), xml.data());
        menu->DestroyWindow();  // deletes the menu
        return nullptr;
    }
    menu->Place(point, alignment, menu->m_pm.GetDPI());
    menu->ShowWindow(true, true);
    return menu;
}

void CMenuWnd::ReleaseCmd(WParam cmd) {
    ReleaseMenuCmd(cmd, 0);
}

std::string CMenuWnd::GetWindowClassName() const {
    return "MenuWnd";
}

void CMenuWnd::Place(Point point, uint32_t alignment, int) {
    Size size = m_pm.GetInitSize();
    if (size.cx <= 0 || size.cy <= 0) {
        // No size in the layout: as wide as asked, as tall as the items.
        CControlUI* root = m_pm.GetRoot();
        Size wish = root->EstimateSize({0, 0});
        size.cx = wish.cx > 0 ? wish.cx : m_pm.Scale(kDefaultMenuWidth);
        size.cy = 0;
        root->ForEach([&](CControlUI* c) {
            if (c->GetInterface("MenuElement") && c->IsVisible())
                size.cy += c->EstimateSize({size.cx, 0}).cy;
            return false;
        });
    }
    const bool right = alignment & eMenuAlignment_Right;
    const bool bottom = alignment & eMenuAlignment_Bottom;
    int x = right ? point.x - size.cx : point.x;
    int y = bottom ? point.y - size.cy : point.y;
    // A menu at a tray icon in a screen corner would open past the edge with
    // its items out of reach: open it on the other side of the point, as
    // popup menus do, and keep it on the screen.
    const Rect screen = GetHost() ? GetHost()->GetScreenRect() : Rect{};
    if (!screen.IsEmpty()) {
        x = KeepOnScreen(x, size.cx, point.x, right, screen.left, screen.right);
        y = KeepOnScreen(y, size.cy, point.y, bottom, screen.top, screen.bottom);
    }
    MoveWindow({x, y, x + size.cx, y + size.cy});
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_ITEMCLICK && msg.pSender &&
        msg.pSender->GetInterface("MenuElement")) {
        auto* cmd = new MenuCmd;
        cmd->szName = msg.pSender->GetName();
        cmd->szUserData = msg.pSender->GetUserData();
        cmd->szText = msg.pSender->GetText();
        if (!MessageQueue::Instance().Post(m_target, WM_MENUCLICK, reinterpret_cast<WParam>(cmd), 0,
                                           ReleaseMenuCmd))
            Trace("menu command %s: no target window\n", cmd->szName.c_str());
        Close(IDOK);
        return;
    }
    WindowImplBase::Notify(msg);
}

LResult CMenuWnd::HandleCustomMessage(uint32_t message, WParam wParam, LParam, bool& handled) {
    handled = false;
    if (message == WM_KILLFOCUS || (message == WM_ACTIVATE && wParam == 0)) {
        Close(IDCANCEL);
        handled = true;
    }
    return 0;
}

void CMenuWnd::OnFinalMessage(WindowHandle handle) {
    WindowImplBase::OnFinalMessage(handle);
    delete this;
}

}  // namespace warden
