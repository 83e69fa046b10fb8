#pragma once
// A top-level window with a Win32-style message handler. The native window
// comes from the installed Host; messages arrive through HandleMessage on the
// UI thread, whether the host raised them or a thread posted or sent them.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui/Host.h"
#include "ui/Messages.h"

namespace warden {

// Style bits, as Win32's, read by Create.
inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_CHILD = 0x40000000u;
inline constexpr uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr uint32_t WS_CAPTION = 0x00C00000u;
inline constexpr uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008u;
inline constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080u;
inline constexpr uint32_t WS_EX_LAYERED = 0x00080000u;
inline constexpr uint32_t WS_EX_NOACTIVATE = 0x08000000u;
inline constexpr uint32_t UI_WNDSTYLE_FRAME = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
inline constexpr uint32_t UI_WNDSTYLE_DIALOG = WS_POPUP | WS_CAPTION | WS_SYSMENU;

class CWindowWnd : public NativeWindowClient {
public:
    CWindowWnd();
    ~CWindowWnd() override;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    WindowHandle GetHWND() const { return m_handle; }
    // The window of `handle` on the UI thread, or null.
    static CWindowWnd* FromHandle(WindowHandle handle);

    // Creates the native window (screen rectangle `rect`; empty lets the host
    // choose) and sends WM_CREATE. Returns the handle, or 0 when there is no
    // host or the host failed (traced).
    WindowHandle Create(WindowHandle parent, std::string_view name, uint32_t style,
                        uint32_t exStyle, const Rect& rect = {});
    WindowHandle Create(WindowHandle parent, std::string_view name, uint32_t style,
                        uint32_t exStyle, int x, int y, int cx, int cy);
    // Destroys the native window: WM_DESTROY, then WM_NCDESTROY and
    // OnFinalMessage (which may delete this object).
    void DestroyWindow();

    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window, disables its owner and runs a nested loop until the
    // window is destroyed. Returns the value given to Close, or IDCANCEL
    // when the loop ended otherwise (quit, host loop ended).
    uint32_t ShowModal();
    // Posts WM_CLOSE with `result`; the default handling destroys the window.
    void Close(uint32_t result = IDOK);
    // Centres on the owner window, or on the work area without one.
    void CenterWindow();
    void SetIcon(const std::string& path);
    void ResizeClient(int cx, int cy);
    void MoveWindow(const Rect& screenRect);
    Rect GetWindowRect() const;  // screen coordinates, empty without a window
    Rect GetClientRect() const;  // (0, 0, width, height)
    bool IsVisible() const;
    WindowHandle GetParent() const { return m_parent; }
    NativeWindow* GetNative() const { return m_native.get(); }

    // A window timer: WM_TIMER with wParam = `id` every `periodMs`. Setting an
    // id again restarts it. False without a native window.
    bool SetTimer(uint32_t id, uint32_t periodMs);
    void KillTimer(uint32_t id);

    LResult SendMessage(uint32_t message, WParam wParam = 0, LParam lParam = 0);
    bool PostMessage(uint32_t message, WParam wParam = 0, LParam lParam = 0);

    // Dispatch entry for the queue and the host.
    LResult OnNativeMessage(uint32_t message, WParam wParam, LParam lParam) override;
    void OnNativePaint(Painter& painter, const Rect& dirty) override;

protected:
    virtual std::string GetWindowClassName() const = 0;
    // The default handles WM_CLOSE (destroy) and WM_SYSCOMMAND (minimise,
    // maximise, restore, close); everything else returns 0.
    virtual LResult HandleMessage(uint32_t message, WParam wParam, LParam lParam);
    virtual void OnPaint(Painter& painter, const Rect& dirty);
    virtual void OnFinalMessage(WindowHandle handle);

private:
    struct ModalState;

    WindowHandle m_handle = 0;
    WindowHandle m_parent = 0;
    std::unique_ptr<NativeWindow> m_native;
    std::shared_ptr<ModalState> m_modal;
    std::map<uint32_t, uint64_t> m_timers;  // id -> host timer
    bool m_destroying = false;
};

}  // namespace warden
