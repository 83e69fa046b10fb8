#pragma once
// The UI library's host on Qt 6: real top-level windows, Qt timers, the Qt
// event loop (woken from any thread to dispatch the library's message queue),
// font and text metrics, clipboard, file dialogs, tray icon and screens.
// Create it on the UI thread after the QApplication and install it with
// SetHost; it must outlive every window.

#include <QImage>
#include <QObject>
#include <atomic>
#include <unordered_map>

#include "ui/Host.h"

class QTimer;

namespace warden {

class QtHost : public Host {
public:
    QtHost();
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    std::unique_ptr<NativeWindow> CreateNativeWindow(NativeWindowClient& client,
                                                     const NativeWindowParams& params) override;
    bool RunLoop(const std::function<bool()>& finished) override;
    void WakeLoop() override;
    uint64_t StartTimer(uint32_t periodMs, std::function<void()> fire) override;
    void StopTimer(uint64_t id) override;
    Size MeasureText(std::string_view text, const FontInfo& font) override;
    NativeImagePtr LoadImage(const std::string& path) override;
    bool AddFontFile(const std::string& path) override;
    std::string GetClipboardText() override;
    void SetClipboardText(std::string_view text) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
    std::unique_ptr<NativeTrayIcon> CreateTrayIcon(
        std::function<void(uint32_t mouseMessage)> onMouse) override;
    Rect GetScreenRect() override;
    Rect GetWorkArea() override;
    Point GetCursorPos() override;
    bool IsKeyDown(uint32_t virtualKey) override;

    // Lays out and paints `window` (made by a QtHost) into an image of its
    // size; a null image for other windows.
    static QImage RenderWindow(NativeWindow* window);
    // The screen rectangle of the monitor showing most of `window`; the
    // primary screen for windows not made by a QtHost.
    static Rect MonitorRect(NativeWindow* window);

private:
    QObject m_wakeTarget;
    std::atomic<bool> m_wakePending{false};
    uint64_t m_nextTimer = 1;
    std::unordered_map<uint64_t, QTimer*> m_timers;
};

}  // namespace warden
