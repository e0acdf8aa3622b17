#pragma once
// Capability negotiation (IRCv3 "CAP"): the server's CAP lines taken apart, and the request the
// client makes from what the server offers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

// One CAP line: ":server CAP <target> <subcommand> [*] :<capabilities>".
struct CapMessage {
    std::string subcommand;        // LS, ACK, NAK, NEW, DEL, LIST
    bool more = false;             // "*" before the list: the reply goes on in another line
    std::vector<std::string> caps; // as listed, values kept ("sasl=PLAIN,EXTERNAL")
};

// params as the server line holds them (each word behind a blank, the line end kept); nullopt
// when the line is too short to be a CAP reply.
std::optional<CapMessage> ParseCap(std::string_view params);

// "sasl=PLAIN,EXTERNAL" gives "sasl" and "PLAIN,EXTERNAL"; without "=" the value is "".
std::string CapName(std::string_view cap);
std::string CapValue(std::string_view cap);

// The offered capability named name (its whole entry), when it is offered.
std::optional<std::string> FindCap(const std::vector<std::string>& offered, std::string_view name);

// Whether a comma-separated mechanism list names mechanism. An empty list (a server of CAP
// 3.1 lists none) is taken to allow it: the server answers 908 otherwise.
bool OffersMechanism(std::string_view mechanisms, std::string_view mechanism);

} // namespace korbi::irc
