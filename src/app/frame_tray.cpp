#include "app/frame_tray.h"

#include "platform/text_encoding.h"
#include "session/server_window.h"
#include "session/toolbar.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

namespace korbi::app {

namespace {

constexpr int kConnectButton = 0;
constexpr int kDisconnectButton = 1;

} // namespace

FrameTray::FrameTray(std::unique_ptr<TrayIcon> icon, QWidget& frame, session::ServerWindow& server,
                     QAction* checkMail, QAction* quit)
    : QObject(&frame), m_icon(std::move(icon)), m_frame(frame), m_server(server),
      m_menu(std::make_unique<QMenu>()), m_connect(m_menu->addAction("Connect")),
      m_disconnect(m_menu->addAction("Disconnect")) {
    m_menu->setObjectName("TrayMenu");
    m_menu->addSeparator();
    m_menu->addAction(checkMail);
    m_menu->addSeparator();
    m_menu->addAction(quit);
    connect(m_menu.get(), &QMenu::aboutToShow, this, &FrameTray::UpdateConnectionItems);
    connect(m_connect, &QAction::triggered, this, [this] {
        m_server.ConnectToServer(platform::ScreenToBytes(m_server.ServerName()->currentText()),
                                 platform::ScreenToBytes(m_server.ServerPort()->text()));
    });
    connect(m_disconnect, &QAction::triggered, &m_server,
            &session::ServerWindow::DisconnectFromServer);
    UpdateConnectionItems();
    m_icon->SetMenu(m_menu.get());
    m_icon->OnClick([this] { ToggleFrame(); });
}

FrameTray::~FrameTray() {
    QGuiApplication::setQuitOnLastWindowClosed(true);
}

void FrameTray::UpdateConnectionItems() {
    const auto* toolbar = m_server.findChild<const session::ServerToolbar*>();
    if (toolbar == nullptr) {
        return;
    }
    m_connect->setEnabled(toolbar->ToolButEnabled(kConnectButton));
    m_disconnect->setEnabled(toolbar->ToolButEnabled(kDisconnectButton));
}

void FrameTray::ToggleFrame() {
    if (m_frame.isVisible() && !m_frame.isMinimized()) {
        HideFrame();
    } else {
        ShowFrame();
    }
}

void FrameTray::HideFrame() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_frame.hide();
}

void FrameTray::ShowFrame() {
    m_frame.setWindowState(m_frame.windowState() & ~Qt::WindowMinimized);
    m_frame.show();
    m_frame.raise();
    m_frame.activateWindow();
    QGuiApplication::setQuitOnLastWindowClosed(true);
}

} // namespace korbi::app
