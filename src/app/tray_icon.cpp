#include "app/tray_icon.h"

#include "ui/frame_title.h"

#include <QSystemTrayIcon>

#include <array>

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
        QIcon& set = m_sets[static_cast<std::size_t>(state)];
        if (set.isNull()) {
            set = media::FrameIconSet(state);
        }
        m_icon.setIcon(set);
        m_icon.show();
    }
    void SetMenu(QMenu* menu) override { m_icon.setContextMenu(menu); }
    void OnClick(std::function<void()> clicked) override { m_clicked = std::move(clicked); }

  private:
    QSystemTrayIcon m_icon;
    std::array<QIcon, 3> m_sets; // by FrameIcon, drawn when first shown
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
