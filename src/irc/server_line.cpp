#include "irc/server_line.h"

#include "irc/message_parsing.h"

namespace korbi::irc {

ServerLine ParseServerLine(std::string_view received) {
    ServerLine parsed;
    parsed.line = std::string(received);
    // Only the carriage return that ends the line may lack its line feed; one found earlier
    // (a line handed in by other means) is text, and a line feed added there would stay
    // inside the texts.
    if (!parsed.line.empty() && parsed.line.find('\r') == parsed.line.size() - 1) {
        parsed.line += '\n';
    }
    parsed.source = GetMsgSource(parsed.line);
    parsed.command = GetMsgCommand(parsed.line);
    parsed.params = GetMsgParams(parsed.line);
    parsed.sender = GetNick(parsed.source);
    return parsed;
}

std::string ReplyText(std::string_view params) {
    std::string text(params);
    return Crop(GetWord(2, params).size() + 2, text, 2);
}

} // namespace korbi::irc
