#pragma once
// A popup menu built from a menu layout. Clicking an item posts
// WM_MENUCLICK (1145) to the window of the paint manager given at creation,
// with wParam = a new MenuCmd (release it with CMenuWnd::ReleaseCmd), and
// closes the menu. Losing the activation or Escape closes it too.

#include <string>

#include "ui/WindowImplBase.h"

namespace warden {

// The record of a menu command; the name comes first.
struct MenuCmd {
    std::string szName;
    std::string szUserData;
    std::string szText;
    bool bChecked = false;
};

// Where the menu lies relative to its point.
inline constexpr uint32_t eMenuAlignment_Left = 1 << 1;    // left edge at x
inline constexpr uint32_t eMenuAlignment_Top = 1 << 2;     // top edge at y
inline constexpr uint32_t eMenuAlignment_Right = 1 << 3;   // right edge at x
inline constexpr uint32_t eMenuAlignment_Bottom = 1 << 4;  // bottom edge at y

class CMenuWnd : public WindowImplBase {
public:
    // Builds `xml` and shows it at screen point `point`. Commands go to
    // `target`'s window. Returns the menu (it deletes itself when closed),
    // or null when the layout or the window failed (traced).
    static CMenuWnd* CreateMenu(std::string_view xml, Point point, CPaintManagerUI* target,
                                uint32_t alignment = eMenuAlignment_Left | eMenuAlignment_Top);
    // Frees the record posted with WM_MENUCLICK; null is ignored.
    static void ReleaseCmd(WParam cmd);
    // Closes the menu now (it deletes itself).
    void DestroyMenu() { DestroyWindow(); }

    void Notify(TNotifyUI& msg) override;

protected:
    std::string GetWindowClassName() const override;
    std::string GetSkinFile() override { return m_xml; }
    LResult HandleCustomMessage(uint32_t message, WParam wParam, LParam lParam,
                                bool& handled) override;
    void OnFinalMessage(WindowHandle handle) override;

private:
    CMenuWnd(std::string_view xml, WindowHandle target) : m_xml(xml), m_target(target) {}
    void Place(Point point, uint32_t alignment, int dpi);

    std::string m_xml;
    WindowHandle m_target;
};

}  // namespace warden
