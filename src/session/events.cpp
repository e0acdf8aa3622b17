#include "session/events.h"

#include "commands/builtins.h"
#include "commands/ctcp.h"
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

bool IsOwnNick(HandlerContext& context, std::string_view nick) {
    return EqualsNoCase(nick, context.config.settings().NickName);
}

// The sender, followed by user name and host in square brackets when ShowAddress is set.
std::string DisplayName(HandlerContext& context, const irc::ServerLine& line) {
    if (!context.config.settings().ShowAddress) {
        return line.sender;
    }
    return line.sender + " [" + irc::CutText(line.source, line.sender.size() + 1, 0) + "]";
}

void OnJoin(HandlerContext& context, const irc::ServerLine& line) {
    const std::string chan = irc::WithoutColon(line.Param(2));
    if (chan.empty()) {
        return;
    }
    const bool own = IsOwnNick(context, line.sender);
    if (own) {
        context.config.flags().OwnSource = line.source;
    }
    // A channel that has its pane already keeps it: a second pane would take its events.
    if (own && context.panes.FindChanWin(chan) == 0) {
        OpenConversation(context.panes, context.logs, context.config.settings(), chan, false);
    }
    const int w = context.panes.FindChanWin(chan);
    if (w <= 0) {
        return;
    }
    context.output.Print(w, core::LineStyle::Join,
                         DisplayName(context, line) + " entered the channel.");
    // The user's own nick comes into the list with the names reply.
    if (!own) {
        panes::AddNickToList(context.nicks, w, line.sender);
    }
}

void OnPart(HandlerContext& context, const irc::ServerLine& line) {
    const std::string chan = irc::WithoutColon(line.Param(2));
    if (IsOwnNick(context, line.sender) && context.panes.NextChan() != 1) {
        EndConversation(context.panes, context.logs, context.panes.FindChanWin(chan));
    }
    const int w = context.panes.FindChanWin(chan);
    if (w <= 0) {
        return;
    }
    context.output.Print(w, core::LineStyle::Part,
                         DisplayName(context, line) + " left the channel.");
    panes::RemoveNickFromList(context.nicks, w, line.sender);
}

void OnKick(HandlerContext& context, const irc::ServerLine& line) {
    const std::string body = Body(line);
    const std::string chan = line.Param(2);
    const std::string victim = line.Param(3);
    const std::string reason = irc::WithoutColon(irc::WordsFrom(4, body));
    if (IsOwnNick(context, victim)) {
        if (context.panes.NextChan() == 1) {
            return;
        }
        EndConversation(context.panes, context.logs, context.panes.FindChanWin(chan));
        context.output.Print(0, core::LineStyle::KickedYou,
                             line.sender + " just kicked you from " + chan + " (" + reason + ")");
        return;
    }
    const int w = context.panes.FindChanWin(chan);
    context.output.Print(w, core::LineStyle::Kick,
                         victim + " was kicked by " + line.sender + " (" + reason + ")");
    // The server pane's list holds channels, not members.
    if (w > 0) {
        panes::RemoveNickFromList(context.nicks, w, victim);
    }
}

void OnQuit(HandlerContext& context, const irc::ServerLine& line) {
    std::string reason = Body(line);
    if (reason.size() < 2) {
        reason = " :Buh Bye...";
    }
    reason = irc::WithoutColon(irc::CutText(reason, 1, 0));
    const std::string text = DisplayName(context, line) + " quits IRC (" + reason + "). ";
    const int bound = context.panes.NextChan();
    for (int i = 1; i < bound; ++i) {
        if (context.nicks.FindNick(i, line.sender) == -1) {
            continue;
        }
        context.output.Print(i, core::LineStyle::Quit, text);
        panes::RemoveNickFromList(context.nicks, i, line.sender);
    }
}

void OnNick(HandlerContext& context, const irc::ServerLine& line) {
    const std::string newNick = irc::WithoutColon(line.Param(2));
    if (newNick.empty()) {
        return;
    }
    const bool own = IsOwnNick(context, line.sender);
    // The own nick goes out in every later NICK, PONG and QUIT, to the next server too: a nick
    // that is not one plain word is not taken.
    if (own && !irc::IsOneWord(newNick)) {
        return;
    }
    if (own) {
        context.config.settings().NickName = newNick;
        std::string& source = context.config.flags().OwnSource;
        if (const std::size_t bang = source.find('!'); bang != std::string::npos) {
            source = newNick + source.substr(bang);
        }
        context.output.Print(context.panes.CurVisible(), core::LineStyle::NickChange,
                             "Your nick is now " + newNick);
    }
    for (int i = 1; i < context.panes.NextChan(); ++i) {
        if (context.nicks.FindNick(i, line.sender) == -1) {
            continue;
        }
        if (!own) {
            context.output.Print(i, core::LineStyle::NickChange,
                                 line.sender + " changes it's nick to " + newNick);
        }
        panes::RenameNickInList(context.nicks, i, line.sender, newNick);
    }
    context.link.SendNotifyQuery();
}

void OnMode(HandlerContext& context, const irc::ServerLine& line) {
    const std::string body = Body(line);
    const std::string target = line.Param(2);
    const int w = context.panes.FindChanWin(target);
    if (w <= 0) {
        return;
    }
    context.output.Print(w, core::LineStyle::ModeChange,
                         line.sender + " sets mode " + irc::CutText(body, target.size() + 2, 0));
}

void OnTopic(HandlerContext& context, const irc::ServerLine& line) {
    const std::string body = Body(line);
    const std::string chan = line.Param(2);
    const std::string topic = irc::WithoutColon(irc::WordsFrom(3, body));
    const int w = context.panes.FindChanWin(chan);
    if (w <= 0) {
        return;
    }
    context.output.SetTopicBar(w, context.panes.WinName(w) + "   " + topic);
    context.output.Print(w, core::LineStyle::Topic,
                         line.sender + " sets the topic for " + chan + ": '" + topic + "'");
}

// A message to anything but a channel is a private conversation, in the pane of its nick.
bool IsPrivateTarget(const std::string& target) {
    return !target.empty() && target.front() != '#';
}

// An announced picture goes with one message only.
std::string MessagePicture(HandlerContext& context, const std::string& sender) {
    core::NickPictTable& picts = context.config.nickPicts();
    const std::string announced = picts.GetNickPict(sender);
    if (!announced.empty()) {
        picts.RemoveNickPict(picts.FindNickPict(sender));
        return "PICTS\\" + announced;
    }
    const std::string& fallback = context.config.settings().OtherDefaultPict;
    return fallback.empty() ? std::string() : "PICTS\\" + fallback;
}

void OnPrivmsg(HandlerContext& context, const irc::ServerLine& line) {
    const std::string body = Body(line);
    std::string target = line.Param(2);
    const std::string text = irc::WithoutColon(irc::WordsFrom(3, body));
    if (IsOwnNick(context, target)) {
        target = line.sender;
    }
    if (!text.empty() && text.front() == '\x01') {
        context.ctcp.ProcessCTCP(text, line.source, target);
        return;
    }
    if (context.panes.FindChanWin(target) == 0 && IsPrivateTarget(target)) {
        OpenConversation(context.panes, context.logs, context.config.settings(), target, true);
    }
    const std::string picture = MessagePicture(context, line.sender);
    const int w = context.panes.FindChanWin(target);
    const bool fromOther = !IsOwnNick(context, line.sender);
    const bool highlight = fromOther && context.alerts.IsHighlight(text);
    const std::string shown =
        commands::NickStylePrefix(line.sender, context.config.settings().NickStyle) + text;
    core::PrintMessage(context.output, w, core::LineStyle::UserMessage, picture, shown, highlight);
    if (w > 0) {
        context.nicks.NickSpoke(w, line.sender);
    }
    if (fromOther) {
        context.alerts.MessageArrived(target, line.sender, shown, highlight);
    }
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
    const std::string name = "-" + line.sender + "-";
    const std::string text = irc::WithoutColon(irc::WordsFrom(3, Body(line)));
    if (!text.empty() && text.front() == '\x01') {
        context.ctcp.ProcessCTCP(text, name, "");
        return;
    }
    // The topic bar of the server pane names the server once connected.
    if (EqualsNoCase(platform::TrimBlanks(name),
                     "-" + platform::TrimBlanks(context.output.TopicBar(0)) + "-")) {
        context.output.Print(0, core::LineStyle::ServerNotice, text);
        return;
    }
    // A notice from a user (not a server) that names the user stands out like a message.
    const bool fromUser =
        line.source.find('!') != std::string::npos && !IsOwnNick(context, line.sender);
    const bool highlight = fromUser && context.alerts.IsHighlight(text);
    const int slot = context.panes.CurVisible();
    const std::string shown = NoticePrefix(context.config.settings().NickStyle, name) + text;
    core::PrintMessage(context.output, slot, core::LineStyle::Notice,
                       std::string(core::Look(core::LineStyle::Notice).picture), shown, highlight);
    if (highlight) {
        context.alerts.Alert(core::AlertEvent::Highlight, context.panes.WinName(slot), line.sender,
                             shown);
    }
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

} // namespace korbi::session
