#include "app/main_menus.h"

#include "commands/popups.h"

#include "platform/text_encoding.h"

#include <QAbstractItemView>
#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace korbi::app {

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
        // The frame's shortcuts; MenuShortcutGuard keeps them out of the other windows.
        if (entry.shortcut != kNoShortcut) {
            action->setShortcut(QKeySequence(entry.shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
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

void SetPopupItems(const MainMenus& menus, const core::PopupTableSlots& PopupTable) {
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

MenuShortcutGuard::MenuShortcutGuard(QWidget& frame,
                                     std::function<bool(const QObject*)> isInputLine)
    : QObject(&frame), m_frame(frame), m_isInputLine(std::move(isInputLine)) {}

bool MenuShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const bool menuKey =
        std::any_of(std::begin(kMenuTable), std::end(kMenuTable), [&](const MenuEntry& entry) {
            return entry.shortcut != kNoShortcut && QKeySequence(entry.shortcut) == pressed;
        });
    if (!menuKey) {
        return QObject::eventFilter(watched, event);
    }
    const auto* widget = static_cast<QWidget*>(watched);
    // Accepted: the key goes to the widget. Ignored: the shortcut runs.
    if (widget->window() != &m_frame) {
        event->accept();
        return true;
    }
    if (m_isInputLine && m_isInputLine(watched)) {
        event->ignore();
        return true;
    }
    if (qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
        for (const QKeySequence::StandardKey editing :
             {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
              QKeySequence::Undo, QKeySequence::Redo}) {
            if (key->matches(editing)) {
                event->accept();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korbi::app
