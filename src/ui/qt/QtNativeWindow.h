#pragma once
// One frameless top-level QWidget per UI library window: paints through the
// library's painter and turns Qt input, focus, activation, size and close
// events into the window messages the library expects. The layout draws the
// caption itself; a press on it moves the window.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "ui/Host.h"

class QLineEdit;

namespace warden {

class QtNativeWindow : public QWidget, public NativeWindow {
public:
    // `owner` stacks this window above it (may be null).
    QtNativeWindow(NativeWindowClient& client, const NativeWindowParams& params, QWidget* owner);
    ~QtNativeWindow() override;

    NativeWindowClient& Client() const { return m_client; }

    // Lays out (through WM_SIZE) and paints the whole window into an image
    // of its current size, shown or not.
    QImage Render();

    void Show(bool show, bool activate) override;
    bool IsVisible() const override { return isVisible(); }
    void SetRect(const Rect& screenRect) override;
    Rect GetRect() const override;
    void SetTitle(std::string_view title) override;
    void SetTopmost(bool topmost) override;
    void Minimize() override { showMinimized(); }
    void Maximize() override { showMaximized(); }
    void Restore() override { showNormal(); }
    bool IsMinimized() const override { return isMinimized(); }
    bool IsMaximized() const override { return isMaximized(); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }
    void Activate() override;
    void Invalidate(const Rect& rect) override;
    // Qt grabs the mouse implicitly from press to release, which is all the
    // library uses capture for; an explicit grab could lock the desktop.
    void SetCapture(bool) override {}
    void SetCursor(int cursorId) override;
    bool SetIcon(const std::string& path) override;
    bool BeginTextInput(const Rect& rect, std::string_view text, const FontInfo& font,
                        bool password, std::function<void(std::string)> onChanged) override;
    void EndTextInput() override;

    // Screen rectangle of the monitor showing most of this window.
    Rect MonitorRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    LResult Send(uint32_t message, WParam wParam, LParam lParam);
    WParam MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const;
    bool SendKey(QKeyEvent* event, bool down);

    NativeWindowClient& m_client;
    QPointer<QLineEdit> m_editor;
    bool m_painted = false;
};

}  // namespace warden
