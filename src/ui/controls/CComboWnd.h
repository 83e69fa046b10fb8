#pragma once
// The popup of an open combo: a window whose content is the combo's rows,
// lent for as long as it is open.

#include "ui/CPaintManagerUI.h"
#include "ui/CWindowWnd.h"
#include "ui/UIDefine.h"

namespace warden {

class CComboUI;
class CVerticalLayoutUI;

class CComboWnd : public CWindowWnd, public INotifyUI {
public:
    // Opens below the combo. Null when no window could be created.
    static CComboWnd* Open(CComboUI* owner);
    // Gives the rows back and destroys the window (which deletes itself).
    void CloseFor(CComboUI* owner);
    void Notify(TNotifyUI& msg) override;
    CPaintManagerUI& GetPaintManager() { return m_pm; }

protected:
    std::string GetWindowClassName() const override;
    LResult HandleMessage(uint32_t message, WParam wParam, LParam lParam) override;
    void OnPaint(Painter& painter, const Rect& dirty) override;
    void OnFinalMessage(WindowHandle handle) override;

private:
    explicit CComboWnd(CComboUI* owner) : m_pOwner(owner) {}
    void ReturnRows();

    CComboUI* m_pOwner;
    CPaintManagerUI m_pm;
    CVerticalLayoutUI* m_pLayout = nullptr;
};

}  // namespace warden
