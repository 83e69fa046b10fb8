#include "ui/testhost/TestHost.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/Trace.h"
#include "ui/MessageQueue.h"

namespace warden {
namespace {

class TestImage : public NativeImage {
public:
    explicit TestImage(Size size) : m_size(size) {}
    Size GetSize() const override { return m_size; }
    bool HasAlpha() const override { return true; }

private:
    Size m_size;
};

// Width and height from a PNG's IHDR chunk; nothing for other files.
std::optional<Size> PngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(kSignature, kSignature + 8, header)) return std::nullopt;
    auto be32 = [&](int at) {
        return static_cast<int>((header[at] << 24) | (header[at + 1] << 16) |
                                (header[at + 2] << 8) | header[at + 3]);
    };
    Size size{be32(16), be32(20)};
    if (size.cx <= 0 || size.cy <= 0) return std::nullopt;
    return size;
}

size_t CodePoints(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

TestHost::Window::Window(TestHost& owner, NativeWindowClient& windowClient,
                         const NativeWindowParams& windowParams)
    : host(owner),
      client(windowClient),
      params(windowParams),
      title(windowParams.title),
      rect(windowParams.rect),
      topmost(windowParams.topmost) {}

TestHost::Window::~Window() {
    host.Forget(this);
}

void TestHost::Window::Show(bool show, bool activate) {
    visible = show;
    if (show && activate) active = true;
    if (show) minimized = false;
}

bool TestHost::Window::SetIcon(const std::string& path) {
    if (!std::filesystem::exists(path)) return false;
    icon = path;
    return true;
}

TestHost::Tray::~Tray() {
    if (host.m_tray == this) host.m_tray = nullptr;
}

bool TestHost::Tray::SetIcon(const std::string& path) {
    icon = path;
    return std::filesystem::exists(path);
}

TestHost::TestHost() : m_previous(GetHost()) {
    SetHost(this);
    MessageQueue::Instance().BindUiThread();
    MessageQueue::Instance().ResetQuit();
}

TestHost::~TestHost() {
    Pump();
    SetHost(m_previous);
}

std::unique_ptr<NativeWindow> TestHost::CreateNativeWindow(NativeWindowClient& client,
                                                           const NativeWindowParams& params) {
    auto window = std::make_unique<Window>(*this, client, params);
    if (window->rect.IsEmpty()) window->rect = {0, 0, 400, 300};
    m_windows.push_back(window.get());
    return window;
}

void TestHost::Forget(Window* window) {
    std::erase(m_windows, window);
}

bool TestHost::RunLoop(const std::function<bool()>& finished) {
    for (;;) {
        Pump();
        if (finished()) return true;
        if (!m_idle) return false;
        auto idle = m_idle;
        idle();
        Pump();
        if (finished()) return true;
        if (!MessageQueue::Instance().HasPending()) {
            // The idle handler did not move things on: give up rather than hang.
            Trace("TestHost: loop idle\n");
            return false;
        }
    }
}

uint64_t TestHost::StartTimer(uint32_t periodMs, std::function<void()> fire) {
    uint64_t id = m_nextTimer++;
    uint32_t period = std::max<uint32_t>(periodMs, 1);
    m_timers[id] = Timer{period, m_clock.TickCount() + period, std::move(fire)};
    return id;
}

void TestHost::StopTimer(uint64_t id) {
    m_timers.erase(id);
}

void TestHost::AdvanceTime(uint32_t ms) {
    const uint32_t start = m_clock.TickCount();
    const uint32_t end = start + ms;
    for (;;) {
        // The earliest due timer within the step (ties: the older timer).
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            uint32_t offset = it->second.due - start;
            if (offset > ms) continue;
            if (next == m_timers.end() || offset < next->second.due - start) next = it;
        }
        if (next == m_timers.end()) break;
        m_clock.Set(next->second.due);
        next->second.due += next->second.period;
        auto fire = next->second.fire;  // the callback may stop its own timer
        fire();
        Pump();
    }
    m_clock.Set(end);
    Pump();
}

size_t TestHost::Pump() {
    size_t total = 0;
    while (size_t handled = MessageQueue::Instance().DispatchPending()) total += handled;
    return total;
}

Size TestHost::MeasureText(std::string_view text, const FontInfo& font) {
    int size = font.size > 0 ? font.size : 12;
    return {static_cast<int>(CodePoints(text)) * size / 2, size};
}

NativeImagePtr TestHost::LoadImage(const std::string& path) {
    if (auto it = m_fakeImages.find(path); it != m_fakeImages.end())
        return std::make_shared<TestImage>(it->second);
    if (auto size = PngSize(path)) return std::make_shared<TestImage>(*size);
    return nullptr;
}

bool TestHost::AddFontFile(const std::string& path) {
    return std::filesystem::exists(path);
}

std::optional<std::string> TestHost::ShowFileDialog(const FileDialogRequest& request) {
    m_dialogRequests.push_back(request);
    if (m_dialogAnswers.empty()) return std::nullopt;
    auto answer = m_dialogAnswers.front();
    m_dialogAnswers.pop_front();
    return answer;
}

std::unique_ptr<NativeTrayIcon> TestHost::CreateTrayIcon(std::function<void(uint32_t)> onMouse) {
    auto tray = std::make_unique<Tray>(*this, std::move(onMouse));
    m_tray = tray.get();
    return tray;
}

TestHost::Window* TestHost::Native(CWindowWnd& window) {
    return static_cast<Window*>(window.GetNative());
}

// Input goes by handle: a window may delete itself while handling it (a
// menu or a drop-down closing on a click), and later steps must not touch it.
void TestHost::Send(WindowHandle window, uint32_t message, WParam wParam, LParam lParam) {
    if (!window) return;
    MessageQueue::Instance().Send(window, message, wParam, lParam);
    Pump();
}

void TestHost::SetKeyDown(uint32_t virtualKey, bool down) {
    if (down)
        m_keysDown.insert(virtualKey);
    else
        m_keysDown.erase(virtualKey);
}

WParam TestHost::MouseKeys() const {
    WParam state = 0;
    if (m_keysDown.count(VK_CONTROL)) state |= MK_CONTROL;
    if (m_keysDown.count(VK_SHIFT)) state |= MK_SHIFT;
    return state;
}

void TestHost::MouseMove(CWindowWnd& window, Point pt) {
    Send(window.GetHWND(), WM_MOUSEMOVE, MouseKeys(), MakeLParam(pt.x, pt.y));
}

void TestHost::MouseDown(CWindowWnd& window, Point pt) { PressAt(window.GetHWND(), pt); }

void TestHost::MouseUp(CWindowWnd& window, Point pt) { ReleaseAt(window.GetHWND(), pt); }

// The press may close the window (a drop-down picks its item on button down),
// so the release goes to the handle, which outlives the window object.
void TestHost::Click(CWindowWnd& window, Point pt) {
    const WindowHandle handle = window.GetHWND();
    PressAt(handle, pt);
    ReleaseAt(handle, pt);
}

void TestHost::PressAt(WindowHandle handle, Point pt) {
    Send(handle, WM_MOUSEMOVE, MouseKeys(), MakeLParam(pt.x, pt.y));
    Send(handle, WM_LBUTTONDOWN, MouseKeys() | MK_LBUTTON, MakeLParam(pt.x, pt.y));
}

void TestHost::ReleaseAt(WindowHandle handle, Point pt) {
    Send(handle, WM_LBUTTONUP, MouseKeys(), MakeLParam(pt.x, pt.y));
}

void TestHost::DoubleClick(CWindowWnd& window, Point pt) {
    const WindowHandle handle = window.GetHWND();
    PressAt(handle, pt);
    ReleaseAt(handle, pt);
    Send(handle, WM_LBUTTONDBLCLK, MouseKeys() | MK_LBUTTON, MakeLParam(pt.x, pt.y));
    Send(handle, WM_LBUTTONUP, MouseKeys(), MakeLParam(pt.x, pt.y));
}

void TestHost::RightClick(CWindowWnd& window, Point pt) {
    WindowHandle handle = window.GetHWND();
    Send(handle, WM_MOUSEMOVE, MouseKeys(), MakeLParam(pt.x, pt.y));
    Send(handle, WM_RBUTTONDOWN, MouseKeys() | MK_RBUTTON, MakeLParam(pt.x, pt.y));
    Send(handle, WM_RBUTTONUP, MouseKeys(), MakeLParam(pt.x, pt.y));
    Send(handle, WM_CONTEXTMENU, 0, MakeLParam(pt.x, pt.y));
}

void TestHost::Wheel(CWindowWnd& window, Point pt, int delta) {
    WParam w = (static_cast<WParam>(static_cast<uint16_t>(delta)) << 16) | MouseKeys();
    Send(window.GetHWND(), WM_MOUSEWHEEL, w, MakeLParam(pt.x, pt.y));
}

void TestHost::KeyDown(CWindowWnd& window, uint32_t virtualKey) {
    WindowHandle handle = window.GetHWND();
    Send(handle, WM_KEYDOWN, virtualKey, 0);
    Send(handle, WM_KEYUP, virtualKey, 0);
}

void TestHost::TypeText(CWindowWnd& window, std::string_view text) {
    WindowHandle handle = window.GetHWND();
    // Decodes UTF-8 into WM_CHAR code points.
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        uint32_t cp = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra) cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += 1 + extra;
        Send(handle, WM_CHAR, cp, 0);
    }
}

void TestHost::Paint(CWindowWnd& window, Painter& painter) {
    Rect client = window.GetClientRect();
    window.OnNativePaint(painter, client);
    if (Window* native = Native(window)) native->invalid = {};
}

}  // namespace warden
