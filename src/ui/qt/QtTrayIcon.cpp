#include "ui/qt/QtTrayIcon.h"

#include <QPixmap>

#include "platform/Trace.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtNativeImage.h"

namespace warden {

QtTrayIcon::QtTrayIcon(std::function<void(uint32_t mouseMessage)> onMouse) {
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon,
                     [onMouse = std::move(onMouse)](QSystemTrayIcon::ActivationReason reason) {
                         if (!onMouse) return;
                         switch (reason) {
                             case QSystemTrayIcon::Trigger:
                                 onMouse(WM_LBUTTONUP);
                                 break;
                             case QSystemTrayIcon::Context:
                                 onMouse(WM_RBUTTONUP);
                                 break;
                             case QSystemTrayIcon::DoubleClick:
                                 onMouse(WM_LBUTTONDBLCLK);
                                 break;
                             default:
                                 break;
                         }
                     });
}

void QtTrayIcon::SetToolTip(std::string_view text) {
    m_icon.setToolTip(ToQString(text));
}

bool QtTrayIcon::SetIcon(const std::string& path) {
    const auto image = QtNativeImage::Load(path);
    if (!image) {
        Trace("tray icon not set: %s cannot be loaded\n", path.c_str());
        return false;
    }
    QIcon icon;
    for (double scale : {0.5, 1.0}) icon.addPixmap(QPixmap::fromImage(image->Pixels(scale)));
    m_icon.setIcon(icon);
    return true;
}

void QtTrayIcon::SetVisible(bool visible) {
    m_icon.setVisible(visible);
}

}  // namespace warden
