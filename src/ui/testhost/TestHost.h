#pragma once
// A headless host for tests: windows are records, time is a ManualClock
// that only moves in AdvanceTime (firing due timers in order), the message
// loop is synchronous, input is injected at points, and painting goes to a
// RecordingPainter. Installs itself (and its clock) for its lifetime.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "ui/CWindowWnd.h"
#include "ui/Host.h"
#include "ui/testhost/RecordingPainter.h"

namespace warden {

class TestHost : public Host {
public:
    // A native window as the test host keeps it.
    class Window : public NativeWindow {
    public:
        Window(TestHost& host, NativeWindowClient& client, const NativeWindowParams& params);
        ~Window() override;
        void Show(bool show, bool activate) override;
        bool IsVisible() const override { return visible; }
        void SetRect(const Rect& screenRect) override { rect = screenRect; }
        Rect GetRect() const override { return rect; }
        void SetTitle(std::string_view text) override { title = text; }
        void SetTopmost(bool on) override { topmost = on; }
        void Minimize() override { minimized = true; }
        void Maximize() override {
            maximized = true;
            minimized = false;
        }
        void Restore() override {
            maximized = false;
            minimized = false;
        }
        bool IsMinimized() const override { return minimized; }
        bool IsMaximized() const override { return maximized; }
        void SetEnabled(bool on) override { enabled = on; }
        void Activate() override { active = true; }
        void Invalidate(const Rect& rc) override { invalid = invalid.Union(rc); }
        void SetCapture(bool on) override { captured = on; }
        void SetCursor(int id) override { cursor = id; }
        bool SetIcon(const std::string& path) override;
        bool BeginTextInput(const Rect&, std::string_view, const FontInfo&, bool,
                            std::function<void(std::string)>) override {
            return false;
        }
        void EndTextInput() override {}

        TestHost& host;
        NativeWindowClient& client;
        NativeWindowParams params;
        std::string title;
        Rect rect;
        Rect invalid;
        bool visible = false;
        bool enabled = true;
        bool active = false;
        bool topmost = false;
        bool minimized = false;
        bool maximized = false;
        bool captured = false;
        int cursor = 0;
        std::string icon;
    };

    class Tray : public NativeTrayIcon {
    public:
        Tray(TestHost& host, std::function<void(uint32_t)> onMouse)
            : host(host), onMouse(std::move(onMouse)) {}
        ~Tray() override;
        void SetToolTip(std::string_view text) override { toolTip = text; }
        bool SetIcon(const std::string& path) override;
        void SetVisible(bool on) override { visible = on; }
        TestHost& host;
        std::function<void(uint32_t)> onMouse;
        std::string toolTip;
        std::string icon;
        bool visible = false;
    };

    TestHost();
    ~TestHost() override;
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Host
    std::unique_ptr<NativeWindow> CreateNativeWindow(NativeWindowClient& client,
                                                     const NativeWindowParams& params) override;
    bool RunLoop(const std::function<bool()>& finished) override;
    void WakeLoop() override { ++m_wakes; }
    uint64_t StartTimer(uint32_t periodMs, std::function<void()> fire) override;
    void StopTimer(uint64_t id) override;
    Size MeasureText(std::string_view text, const FontInfo& font) override;
    NativeImagePtr LoadImage(const std::string& path) override;
    bool AddFontFile(const std::string& path) override;
    std::string GetClipboardText() override { return m_clipboard; }
    void SetClipboardText(std::string_view text) override { m_clipboard = text; }
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
    std::unique_ptr<NativeTrayIcon> CreateTrayIcon(std::function<void(uint32_t)> onMouse) override;
    Rect GetScreenRect() override { return m_screen; }
    Rect GetWorkArea() override {
        return {m_screen.left, m_screen.top, m_screen.right, m_screen.bottom - 40};
    }
    Point GetCursorPos() override { return m_cursor; }
    bool IsKeyDown(uint32_t virtualKey) override { return m_keysDown.count(virtualKey) > 0; }

    // Time: moves the clock by `ms`, firing every timer that falls due, in
    // time order, and handling the messages each one queues.
    void AdvanceTime(uint32_t ms);
    ManualClock& Clock() { return m_clock; }
    size_t ActiveTimers() const { return m_timers.size(); }

    // Messages: handles everything queued (on this thread). Returns the count.
    size_t Pump();
    // Called by a nested loop (ShowModal) when nothing is queued; it may
    // inject input or close the window. Without one, the loop gives up.
    void SetIdleHandler(std::function<void()> idle) { m_idle = std::move(idle); }

    // Input, in client coordinates of `window`; each call pumps afterwards.
    void MouseMove(CWindowWnd& window, Point pt);
    void Click(CWindowWnd& window, Point pt);
    void DoubleClick(CWindowWnd& window, Point pt);
    void RightClick(CWindowWnd& window, Point pt);
    void MouseDown(CWindowWnd& window, Point pt);
    void MouseUp(CWindowWnd& window, Point pt);
    void Wheel(CWindowWnd& window, Point pt, int delta);
    void KeyDown(CWindowWnd& window, uint32_t virtualKey);
    void TypeText(CWindowWnd& window, std::string_view text);
    void SetKeyDown(uint32_t virtualKey, bool down);
    // Lays out and paints the whole client area of `window`.
    void Paint(CWindowWnd& window, Painter& painter);

    // The record of `window`'s native window, or null.
    Window* Native(CWindowWnd& window);
    const std::vector<Window*>& Windows() const { return m_windows; }
    // Files that LoadImage accepts without reading them (name -> size).
    void AddImage(const std::string& path, Size size) { m_fakeImages[path] = size; }
    void QueueFileDialogAnswer(std::optional<std::string> answer) {
        m_dialogAnswers.push_back(std::move(answer));
    }
    const std::vector<FileDialogRequest>& FileDialogRequests() const { return m_dialogRequests; }
    Tray* GetTray() const { return m_tray; }
    void SetCursorPos(Point pt) { m_cursor = pt; }
    int Wakes() const { return m_wakes; }

private:
    struct Timer {
        uint32_t period;
        uint32_t due;
        std::function<void()> fire;
    };
    void Send(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
    WParam MouseKeys() const;
    void PressAt(WindowHandle handle, Point pt);
    void ReleaseAt(WindowHandle handle, Point pt);
    void Forget(Window* window);
    friend class Window;
    friend class Tray;

    ManualClock m_clock;
    ScopedClock m_clockGuard{m_clock};
    Host* m_previous;
    std::vector<Window*> m_windows;
    std::map<uint64_t, Timer> m_timers;
    uint64_t m_nextTimer = 1;
    std::function<void()> m_idle;
    std::set<uint32_t> m_keysDown;
    std::map<std::string, Size> m_fakeImages;
    std::string m_clipboard;
    std::deque<std::optional<std::string>> m_dialogAnswers;
    std::vector<FileDialogRequest> m_dialogRequests;
    Tray* m_tray = nullptr;
    Rect m_screen{0, 0, 1920, 1080};
    Point m_cursor;
    int m_wakes = 0;
};

}  // namespace warden
