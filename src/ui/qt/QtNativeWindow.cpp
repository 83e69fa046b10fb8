#include "ui/qt/QtNativeWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

#include "platform/Trace.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtKeyMap.h"
#include "ui/qt/QtNativeImage.h"
#include "ui/qt/QtPainter.h"
#include "ui/qt/QtStartClock.h"

namespace warden {
namespace {

// Hit testing: the library answers HTCAPTION for the caption area that is
// not covered by a control taking input.
constexpr uint32_t kWmNcHitTest = 0x0084;
constexpr LResult kHtCaption = 2;

Qt::WindowFlags FlagsFor(const NativeWindowParams& params) {
    Qt::WindowFlags flags = params.toolWindow ? Qt::Tool : Qt::Window;
    if (params.popup) flags |= Qt::FramelessWindowHint;
    if (params.topmost) flags |= Qt::WindowStaysOnTopHint;
    if (params.noActivate) flags |= Qt::WindowDoesNotAcceptFocus;
    return flags;
}

LParam PointParam(const QPointF& p) {
    return MakeLParam(static_cast<int>(p.x()), static_cast<int>(p.y()));
}

}  // namespace

QtNativeWindow::QtNativeWindow(NativeWindowClient& client, const NativeWindowParams& params,
                               QWidget* owner)
    : QWidget(owner, FlagsFor(params)), m_client(client) {
    setAttribute(Qt::WA_OpaquePaintEvent, !params.layered);
    setAttribute(Qt::WA_TranslucentBackground, params.layered);
    setAttribute(Qt::WA_ShowWithoutActivating, params.noActivate);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMouseTracking(true);
    setFocusPolicy(params.noActivate ? Qt::NoFocus : Qt::StrongFocus);
    setWindowTitle(ToQString(params.title));
    if (!params.rect.IsEmpty()) SetRect(params.rect);
}

QtNativeWindow::~QtNativeWindow() {
    EndTextInput();
}

LResult QtNativeWindow::Send(uint32_t message, WParam wParam, LParam lParam) {
    return m_client.OnNativeMessage(message, wParam, lParam);
}

QImage QtNativeWindow::Render() {
    const QSize area = size();
    Send(WM_SIZE, 0, MakeLParam(area.width(), area.height()));
    QImage image(area, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter qpainter(&image);
    {
        QtPainter painter(qpainter);
        m_client.OnNativePaint(painter, {0, 0, area.width(), area.height()});
    }
    qpainter.end();
    return image;
}

void QtNativeWindow::Show(bool show, bool activate) {
    if (!show) {
        hide();
        return;
    }
    if (isMinimized())
        showNormal();
    else
        QWidget::show();
    if (activate) Activate();
}

void QtNativeWindow::SetRect(const Rect& screenRect) {
    setGeometry(ToQRect(screenRect));
}

Rect QtNativeWindow::GetRect() const {
    return FromQRect(geometry());
}

void QtNativeWindow::SetTitle(std::string_view title) {
    setWindowTitle(ToQString(title));
}

void QtNativeWindow::SetTopmost(bool topmost) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing window flags hides a window; put it back as it was.
    if (visible) QWidget::show();
}

void QtNativeWindow::Activate() {
    raise();
    activateWindow();
}

void QtNativeWindow::Invalidate(const Rect& rect) {
    if (rect.IsEmpty()) return;
    update(ToQRect(rect));
}

void QtNativeWindow::SetCursor(int cursorId) {
    switch (cursorId) {
        case kCursorHand:
            setCursor(Qt::PointingHandCursor);
            break;
        case kCursorIBeam:
            setCursor(Qt::IBeamCursor);
            break;
        default:
            setCursor(Qt::ArrowCursor);
            break;
    }
}

bool QtNativeWindow::SetIcon(const std::string& path) {
    const auto image = QtNativeImage::Load(path);
    if (!image) {
        Trace("window icon not set: %s cannot be loaded\n", path.c_str());
        return false;
    }
    QIcon icon;
    for (double scale : {0.5, 1.0, 2.0}) icon.addPixmap(QPixmap::fromImage(image->Pixels(scale)));
    setWindowIcon(icon);
    return true;
}

bool QtNativeWindow::BeginTextInput(const Rect& rect, std::string_view text, const FontInfo& font,
                                    bool password, std::function<void(std::string)> onChanged) {
    EndTextInput();
    auto* editor = new QLineEdit(this);
    editor->setFrame(false);
    editor->setFont(ToQFont(font));
    editor->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    editor->setText(ToQString(text));
    editor->setGeometry(ToQRect(rect));
    editor->setStyleSheet(
        "QLineEdit { background: #161A21; color: #E6E9EF; selection-background-color: #22D3EE;"
        " selection-color: #0F1115; border: 1px solid #22D3EE; border-radius: 4px;"
        " padding: 0 6px; }");
    QObject::connect(editor, &QLineEdit::textChanged, editor, [onChanged](const QString& value) {
        if (onChanged) onChanged(value.toStdString());
    });
    // Enter and Escape still belong to the edit control.
    QObject::connect(editor, &QLineEdit::returnPressed, editor,
                     [this] { Send(WM_KEYDOWN, VK_RETURN, 0); });
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
    m_editor = editor;
    return true;
}

void QtNativeWindow::EndTextInput() {
    if (m_editor.isNull()) return;
    QLineEdit* editor = m_editor.data();
    m_editor.clear();
    editor->hide();
    editor->deleteLater();
    if (isVisible()) setFocus(Qt::OtherFocusReason);
}

Rect QtNativeWindow::MonitorRect() const {
    const QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (screen == nullptr) screen = this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? Rect{} : FromQRect(screen->geometry());
}

void QtNativeWindow::paintEvent(QPaintEvent* event) {
    QPainter qpainter(this);
    {
        QtPainter painter(qpainter);
        m_client.OnNativePaint(painter, FromQRect(event->rect()));
    }
    qpainter.end();
    if (!m_painted) {
        m_painted = true;
        Trace("first frame painted %lld ms after process start\n", MillisecondsSinceProcessStart());
    }
}

WParam QtNativeWindow::MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const {
    WParam keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

void QtNativeWindow::mousePressEvent(QMouseEvent* event) {
    const WParam keys = MouseKeys(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        if (Send(kWmNcHitTest, 0, PointParam(event->globalPosition())) == kHtCaption) {
            if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
        }
        Send(WM_LBUTTONDOWN, keys, PointParam(event->position()));
    } else if (event->button() == Qt::RightButton) {
        Send(WM_RBUTTONDOWN, keys, PointParam(event->position()));
    }
}

void QtNativeWindow::mouseReleaseEvent(QMouseEvent* event) {
    const WParam keys = MouseKeys(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        Send(WM_LBUTTONUP, keys, PointParam(event->position()));
    } else if (event->button() == Qt::RightButton) {
        Send(WM_RBUTTONUP, keys, PointParam(event->position()));
        Send(WM_CONTEXTMENU, 0, PointParam(event->globalPosition()));
    }
}

void QtNativeWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Send(WM_LBUTTONDBLCLK, MouseKeys(event->buttons(), event->modifiers()),
         PointParam(event->position()));
}

void QtNativeWindow::mouseMoveEvent(QMouseEvent* event) {
    Send(WM_MOUSEMOVE, MouseKeys(event->buttons(), event->modifiers()),
         PointParam(event->position()));
}

void QtNativeWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    // The delta in the high word of wParam, as Win32; the point in client
    // coordinates like every other mouse message of the library.
    const WParam keys = MouseKeys(event->buttons(), event->modifiers());
    const WParam wParam = (static_cast<WParam>(static_cast<uint16_t>(delta)) << 16) | keys;
    Send(WM_MOUSEWHEEL, wParam, PointParam(event->position()));
}

bool QtNativeWindow::SendKey(QKeyEvent* event, bool down) {
    const uint32_t vk = VirtualKeyFromQt(event->key());
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (vk != 0) {
        Send(down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP), vk, 0);
    }
    if (!down) return vk != 0;
    const QString text = event->text();
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c != 0x7F) Send(WM_CHAR, c, 0);
    }
    return vk != 0 || !text.isEmpty();
}

void QtNativeWindow::keyPressEvent(QKeyEvent* event) {
    if (!SendKey(event, true)) QWidget::keyPressEvent(event);
}

void QtNativeWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!SendKey(event, false)) QWidget::keyReleaseEvent(event);
}

void QtNativeWindow::enterEvent(QEnterEvent* event) {
    Send(WM_MOUSEHOVER, 0, PointParam(event->position()));
}

void QtNativeWindow::leaveEvent(QEvent*) {
    Send(WM_MOUSELEAVE, 0, 0);
}

void QtNativeWindow::focusInEvent(QFocusEvent*) {
    Send(WM_SETFOCUS, 0, 0);
}

void QtNativeWindow::focusOutEvent(QFocusEvent*) {
    // Focus moving into our own line edit stays inside the window.
    if (!m_editor.isNull() && QApplication::focusWidget() == m_editor.data()) return;
    Send(WM_KILLFOCUS, 0, 0);
}

void QtNativeWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        Send(WM_ACTIVATE, isActiveWindow() ? 1 : 0, 0);
    }
    QWidget::changeEvent(event);
}

void QtNativeWindow::resizeEvent(QResizeEvent*) {
    Send(WM_SIZE, 0, MakeLParam(width(), height()));
}

void QtNativeWindow::moveEvent(QMoveEvent*) {
    Send(WM_MOVE, 0, MakeLParam(x(), y()));
}

void QtNativeWindow::closeEvent(QCloseEvent* event) {
    // The library decides what closing means (the main window hides to the tray).
    event->ignore();
    Send(WM_CLOSE, 0, 0);
}

}  // namespace warden
