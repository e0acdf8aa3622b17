#include "app/tray_icon.h"

#include "ui/frame_title.h"

#include <QSystemTrayIcon>

namespace korbi::app {

namespace {

class SystemTrayIcon : public TrayIcon {
  public:
    SystemTrayIcon() {
        m_icon.setToolTip(ui::kFrameTitle);
        QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger && m_clicked) {
                                 m_clicked();
                             }
                         });
    }

    void ShowState(media::FrameIcon state) override {
        m_icon.setIcon(media::FrameIconSet(state));
        m_icon.show();
    }
    void SetMenu(QMenu* menu) override { m_icon.setContextMenu(menu); }
    void OnClick(std::function<void()> clicked) override { m_clicked = std::move(clicked); }

  private:
    QSystemTrayIcon m_icon;
    std::function<void()> m_clicked;
};

} // namespace

std::unique_ptr<TrayIcon> MakeSystemTrayIcon() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return nullptr;
    }
    return std::make_unique<SystemTrayIcon>();
}

} // namespace korbi::app
