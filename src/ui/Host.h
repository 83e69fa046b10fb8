#pragma once
// What the native side gives the UI library: top-level windows, timers, a
// loop that can be woken from any thread, text measurement, images,
// clipboard, file dialogs and the tray. The Qt host implements it for real
// windows, the test host for headless tests. Exactly one host is installed
// per process (SetHost) before the first window is created.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Geometry.h"
#include "ui/Messages.h"
#include "ui/Painter.h"

namespace warden {

// Implemented by the library's window object; the host calls it on the UI
// thread only.
class NativeWindowClient {
public:
    virtual ~NativeWindowClient() = default;
    // Input, focus, activation, size, move, close and system-command events,
    // translated to window messages: mouse messages (WM_MOUSEMOVE, button,
    // WM_MOUSEWHEEL with the delta in the high word of wParam, WM_CONTEXTMENU)
    // carry MakeLParam(x, y) in client coordinates and MK_* bits in wParam;
    // WM_SIZE carries MakeLParam(width, height); keys carry the VK_* code,
    // WM_CHAR a Unicode code point; WM_ACTIVATE wParam 0 = deactivated.
    virtual LResult OnNativeMessage(uint32_t message, WParam wParam, LParam lParam) = 0;
    // Paints `dirty` (client coordinates) with `painter`, clipped to it.
    virtual void OnNativePaint(Painter& painter, const Rect& dirty) = 0;
};

struct NativeWindowParams {
    std::string title;
    Rect rect;  // screen coordinates; empty = host chooses
    WindowHandle parent = 0;
    NativeWindowClient* parentNative = nullptr;  // the owner, for stacking
    bool popup = true;                           // frameless; the layout draws its own caption
    bool toolWindow = false;                     // not shown in the task bar
    bool topmost = false;
    bool noActivate = false;
    bool layered = false;  // per-pixel alpha
};

// Cursor ids as Win32's IDC_* numbers.
inline constexpr int kCursorArrow = 32512;
inline constexpr int kCursorIBeam = 32513;
inline constexpr int kCursorHand = 32649;

// One native top-level window. Destroying the object destroys the window.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual void Show(bool show, bool activate) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetRect(const Rect& screenRect) = 0;  // moves and sizes
    virtual Rect GetRect() const = 0;                  // screen coordinates
    virtual void SetTitle(std::string_view title) = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void Minimize() = 0;
    virtual void Maximize() = 0;
    virtual void Restore() = 0;
    virtual bool IsMinimized() const = 0;
    virtual bool IsMaximized() const = 0;
    // Disabled windows receive no input (owners of a modal window).
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Activate() = 0;
    // Schedules a repaint of `rect` (client coordinates); coalesced.
    virtual void Invalidate(const Rect& rect) = 0;
    virtual void SetCapture(bool capture) = 0;
    virtual void SetCursor(int cursorId) = 0;
    // An image file (PNG/ICO) shown as the window icon; false when unreadable.
    virtual bool SetIcon(const std::string& path) = 0;
    // Points the native text input at a focused edit control (the Qt host
    // lays a QLineEdit over `rect`). Returns false when the host has no
    // native editor; the edit control then handles WM_CHAR itself.
    virtual bool BeginTextInput(const Rect& rect, std::string_view text, const FontInfo& font,
                                bool password, std::function<void(std::string)> onChanged) = 0;
    virtual void EndTextInput() = 0;
};

// The tray icon; the host calls `onMouse` on the UI thread with the mouse
// message (WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK).
class NativeTrayIcon {
public:
    virtual ~NativeTrayIcon() = default;
    virtual void SetToolTip(std::string_view text) = 0;
    virtual bool SetIcon(const std::string& path) = 0;
    virtual void SetVisible(bool visible) = 0;
};

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::string folder;
    std::string fileName;
    // Pairs of description and pattern list ("Profile", "*.json").
    std::vector<std::pair<std::string, std::string>> filters;
    WindowHandle owner = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // Null when the native window could not be created.
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(NativeWindowClient& client,
                                                             const NativeWindowParams& params) = 0;

    // Runs the native event loop until `finished()` is true. Called for the
    // main loop and nested for modal windows. Between native events the host
    // calls MessageQueue::Instance().DispatchPending(). Returns false when
    // the loop could not go on (the test host: nothing left to do).
    virtual bool RunLoop(const std::function<bool()>& finished) = 0;
    // Thread-safe: makes the loop call DispatchPending soon.
    virtual void WakeLoop() = 0;

    // A repeating timer calling `fire` on the UI thread every `periodMs`.
    // Returns a non-zero id, or 0 on failure.
    virtual uint64_t StartTimer(uint32_t periodMs, std::function<void()> fire) = 0;
    virtual void StopTimer(uint64_t id) = 0;

    // Size of `text` on one line in `font` (pixels).
    virtual Size MeasureText(std::string_view text, const FontInfo& font) = 0;
    // Decodes a picture file; null when missing or not decodable.
    virtual NativeImagePtr LoadImage(const std::string& path) = 0;
    // Registers a font file's faces with the native side; false on failure.
    virtual bool AddFontFile(const std::string& path) = 0;

    virtual std::string GetClipboardText() = 0;
    virtual void SetClipboardText(std::string_view text) = 0;
    // The chosen path, or nothing when cancelled or unavailable. Modal.
    virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) = 0;

    // Null when the desktop has no tray.
    virtual std::unique_ptr<NativeTrayIcon> CreateTrayIcon(
        std::function<void(uint32_t mouseMessage)> onMouse) = 0;

    virtual Rect GetScreenRect() = 0;                 // the primary screen, screen coordinates
    virtual Rect GetWorkArea() = 0;                   // the screen less panels and task bars
    virtual Point GetCursorPos() = 0;                 // screen coordinates
    virtual bool IsKeyDown(uint32_t virtualKey) = 0;  // VK_CONTROL, VK_SHIFT
};

// The installed host; null before SetHost. Not owned.
Host* GetHost();
void SetHost(Host* host);

}  // namespace warden
