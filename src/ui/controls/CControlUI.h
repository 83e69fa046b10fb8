#pragma once
// The base of every control: identity, state, size wishes, position,
// background and border painting, attribute strings and event handling.
// Sizes given by attributes are at 96 DPI; the paint manager scales them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/Geometry.h"
#include "ui/Painter.h"
#include "ui/UIDefine.h"

namespace warden {

class CPaintManagerUI;

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // The class name the layout files use ("Control", "Button", ...).
    virtual std::string_view GetClass() const;
    // This control as the named interface ("Control", "Button", "ListItem"...),
    // or null when it is not one.
    virtual void* GetInterface(std::string_view name);

    const std::string& GetName() const { return m_sName; }
    void SetName(std::string_view name);
    // The text shown: the language text of the key in resource-text mode.
    virtual std::string GetText() const;
    virtual void SetText(std::string_view text);
    // The text as set (the key in resource-text mode).
    const std::string& GetRawText() const { return m_sText; }
    bool IsResourceText() const { return m_bResourceText; }
    void SetResourceText(bool resource);
    // Language reloaded: repaint with the new text.
    virtual void ReloadText();
    // The tooltip, as the text a language key in resource-text mode.
    std::string GetToolTip() const;
    void SetToolTip(std::string_view text) { m_sToolTip = text; }
    const std::string& GetUserData() const { return m_sUserData; }
    void SetUserData(std::string_view data) { m_sUserData = data; }
    uintptr_t GetTag() const { return m_tag; }
    void SetTag(uintptr_t tag) { m_tag = tag; }

    bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    virtual void SetVisible(bool visible = true);
    // Visibility given by an ancestor (hidden tab page, hidden container).
    virtual void SetInternVisible(bool visible = true);
    bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool enabled = true);
    bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool enabled = true) { m_bMouseEnabled = enabled; }
    bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    bool IsFocused() const { return m_bFocused; }
    // Asks the paint manager to give this control the focus.
    void SetFocus();
    bool IsContextMenuUsed() const { return m_bMenuUsed; }
    int GetCursor() const { return m_cursor; }
    void SetCursor(int cursorId) { m_cursor = cursorId; }

    // Layout wishes, in 96-DPI units except where "scaled" is said.
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool isFloat = true);
    Point GetFixedXY() const { return m_xyFixed; }
    void SetFixedXY(Point xy);
    int GetFixedWidth() const;   // scaled
    int GetFixedHeight() const;  // scaled
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    int GetMinWidth() const;
    int GetMaxWidth() const;
    int GetMinHeight() const;
    int GetMaxHeight() const;
    Rect GetPadding() const;  // scaled
    void SetPadding(const Rect& padding);
    Rect GetFloatPos() const { return m_rcFloat; }  // unscaled "pos"

    // Position in window client coordinates, set by the parent's layout.
    const Rect& GetPos() const { return m_rcItem; }
    virtual void SetPos(const Rect& rc, bool needInvalidate = true);
    int GetWidth() const { return m_rcItem.Width(); }
    int GetHeight() const { return m_rcItem.Height(); }
    // The size the control wants within `available` (scaled); 0 = stretch.
    virtual Size EstimateSize(Size available);

    Color GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(Color color);
    const std::string& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(std::string_view image);
    Color GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(Color color);
    int GetBorderSize() const { return m_nBorderSize; }
    void SetBorderSize(int size);

    CPaintManagerUI* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    // Attaches the control (and its subtree) to a manager; `init` runs Init.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    // "virtualwnd" of this control or the nearest ancestor that has one.
    std::string GetVirtualWnd() const;

    void Invalidate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void NeedUpdate();
    void NeedParentUpdate();
    void ClearUpdateNeeded() { m_bUpdateNeeded = false; }

    void Init();
    virtual void DoInit() {}
    // Delivers an event; the default passes unhandled mouse events up.
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);
    // The control's action ("click" for buttons). False when disabled/hidden.
    virtual bool Activate();

    // Sets one attribute. Unknown names and malformed values are ignored.
    virtual void SetAttribute(std::string_view name, std::string_view value);
    // "name=\"value\" name2=\"value2\"" as a style or default list.
    void ApplyAttributeList(std::string_view list);

    // The deepest visible control at `pt` that takes mouse input, or null.
    virtual CControlUI* FindControlAt(Point pt);
    // Calls `visit` for this control and, for containers, every descendant
    // in tree order. A true return stops the walk (and is returned).
    virtual bool ForEach(const std::function<bool(CControlUI*)>& visit);

    virtual void DoPaint(Painter& painter, const Rect& rcPaint);
    virtual void PaintBkColor(Painter& painter);
    virtual void PaintBkImage(Painter& painter);
    virtual void PaintStatusImage(Painter& painter);
    virtual void PaintText(Painter& painter);
    virtual void PaintBorder(Painter& painter);
    // Draws an image string inside this control; false when not drawn.
    bool DrawImage(Painter& painter, const std::string& image, const Rect* rcPaint = nullptr);

protected:
    // A control that does not take the mouse hands mouse events to its
    // parent. Returns true when `event` was handed on (the caller stops).
    bool ForwardMouseIfDisabled(TEventUI& event);

    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    std::string m_sName;
    std::string m_sText;
    std::string m_sToolTip;
    std::string m_sUserData;
    std::string m_sVirtualWnd;
    uintptr_t m_tag = 0;
    bool m_bResourceText = false;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bMenuUsed = false;
    bool m_bUpdateNeeded = true;
    bool m_bInited = false;
    int m_cursor = 0;
    Point m_xyFixed;
    Size m_cxyFixed;
    Size m_cxyMin;
    Size m_cxyMax{9999, 9999};
    Rect m_rcPadding;
    Rect m_rcFloat;
    Rect m_rcItem;
    Color m_dwBackColor = 0;
    std::string m_sBkImage;
    Color m_dwBorderColor = 0;
    int m_nBorderSize = 0;
};

}  // namespace warden
