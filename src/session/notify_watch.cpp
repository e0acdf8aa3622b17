#include "session/notify_watch.h"

#include "platform/text_values.h"

#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace korbi::session {

namespace {

constexpr int kConnected = 7;

} // namespace

std::vector<std::string> NotifyQueryLines(const core::ServerLink& link,
                                          core::SettingsAccess& config) {
    if (link.SocketState() != kConnected || !config.flags().LoggedOn) {
        return {};
    }
    return irc::IsonLines(config.settings().Notifys);
}

NotifyWatch::NotifyWatch(core::PaneOutput& output, const core::PaneRegistry& panes,
                         core::ServerLink& link, core::SettingsAccess& config, Hooks hooks,
                         int intervalMs)
    : m_output(output), m_panes(panes), m_link(link), m_config(config), m_hooks(std::move(hooks)),
      m_notifyCheck(std::make_unique<QTimer>()) {
    m_notifyCheck->setInterval(intervalMs);
    QObject::connect(m_notifyCheck.get(), &QTimer::timeout, m_notifyCheck.get(),
                     [this] { NotifyCheck_Timer(); });
    m_notifyCheck->start();
}

NotifyWatch::~NotifyWatch() = default;

bool NotifyWatch::NotifyCheckEnabled() const {
    return m_notifyCheck->isActive();
}

void NotifyWatch::NotifyCheck_Timer() {
    SendNotifyQuery();
    if (m_config.settings().CheckMail && m_hooks.StartMailCheck) {
        m_hooks.StartMailCheck();
    }
    if (m_link.SocketState() != kConnected && m_hooks.ResetConnectionControls) {
        m_hooks.ResetConnectionControls();
    }
}

void NotifyWatch::SendNotifyQuery() {
    const std::vector<std::string> lines = NotifyQueryLines(m_link, m_config);
    if (lines.empty()) {
        return;
    }
    for (const std::string& line : lines) {
        m_link.Send2Serv(line);
    }
    m_pendingAnswers.push_back(lines.size());
}

void NotifyWatch::ForgetPendingAnswers() {
    m_pendingAnswers.clear();
    m_gathered.clear();
}

void NotifyWatch::Process303(std::string_view params) {
    const std::string current = irc::NotifListOf303(params);
    // An answer nobody waits for (an ISON the user typed) stands alone.
    if (m_pendingAnswers.empty()) {
        Announce(current);
        return;
    }
    m_gathered += current;
    if (--m_pendingAnswers.front() > 0) {
        return;
    }
    m_pendingAnswers.pop_front();
    Announce(std::exchange(m_gathered, {}));
}

void NotifyWatch::Announce(const std::string& current) {
    const std::string added = irc::GetNewNicks(current, m_lastNotifList);
    const std::string lost = irc::GetLostNicks(current, m_lastNotifList);
    for (const std::string_view nick : irc::ListedNicks(added)) {
        const int slot = m_panes.CurVisible();
        const std::string text = std::string(nick) + " is on IRC";
        m_output.Print(slot, core::LineStyle::Notify, text);
        if (m_hooks.Arrived) {
            m_hooks.Arrived(std::string(nick), slot, text);
        }
    }
    for (const std::string_view nick : irc::ListedNicks(lost)) {
        m_output.Print(m_panes.CurVisible(), core::LineStyle::Notify,
                       std::string(nick) + " has left IRC");
    }
    m_lastNotifList = current;
}

} // namespace korbi::session
