#pragma once
// One window's control tree: name lookup, notifications, per-control timers,
// focus, capture and hot tracking, input dispatch, layout, painting, fonts,
// default attributes, styles, images and DPI. Lives on the UI thread.

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/AttributeParse.h"
#include "ui/Geometry.h"
#include "ui/Painter.h"
#include "ui/UIDefine.h"

namespace warden {

class CControlUI;
class CWindowWnd;

class CPaintManagerUI {
public:
    // Posted to the window so that queued notifications and delayed
    // deletions are handled soon on the UI thread.
    static constexpr uint32_t kMsgFlushNotify = 0xBF00;

    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Binds the manager to its window; `name` is the window's name.
    void Init(CWindowWnd* window, std::string_view name = {});
    CWindowWnd* GetPaintWindow() const { return m_pWindow; }
    WindowHandle GetPaintWindowHandle() const;
    const std::string& GetName() const { return m_sName; }

    // The folder that relative layout and image names are found in.
    static void SetResourcePath(const std::string& path);
    static const std::string& GetResourcePath();
    // The folder of `name` resolved: absolute paths as they stand, others
    // under the resource path; backslashes become slashes.
    static std::string ResolvePath(std::string_view name);
    // Runs the host's loop until a quit message. Returns its exit code.
    static int MessageLoop();
    // Every manager alive (the resource manager re-texts them all).
    static const std::vector<CPaintManagerUI*>& GetPaintManagers();

    // DPI of the window (96 by default; 144 for large screens). Sizes of
    // controls and fonts are multiplied by dpi / 96.
    void SetDPI(int dpi);
    int GetDPI() const { return m_dpi; }
    // After a DPI change: drops the cached images and lays everything out again.
    void ResetDPIAssets();
    // Scaled sizes stay within +-kMaxScaled pixels whatever a layout says, so
    // that sums of many of them cannot overflow.
    static constexpr int kMaxScaled = 1 << 20;
    int Scale(int value) const {
        const int64_t scaled = int64_t{value} * m_dpi / 96;
        return static_cast<int>(std::clamp<int64_t>(scaled, -kMaxScaled, kMaxScaled));
    }
    Rect Scale(const Rect& r) const {
        return {Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
    }
    Size Scale(Size s) const { return {Scale(s.cx), Scale(s.cy)}; }

    // Window properties from the layout's <Window> tag (unscaled).
    void SetInitSize(int cx, int cy) { m_szInit = {cx, cy}; }
    Size GetInitSize() const { return Scale(m_szInit); }
    void SetMinInfo(int cx, int cy) { m_szMin = {cx, cy}; }
    Size GetMinInfo() const { return Scale(m_szMin); }
    void SetCaptionRect(const Rect& r) { m_rcCaption = r; }
    Rect GetCaptionRect() const { return Scale(m_rcCaption); }
    void SetLayered(bool layered) { m_bLayered = layered; }
    bool IsLayered() const { return m_bLayered; }
    void SetDefaultFontColor(Color c) { m_dwDefaultFontColor = c; }
    Color GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultDisabledColor(Color c) { m_dwDefaultDisabledColor = c; }
    Color GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
    Size GetClientSize() const;

    // The root control; the manager owns it from now on (deletes the old).
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return m_pRoot; }
    // Registers the names of `control`'s subtree and attaches it to this manager.
    void InitControls(CControlUI* control, CControlUI* parent = nullptr);
    // A control goes away: forget its name, timers, focus, capture, queued
    // notifications. Called by the control's destructor.
    void ReapObjects(CControlUI* control);
    // The first registered control of that name, or null.
    CControlUI* FindControl(std::string_view name) const;
    // The control under a client point, or null.
    CControlUI* FindControl(Point pt) const;
    // The first control of that name in `parent`'s subtree, or null.
    CControlUI* FindSubControlByName(CControlUI* parent, std::string_view name) const;
    // The `index`-th control of that class in `parent`'s subtree, or null.
    CControlUI* FindSubControlByClass(CControlUI* parent, std::string_view className,
                                      int index = 0) const;

    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    // Raises a notification: delivered now, or queued and delivered after
    // the current message when `async`.
    void SendNotify(TNotifyUI& msg, bool async = false);
    void SendNotify(CControlUI* control, std::string_view type, WParam wParam = 0,
                    LParam lParam = 0, bool async = false);
    // Delivers the queued notifications. Called after each message.
    void FlushAsyncNotify();

    // Per-control timers: the control gets UIEVENT_TIMER with wParam = id.
    // Setting an existing id restarts it. False without a window or host.
    bool SetTimer(CControlUI* control, uint32_t id, uint32_t elapseMs);
    bool KillTimer(CControlUI* control, uint32_t id);
    void KillTimer(CControlUI* control);
    void RemoveAllTimers();

    CControlUI* GetFocus() const { return m_pFocus; }
    // Moves the focus, with kill-focus / set-focus events and notifications.
    void SetFocus(CControlUI* control);
    CControlUI* GetHotControl() const { return m_pEventHover; }
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_bMouseCapture; }

    bool AddOptionGroup(std::string_view group, CControlUI* control);
    const std::vector<CControlUI*>* GetOptionGroup(std::string_view group) const;
    void RemoveOptionGroup(std::string_view group, CControlUI* control);

    // Font table. Ids are the layout's <Font id>; -1 or an unknown id gives
    // the default font. Shared fonts serve every manager.
    void AddFont(int id, std::string_view face, int size, bool bold, bool underline, bool italic,
                 bool shared = false);
    void SetDefaultFont(std::string_view face, int size, bool bold, bool underline, bool italic,
                        bool shared = false);
    // The font scaled to this manager's DPI.
    FontInfo GetFont(int id) const;
    bool HasFont(int id) const;
    void RemoveAllFonts();
    static void RemoveAllSharedFonts();

    // Attribute lists applied to every new control of a class (<Default>),
    // and named lists a control takes with style="name" (<Style>).
    void AddDefaultAttributeList(std::string_view className, std::string_view list,
                                 bool shared = false);
    std::string GetDefaultAttributeList(std::string_view className) const;
    void AddStyle(std::string_view name, std::string_view list, bool shared = false);
    std::string GetStyle(std::string_view name) const;

    // A picture by resource name, from the cache or loaded through the host.
    // Null when missing or undecodable (traced once per name).
    NativeImagePtr GetImage(std::string_view name);
    void RemoveAllImages();
    // Draws an image string into `rcItem`, clipped to `rcPaint`. The tint
    // values are handed to the painter. False when nothing was drawn.
    bool DrawImageString(Painter& painter, const Rect& rcItem, const Rect& rcPaint,
                         std::string_view image, const ImageDrawParams* tint = nullptr);

    void Invalidate();
    void Invalidate(const Rect& rc);
    // Layout runs before the next paint (or UpdateLayout).
    void NeedUpdate() { m_bUpdateNeeded = true; }
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    // Lays out the root in the client area now, when needed; the first
    // layout raises "windowinit".
    void UpdateLayout();
    // Lays out (when needed) and paints `dirty`.
    void Paint(Painter& painter, const Rect& dirty);

    // Handles a window message for the control tree. True when handled;
    // `result` is then the message's result.
    bool MessageHandler(uint32_t message, WParam wParam, LParam lParam, LResult& result);

    // Deleted after the current message (a control removing itself).
    void AddDelayedCleanup(CControlUI* control);

private:
    struct TimerInfo;
    void DispatchMouse(uint32_t message, WParam wParam, LParam lParam);
    void DispatchKey(uint32_t message, WParam wParam, LParam lParam);
    void UpdateHot(Point pt, WParam wParam);
    void FireTimer(CControlUI* control, uint32_t id);
    TEventUI MakeEvent(int type, CControlUI* sender, Point pt, WParam wParam, LParam lParam) const;
    void CleanupDelayed();

    CWindowWnd* m_pWindow = nullptr;
    std::string m_sName;
    int m_dpi = 96;
    Size m_szInit;
    Size m_szMin;
    Rect m_rcCaption;
    bool m_bLayered = false;
    Color m_dwDefaultFontColor = 0xFF000000u;
    Color m_dwDefaultDisabledColor = 0xFFA7A6AAu;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    bool m_bMouseCapture = false;
    bool m_bUpdateNeeded = true;
    bool m_bFirstLayout = true;
    Point m_ptLastMouse;
    std::unordered_multimap<std::string, CControlUI*> m_names;
    std::vector<INotifyUI*> m_notifiers;
    std::vector<IMessageFilterUI*> m_filters;
    std::vector<TNotifyUI> m_asyncNotify;
    std::vector<std::unique_ptr<TimerInfo>> m_timers;
    std::map<std::string, std::vector<CControlUI*>, std::less<>> m_optionGroups;
    std::map<int, FontInfo> m_fonts;
    std::unique_ptr<FontInfo> m_defaultFont;
    std::map<std::string, std::string, std::less<>> m_defaultAttrs;
    std::map<std::string, std::string, std::less<>> m_styles;
    std::map<std::string, NativeImagePtr, std::less<>> m_images;
    std::map<std::string, TDrawInfo, std::less<>> m_drawInfos;
    std::vector<CControlUI*> m_delayedCleanup;
};

}  // namespace warden
