#include "session/events.h"

#include "commands/ctcp.h"
#include "core/client_host.h"
#include "irc/message_parsing.h"
#include "irc/outgoing_line.h"
#include "panes/nick_list.h"
#include "platform/text_values.h"
#include "session/conversations.h"

#include <array>

namespace korbi::session {
namespace {

using platform::EqualsNoCase;

// The parameters without the line end: the last parameter then reads like any other. A
// trailing parameter's colon is taken off where it is used, and only when it is there, so
// that servers that leave it out of a one-word parameter are understood too.
std::string Body(const irc::ServerLine& line) {
    return irc::WithoutLineEnd(line.params);
}

bool IsOwnNick(core::ClientHost& host, std::string_view nick) {
    return EqualsNoCase(nick, host.settings().NickName);
}

// The sender, followed by user name and host in square brackets when ShowAddress is set.
std::string DisplayName(core::ClientHost& host, const irc::ServerLine& line) {
    if (!host.settings().ShowAddress) {
        return line.sender;
    }
    return line.sender + " [" + irc::CutText(line.source, line.sender.size() + 1, 0) + "]";
}

void OnJoin(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string chan = irc::WithoutColon(irc::GetWord(2, Body(line)));
    if (chan.empty()) {
        return;
    }
    // A channel that has its pane already keeps it: a second pane would take its events.
    if (IsOwnNick(host, line.sender) && host.FindChanWin(chan) == 0) {
        OpenConversation(host, chan, false);
    }
    const int w = host.FindChanWin(chan);
    if (w <= 0) {
        return;
    }
    host.PrintCoul(w, "PICTS\\EVJOIN", 16, 160, 64,
                   DisplayName(host, line) + " entered the channel.");
    // The user's own nick comes into the list with the names reply.
    if (!IsOwnNick(host, line.sender)) {
        panes::AddNickToList(host, w, line.sender);
    }
}

void OnPart(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string chan = irc::WithoutColon(irc::GetWord(2, Body(line)));
    if (IsOwnNick(host, line.sender) && host.NextChan() != 1) {
        EndConversation(host, host.FindChanWin(chan));
    }
    const int w = host.FindChanWin(chan);
    if (w <= 0) {
        return;
    }
    host.PrintCoul(w, "PICTS\\EVPART", 16, 160, 64, DisplayName(host, line) + " left the channel.");
    panes::RemoveNickFromList(host, w, line.sender);
}

void OnKick(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string body = Body(line);
    const std::string chan = irc::GetWord(2, body);
    const std::string victim = irc::GetWord(3, body);
    const std::string reason = irc::WithoutColon(irc::WordsFrom(4, body));
    if (IsOwnNick(host, victim)) {
        if (host.NextChan() == 1) {
            return;
        }
        EndConversation(host, host.FindChanWin(chan));
        host.PrintCoul(0, "PICTS\\EVKICK", 192, 64, 64,
                       line.sender + " just kicked you from " + chan + " (" + reason + ")");
        return;
    }
    const int w = host.FindChanWin(chan);
    host.PrintCoul(w, "PICTS\\EVKICK", 128, 64, 64,
                   victim + " was kicked by " + line.sender + " (" + reason + ")");
    // The server pane's list holds channels, not members.
    if (w > 0) {
        panes::RemoveNickFromList(host, w, victim);
    }
}

void OnQuit(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    std::string reason = Body(line);
    if (reason.size() < 2) {
        reason = " :Buh Bye...";
    }
    reason = irc::WithoutColon(irc::CutText(reason, 1, 0));
    const std::string text = DisplayName(host, line) + " quits IRC (" + reason + "). ";
    const int bound = host.NextChan();
    for (int i = 1; i < bound; ++i) {
        if (host.FindNick(i, line.sender) == -1) {
            continue;
        }
        host.PrintCoul(i, "PICTS\\EVQUIT", 32, 32, 192, text);
        panes::RemoveNickFromList(host, i, line.sender);
    }
}

void OnNick(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string newNick = irc::WithoutColon(irc::GetWord(2, Body(line)));
    if (newNick.empty()) {
        return;
    }
    const bool own = IsOwnNick(host, line.sender);
    // The own nick goes out in every later NICK, PONG and QUIT, to the next server too: a nick
    // that is not one plain word is not taken.
    if (own && !irc::IsOneWord(newNick)) {
        return;
    }
    if (own) {
        host.settings().NickName = newNick;
        host.PrintCoul(host.CurVisible(), "", 64, 192, 64, "Your nick is now " + newNick);
    }
    for (int i = 1; i < host.NextChan(); ++i) {
        if (host.FindNick(i, line.sender) == -1) {
            continue;
        }
        if (!own) {
            host.PrintCoul(i, "", 64, 192, 64, line.sender + " changes it's nick to " + newNick);
        }
        panes::RenameNickInList(host, i, line.sender, newNick);
    }
    host.SendNotifyQuery();
}

void OnMode(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string body = Body(line);
    const std::string target = irc::GetWord(2, body);
    const int w = host.FindChanWin(target);
    if (w <= 0) {
        return;
    }
    host.PrintCoul(w, "", 64, 64, 192,
                   line.sender + " sets mode " + irc::CutText(body, target.size() + 2, 0));
}

void OnTopic(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string body = Body(line);
    const std::string chan = irc::GetWord(2, body);
    const std::string topic = irc::WithoutColon(irc::WordsFrom(3, body));
    const int w = host.FindChanWin(chan);
    if (w <= 0) {
        return;
    }
    host.SetTopicBar(w, host.WinName(w) + "   " + topic);
    host.PrintCoul(w, "PICTS\\INFOMARK", 64, 64, 128,
                   line.sender + " sets the topic for " + chan + ": '" + topic + "'");
}

// An announced picture goes with one message only.
std::string MessagePicture(core::ClientHost& host, const std::string& sender) {
    commands::NickPictTable& picts = host.nickPicts();
    const std::string announced = picts.GetNickPict(sender);
    if (!announced.empty()) {
        picts.RemoveNickPict(picts.FindNickPict(sender));
        return "PICTS\\" + announced;
    }
    const std::string& fallback = host.settings().OtherDefaultPict;
    return fallback.empty() ? std::string() : "PICTS\\" + fallback;
}

void OnPrivmsg(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string body = Body(line);
    std::string target = irc::GetWord(2, body);
    const std::string text = irc::WithoutColon(irc::WordsFrom(3, body));
    if (IsOwnNick(host, target)) {
        target = line.sender;
    }
    if (!text.empty() && text.front() == '\x01') {
        context.ctcp.ProcessCTCP(text, line.source, target);
        return;
    }
    if (host.FindChanWin(target) == 0 && !target.empty() && target.front() != '#') {
        OpenConversation(host, target, true);
    }
    const std::string picture = MessagePicture(host, line.sender);
    host.PrintCoul(host.FindChanWin(target), picture, 64, 64, 64,
                   NickStylePrefix(host.settings().NickStyle, line.sender) + text);
}

std::string NoticePrefix(int NickStyle, const std::string& name) {
    switch (NickStyle) {
    case 0:
        return "*" + name + "* -> ";
    case 1:
        return "*" + name + "* ";
    case 2:
        return "*" + name + "*: ";
    default:
        return {};
    }
}

void OnNotice(HandlerContext& context, const irc::ServerLine& line) {
    core::ClientHost& host = context.host;
    const std::string name = "-" + line.sender + "-";
    const std::string text = irc::WithoutColon(irc::WordsFrom(3, Body(line)));
    if (!text.empty() && text.front() == '\x01') {
        context.ctcp.ProcessCTCP(text, name, "");
        return;
    }
    // The topic bar of the server pane names the server once connected.
    if (EqualsNoCase(platform::TrimBlanks(name),
                     "-" + platform::TrimBlanks(host.TopicBar(0)) + "-")) {
        host.PrintCoul(0, "PICTS\\INFOMARK", 64, 160, 64, text);
        return;
    }
    host.PrintCoul(host.CurVisible(), "", 128, 32, 0,
                   NoticePrefix(host.settings().NickStyle, name) + text);
}

constexpr std::array kEventHandlers{
    HandlerEntry{"JOIN", OnJoin},     HandlerEntry{"PART", OnPart},
    HandlerEntry{"KICK", OnKick},     HandlerEntry{"QUIT", OnQuit},
    HandlerEntry{"NICK", OnNick},     HandlerEntry{"MODE", OnMode},
    HandlerEntry{"TOPIC", OnTopic},   HandlerEntry{"PRIVMSG", OnPrivmsg},
    HandlerEntry{"NOTICE", OnNotice},
};

} // namespace

std::span<const HandlerEntry> EventHandlers() {
    return kEventHandlers;
}

std::string NickStylePrefix(int NickStyle, std::string_view nick) {
    switch (NickStyle) {
    case 0:
        return std::string(nick) + " -> ";
    case 1:
        return "<" + std::string(nick) + "> ";
    case 2:
        return std::string(nick) + ": ";
    default:
        return {};
    }
}

} // namespace korbi::session
