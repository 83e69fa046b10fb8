#include "ui/qt/QtHost.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include "platform/AtomicFile.h"
#include "platform/Trace.h"
#include "ui/CWindowWnd.h"
#include "ui/MessageQueue.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtNativeImage.h"
#include "ui/qt/QtNativeWindow.h"
#include "ui/qt/QtTrayIcon.h"

namespace warden {
namespace {

constexpr uint32_t kVkMenu = 0x12;

QtNativeWindow* QtWindowOf(WindowHandle handle) {
    CWindowWnd* window = handle == 0 ? nullptr : CWindowWnd::FromHandle(handle);
    return window == nullptr ? nullptr : dynamic_cast<QtNativeWindow*>(window->GetNative());
}

Rect ScreenRect(const QScreen* screen, bool available) {
    if (screen == nullptr) return {};
    return FromQRect(available ? screen->availableGeometry() : screen->geometry());
}

// "Profile", "*.json;*.txt" -> "Profile (*.json *.txt)"; joined with ";;".
QString FilterText(const std::vector<std::pair<std::string, std::string>>& filters) {
    QStringList parts;
    for (const auto& [description, patterns] : filters) {
        QString list = ToQString(patterns);
        list.replace(';', ' ');
        parts << ToQString(description) + " (" + list + ")";
    }
    return parts.join(";;");
}

}  // namespace

QtHost::QtHost() {
    // The window hides to the tray; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtHost::~QtHost() {
    for (auto& [id, timer] : m_timers) delete timer;
}

std::unique_ptr<NativeWindow> QtHost::CreateNativeWindow(NativeWindowClient& client,
                                                         const NativeWindowParams& params) {
    auto window = std::make_unique<QtNativeWindow>(client, params, nullptr);
    // The owner is only a stacking hint: a Qt parent would delete this
    // window with its owner behind the library's back.
    if (QtNativeWindow* owner = QtWindowOf(params.parent)) {
        window->winId();
        owner->winId();
        if (window->windowHandle() != nullptr && owner->windowHandle() != nullptr)
            window->windowHandle()->setTransientParent(owner->windowHandle());
    }
    return window;
}

bool QtHost::RunLoop(const std::function<bool()>& finished) {
    auto& queue = MessageQueue::Instance();
    while (!finished()) {
        queue.DispatchPending();
        if (finished()) break;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void QtHost::WakeLoop() {
    if (m_wakePending.exchange(true)) return;
    // Dispatching here as well keeps the queue moving while a Qt-run loop
    // (a file dialog) is open.
    QMetaObject::invokeMethod(
        &m_wakeTarget,
        [this] {
            m_wakePending = false;
            MessageQueue::Instance().DispatchPending();
        },
        Qt::QueuedConnection);
}

uint64_t QtHost::StartTimer(uint32_t periodMs, std::function<void()> fire) {
    if (!fire) return 0;
    const uint64_t id = m_nextTimer++;
    auto* timer = new QTimer;
    timer->setTimerType(periodMs < 50 ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(fire));
    timer->start(static_cast<int>(std::min<uint32_t>(periodMs, INT32_MAX)));
    m_timers.emplace(id, timer);
    return id;
}

void QtHost::StopTimer(uint64_t id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    it->second->stop();
    // The timer may be stopping itself from its own callback.
    it->second->deleteLater();
    m_timers.erase(it);
}

Size QtHost::MeasureText(std::string_view text, const FontInfo& font) {
    const QFontMetrics metrics(ToQFont(font));
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

NativeImagePtr QtHost::LoadImage(const std::string& path) {
    return QtNativeImage::Load(path);
}

bool QtHost::AddFontFile(const std::string& path) {
    std::string data;
    if (!ReadWholeFile(path, data)) {
        Trace("font not added: %s cannot be read\n", path.c_str());
        return false;
    }
    const int id = QFontDatabase::addApplicationFontFromData(
        QByteArray(data.data(), static_cast<qsizetype>(data.size())));
    if (id < 0) Trace("font not added: %s is not a usable font\n", path.c_str());
    return id >= 0;
}

std::string QtHost::GetClipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtHost::SetClipboardText(std::string_view text) {
    QGuiApplication::clipboard()->setText(ToQString(text));
}

std::optional<std::string> QtHost::ShowFileDialog(const FileDialogRequest& request) {
    QWidget* owner = QtWindowOf(request.owner);
    QString start = ToQString(request.folder);
    if (!request.fileName.empty()) {
        start = start.isEmpty() ? ToQString(request.fileName)
                                : start + "/" + ToQString(request.fileName);
    }
    const QString filter = FilterText(request.filters);
    const QString chosen =
        request.save ? QFileDialog::getSaveFileName(owner, ToQString(request.title), start, filter)
                     : QFileDialog::getOpenFileName(owner, ToQString(request.title), start, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

std::unique_ptr<NativeTrayIcon> QtHost::CreateTrayIcon(
    std::function<void(uint32_t mouseMessage)> onMouse) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        Trace("no system tray on this desktop\n");
        return nullptr;
    }
    return std::make_unique<QtTrayIcon>(std::move(onMouse));
}

Rect QtHost::GetScreenRect() {
    return ScreenRect(QGuiApplication::primaryScreen(), false);
}

Rect QtHost::GetWorkArea() {
    return ScreenRect(QGuiApplication::primaryScreen(), true);
}

Point QtHost::GetCursorPos() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

bool QtHost::IsKeyDown(uint32_t virtualKey) {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    switch (virtualKey) {
        case VK_CONTROL:
            return modifiers & Qt::ControlModifier;
        case VK_SHIFT:
            return modifiers & Qt::ShiftModifier;
        case kVkMenu:
            return modifiers & Qt::AltModifier;
        default:
            return false;
    }
}

QImage QtHost::RenderWindow(NativeWindow* window) {
    auto* native = dynamic_cast<QtNativeWindow*>(window);
    return native == nullptr ? QImage() : native->Render();
}

Rect QtHost::MonitorRect(NativeWindow* window) {
    auto* native = dynamic_cast<QtNativeWindow*>(window);
    return native == nullptr ? ScreenRect(QGuiApplication::primaryScreen(), false)
                             : native->MonitorRect();
}

}  // namespace warden
