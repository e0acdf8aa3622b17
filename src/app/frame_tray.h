#pragma once
// The main frame's tray icon: its picture follows the frame icon, a click shows or hides the
// frame, and its menu offers Connect, Disconnect, the mail check and Quit.
#include "app/tray_icon.h"

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace korbi::session {
class ServerWindow;
}

namespace korbi::app {

class FrameTray : public QObject {
    Q_OBJECT
  public:
    // checkMail and quit are the menu bar's items, shared so that their state and action stay
    // one. frame becomes the parent.
    FrameTray(std::unique_ptr<TrayIcon> icon, QWidget& frame, session::ServerWindow& server,
              QAction* checkMail, QAction* quit);
    ~FrameTray() override;

    void ShowState(media::FrameIcon state) { m_icon->ShowState(state); }
    QMenu* Menu() const { return m_menu.get(); }

    // A click: a shown frame hides, a hidden or minimised one comes to the front.
    void ToggleFrame();
    // While the frame is hidden the program lives on in the tray: closing the last other
    // window must not end it.
    void HideFrame();
    void ShowFrame();

  private:
    // Connect and Disconnect are on when the toolbar's buttons are.
    void UpdateConnectionItems();

    std::unique_ptr<TrayIcon> m_icon;
    QWidget& m_frame;
    session::ServerWindow& m_server;
    std::unique_ptr<QMenu> m_menu;
    QAction* m_connect;
    QAction* m_disconnect;
};

} // namespace korbi::app
