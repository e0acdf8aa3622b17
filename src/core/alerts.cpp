#include "core/alerts.h"

#include "core/reading_settings.h"
#include "irc/formatting_codes.h"
#include "irc/highlights.h"
#include "platform/text_values.h"

#include <utility>

namespace korbi::core {
namespace {

// Past this many keys the ones whose quiet time is over are forgotten, so a long session with
// many nicks keeps a short table.
constexpr std::size_t kKeysKept = 64;

std::string_view SoundSetting(AlertEvent event) {
    switch (event) {
    case AlertEvent::Highlight:
        return kHighlightSound;
    case AlertEvent::Private:
        return kPrivateSound;
    case AlertEvent::NotifyArrival:
        break;
    }
    return kNotifySound;
}

} // namespace

void PrintMessage(PaneOutput& output, int slot, LineStyle style, const std::string& picture,
                  const std::string& text, bool highlight) {
    if (highlight) {
        output.PrintHighlighted(slot, picture, Look(style).colour, text);
    } else {
        output.Print(slot, style, picture, text);
    }
}

bool NotificationGate::Allow(std::string_view key, std::int64_t now) {
    const std::string name = platform::UpperAscii(key);
    if (const auto found = m_last.find(name);
        found != m_last.end() && now - found->second < kQuietMs) {
        return false;
    }
    if (m_last.size() >= kKeysKept) {
        std::erase_if(m_last, [now](const auto& entry) { return now - entry.second >= kQuietMs; });
    }
    m_last[name] = now;
    return true;
}

Alerts::Alerts(Notifier& notifier, Media& media, SettingsAccess& config, AlertClock clock)
    : m_notifier(notifier), m_media(media), m_config(config), m_clock(std::move(clock)) {}

bool Alerts::IsHighlight(std::string_view text) {
    const Settings& settings = m_config.settings();
    return irc::IsHighlight(text, settings.NickName,
                            settings.Extras.Value(kHighlightWords).value_or(""));
}

void Alerts::Alert(AlertEvent event, const std::string& pane, const std::string& summary,
                   const std::string& text) {
    if (m_config.flags().IsActive || !m_gate.Allow(summary, m_clock())) {
        return;
    }
    m_notifier.Notify(pane, summary, irc::StripCodes(text));
    const std::string sound = m_config.settings().Extras.Value(SoundSetting(event)).value_or("");
    if (!sound.empty()) {
        m_media.PlaySound(sound);
    }
}

void Alerts::MessageArrived(const std::string& conversation, const std::string& nick,
                            const std::string& shown, bool highlight) {
    if (conversation.empty()) {
        return;
    }
    if (conversation.front() != '#') {
        Alert(AlertEvent::Private, conversation, nick, shown);
    } else if (highlight) {
        Alert(AlertEvent::Highlight, conversation, conversation, shown);
    }
}

} // namespace korbi::core
