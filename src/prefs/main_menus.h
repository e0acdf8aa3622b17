#pragma once
// The menu bar of the main frame and the nick popup menu "PopUps" (MenuPops), built from one
// table so that captions, access letters and shortcuts are written once.
#include "prefs/settings.h"

#include <QObject>

#include <array>

class QAction;
class QMainWindow;
class QMenu;

namespace korbi::prefs {

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

// Fills frame's menu bar and builds the popup menu as a child of frame. Shortcuts work anywhere
// in the program, an input line with the focus included.
MainMenus BuildMainMenus(QMainWindow& frame);

// Gives Pop1..Pop15 the first word of popup slots 0..14 and shows the filled ones; an item whose
// caption is "-" is a separator. Items of empty slots keep their caption and visibility.
void SetPopupItems(const MainMenus& menus, const PopupTableSlots& PopupTable);

// Lets the menu shortcuts through when the focused widget would claim the key for itself (a line
// edit takes Ctrl+A as "select all"). Install on the application.
class MenuShortcutGuard : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace korbi::prefs
