#include "irc/sasl.h"

#include <cstdint>

namespace korbi::irc {

namespace {
constexpr std::size_t kChunk = 400;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
} // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t group = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (left > 1) {
            group |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 1])) << 8;
        }
        if (left > 2) {
            group |= static_cast<std::uint8_t>(bytes[i + 2]);
        }
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[group & 63] : '=';
    }
    return out;
}

std::string PlainPayload(std::string_view account, std::string_view password) {
    std::string payload(account);
    payload += '\0';
    payload += account;
    payload += '\0';
    payload += password;
    return payload;
}

std::vector<std::string> AuthenticateLines(std::string_view payload) {
    const std::string encoded = Base64Encode(payload);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < encoded.size(); at += kChunk) {
        lines.push_back("AUTHENTICATE " + encoded.substr(at, kChunk));
    }
    if (encoded.size() % kChunk == 0) {
        lines.push_back("AUTHENTICATE +");
    }
    return lines;
}

std::string SaslFailureText(std::string_view numeric, std::string_view mechanisms) {
    if (numeric == "902") {
        return "Login refused: the account is locked or held. Ask the network's staff, or "
               "clear the account in Personnal Info.";
    }
    if (numeric == "904") {
        return "Login failed: the account name or password is wrong. Correct them in "
               "Personnal Info, then connect again.";
    }
    if (numeric == "905") {
        return "Login failed: the account name or password is too long for the server. "
               "Correct them in Personnal Info.";
    }
    if (numeric == "906") {
        return "Login was aborted; you are connected without logging in. Connect again to "
               "retry.";
    }
    if (numeric == "907") {
        return "You are already logged in: no second login is needed.";
    }
    if (numeric == "908") {
        return "The server does not take this login method; it takes: " + std::string(mechanisms) +
               ". Set or clear the certificate in Personnal Info.";
    }
    return {};
}

} // namespace korbi::irc
