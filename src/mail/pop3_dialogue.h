#pragma once
// The mail check's POP3 dialogue (greeting, USER, PASS, STAT) as a pure state machine: each
// step takes the dialogue's state and one event and says what to send, what to show and what
// to do with the connection. The mail checker window carries the results out.
#include "core/line_styles.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::mail {

// Values of `Next2Receive`.
inline constexpr int Idle = 0;
inline constexpr int GreetingAwaited = 2;
inline constexpr int UserSent = 4;
inline constexpr int PassSent = 8;
inline constexpr int StatSent = 1;

inline constexpr std::uint16_t Pop3Port = 110;
// A check that has not ended after this long is given up: a server that accepts and never
// answers would otherwise keep it running, and the menu item disabled, for ever.
inline constexpr int MailTimeoutMs = 30000;

struct Pop3State {
    int Next2Receive = Idle;
    // Message count seen at the last successful check; kept for the whole run.
    std::int32_t LastMailCount = 0;
    // USER refusals in the current check: one is retried, the next ends the check.
    int UserRefusals = 0;
};

// The picture the server window's mail icon shows.
enum class MailImage { Unchanged, UnknownMailImage, CheckMailImage, GotMailImage, NoMailImage };

// Where report lines are printed: the visible pane (`CurVisible`) or the server pane (slot 0).
enum class MailPane { Visible, Server };

struct MailLine {
    core::LineStyle Style = core::LineStyle::Plain;
    std::string Text;
};

struct Pop3Step {
    Pop3State Next;
    std::string Send; // exact bytes for the mail socket, "" for nothing
    MailPane Pane = MailPane::Visible;
    std::vector<MailLine> Lines;
    MailImage Icon = MailImage::Unchanged;
    bool PlaySound = false;           // new mail: play `Sound2Play`, or beep when it is missing
    bool CloseSocket = false;         // close the mail socket (and reset its ports)
    bool EnableMenuMailCheck = false; // the check is over: `MenuMail_Check` may run again
};

struct MailAccount {
    std::string UserName;
    std::string UserPass;
};

// The mail socket connected: wait for the greeting.
Pop3Step MailConnected(const Pop3State& state);

// Advances the dialogue by one server reply (bytes as received). A reply is one line: its first
// line end and anything after it are ignored.
Pop3Step ProcessMSG(const Pop3State& state, std::string_view reply, const MailAccount& account);

// The mail socket reported an error (25001: host not found or unreachable).
Pop3Step MailError(const Pop3State& state, long number, std::string_view description);

// The mail server closed the connection.
Pop3Step MailClosed(const Pop3State& state);

// The check did not end within MailTimeoutMs: it is given up like a failed one.
Pop3Step MailTimedOut(const Pop3State& state);

} // namespace korbi::mail
