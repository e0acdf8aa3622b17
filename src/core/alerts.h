#pragma once
// The events that ask for the user's attention while the main frame is in the background: a
// highlight, a private message and a notify-list arrival raise a desktop notification and play
// the event's sound, at most once per pane in kQuietMs, so that a flood of mentions raises one.
#include "core/media.h"
#include "core/pane_output.h"
#include "core/settings_access.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace korbi::core {

// Role: the desktop's notifications.
class Notifier {
  public:
    virtual ~Notifier() = default;

    // Shows summary and body (plain text); a click on it brings up the pane named pane.
    virtual void Notify(const std::string& pane, const std::string& summary,
                        const std::string& body) = 0;
};

// Prints a line of a kind with its own picture, as a highlight when highlight is set.
void PrintMessage(PaneOutput& output, int slot, LineStyle style, const std::string& picture,
                  const std::string& text, bool highlight);

enum class AlertEvent { Highlight, Private, NotifyArrival };

// Milliseconds from a clock that never goes back.
using AlertClock = std::function<std::int64_t()>;

// At most one notification per key (a pane, or a nick for an arrival) in kQuietMs.
class NotificationGate {
  public:
    static constexpr std::int64_t kQuietMs = 10000;

    // Whether a notification for key may go out at now; it counts as gone out when it may.
    // Keys differ only in ASCII case are one key, as pane names are.
    bool Allow(std::string_view key, std::int64_t now);

  private:
    std::unordered_map<std::string, std::int64_t> m_last;
};

class Alerts {
  public:
    // The roles must outlive this object.
    Alerts(Notifier& notifier, Media& media, SettingsAccess& config, AlertClock clock);

    // Whether a line from someone else names the user or one of the highlight words.
    bool IsHighlight(std::string_view text);

    // While the frame is not active: the notification (summary, and text without formatting
    // codes) and the event's sound, unless summary's notification went out less than
    // kQuietMs ago. pane is the pane a click brings up.
    void Alert(AlertEvent event, const std::string& pane, const std::string& summary,
               const std::string& text);

    // A message or action from nick, someone else, shown in conversation: a private
    // conversation always alerts, a channel only with a highlight.
    void MessageArrived(const std::string& conversation, const std::string& nick,
                        const std::string& shown, bool highlight);

  private:
    Notifier& m_notifier;
    Media& m_media;
    SettingsAccess& m_config;
    AlertClock m_clock;
    NotificationGate m_gate;
};

} // namespace korbi::core
