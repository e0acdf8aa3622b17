#pragma once
// SASL login (IRCv3 "sasl"): the payloads of the PLAIN and EXTERNAL mechanisms, cut into
// AUTHENTICATE lines, and what the 90x replies tell the user.
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

std::string Base64Encode(std::string_view bytes);

// PLAIN: the account as authorization and authentication identity, then the password, each
// behind a NUL.
std::string PlainPayload(std::string_view account, std::string_view password);

// The payload in base64 as AUTHENTICATE lines of at most 400 characters. A payload that is
// empty, or ends exactly at a 400-character line, is closed by "AUTHENTICATE +": the server
// would otherwise wait for more.
std::vector<std::string> AuthenticateLines(std::string_view payload);

// The sentence a failed or refused login prints (902, 904 to 908); "" for other numerics.
// mechanisms is the list a 908 carries.
std::string SaslFailureText(std::string_view numeric, std::string_view mechanisms);

} // namespace korbi::irc
