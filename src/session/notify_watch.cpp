#include "session/notify_watch.h"

#include "platform/text_values.h"

#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace korbi::session {

namespace {

constexpr int kConnected = 7;

// Words 2 and later of a blank-led list, cut at single blanks as GetWord does.
std::vector<std::string_view> ListedNicks(std::string_view list) {
    std::vector<std::string_view> nicks;
    if (list.empty()) {
        return nicks;
    }
    std::size_t start = list.find(' ');
    while (start != std::string_view::npos) {
        const std::size_t end = list.find(' ', start + 1);
        nicks.push_back(list.substr(
            start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1));
        start = end;
    }
    return nicks;
}

// The nicks of walked that match no nick of other, upper-cased on both sides.
std::string Missing(std::string_view walked, std::string_view other) {
    std::vector<std::string> others;
    for (const std::string_view nick : ListedNicks(other)) {
        others.push_back(platform::UpperAscii(nick));
    }
    std::string result;
    for (const std::string_view nick : ListedNicks(walked)) {
        const std::string upper = platform::UpperAscii(nick);
        if (std::find(others.begin(), others.end(), upper) == others.end()) {
            result += ' ';
            result += nick;
        }
    }
    return result;
}

} // namespace

std::string GetNewNicks(std::string_view newlis, std::string_view oldlis) {
    return Missing(newlis, oldlis);
}

std::string GetLostNicks(std::string_view newlis, std::string_view oldlis) {
    if (oldlis.empty()) {
        return {};
    }
    return Missing(oldlis, newlis);
}

std::string NotifListOf303(std::string_view params) {
    while (!params.empty() && (params.back() == '\r' || params.back() == '\n')) {
        params.remove_suffix(1);
    }
    std::string_view trailing;
    if (const std::size_t colon = params.find(" :"); colon != std::string_view::npos) {
        trailing = params.substr(colon + 2);
    } else {
        // No colon: the nicks follow the user's own nick, the first word.
        const std::size_t nick = params.find_first_not_of(' ');
        const std::size_t after = nick == std::string_view::npos ? nick : params.find(' ', nick);
        trailing = after == std::string_view::npos ? std::string_view() : params.substr(after);
    }
    std::string current;
    std::size_t start = 0;
    while (start < trailing.size()) {
        const std::size_t end = std::min(trailing.find(' ', start), trailing.size());
        if (end > start) {
            current += ' ';
            current += trailing.substr(start, end - start);
        }
        start = end + 1;
    }
    return current;
}

std::vector<std::string> IsonLines(std::string_view Notifys, std::size_t maxLine) {
    static constexpr std::string_view kCommand = "ISON ";
    static constexpr std::size_t kFraming = 2; // the line feed before, the carriage return after
    std::vector<std::string> lines;
    std::string line;
    for (const std::string_view nick : ListedNicks(Notifys)) {
        const std::size_t added = 1 + nick.size();
        if (nick.empty() || kCommand.size() + added + kFraming > maxLine) {
            continue;
        }
        if (!line.empty() && line.size() + added + kFraming > maxLine) {
            lines.push_back(std::move(line));
            line.clear();
        }
        if (line.empty()) {
            line = kCommand;
        }
        line += ' ';
        line += nick;
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> NotifyQueryLines(const core::ServerLink& link,
                                          core::SettingsAccess& config) {
    if (link.SocketState() != kConnected || !config.flags().LoggedOn) {
        return {};
    }
    return IsonLines(config.settings().Notifys);
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
    const std::string current = NotifListOf303(params);
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
    const std::string added = GetNewNicks(current, m_lastNotifList);
    const std::string lost = GetLostNicks(current, m_lastNotifList);
    for (const std::string_view nick : ListedNicks(added)) {
        m_output.Print(m_panes.CurVisible(), core::LineStyle::Notify,
                       std::string(nick) + " is on IRC");
    }
    for (const std::string_view nick : ListedNicks(lost)) {
        m_output.Print(m_panes.CurVisible(), core::LineStyle::Notify,
                       std::string(nick) + " has left IRC");
    }
    m_lastNotifList = current;
}

} // namespace korbi::session
