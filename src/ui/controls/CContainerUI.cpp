#include "ui/controls/CContainerUI.h"

#include <algorithm>

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CScrollBarUI.h"

namespace warden {

namespace {
constexpr int kWheelStep = 30;
}

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    // Children first, while this object is still a whole container.
    auto items = std::move(m_items);
    m_items.clear();
    if (m_bAutoDestroy)
        for (CControlUI* item : items) delete item;
    delete m_pVerticalScrollBar;
}

std::string_view CContainerUI::GetClass() const {
    return "Container";
}

void* CContainerUI::GetInterface(std::string_view name) {
    if (name == "Container" || name == "IContainer") return this;
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= static_cast<int>(m_items.size())) return nullptr;
    return m_items[static_cast<size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
    int from = CContainerUI::GetItemIndex(control);
    if (from < 0 || index < 0 || index >= static_cast<int>(m_items.size())) return false;
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

// The member functions below work on this container's own children even when
// a subclass (a list) redirects the virtual item functions elsewhere.
bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, static_cast<int>(m_items.size()));
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (!control || index < 0 || index > static_cast<int>(m_items.size())) return false;
    if (m_pManager)
        m_pManager->InitControls(control, this);
    else
        control->SetManager(nullptr, this, false);
    if (!IsVisible()) control->SetInternVisible(false);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = CContainerUI::GetItemIndex(control);
    if (index < 0) return false;
    return RemoveAt(index, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* control = CContainerUI::GetItemAt(index);
    if (!control) return false;
    m_items.erase(m_items.begin() + index);
    NeedUpdate();
    if (!doNotDestroy && m_bAutoDestroy) {
        delete control;
    } else {
        if (CPaintManagerUI* manager = m_pManager)
            control->ForEach([manager](CControlUI* c) {
                manager->ReapObjects(c);
                return false;
            });
        control->SetManager(nullptr, nullptr, false);
    }
    return true;
}

void CContainerUI::RemoveAll() {
    while (!m_items.empty()) CContainerUI::RemoveAt(static_cast<int>(m_items.size()) - 1);
    m_scrollPos = 0;
}

Rect CContainerUI::GetInset() const {
    return m_pManager ? m_pManager->Scale(m_rcInset) : m_rcInset;
}

void CContainerUI::SetInset(const Rect& inset) {
    m_rcInset = inset;
    NeedUpdate();
}

int CContainerUI::GetChildPadding() const {
    return m_pManager ? m_pManager->Scale(m_iChildPadding) : m_iChildPadding;
}

void CContainerUI::SetChildPadding(int padding) {
    m_iChildPadding = padding;
    NeedUpdate();
}

int CContainerUI::GetScrollRange() const {
    return std::max(0, m_contentHeight - ContentRect().Height());
}

void CContainerUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, GetScrollRange());
    if (pos == m_scrollPos) return;
    m_scrollPos = pos;
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetScrollPos(pos);
    NeedUpdate();
}

void CContainerUI::EnableScrollBar(bool vertical) {
    if (vertical && !m_pVerticalScrollBar) {
        m_pVerticalScrollBar = new CScrollBarUI(this);
        m_pVerticalScrollBar->SetManager(m_pManager, this, false);
    } else if (!vertical && m_pVerticalScrollBar) {
        delete m_pVerticalScrollBar;
        m_pVerticalScrollBar = nullptr;
        m_scrollPos = 0;
    }
    NeedUpdate();
}

void CContainerUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    CControlUI::SetVisible(visible);
    for (CControlUI* item : m_items) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (CControlUI* item : m_items) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* item : m_items) item->SetManager(manager, this, init);
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetManager(manager, this, false);
    CControlUI::SetManager(manager, parent, init);
}

Rect CContainerUI::ContentRect() const {
    Rect inset = GetInset();
    Rect rc{m_rcItem.left + inset.left, m_rcItem.top + inset.top, m_rcItem.right - inset.right,
            m_rcItem.bottom - inset.bottom};
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible())
        rc.right -= m_pVerticalScrollBar->GetFixedWidth();
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CContainerUI::SetFloatPos(CControlUI* child) {
    Rect pos = m_pManager ? m_pManager->Scale(child->GetFloatPos()) : child->GetFloatPos();
    pos.Offset(m_rcItem.left, m_rcItem.top);
    child->SetPos(pos, false);
}

void CContainerUI::ProcessScrollBar(const Rect& rc, int contentHeight) {
    m_contentHeight = contentHeight;
    if (!m_pVerticalScrollBar) return;
    int range = std::max(0, contentHeight - rc.Height());
    m_pVerticalScrollBar->SetScrollRange(range);
    m_scrollPos = std::clamp(m_scrollPos, 0, range);
    m_pVerticalScrollBar->SetScrollPos(m_scrollPos);
    Rect inset = GetInset();
    m_pVerticalScrollBar->SetPos(
        {m_rcItem.right - inset.right - m_pVerticalScrollBar->GetFixedWidth(),
         m_rcItem.top + inset.top, m_rcItem.right - inset.right, m_rcItem.bottom - inset.bottom},
        false);
}

void CContainerUI::SetPos(const Rect& rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    // A plain container stacks every child over its whole content area.
    Rect area = ContentRect();
    for (CControlUI* item : m_items) {
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            SetFloatPos(item);
        } else {
            Rect pad = item->GetPadding();
            item->SetPos({area.left + pad.left, area.top + pad.top, area.right - pad.right,
                          area.bottom - pad.bottom},
                         false);
        }
    }
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL && m_pVerticalScrollBar && GetScrollRange() > 0) {
        int delta = static_cast<int16_t>((event.wParam >> 16) & 0xFFFF);
        SetScrollPos(m_scrollPos + (delta > 0 ? -kWheelStep : kWheelStep));
        return;
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "inset") {
        if (auto r = ParseRect(value)) SetInset(*r);
    } else if (name == "childpadding") {
        if (auto v = ParseInt(value)) SetChildPadding(*v);
    } else if (name == "mousechild") {
        if (auto b = ParseBool(value)) SetMouseChildEnabled(*b);
    } else if (name == "vscrollbar") {
        if (auto b = ParseBool(value)) EnableScrollBar(*b);
    } else if (name == "vscrollbarstyle") {
        if (m_pVerticalScrollBar) m_pVerticalScrollBar->ApplyAttributeList(value);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

CControlUI* CContainerUI::FindControlAt(Point pt) {
    if (!IsVisible() || !m_rcItem.Contains(pt)) return nullptr;
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible())
        if (CControlUI* bar = m_pVerticalScrollBar->FindControlAt(pt)) return bar;
    if (m_bMouseChildEnabled) {
        // Later children paint over earlier ones, so they are hit first.
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
            if (CControlUI* hit = (*it)->FindControlAt(pt)) return hit;
    }
    return m_bMouseEnabled ? this : nullptr;
}

bool CContainerUI::ForEach(const std::function<bool(CControlUI*)>& visit) {
    if (visit(this)) return true;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->ForEach(visit)) return true;
    return false;
}

void CContainerUI::DoPaint(Painter& painter, const Rect& rcPaint) {
    Rect clip = rcPaint.Intersect(m_rcItem);
    if (clip.IsEmpty()) return;
    CControlUI::DoPaint(painter, rcPaint);
    if (m_items.empty() && !m_pVerticalScrollBar) return;
    painter.PushClip(clip);
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || !clip.Intersects(item->GetPos())) continue;
        item->DoPaint(painter, clip);
    }
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible() &&
        m_pVerticalScrollBar->GetScrollRange() > 0)
        m_pVerticalScrollBar->DoPaint(painter, clip);
    painter.PopClip();
}

}  // namespace warden
