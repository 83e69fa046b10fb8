#include "ui/CPaintManagerUI.h"

#include <algorithm>

#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "ui/CResourceManager.h"
#include "ui/CWindowWnd.h"
#include "ui/Host.h"
#include "ui/MessageQueue.h"
#include "ui/controls/CControlUI.h"

namespace warden {
namespace {

std::string& ResourcePath() {
    static std::string path;
    return path;
}

std::vector<CPaintManagerUI*>& Managers() {
    static std::vector<CPaintManagerUI*> managers;
    return managers;
}

struct SharedTables {
    std::map<int, FontInfo> fonts;
    std::unique_ptr<FontInfo> defaultFont;
    std::map<std::string, std::string, std::less<>> defaultAttrs;
    std::map<std::string, std::string, std::less<>> styles;
};

SharedTables& Shared() {
    static SharedTables tables;
    return tables;
}

}  // namespace

struct CPaintManagerUI::TimerInfo {
    CControlUI* control;
    uint32_t id;
    uint64_t hostId;
};

CPaintManagerUI::CPaintManagerUI() {
    Managers().push_back(this);
}

CPaintManagerUI::~CPaintManagerUI() {
    RemoveAllTimers();
    CleanupDelayed();
    CControlUI* root = m_pRoot;
    m_pRoot = nullptr;
    delete root;
    auto& all = Managers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CPaintManagerUI::Init(CWindowWnd* window, std::string_view name) {
    m_pWindow = window;
    m_sName = name;
}

WindowHandle CPaintManagerUI::GetPaintWindowHandle() const {
    return m_pWindow ? m_pWindow->GetHWND() : 0;
}

void CPaintManagerUI::SetResourcePath(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    if (!p.empty() && p.back() != '/') p += '/';
    ResourcePath() = p;
}

const std::string& CPaintManagerUI::GetResourcePath() {
    return ResourcePath();
}

std::string CPaintManagerUI::ResolvePath(std::string_view name) {
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!path.empty() && path.front() == '/') return path;
    return ResourcePath() + path;
}

int CPaintManagerUI::MessageLoop() {
    Host* host = GetHost();
    MessageQueue& queue = MessageQueue::Instance();
    if (!host) {
        Trace("MessageLoop: no host\n");
        return -1;
    }
    queue.BindUiThread();
    host->RunLoop([&queue] { return queue.IsQuitPosted(); });
    return queue.ExitCode();
}

const std::vector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers() {
    return Managers();
}

void CPaintManagerUI::SetDPI(int dpi) {
    if (dpi < 48 || dpi > 480) {
        Trace("SetDPI: %d ignored\n", dpi);
        return;
    }
    m_dpi = dpi;
    m_bUpdateNeeded = true;
    Invalidate();
}

Size CPaintManagerUI::GetClientSize() const {
    if (m_pWindow && m_pWindow->GetNative()) {
        Rect rc = m_pWindow->GetClientRect();
        return {rc.Width(), rc.Height()};
    }
    return GetInitSize();
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (!root) return false;
    SetFocus(nullptr);
    m_pEventHover = nullptr;
    m_pEventClick = nullptr;
    CControlUI* old = m_pRoot;
    m_pRoot = nullptr;
    if (old && old != root) AddDelayedCleanup(old);
    m_pRoot = root;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    InitControls(root, nullptr);
    Invalidate();
    return true;
}

void CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
    if (!control) return;
    control->SetManager(this, parent ? parent : control->GetParent(), true);
    control->ForEach([this](CControlUI* c) {
        if (c->GetName().empty()) return false;
        auto [first, last] = m_names.equal_range(c->GetName());
        for (auto it = first; it != last; ++it)
            if (it->second == c) return false;
        m_names.emplace(c->GetName(), c);
        return false;
    });
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (control == m_pEventClick) {
        m_pEventClick = nullptr;
        ReleaseCapture();
    }
    if (control == m_pEventHover) m_pEventHover = nullptr;
    if (control == m_pFocus) m_pFocus = nullptr;
    if (control == m_pRoot) m_pRoot = nullptr;
    KillTimer(control);
    for (auto it = m_names.begin(); it != m_names.end();) {
        it = it->second == control ? m_names.erase(it) : std::next(it);
    }
    std::erase_if(m_asyncNotify, [control](const TNotifyUI& n) { return n.pSender == control; });
    for (auto& [group, members] : m_optionGroups) std::erase(members, control);
}

CControlUI* CPaintManagerUI::FindControl(std::string_view name) const {
    auto [first, last] = m_names.equal_range(std::string(name));
    CControlUI* found = nullptr;
    // The multimap keeps insertion order per key: the first registered wins.
    if (first != last) found = first->second;
    return found;
}

CControlUI* CPaintManagerUI::FindControl(Point pt) const {
    return m_pRoot ? m_pRoot->FindControlAt(pt) : nullptr;
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, std::string_view name) const {
    if (!parent) return nullptr;
    CControlUI* found = nullptr;
    parent->ForEach([&](CControlUI* c) {
        if (c->GetName() == name) found = c;
        return found != nullptr;
    });
    return found;
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* parent, std::string_view className,
                                                   int index) const {
    if (!parent) return nullptr;
    CControlUI* found = nullptr;
    parent->ForEach([&](CControlUI* c) {
        if (EqualsNoCase(c->GetClass(), className) && index-- == 0) found = c;
        return found != nullptr;
    });
    return found;
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (!notifier ||
        std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
        return false;
    m_notifiers.push_back(notifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    return std::erase(m_notifiers, notifier) > 0;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
    if (!filter || std::find(m_filters.begin(), m_filters.end(), filter) != m_filters.end())
        return false;
    m_filters.push_back(filter);
    return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
    return std::erase(m_filters, filter) > 0;
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
    msg.ptMouse = m_ptLastMouse;
    msg.dwTimestamp = GetTickCount();
    if (msg.pSender && msg.sVirtualWnd.empty()) msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
    if (async) {
        m_asyncNotify.push_back(msg);
        if (m_pWindow && m_pWindow->GetHWND())
            MessageQueue::Instance().Post(m_pWindow->GetHWND(), kMsgFlushNotify, 0, 0);
        return;
    }
    // A notifier may remove itself (or others) while being told.
    std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers)
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
            notifier->Notify(msg);
}

void CPaintManagerUI::SendNotify(CControlUI* control, std::string_view type, WParam wParam,
                                 LParam lParam, bool async) {
    TNotifyUI msg;
    msg.pSender = control;
    msg.sType = type;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::FlushAsyncNotify() {
    while (!m_asyncNotify.empty()) {
        TNotifyUI msg = m_asyncNotify.front();
        m_asyncNotify.erase(m_asyncNotify.begin());
        SendNotify(msg, false);
    }
}

bool CPaintManagerUI::SetTimer(CControlUI* control, uint32_t id, uint32_t elapseMs) {
    Host* host = GetHost();
    if (!control || !host) return false;
    KillTimer(control, id);
    uint64_t hostId = host->StartTimer(elapseMs, [this, control, id] { FireTimer(control, id); });
    if (hostId == 0) {
        Trace("SetTimer: host refused timer %u\n", id);
        return false;
    }
    m_timers.push_back(std::make_unique<TimerInfo>(TimerInfo{control, id, hostId}));
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* control, uint32_t id) {
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if ((*it)->control == control && (*it)->id == id) {
            if (Host* host = GetHost()) host->StopTimer((*it)->hostId);
            m_timers.erase(it);
            return true;
        }
    }
    return false;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
    Host* host = GetHost();
    std::erase_if(m_timers, [&](const std::unique_ptr<TimerInfo>& t) {
        if (t->control != control) return false;
        if (host) host->StopTimer(t->hostId);
        return true;
    });
}

void CPaintManagerUI::RemoveAllTimers() {
    Host* host = GetHost();
    for (auto& t : m_timers)
        if (host) host->StopTimer(t->hostId);
    m_timers.clear();
}

void CPaintManagerUI::FireTimer(CControlUI* control, uint32_t id) {
    TEventUI event = MakeEvent(UIEVENT_TIMER, control, m_ptLastMouse, id, 0);
    control->Event(event);
    FlushAsyncNotify();
    CleanupDelayed();
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    if (control == m_pFocus) return;
    if (CControlUI* old = m_pFocus) {
        m_pFocus = nullptr;
        TEventUI event = MakeEvent(UIEVENT_KILLFOCUS, old, m_ptLastMouse, 0, 0);
        old->Event(event);
        SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
    }
    if (control && control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
        m_pFocus = control;
        TEventUI event = MakeEvent(UIEVENT_SETFOCUS, control, m_ptLastMouse, 0, 0);
        control->Event(event);
        SendNotify(control, DUI_MSGTYPE_SETFOCUS);
    }
}

void CPaintManagerUI::SetCapture() {
    m_bMouseCapture = true;
    if (m_pWindow && m_pWindow->GetNative()) m_pWindow->GetNative()->SetCapture(true);
}

void CPaintManagerUI::ReleaseCapture() {
    if (!m_bMouseCapture) return;
    m_bMouseCapture = false;
    if (m_pWindow && m_pWindow->GetNative()) m_pWindow->GetNative()->SetCapture(false);
}

bool CPaintManagerUI::AddOptionGroup(std::string_view group, CControlUI* control) {
    auto& members = m_optionGroups[std::string(group)];
    if (std::find(members.begin(), members.end(), control) != members.end()) return false;
    members.push_back(control);
    return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(std::string_view group) const {
    auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(std::string_view group, CControlUI* control) {
    auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end()) return;
    std::erase(it->second, control);
    if (it->second.empty()) m_optionGroups.erase(it);
}

void CPaintManagerUI::AddFont(int id, std::string_view face, int size, bool bold, bool underline,
                              bool italic, bool shared) {
    FontInfo font{std::string(face), size, bold, underline, italic};
    (shared ? Shared().fonts : m_fonts)[id] = font;
    Invalidate();
}

void CPaintManagerUI::SetDefaultFont(std::string_view face, int size, bool bold, bool underline,
                                     bool italic, bool shared) {
    auto font =
        std::make_unique<FontInfo>(FontInfo{std::string(face), size, bold, underline, italic});
    (shared ? Shared().defaultFont : m_defaultFont) = std::move(font);
}

bool CPaintManagerUI::HasFont(int id) const {
    return m_fonts.count(id) > 0 || Shared().fonts.count(id) > 0;
}

FontInfo CPaintManagerUI::GetFont(int id) const {
    FontInfo font;
    if (auto it = m_fonts.find(id); it != m_fonts.end())
        font = it->second;
    else if (auto sit = Shared().fonts.find(id); sit != Shared().fonts.end())
        font = sit->second;
    else if (m_defaultFont)
        font = *m_defaultFont;
    else if (Shared().defaultFont)
        font = *Shared().defaultFont;
    font.size = Scale(font.size);
    return font;
}

void CPaintManagerUI::RemoveAllFonts() {
    m_fonts.clear();
    m_defaultFont.reset();
    Invalidate();
}

void CPaintManagerUI::RemoveAllSharedFonts() {
    Shared().fonts.clear();
    Shared().defaultFont.reset();
}

void CPaintManagerUI::AddDefaultAttributeList(std::string_view className, std::string_view list,
                                              bool shared) {
    (shared ? Shared().defaultAttrs : m_defaultAttrs)[ToLowerAscii(className)] = std::string(list);
}

std::string CPaintManagerUI::GetDefaultAttributeList(std::string_view className) const {
    std::string key = ToLowerAscii(className);
    if (auto it = m_defaultAttrs.find(key); it != m_defaultAttrs.end()) return it->second;
    if (auto it = Shared().defaultAttrs.find(key); it != Shared().defaultAttrs.end())
        return it->second;
    return {};
}

void CPaintManagerUI::AddStyle(std::string_view name, std::string_view list, bool shared) {
    (shared ? Shared().styles : m_styles)[std::string(name)] = std::string(list);
}

std::string CPaintManagerUI::GetStyle(std::string_view name) const {
    if (auto it = m_styles.find(name); it != m_styles.end()) return it->second;
    if (auto it = Shared().styles.find(name); it != Shared().styles.end()) return it->second;
    return {};
}

void CPaintManagerUI::Invalidate() {
    if (m_pWindow && m_pWindow->GetNative()) {
        Size size = GetClientSize();
        m_pWindow->GetNative()->Invalidate({0, 0, size.cx, size.cy});
    }
}

void CPaintManagerUI::Invalidate(const Rect& rc) {
    if (m_pWindow && m_pWindow->GetNative()) m_pWindow->GetNative()->Invalidate(rc);
}

void CPaintManagerUI::UpdateLayout() {
    if (!m_pRoot) return;
    if (m_bUpdateNeeded || m_pRoot->IsUpdateNeeded()) {
        m_bUpdateNeeded = false;
        Size size = GetClientSize();
        m_pRoot->SetPos({0, 0, size.cx, size.cy}, false);
    }
    if (m_bFirstLayout && m_pRoot) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWINIT);
    }
}

void CPaintManagerUI::Paint(Painter& painter, const Rect& dirty) {
    UpdateLayout();
    if (!m_pRoot) return;
    painter.PushClip(dirty);
    m_pRoot->DoPaint(painter, dirty);
    painter.PopClip();
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
    if (!control) return;
    m_delayedCleanup.push_back(control);
    if (m_pWindow && m_pWindow->GetHWND())
        MessageQueue::Instance().Post(m_pWindow->GetHWND(), kMsgFlushNotify, 0, 0);
}

void CPaintManagerUI::CleanupDelayed() {
    auto doomed = std::move(m_delayedCleanup);
    m_delayedCleanup.clear();
    for (CControlUI* control : doomed) delete control;
}

TEventUI CPaintManagerUI::MakeEvent(int type, CControlUI* sender, Point pt, WParam wParam,
                                    LParam lParam) const {
    TEventUI event;
    event.Type = type;
    event.pSender = sender;
    event.dwTimestamp = GetTickCount();
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    return event;
}

}  // namespace warden
