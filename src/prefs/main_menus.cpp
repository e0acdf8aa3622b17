#include "prefs/main_menus.h"

#include "commands/popups.h"

#include "platform/text_encoding.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <string_view>

namespace korbi::prefs {

namespace {

struct MenuEntry {
    const char* menu;    // the top-level menu the entry belongs to
    const char* caption; // nullptr: a separator
    MenuItem item;
    const char* objectName;
    QKeyCombination shortcut;
};

constexpr QKeyCombination kNoShortcut{};

constexpr MenuEntry kMenuTable[] = {
    {"&IRC", "&Setup", MenuItem::Setup, "MenuIRC_Setup", Qt::CTRL | Qt::Key_S},
    {"&IRC", "Misc &Prefs", MenuItem::MiscPrefs, "MenuIRC_Prefs", kNoShortcut},
    {"&IRC", nullptr, MenuItem::Setup, nullptr, kNoShortcut},
    {"&IRC", "Channel &List", MenuItem::ChannelList, "MenuIRC_ChanList", kNoShortcut},
    {"&IRC", nullptr, MenuItem::Setup, nullptr, kNoShortcut},
    {"&IRC", "&Quit", MenuItem::Quit, "MenuIRC_Quit", Qt::CTRL | Qt::Key_Q},
    {"&Mail", "&Check for new messages", MenuItem::CheckMail, "MenuMail_Check", kNoShortcut},
    {"&Mail", nullptr, MenuItem::Setup, nullptr, kNoShortcut},
    {"&Mail", "Mail &Preferences", MenuItem::MailPrefs, "MenuMail_Prefs", kNoShortcut},
    {"&Extras", "&Alias / PopUps", MenuItem::AliasPopups, "MenuExtras_AlPop", Qt::CTRL | Qt::Key_A},
    {"&Extras", "&People", MenuItem::People, "MenuExtras_People", Qt::CTRL | Qt::Key_N},
    {"&Extras", nullptr, MenuItem::Setup, nullptr, kNoShortcut},
    {"&Extras", "Automation", MenuItem::Automation, "MenuExtras_Automation", kNoShortcut},
    {"&Special", "&Pict Manager", MenuItem::PictManager, "MenuSpecial_PictManager",
     Qt::CTRL | Qt::Key_P},
    {"&Special", "Debug Mode", MenuItem::DebugMode, "MenuSpecial_Debug", kNoShortcut},
    {"&Help", "&About KorBi", MenuItem::About, "MenuHelp_About", kNoShortcut},
};

QMenu* TopMenu(QMenuBar& bar, const char* title) {
    const auto existing = bar.actions();
    if (!existing.isEmpty() && existing.last()->text() == title) {
        return existing.last()->menu();
    }
    return bar.addMenu(title);
}

} // namespace

MainMenus BuildMainMenus(QMainWindow& frame) {
    MainMenus menus;
    QMenuBar& bar = *frame.menuBar();
    for (const MenuEntry& entry : kMenuTable) {
        QMenu* menu = TopMenu(bar, entry.menu);
        if (entry.caption == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.caption);
        action->setObjectName(entry.objectName);
        if (entry.shortcut != kNoShortcut) {
            action->setShortcut(QKeySequence(entry.shortcut));
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        menus.items[static_cast<std::size_t>(entry.item)] = action;
        if (entry.item == MenuItem::CheckMail) {
            menus.Mail = menu;
        }
    }
    menus.Item(MenuItem::DebugMode)->setCheckable(true);

    menus.MenuPops = new QMenu("PopUps", &frame);
    menus.MenuPops->setObjectName("MenuPops");
    menus.MenuWhois = menus.MenuPops->addAction("Whois");
    menus.MenuWhois->setObjectName("MenuWhois");
    menus.MenuQuery = menus.MenuPops->addAction("Query");
    menus.MenuQuery->setObjectName("MenuQuery");
    menus.MenuPops->addSeparator();
    for (int n = 1; n <= kPopItems; ++n) {
        QAction* pop = menus.MenuPops->addAction("-");
        pop->setObjectName(QString("Pop%1").arg(n));
        pop->setSeparator(true);
        pop->setVisible(n == 1);
        menus.Pop[static_cast<std::size_t>(n - 1)] = pop;
    }
    return menus;
}

void SetPopupItems(const MainMenus& menus, const PopupTableSlots& PopupTable) {
    const auto captions = commands::PopupCaptions(PopupTable);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (!captions[i]) {
            continue;
        }
        QAction* pop = menus.Pop[i];
        pop->setSeparator(*captions[i] == "-");
        pop->setText(platform::BytesToScreen(*captions[i]));
        pop->setVisible(true);
    }
}

bool MenuShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const MenuEntry& entry : kMenuTable) {
        if (entry.shortcut != kNoShortcut && QKeySequence(entry.shortcut) == pressed) {
            // Not accepted: the key is not the widget's, so the shortcut runs.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korbi::prefs
