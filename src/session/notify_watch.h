#pragma once
// The notify watch: every 45 seconds, while connected, the server is asked (ISON) which nicks
// of the user's notify list are online; each answer (303) is compared with the one before and
// the nicks that came and went are announced in the visible pane. The same timer starts the
// periodic mail check and resets the connection controls once the connection is gone.
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings_access.h"
#include "irc/notify_lists.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QTimer;

namespace korbi::session {

// The ISON lines a notify query sends now: none while not connected, and none before the
// registration has completed (the server would refuse them, or count a long list as a flood).
std::vector<std::string> NotifyQueryLines(const core::ServerLink& link,
                                          core::SettingsAccess& config);

class NotifyWatch {
  public:
    static constexpr int kNotifyCheckInterval = 45000; // ms

    struct Hooks {
        // The mail checker's StartMailCheck; called on every tick while CheckMail is set.
        std::function<void()> StartMailCheck;
        // DisabToolBut(1), EnableToolBut(0) and the server and port boxes made editable;
        // called on every tick while the socket is not connected.
        std::function<void()> ResetConnectionControls;
        // A nick of the notify list came on IRC: its line was printed into slot.
        std::function<void(const std::string& nick, int slot, const std::string& text)> Arrived =
            {};
    };

    // The timer NotifyCheck runs from construction on, every intervalMs. The roles must
    // outlive the watch.
    NotifyWatch(core::PaneOutput& output, const core::PaneRegistry& panes, core::ServerLink& link,
                core::SettingsAccess& config, Hooks hooks, int intervalMs = kNotifyCheckInterval);
    ~NotifyWatch();
    NotifyWatch(const NotifyWatch&) = delete;
    NotifyWatch& operator=(const NotifyWatch&) = delete;

    // One tick of NotifyCheck.
    void NotifyCheck_Timer();
    // The ISON lines of the notify list when connected and registered; the NICK event sends
    // the same query.
    void SendNotifyQuery();
    // A 303 answer; params as GetMsgParams gives them. A query sent as several lines is
    // answered line by line: the answers are gathered and compared as one.
    void Process303(std::string_view params);
    // A new connection: answers still awaited from the last one will never come.
    void ForgetPendingAnswers();

    // The online nicks of the last answer; kept across reconnections.
    const std::string& LastNotifList() const { return m_lastNotifList; }
    bool NotifyCheckEnabled() const;

  private:
    void Announce(const std::string& current);

    core::PaneOutput& m_output;
    const core::PaneRegistry& m_panes;
    core::ServerLink& m_link;
    core::SettingsAccess& m_config;
    Hooks m_hooks;
    std::unique_ptr<QTimer> m_notifyCheck;
    std::string m_lastNotifList;
    // For each query sent, the number of its answers still awaited, oldest first.
    std::deque<std::size_t> m_pendingAnswers;
    std::string m_gathered; // the online nicks of the answers so far to the oldest query
};

} // namespace korbi::session
