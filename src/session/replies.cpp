#include "session/replies.h"

#include "irc/channel_list_row.h"
#include "irc/message_parsing.h"
#include "irc/ranks.h"
#include "panes/nick_list.h"
#include "platform/text_values.h"

#include <array>
#include <string>

namespace korbi::session {
namespace {

void PrintDashes(HandlerContext& context, int slot, const std::string& dashes = "---") {
    context.output.Print(slot, core::LineStyle::Plain, dashes);
}

// 001: the server names itself in the source of its welcome; notices from that name are the
// server's own.
void OnWelcome(HandlerContext& context, const irc::ServerLine& line) {
    const std::string name = platform::TrimBlanks(line.source);
    if (!name.empty()) {
        context.output.SetTopicBar(0, name);
    }
}

void OnWallops(HandlerContext& context, const irc::ServerLine& line) {
    context.output.Print(0, core::LineStyle::Wallops,
                         irc::CutText(line.source + line.params, 0, 2));
}

void OnPing(HandlerContext& context, const irc::ServerLine& line) {
    // The parameters go back as received, their line end inside the answer.
    context.link.Send2Serv(":" + context.config.settings().NickName + " PONG" + line.params);
    context.output.Print(0, core::LineStyle::Pong, "Ping?? PONG!!!");
}

void OnError(HandlerContext& context, const irc::ServerLine& line) {
    context.output.Print(context.panes.CurVisible(), core::LineStyle::ServerError,
                         irc::ReplyText(line.params));
}

void On513(HandlerContext& context, const irc::ServerLine& line) {
    context.output.Print(0, core::LineStyle::ServerRefusal, irc::ReplyText(line.params));
}

// 433, nick in use: while registering, the second nick is tried once.
void OnNickInUse(HandlerContext& context, const irc::ServerLine& line) {
    context.output.Print(0, core::LineStyle::NickInUse, irc::ReplyText(line.params));
    core::Settings& settings = context.config.settings();
    // Retrying the refused nick would have the server and the client loop until the client is
    // thrown out for flooding.
    if (context.link.SocketState() != 7 || context.config.flags().LoggedOn ||
        platform::EqualsNoCase(settings.BackName, settings.NickName)) {
        return;
    }
    context.runner.SendCommand2Serv("/NICK " + settings.BackName);
    settings.NickName = settings.BackName;
}

void PrintJoinError(HandlerContext& context, const std::string& text) {
    const int slot = context.panes.CurVisible();
    context.output.Print(slot, core::LineStyle::JoinError, text);
    PrintDashes(context, slot);
}

void OnChannelFull(HandlerContext& context, const irc::ServerLine& line) {
    PrintJoinError(context, "Can't join " + line.Word(3) + ", it's full ! (+L)");
}

void OnInviteOnly(HandlerContext& context, const irc::ServerLine& line) {
    PrintJoinError(context, "Can't join " + line.Word(3) + ", you must be invited in ! (+I)");
}

void OnBanned(HandlerContext& context, const irc::ServerLine& line) {
    PrintJoinError(context, "Can't join " + line.Word(3) + ", you're banned !! (+B)");
}

void OnBadKey(HandlerContext& context, const irc::ServerLine& line) {
    const std::string chan = line.Word(3);
    PrintJoinError(context, "Can't join " + chan +
                                ", it requires the correct password ! (+K) Use /join " + chan +
                                " <password>");
}

void OnMotdLine(HandlerContext& context, const irc::ServerLine& line) {
    context.output.Print(0, core::LineStyle::Plain, "   " + irc::ReplyText(line.params));
}

// 376, end of the message of the day: registration is complete.
void OnEndOfMotd(HandlerContext& context, const irc::ServerLine& line) {
    context.output.Print(0, core::LineStyle::ServerText, irc::ReplyText(line.params));
    PrintDashes(context, 0);
    context.config.flags().LoggedOn = true;

    const core::Settings& settings = context.config.settings();
    std::string letters;
    if (settings.ClientW) {
        letters += 'w';
    }
    if (settings.ClientS) {
        letters += 's';
    }
    if (settings.ClientI) {
        letters += 'i';
    }
    context.runner.SendCommand2Serv("/MODE " + settings.NickName + " +" + letters);
    if (context.config.flags().ShouldJoin) {
        context.link.Send2Serv("JOIN #korbi");
    }
    // Each line runs to its end before the next; a line may change the settings.
    for (std::size_t i = 0; i < core::kCommandTableSlots; ++i) {
        const std::string command = context.config.settings().ExecOnConnect[i];
        if (command.empty()) {
            break;
        }
        context.runner.RunCommandLine(command);
    }
}

// 005: the server names its rank marks; a reply without PREFIX leaves them as they are.
void OnISupport(HandlerContext& context, const irc::ServerLine& line) {
    const irc::PrefixToken prefix = irc::PrefixOf005(irc::WithoutLineEnd(line.params));
    if (prefix.found) {
        context.nicks.SetRankMarks(prefix.marks);
    }
}

void OnListStart(HandlerContext& context, const irc::ServerLine&) {
    context.chanList.ClearChanList();
    context.nicks.SetNickListItems(0, {});
    context.panes.MakeVisible(0);
}

// 322: a reply cut short (no count, no topic) leaves those fields empty, and no line end of it
// reaches a list entry, nor the JOIN a double click sends.
void OnListEntry(HandlerContext& context, const irc::ServerLine& line) {
    std::string params = irc::WithoutLineEnd(line.params);
    std::erase_if(params, [](char c) { return c == '\r' || c == '\n'; });
    const long words = irc::GetNumWords(params);
    const std::string chan = words >= 3 ? irc::GetWord(3, params) : std::string();
    const std::string users = words >= 4 ? irc::GetWord(4, params) : std::string();
    const std::string topic = irc::WithoutColon(irc::WordsFrom(5, params));
    context.nicks.AddNickListItem(0, chan + "  (" + users + ")");
    context.chanList.AddChanListEntry(irc::MakeChanListRow(chan, users, topic));
}

void OnListEnd(HandlerContext& context, const irc::ServerLine&) {
    context.output.Print(0, core::LineStyle::ListEnd, "Channel Listing is over.");
    PrintDashes(context, 0);
}

void OnWhoisUser(HandlerContext& context, const irc::ServerLine& line) {
    const std::string fullName = irc::CutText(irc::JoinedWords(7, line.params), 1, 3);
    context.output.Print(0, core::LineStyle::Information, "Information on " + line.Word(3) + ":");
    context.output.Print(0, core::LineStyle::Information,
                         "User@Host: " + line.Word(4) + "@" + line.Word(5) +
                             "    Name: " + fullName);
}

void OnWhoisServer(HandlerContext& context, const irc::ServerLine& line) {
    const std::string serverInfo = irc::CutText(irc::JoinedWords(5, line.params), 0, 3);
    context.output.Print(0, core::LineStyle::Information,
                         line.Word(3) + " is on server: " + line.Word(4) + "  --  " + serverInfo);
}

void OnUnknownCommand(HandlerContext& context, const irc::ServerLine& line) {
    const int slot = context.panes.CurVisible();
    context.output.Print(slot, core::LineStyle::ServerText,
                         line.Word(3) + " is not a invalid command !");
    PrintDashes(context, slot, " ---");
}

void OnTopicReply(HandlerContext& context, const irc::ServerLine& line) {
    const std::string topic = irc::CutText(irc::JoinedWords(4, line.params), 1, 3);
    const int w = context.panes.FindChanWin(line.Word(3));
    if (w > 0) {
        context.output.SetTopicBar(w, context.panes.WinName(w) + "   " + topic);
    }
}

void OnNames(HandlerContext& context, const irc::ServerLine& line) {
    const std::string chan = line.Word(4);
    // The trailing parameter without its colon, ending where the line end begins, so that
    // the nick list receives exactly the nicks.
    const std::string names =
        irc::WithoutLineEnd(irc::CutText(irc::WordsFrom(5, line.params), 1, 0));
    context.output.Print(0, core::LineStyle::Plain, "Name for " + chan + ": " + names);
    const int w = context.panes.FindChanWin(chan);
    if (w > 0) {
        panes::FillNickList(context.nicks, w, names);
    }
}

constexpr std::array kReplyHandlers{
    HandlerEntry{"001", OnWelcome},        HandlerEntry{"005", OnISupport},
    HandlerEntry{"WALLOPS", OnWallops},    HandlerEntry{"PING", OnPing},
    HandlerEntry{"ERROR", OnError},        HandlerEntry{"513", On513},
    HandlerEntry{"433", OnNickInUse},      HandlerEntry{"471", OnChannelFull},
    HandlerEntry{"473", OnInviteOnly},     HandlerEntry{"474", OnBanned},
    HandlerEntry{"475", OnBadKey},         HandlerEntry{"372", OnMotdLine},
    HandlerEntry{"376", OnEndOfMotd},      HandlerEntry{"321", OnListStart},
    HandlerEntry{"322", OnListEntry},      HandlerEntry{"323", OnListEnd},
    HandlerEntry{"311", OnWhoisUser},      HandlerEntry{"312", OnWhoisServer},
    HandlerEntry{"421", OnUnknownCommand}, HandlerEntry{"332", OnTopicReply},
    HandlerEntry{"353", OnNames},
};

} // namespace

std::span<const HandlerEntry> ReplyHandlers() {
    return kReplyHandlers;
}

} // namespace korbi::session
