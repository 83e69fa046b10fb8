#include "ui/controls/CControlUI.h"

#include "platform/Text.h"
#include "platform/Trace.h"
#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CResourceManager.h"

namespace warden {
namespace {

// Styles may name other styles; a cycle among them must end somewhere.
constexpr int kMaxStyleNesting = 8;

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pManager) m_pManager->ReapObjects(this);
}

std::string_view CControlUI::GetClass() const {
    return "Control";
}

void* CControlUI::GetInterface(std::string_view name) {
    return name == "Control" ? this : nullptr;
}

void CControlUI::SetName(std::string_view name) {
    m_sName = name;
}

std::string CControlUI::GetText() const {
    if (m_bResourceText) return CResourceManager::GetInstance().GetText(m_sText);
    return m_sText;
}

void CControlUI::SetText(std::string_view text) {
    if (m_sText == text) return;
    m_sText = text;
    Invalidate();
}

std::string CControlUI::GetToolTip() const {
    if (m_bResourceText && !m_sToolTip.empty())
        return CResourceManager::GetInstance().GetText(m_sToolTip);
    return m_sToolTip;
}

void CControlUI::SetResourceText(bool resource) {
    m_bResourceText = resource;
    Invalidate();
}

void CControlUI::ReloadText() {
    Invalidate();
}

void CControlUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    bool wasVisible = IsVisible();
    m_bVisible = visible;
    if (m_bFocused && !visible && m_pManager) m_pManager->SetFocus(nullptr);
    if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
    if (!visible && m_bFocused && m_pManager) m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_bEnabled == enabled) return;
    m_bEnabled = enabled;
    Invalidate();
}

void CControlUI::SetFocus() {
    if (m_pManager) m_pManager->SetFocus(this);
}

void CControlUI::SetFloat(bool isFloat) {
    if (m_bFloat == isFloat) return;
    m_bFloat = isFloat;
    NeedParentUpdate();
}

void CControlUI::SetFixedXY(Point xy) {
    m_xyFixed = xy;
    m_rcFloat = {xy.x, xy.y, xy.x + m_cxyFixed.cx, xy.y + m_cxyFixed.cy};
    if (!m_bFloat) m_bFloat = true;
    NeedParentUpdate();
}

static int ScaleBy(const CPaintManagerUI* manager, int value) {
    return manager ? manager->Scale(value) : value;
}

int CControlUI::GetFixedWidth() const {
    return ScaleBy(m_pManager, m_cxyFixed.cx);
}
int CControlUI::GetFixedHeight() const {
    return ScaleBy(m_pManager, m_cxyFixed.cy);
}
int CControlUI::GetMinWidth() const {
    return ScaleBy(m_pManager, m_cxyMin.cx);
}
int CControlUI::GetMaxWidth() const {
    return ScaleBy(m_pManager, m_cxyMax.cx);
}
int CControlUI::GetMinHeight() const {
    return ScaleBy(m_pManager, m_cxyMin.cy);
}
int CControlUI::GetMaxHeight() const {
    return ScaleBy(m_pManager, m_cxyMax.cy);
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    m_rcFloat.right = m_rcFloat.left + cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    m_rcFloat.bottom = m_rcFloat.top + cy;
    NeedParentUpdate();
}

Rect CControlUI::GetPadding() const {
    return m_pManager ? m_pManager->Scale(m_rcPadding) : m_rcPadding;
}

void CControlUI::SetPadding(const Rect& padding) {
    m_rcPadding = padding;
    NeedParentUpdate();
}

void CControlUI::SetPos(const Rect& rc, bool needInvalidate) {
    Rect fixed = rc;
    if (fixed.right < fixed.left) fixed.right = fixed.left;
    if (fixed.bottom < fixed.top) fixed.bottom = fixed.top;
    if (needInvalidate && !(fixed == m_rcItem)) Invalidate();
    m_rcItem = fixed;
    m_bUpdateNeeded = false;
    if (needInvalidate) Invalidate();
}

Size CControlUI::EstimateSize(Size) {
    return {GetFixedWidth(), GetFixedHeight()};
}

void CControlUI::SetBkColor(Color color) {
    m_dwBackColor = color;
    Invalidate();
}

void CControlUI::SetBkImage(std::string_view image) {
    m_sBkImage = image;
    Invalidate();
}

void CControlUI::SetBorderColor(Color color) {
    m_dwBorderColor = color;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    m_nBorderSize = size < 0 ? 0 : size;
    Invalidate();
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    m_pManager = manager;
    m_pParent = parent;
    if (init && m_pParent) Init();
}

std::string CControlUI::GetVirtualWnd() const {
    for (const CControlUI* c = this; c; c = c->m_pParent)
        if (!c->m_sVirtualWnd.empty()) return c->m_sVirtualWnd;
    return {};
}

void CControlUI::Invalidate() {
    if (m_pManager && IsVisible() && !m_rcItem.IsEmpty()) m_pManager->Invalidate(m_rcItem);
}

void CControlUI::NeedUpdate() {
    if (!IsVisible()) return;
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::Init() {
    if (m_bInited) return;
    m_bInited = true;
    DoInit();
}

void CControlUI::Event(TEventUI& event) {
    DoEvent(event);
}

bool CControlUI::ForwardMouseIfDisabled(TEventUI& event) {
    if (IsMouseEnabled() || event.Type < UIEVENT_MOUSEMOVE || event.Type > UIEVENT_SCROLLWHEEL)
        return false;
    if (m_pParent) m_pParent->DoEvent(event);
    return true;
}

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
            m_bFocused = true;
            Invalidate();
            return;
        case UIEVENT_KILLFOCUS:
            m_bFocused = false;
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (m_pManager)
                m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
            return;
        case UIEVENT_CONTEXTMENU:
            if (m_bMenuUsed && m_pManager) {
                m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
                return;
            }
            break;
        default:
            break;
    }
    if (m_pParent) m_pParent->DoEvent(event);
}

bool CControlUI::Activate() {
    return IsVisible() && IsEnabled();
}

void CControlUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "name") {
        SetName(value);
    } else if (name == "text") {
        SetText(value);
    } else if (name == "resourcetext") {
        if (auto b = ParseBool(value)) SetResourceText(*b);
    } else if (name == "tooltip") {
        SetToolTip(value);
    } else if (name == "userdata") {
        SetUserData(value);
    } else if (name == "tag") {
        if (auto v = ParseInt(value)) SetTag(static_cast<uintptr_t>(*v));
    } else if (name == "visible") {
        if (auto b = ParseBool(value)) SetVisible(*b);
    } else if (name == "enabled") {
        if (auto b = ParseBool(value)) SetEnabled(*b);
    } else if (name == "mouse") {
        if (auto b = ParseBool(value)) SetMouseEnabled(*b);
    } else if (name == "keyboard") {
        if (auto b = ParseBool(value)) m_bKeyboardEnabled = *b;
    } else if (name == "menu") {
        if (auto b = ParseBool(value)) m_bMenuUsed = *b;
    } else if (name == "float") {
        if (auto b = ParseBool(value)) SetFloat(*b);
    } else if (name == "pos") {
        if (auto r = ParseRect(value)) {
            m_rcFloat = *r;
            m_xyFixed = {r->left, r->top};
            m_cxyFixed = {r->Width() < 0 ? 0 : r->Width(), r->Height() < 0 ? 0 : r->Height()};
            NeedParentUpdate();
        }
    } else if (name == "width") {
        if (auto v = ParseInt(value)) SetFixedWidth(*v);
    } else if (name == "height") {
        if (auto v = ParseInt(value)) SetFixedHeight(*v);
    } else if (name == "minwidth") {
        if (auto v = ParseInt(value); v && *v >= 0) m_cxyMin.cx = *v;
    } else if (name == "minheight") {
        if (auto v = ParseInt(value); v && *v >= 0) m_cxyMin.cy = *v;
    } else if (name == "maxwidth") {
        if (auto v = ParseInt(value); v && *v >= 0) m_cxyMax.cx = *v;
    } else if (name == "maxheight") {
        if (auto v = ParseInt(value); v && *v >= 0) m_cxyMax.cy = *v;
    } else if (name == "padding") {
        if (auto r = ParseRect(value)) SetPadding(*r);
    } else if (name == "bkcolor") {
        if (auto c = ParseColor(value)) SetBkColor(*c);
    } else if (name == "bkimage") {
        SetBkImage(value);
    } else if (name == "bordercolor") {
        if (auto c = ParseColor(value)) SetBorderColor(*c);
    } else if (name == "bordersize") {
        if (auto v = ParseInt(value)) SetBorderSize(*v);
    } else if (name == "virtualwnd") {
        m_sVirtualWnd = value;
    } else if (name == "style") {
        static thread_local int nesting = 0;
        if (!m_pManager) return;
        if (nesting >= kMaxStyleNesting) {
            Trace("style %.*s nested too deeply: ignored\n", static_cast<int>(value.size()),
                  value.data());
            return;
        }
        ++nesting;
        ApplyAttributeList(m_pManager->GetStyle(value));
        --nesting;
    }
}

void CControlUI::ApplyAttributeList(std::string_view list) {
    // name="value" pairs; a value may use either quote, the other nested.
    std::string_view rest = list;
    while (!rest.empty()) {
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' ||
                                 rest.front() == '\r' || rest.front() == '\n'))
            rest.remove_prefix(1);
        size_t eq = rest.find('=');
        if (eq == std::string_view::npos) return;
        std::string_view name = rest.substr(0, eq);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        rest = rest.substr(eq + 1);
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        if (rest.empty() || (rest.front() != '"' && rest.front() != '\'')) return;
        char quote = rest.front();
        size_t close = rest.find(quote, 1);
        if (close == std::string_view::npos) return;
        SetAttribute(name, rest.substr(1, close - 1));
        rest = rest.substr(close + 1);
    }
}

CControlUI* CControlUI::FindControlAt(Point pt) {
    if (!IsVisible() || !m_bMouseEnabled || !m_rcItem.Contains(pt)) return nullptr;
    return this;
}

bool CControlUI::ForEach(const std::function<bool(CControlUI*)>& visit) {
    return visit(this);
}

void CControlUI::DoPaint(Painter& painter, const Rect& rcPaint) {
    if (!rcPaint.Intersects(m_rcItem)) return;
    PaintBkColor(painter);
    PaintBkImage(painter);
    PaintStatusImage(painter);
    PaintText(painter);
    PaintBorder(painter);
}

void CControlUI::PaintBkColor(Painter& painter) {
    if (m_dwBackColor != 0) painter.FillRect(m_rcItem, m_dwBackColor);
}

void CControlUI::PaintBkImage(Painter& painter) {
    if (!m_sBkImage.empty()) DrawImage(painter, m_sBkImage);
}

void CControlUI::PaintStatusImage(Painter&) {}
void CControlUI::PaintText(Painter&) {}

void CControlUI::PaintBorder(Painter& painter) {
    if (m_nBorderSize > 0 && m_dwBorderColor != 0) {
        int width = m_pManager ? m_pManager->Scale(m_nBorderSize) : m_nBorderSize;
        painter.DrawRect(m_rcItem, width, m_dwBorderColor);
    }
}

bool CControlUI::DrawImage(Painter& painter, const std::string& image, const Rect* rcPaint) {
    if (!m_pManager || image.empty()) return false;
    return m_pManager->DrawImageString(painter, m_rcItem, rcPaint ? *rcPaint : m_rcItem, image);
}

}  // namespace warden
