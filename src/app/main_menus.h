#pragma once
// The menu bar of the main frame and the nick popup menu "PopUps" (MenuPops), built from one
// table so that captions, access letters and shortcuts are written once.
#include "core/settings.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace korbi::app {

// Every item of the menu bar, in menu order.
enum class MenuItem {
    Setup,       // "&IRC": user information dialog
    MiscPrefs,   // "&IRC": preferences dialog
    ChannelList, // "&IRC": channel list window
    Quit,        // "&IRC": close the frame and end the program
    CheckMail,   // "&Mail": mail check now
    MailPrefs,   // "&Mail": mail preferences dialog
    AliasPopups, // "&Extras": alias and popup editor
    People,      // "&Extras": people dialog
    Automation,  // "&Extras": flood protection and execute-on-connect
    PictManager, // "&Special": picture manager
    DebugMode,   // "&Special": check item, MenuSpecial_Debug
    About,       // "&Help": about box
};
inline constexpr std::size_t kMenuItemCount = 12;

// The user items Pop1 to Pop15 of the popup menu, one per popup table slot 0 to 14.
inline constexpr int kPopItems = 15;

struct MainMenus {
    std::array<QAction*, kMenuItemCount> items{};
    QMenu* Mail = nullptr; // the "&Mail" menu, also popped up by the mail indicator

    QMenu* MenuPops = nullptr; // never in the menu bar: the nick list's popup menu
    QAction* MenuWhois = nullptr;
    QAction* MenuQuery = nullptr;
    std::array<QAction*, kPopItems> Pop{}; // Pop[0] is Pop1

    QAction* Item(MenuItem item) const { return items[static_cast<std::size_t>(item)]; }
};

// Fills frame's menu bar and builds the popup menu as a child of frame.
MainMenus BuildMainMenus(QMainWindow& frame);

// Gives Pop1..Pop15 the first word of popup slots 0..14 and shows the filled ones; an item whose
// caption is "-" is a separator. Items of empty slots keep their caption and visibility.
void SetPopupItems(const MainMenus& menus, const core::PopupTableSlots& PopupTable);

// Decides who gets a key of a menu shortcut. Outside the frame's own window (a dialog, the
// channel list, the picture manager) the control with the focus keeps it: the frame's menu does
// not act behind the user's back. In the panes' input lines the menu acts, although a line edit
// takes Ctrl+A as "select all". Over a list of the frame the standard editing keys stay the
// list's (Ctrl+A selects every name). Install on the application.
class MenuShortcutGuard : public QObject {
    Q_OBJECT
  public:
    // isInputLine tells the panes' input lines; frame is the guard's parent.
    MenuShortcutGuard(QWidget& frame, std::function<bool(const QObject*)> isInputLine);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& m_frame;
    std::function<bool(const QObject*)> m_isInputLine;
};

} // namespace korbi::app
