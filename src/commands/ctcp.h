#pragma once
// Answers the CTCP requests other users send (ACTION, PICT, VERSION, PING, SOUND) and keeps
// CTCP floods from making the client answer without end.
#include "commands/ctcp_host.h"
#include "commands/flood_protection.h"
#include "core/line_styles.h"
#include "core/nick_picture_table.h"

#include <string>
#include <string_view>

namespace korbi::commands {

class CtcpHandler {
  public:
    // host and nickPicts must outlive the handler.
    CtcpHandler(CtcpHost& host, core::NickPictTable& nickPicts,
                MonotonicClock clock = SteadyMilliseconds);

    // text is the message text beginning with \x01 (a final \x01 is optional); source is the
    // sender's whole prefix; conversation is the channel, or the sender's nick for a private
    // message.
    void ProcessCTCP(std::string_view text, std::string_view source, std::string_view conversation);

    // The flood test; the owner's 750 ms timer calls it.
    void FloodCheck_Timer();

    const FloodProtection& Flood() const { return m_flood; }

  private:
    void Print(int slot, core::LineStyle style, const std::string& text);
    void ShowAction(std::string_view nick, std::string_view argument,
                    std::string_view conversation);
    void RecordPicture(std::string_view text, std::string_view source);
    void AnswerVersion(const std::string& nick);
    void AnswerPing(const std::string& nick, std::string_view argument);
    void PlayRequestedSound(std::string_view text, const std::string& nick);
    void ReportUnknown(std::string_view received, std::string_view source,
                       std::string_view command);

    CtcpHost& m_host;
    core::NickPictTable& m_nickPicts;
    FloodProtection m_flood;
};

} // namespace korbi::commands
