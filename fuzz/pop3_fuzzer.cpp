// The POP3 dialogue on arbitrary server replies and socket events, arriving in arbitrary
// pieces through the reply line cutter, as the mail checker drives them.
//
// Input lines: the user name, the password, then the arrivals separated by byte 0x1E. An
// arrival "\x1F" + "C" is the socket connecting, "\x1F" + "E" an error, "\x1F" + "X" the server
// closing; anything else is bytes received while the socket is open.
#include "fuzz_support.h"
#include "mail/pop3_dialogue.h"
#include "mail/reply_lines.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using korbi::fuzz::Require;
using namespace korbi::mail;

void Check(const Pop3State& before, const Pop3Step& step) {
    const int next = step.Next.Next2Receive;
    Require(next == Idle || next == GreetingAwaited || next == UserSent || next == PassSent ||
                next == StatSent,
            "the dialogue waits for a known reply");
    Require(step.Next.UserRefusals >= 0 && step.Next.UserRefusals <= 2,
            "USER is refused at most twice");
    if (!step.Send.empty()) {
        Require(step.Send.ends_with("\r\n") &&
                    step.Send.find_first_of("\r\n") == step.Send.size() - 2,
                "the dialogue sends one command line at a time");
    }
    if (step.Next.LastMailCount != before.LastMailCount) {
        Require(before.Next2Receive == StatSent, "only the STAT answer changes the mail count");
    }
    if (step.PlaySound) {
        Require(step.Next.LastMailCount > before.LastMailCount, "the sound means new mail");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = korbi::fuzz::AsText(data, size);
    MailAccount account;
    account.UserName = std::string(korbi::fuzz::TakeLine(input));
    account.UserPass = std::string(korbi::fuzz::TakeLine(input));

    Pop3State state;
    ReplyLines lines;
    bool open = false; // like the mail checker: a closed socket receives nothing
    const auto apply = [&](const Pop3Step& step) {
        Check(state, step);
        state = step.Next;
        if (step.CloseSocket) {
            open = false;
        }
    };
    for (const std::string_view arrival : korbi::fuzz::SplitAt(input, '\x1e')) {
        if (arrival == "\x1f"
                       "C") {
            lines.Clear();
            open = true;
            apply(MailConnected(state));
        } else if (arrival.starts_with("\x1f"
                                       "E")) {
            apply(MailError(state, static_cast<long>(arrival.size()) * 1000 + 21001,
                            arrival.substr(2)));
        } else if (arrival == "\x1f"
                              "X") {
            open = false;
            apply(MailClosed(state));
        } else if (open) {
            for (const std::string& reply : lines.Add(arrival)) {
                Require(reply.size() <= ReplyLines::MaxPending, "a reply stays bounded");
                apply(ProcessMSG(state, reply, account));
                if (!open) {
                    break; // what followed belongs to a connection that is over
                }
            }
        }
    }
    return 0;
}
