#pragma once
// A window whose content is an XML layout: on creation it builds the layout
// named by GetSkinFile into its paint manager, sizes itself to the layout,
// becomes the notifier and calls InitWindow; "windowinit" follows with the
// first layout. Messages go first to the On* handlers, then to
// HandleCustomMessage, then to the paint manager, then to CWindowWnd.
// The title-bar buttons "closebtn", "minbtn", "maxbtn" and "restorebtn"
// work unless a "click" handler of the pump takes the notification.

#include "ui/CNotifyPump.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CWindowWnd.h"
#include "ui/UIDefine.h"

namespace warden {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    CPaintManagerUI& GetPaintManager() { return m_pm; }

    void Notify(TNotifyUI& msg) override;
    CControlUI* CreateControl(std::string_view className) override;
    std::string QueryControlText(std::string_view key, std::string_view type) override;
    LResult MessageHandler(uint32_t message, WParam wParam, LParam lParam, bool& handled) override;

protected:
    virtual std::string GetSkinFolder() { return {}; }
    virtual std::string GetSkinFile() = 0;
    virtual void InitWindow() {}
    virtual void OnClick(TNotifyUI& msg);
    // Enter: not handled; Escape: Close(IDCANCEL). Returns true when handled.
    virtual bool ResponseDefaultKeyEvent(WParam wParam);

    virtual LResult HandleCustomMessage(uint32_t message, WParam wParam, LParam lParam,
                                        bool& handled);
    virtual LResult OnCreate(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnClose(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnDestroy(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnSize(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnGetMinMaxInfo(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnLButtonDown(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnLButtonUp(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnMouseMove(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnSysCommand(uint32_t message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnKillFocus(uint32_t message, WParam wParam, LParam lParam, bool& handled);

    LResult HandleMessage(uint32_t message, WParam wParam, LParam lParam) override;
    void OnPaint(Painter& painter, const Rect& dirty) override;
    void OnFinalMessage(WindowHandle handle) override;

    CPaintManagerUI m_pm;
};

}  // namespace warden
