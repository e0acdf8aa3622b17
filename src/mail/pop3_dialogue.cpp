#include "mail/pop3_dialogue.h"

#include "irc/message_parsing.h"
#include "platform/text_values.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace korbi::mail {
namespace {

constexpr long UnreachableError = 25001;

// What the mail socket's own `Send2Serv` puts on the wire. A line break inside the text (a user
// name or password edited into the preferences file) would make a second command; it becomes a
// blank, as the preferences file itself stores it.
std::string Send2Serv(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line + "\r\n";
}

// A step that leaves everything as it is, for the caller to fill in.
Pop3Step StepFrom(const Pop3State& state) {
    Pop3Step step;
    step.Next = state;
    return step;
}

MailLine Rule() {
    return MailLine{core::LineStyle::Plain, "---"};
}

MailLine ErrorLine(std::string text) {
    return MailLine{core::LineStyle::MailError, std::move(text)};
}

// The reply up to its first line end, so "+OK\r\n" reads as "+OK" and the count of
// "+OK 3\r\n" as "3".
std::string_view ReplyLine(std::string_view reply) {
    return reply.substr(0, reply.find_first_of("\r\n"));
}

// Ends the check with the icon back at unknown and an error in the server pane.
Pop3Step Failed(const Pop3State& next, std::string text) {
    Pop3Step step = StepFrom(next);
    step.Pane = MailPane::Server;
    step.Lines = {ErrorLine(std::move(text)), Rule()};
    step.Icon = MailImage::UnknownMailImage;
    step.CloseSocket = true;
    step.EnableMenuMailCheck = true;
    return step;
}

Pop3Step LoginRefused(const Pop3State& next) {
    return Failed(next, "Mail Error: Password not accepted!");
}

Pop3Step ReportCount(const Pop3State& state, std::string_view countWord) {
    const auto count = static_cast<std::int32_t>(
        platform::RoundedValue(countWord, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()));
    Pop3Step step = StepFrom(state);
    step.Next.Next2Receive = Idle;
    step.Next.LastMailCount = count;
    step.CloseSocket = true;
    step.EnableMenuMailCheck = true;
    if (count <= 0) {
        step.Icon = MailImage::NoMailImage;
        return step;
    }
    step.Icon = MailImage::GotMailImage;
    if (state.LastMailCount >= count) {
        return step;
    }
    const std::int64_t fresh = std::int64_t{count} - state.LastMailCount;
    const std::string text = "You have " + std::string(countWord) + " email" +
                             (count > 1 ? "s" : "") + " waiting," +
                             platform::NumberText(static_cast<double>(fresh)) + " new email(s) !";
    step.PlaySound = true;
    step.Pane = MailPane::Visible;
    step.Lines = {Rule(), MailLine{core::LineStyle::MailCount, text}, Rule()};
    return step;
}

Pop3Step Accepted(const Pop3State& state, std::string_view secondWord, const MailAccount& account) {
    Pop3Step step = StepFrom(state);
    switch (state.Next2Receive) {
    case GreetingAwaited:
        step.Send = Send2Serv("USER " + account.UserName);
        step.Next.Next2Receive = UserSent;
        return step;
    case UserSent:
        step.Send = Send2Serv("PASS " + account.UserPass);
        step.Next.Next2Receive = PassSent;
        return step;
    case PassSent:
        step.Send = Send2Serv("STAT");
        step.Next.Next2Receive = StatSent;
        return step;
    case StatSent:
        return ReportCount(state, secondWord);
    default:
        return step;
    }
}

Pop3Step Refused(const Pop3State& state, const MailAccount& account) {
    Pop3Step step = StepFrom(state);
    if (state.Next2Receive == UserSent) {
        ++step.Next.UserRefusals;
        if (step.Next.UserRefusals > 1) {
            return LoginRefused(step.Next);
        }
        step.Send = Send2Serv("USER " + account.UserName);
        return step;
    }
    if (state.Next2Receive == PassSent) {
        return LoginRefused(state);
    }
    return step;
}

} // namespace

Pop3Step MailConnected(const Pop3State& state) {
    Pop3Step step = StepFrom(state);
    step.Next.Next2Receive = GreetingAwaited;
    step.Next.UserRefusals = 0;
    step.Icon = MailImage::CheckMailImage;
    return step;
}

Pop3Step ProcessMSG(const Pop3State& state, std::string_view reply, const MailAccount& account) {
    const std::string_view line = ReplyLine(reply);
    const std::string status = platform::UpperAscii(irc::GetWord(1, line));
    if (status == "+OK") {
        return Accepted(state, irc::GetWord(2, line), account);
    }
    if (status == "-ERR") {
        return Refused(state, account);
    }
    return StepFrom(state);
}

Pop3Step MailError(const Pop3State& state, long number, std::string_view description) {
    const std::string message = number == UnreachableError
                                    ? std::string("Unable to reach/find mail server.")
                                    : "Unknown Error (" +
                                          platform::NumberText(static_cast<double>(number)) + " (" +
                                          std::string(description) + "))";
    return Failed(state, "Got mail error: " + message);
}

Pop3Step MailTimedOut(const Pop3State& state) {
    Pop3State next = state;
    next.Next2Receive = Idle;
    return Failed(next, "Mail Error: No answer from the mail server!");
}

Pop3Step MailClosed(const Pop3State& state) {
    Pop3Step step = StepFrom(state);
    step.Icon = MailImage::UnknownMailImage;
    step.EnableMenuMailCheck = true;
    return step;
}

} // namespace korbi::mail
