#pragma once
// Every kind of line the program prints and how it looks: the event picture drawn before it and
// the colour of its text. Whoever prints says what happened; this table alone says how it looks.
#include "irc/formatting_codes.h"

#include <string_view>

namespace korbi::core {

enum class LineStyle {
    Plain,           // Text without an event: server replies, rules, CTCP requests answered
    UnknownCommand,  // A command the interpreter did not know, sent to the server as typed
    Notice,          // A notice from a user
    DebugEcho,       // A received line shown as it came, in debug mode
    OwnText,         // The user's own line, echoed into the pane it was said in
    Ignored,         // A line from a sender on the ignore list, in debug mode
    PlayedLine,      // A line of a text file played into a channel
    NickChange,      // A nick change, the user's own or a member's
    Notify,          // A watched nick arrived on or left IRC
    ModeChange,      // A mode change
    Connecting,      // Connecting to a server or disconnecting from it
    Connected,       // The connection is made
    Shutdown,        // The server closed the connection
    ConnectionError, // A socket error
    ServerNotFound,  // The server's name did not resolve or the host was unreachable
    BetaWarning,     // A toolbar function that is not available
    PlayError,       // A text file could not be played
    Action,          // An action (/me)
    Join,            // Someone joined a channel
    Part,            // Someone left a channel
    KickedYou,       // The user was kicked
    Kick,            // A member was kicked
    Quit,            // Someone quit IRC
    Sound,           // A sound played, the user's own or a requested one
    Information,     // Whois answers, the end of the CTCP ignore
    ServerNotice,    // A notice from the server itself
    Topic,           // A topic change
    PlayInfo,        // Playing a text file starts, ends or fails
    ListEnd,         // The end of a channel listing
    ClientWarning,   // What the client could not do: open a log, keep an over-long server line
    Warning,         // CTCP flood protection, alias limits
    NickInUse,       // The nick is in use
    ServerError,     // The server's ERROR
    JoinError,       // A channel refused the join
    ServerText,      // Server replies and lines sent raw to the server
    Pong,            // A PING answered
    ServerRefusal,   // The server refused the registration (513)
    Wallops,         // A WALLOPS message
    MailError,       // A mail check failed
    MailCount,       // How much mail waits
    UserMessage,     // A message, drawn with its sender's picture
};

struct LineLook {
    std::string_view picture; // "" for none
    irc::Rgb colour;
};

LineLook Look(LineStyle style);

} // namespace korbi::core
