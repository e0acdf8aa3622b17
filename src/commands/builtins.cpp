#include "commands/builtins.h"

#include "commands/media_names.h"
#include "irc/message_parsing.h"
#include "irc/message_split.h"
#include "irc/words.h"
#include "platform/text_values.h"

#include <functional>

namespace korbi::commands {

namespace {

using irc::AfterFirstWord;
using irc::FirstWord;

constexpr char CtcpMark = '\x01';

// P without the blank that leads it: the text whose words are "the first word" and "the rest".
std::string Tail(const std::string& P) {
    return P.empty() ? std::string() : P.substr(1);
}

// Each word after the first, each followed by one blank; "" when there is none.
std::string LaterWords(const std::string& text) {
    const std::size_t blank = text.find(' ');
    return blank == std::string::npos ? std::string() : text.substr(blank + 1) + " ";
}

std::string DropFront(const std::string& text, std::size_t count) {
    return count >= text.size() ? std::string() : text.substr(count);
}

std::string CurrentWindowName(const CommandRoles& host) {
    return host.panes.WinName(host.panes.CurVisible());
}

void Echo(const CommandRoles& host, core::LineStyle style, const std::string& text) {
    host.output.Print(host.panes.CurVisible(), style, text);
}

void Echo(const CommandRoles& host, core::LineStyle style, const std::string& picture,
          const std::string& text) {
    host.output.Print(host.panes.CurVisible(), style, picture, text);
}

std::string OwnPrefix(const CommandRoles& host) {
    return OwnEchoPrefix(host.config.settings().NickName, host.config.settings().NickStyle);
}

// A channel name as JOIN and PART take it: "#" is put in front unless it starts with # or &.
std::string ChannelName(const std::string& text) {
    if (!text.empty() && (text.front() == '#' || text.front() == '&')) {
        return text;
    }
    return "#" + text;
}

// Sends "<command> <target> :<text>" in as many lines as the server needs, each part handed to
// echo after it went.
void SendInParts(const CommandRoles& host, std::string_view command, const std::string& target,
                 const std::string& text,
                 const std::function<void(const std::string& part)>& echo = {}) {
    for (const std::string& part : irc::SplitMessage(
             command, target, text, irc::RelayPrefixBytes(host.config.flags().OwnSource))) {
        host.link.Send2Serv(std::string(command) + " " + target + " :" + part);
        if (echo) {
            echo(part);
        }
    }
}

void Say(const CommandRoles& host, const std::string& P) {
    SendInParts(host, "PRIVMSG", CurrentWindowName(host), P, [&](const std::string& part) {
        Echo(host, core::LineStyle::OwnText, OwnPrefix(host) + part);
    });
}

void Clear(const CommandRoles& host, const std::string&) {
    host.output.ClearTextWin(host.panes.CurVisible());
}

void Play(const CommandRoles& host, const std::string& P) {
    host.media.PlayTextFile(Tail(P), host.panes.CurVisible());
}

// The text is shown but not sent; others only get the sound's name without ".WAV".
void Sound(const CommandRoles& host, const std::string& P) {
    const std::string words = Tail(P);
    const std::string sound = WithWavExtension(FirstWord(words));
    Echo(host, core::LineStyle::Sound, host.config.settings().NickName + " " + LaterWords(words));
    host.link.Send2Serv("PRIVMSG " + CurrentWindowName(host) + " :" + CtcpMark + "SOUND " +
                        sound.substr(0, sound.size() - 4) + CtcpMark);
    host.media.PlaySound("SOUNDS\\" + sound);
}

// Others learn the picture first, so that the line that follows can be shown with it. The
// server pane has nobody to send to (the greeting of the default execute-on-connect list runs
// there): the line is only shown, as a PRIVMSG to no target would earn an error.
void Pict(const CommandRoles& host, const std::string& P) {
    const std::string words = Tail(P);
    std::string picture = FirstWord(words);
    if (platform::UpperAscii(picture) == "$PHOTO") {
        picture = host.config.settings().PhotoPict;
    }
    const std::string text = LaterWords(words);
    const std::string target = CurrentWindowName(host);
    if (!target.empty()) {
        host.link.Send2Serv("PRIVMSG " + target + " :" + CtcpMark + "PICT " + picture + CtcpMark);
    }
    Echo(host, core::LineStyle::UserMessage, "PICTS\\" + picture, OwnPrefix(host) + text);
    if (!target.empty()) {
        host.link.Send2Serv("PRIVMSG " + target + " :" + text);
    }
}

void Join(const CommandRoles& host, const std::string& P) {
    host.link.Send2Serv("JOIN " + ChannelName(Tail(P)));
}

void Part(const CommandRoles& host, const std::string& P) {
    host.link.Send2Serv("PART " + ChannelName(Tail(P)));
}

void Raw(const CommandRoles& host, const std::string& P) {
    Echo(host, core::LineStyle::ServerText, "Sent to server: " + P);
    host.link.Send2Serv(P);
}

void Quit(const CommandRoles& host, const std::string& P) {
    host.link.Send2Serv("QUIT :" + Tail(P));
}

void Nick(const CommandRoles& host, const std::string& P) {
    host.link.Send2Serv("NICK" + P);
}

// The text keeps the blank that followed the target.
void Notice(const CommandRoles& host, const std::string& P) {
    const std::string target = FirstWord(Tail(P));
    SendInParts(host, "NOTICE", target, DropFront(P, target.size() + 1));
}

void Ctcp(const CommandRoles& host, const std::string& P) {
    const std::string words = Tail(P);
    host.link.Send2Serv("PRIVMSG " + FirstWord(words) + " :" + CtcpMark + AfterFirstWord(words) +
                        CtcpMark);
}

void Me(const CommandRoles& host, const std::string& P) {
    host.link.Send2Serv("PRIVMSG " + CurrentWindowName(host) + " :" + CtcpMark + "ACTION " +
                        Tail(P) + CtcpMark);
    Echo(host, core::LineStyle::Action, host.config.settings().NickName + " " + P);
}

// Brings the private pane of a nick forward, opening it (and its log) when there is none.
void Query(const CommandRoles& host, const std::string& P) {
    const std::string nick = FirstWord(Tail(P));
    if (nick.empty()) {
        return; // a pane without a name could never be addressed or found again
    }
    if (const int slot = host.panes.FindChanWin(nick); slot > 0) {
        host.panes.MakeVisible(slot);
        return;
    }
    const int slot = host.panes.OpenChanWin(nick, true);
    if (slot > 0 && host.config.settings().LogPrivChat && !host.logs.LogOpen(slot)) {
        host.logs.OpenLog(slot);
    }
}

// Lines record the picture names PrintCoul drew them with, so the typed name is made into one.
void UpdatePict(const CommandRoles& host, const std::string& P) {
    host.media.RefreshPict(LinePictureName(FirstWord(Tail(P))));
}

// The text starts after the target and the blank behind it; with nothing after the target the
// whole parameter text goes (so "/MSG bob" sends " bob" to bob).
void Msg(const CommandRoles& host, const std::string& P) {
    const std::string target = FirstWord(Tail(P));
    const std::size_t skip = target.size() + 2;
    SendInParts(host, "PRIVMSG", target, P.size() > skip ? P.substr(skip) : P);
}

// Without a port the one shown in the server window is kept.
void Server(const CommandRoles& host, const std::string& P) {
    const std::string port = irc::GetNumWords(P) >= 3 ? irc::GetWord(3, P) : "";
    host.link.ConnectToServer(irc::GetWord(2, P), port);
}

void Display(const CommandRoles& host, const std::string& P) {
    Echo(host, core::LineStyle::Plain, P);
}

void DisPict(const CommandRoles& host, const std::string& P) {
    const std::string words = Tail(P);
    Echo(host, core::LineStyle::Plain, FirstWord(words), LaterWords(words));
}

constexpr std::array<BuiltinCommand, 19> Builtins{{
    {"SAY", {}, Say},
    {"CLEAR", {}, Clear},
    {"PLAY", {"PLAYFILE"}, Play},
    {"SOUND", {}, Sound},
    {"PICT", {"PIC"}, Pict},
    {"JOIN", {"J", "CHAN"}, Join},
    {"PART", {"LEAVE"}, Part},
    {"RAW", {"QUOTE", "VERBOSE"}, Raw},
    {"QUIT", {}, Quit},
    {"NICK", {}, Nick},
    {"NOTICE", {}, Notice},
    {"CTCP", {}, Ctcp},
    {"ME", {}, Me},
    {"QUERY", {"PRIV", "PRIVATE", "TALKTO"}, Query},
    {"UPDATEPICT", {}, UpdatePict},
    {"MSG", {}, Msg},
    {"SERVER", {}, Server},
    {"DISPLAY", {}, Display},
    {"DISPICT", {}, DisPict},
}};

bool Names(const BuiltinCommand& command, std::string_view C) {
    if (command.name == C) {
        return true;
    }
    for (const std::string_view synonym : command.synonyms) {
        if (!synonym.empty() && synonym == C) {
            return true;
        }
    }
    return false;
}

} // namespace

const BuiltinCommand* FindBuiltin(std::string_view C) {
    for (const BuiltinCommand& command : Builtins) {
        if (Names(command, C)) {
            return &command;
        }
    }
    return nullptr;
}

std::string OwnEchoPrefix(std::string_view NickName, int NickStyle) {
    const std::string nick(NickName);
    switch (NickStyle) {
    case 0:
        return nick + " -> ";
    case 1:
        return "<" + nick + "> ";
    case 2:
        return nick + ": ";
    default:
        return {};
    }
}

std::string LinePictureName(std::string_view name) {
    std::string path = "PICTS\\" + std::string(name);
    if (platform::UpperAscii(path.substr(path.size() - 4)) != ".BMP") {
        path += ".BMP";
    }
    return path;
}

} // namespace korbi::commands
