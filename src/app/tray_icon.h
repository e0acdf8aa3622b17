#pragma once
// The icon in the desktop's system tray, as the frame uses it: a picture for the frame icon's
// state, a menu, and a click. The desktop's tray is one implementation; where a desktop has no
// tray (and in tests) another stands in.
#include "media/artwork.h"

#include <functional>
#include <memory>

class QMenu;

namespace korbi::app {

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Shows the frame icon's picture for state: in front, nothing new, or new text.
    virtual void ShowState(media::FrameIcon state) = 0;
    // The menu the icon offers; it stays the caller's.
    virtual void SetMenu(QMenu* menu) = 0;
    // clicked runs when the user clicks the icon (not for the menu's own button).
    virtual void OnClick(std::function<void()> clicked) = 0;
};

// The desktop's system tray (status notifier or the X11 tray), shown at once; nullptr when the
// desktop has none.
std::unique_ptr<TrayIcon> MakeSystemTrayIcon();

} // namespace korbi::app
