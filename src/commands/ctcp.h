#pragma once
// Answers the CTCP requests other users send (ACTION, PICT, VERSION, PING, SOUND) and keeps
// CTCP floods from making the client answer without end.
#include "commands/flood_protection.h"
#include "core/alerts.h"
#include "core/media.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings_access.h"

#include <string_view>

namespace korbi::commands {

class CtcpHandler {
  public:
    // The roles must outlive the handler. Settings and flags are read when they are needed.
    // alerts, when given, highlights the actions of others and tells of them in the background.
    CtcpHandler(core::PaneOutput& output, const core::PaneRegistry& panes, core::ServerLink& link,
                core::Media& media, core::SettingsAccess& config,
                MonotonicClock clock = SteadyMilliseconds, core::Alerts* alerts = nullptr);

    // text is the message text beginning with \x01 (a final \x01 is optional); source is the
    // sender's whole prefix; conversation is the channel, or the sender's nick for a private
    // message.
    void ProcessCTCP(std::string_view text, std::string_view source, std::string_view conversation);

    // The flood test; the owner's 750 ms timer calls it.
    void FloodCheck_Timer();

    const FloodProtection& Flood() const { return m_flood; }

  private:
    void ShowAction(std::string_view nick, std::string_view argument,
                    std::string_view conversation);
    void RecordPicture(std::string_view text, std::string_view source);
    void AnswerVersion(const std::string& nick);
    void AnswerPing(const std::string& nick, std::string_view argument);
    void PlayRequestedSound(std::string_view text, const std::string& nick);
    void ReportUnknown(std::string_view received, std::string_view source,
                       std::string_view command);

    core::PaneOutput& m_output;
    const core::PaneRegistry& m_panes;
    core::ServerLink& m_link;
    core::Media& m_media;
    core::SettingsAccess& m_config;
    core::Alerts* m_alerts;
    FloodProtection m_flood;
};

} // namespace korbi::commands
