#include "commands/builtins.h"

#include "commands/media_names.h"
#include "irc/message_parsing.h"
#include "irc/words.h"
#include "platform/text_values.h"

namespace korbi::commands {

namespace {

using core::ClientHost;
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

std::string CurrentWindowName(const ClientHost& host) {
    return host.WinName(host.CurVisible());
}

void Echo(ClientHost& host, const std::string& picture, int red, int green, int blue,
          const std::string& text) {
    host.PrintCoul(host.CurVisible(), picture, red, green, blue, text);
}

std::string OwnPrefix(ClientHost& host) {
    return OwnEchoPrefix(host.settings().NickName, host.settings().NickStyle);
}

// A channel name as JOIN and PART take it: "#" is put in front unless it starts with # or &.
std::string ChannelName(const std::string& text) {
    if (!text.empty() && (text.front() == '#' || text.front() == '&')) {
        return text;
    }
    return "#" + text;
}

void Say(ClientHost& host, const std::string& P) {
    host.Send2Serv("PRIVMSG " + CurrentWindowName(host) + " :" + P);
    Echo(host, "", 20, 50, 50, OwnPrefix(host) + P);
}

void Clear(ClientHost& host, const std::string&) {
    host.ClearTextWin(host.CurVisible());
}

void Play(ClientHost& host, const std::string& P) {
    host.PlayTextFile(Tail(P), host.CurVisible());
}

// The text is shown but not sent; others only get the sound's name without ".WAV".
void Sound(ClientHost& host, const std::string& P) {
    const std::string words = Tail(P);
    const std::string sound = WithWavExtension(FirstWord(words));
    Echo(host, "PICTS\\EVSOUND", 96, 64, 192, host.settings().NickName + " " + LaterWords(words));
    host.Send2Serv("PRIVMSG " + CurrentWindowName(host) + " :" + CtcpMark + "SOUND " +
                   sound.substr(0, sound.size() - 4) + CtcpMark);
    host.PlaySound("SOUNDS\\" + sound);
}

// Others learn the picture first, so that the line that follows can be shown with it.
void Pict(ClientHost& host, const std::string& P) {
    const std::string words = Tail(P);
    std::string picture = FirstWord(words);
    if (platform::UpperAscii(picture) == "$PHOTO") {
        picture = host.settings().PhotoPict;
    }
    const std::string text = LaterWords(words);
    const std::string target = CurrentWindowName(host);
    host.Send2Serv("PRIVMSG " + target + " :" + CtcpMark + "PICT " + picture + CtcpMark);
    Echo(host, "PICTS\\" + picture, 64, 64, 64, OwnPrefix(host) + text);
    host.Send2Serv("PRIVMSG " + target + " :" + text);
}

void Join(ClientHost& host, const std::string& P) {
    host.Send2Serv("JOIN " + ChannelName(Tail(P)));
}

void Part(ClientHost& host, const std::string& P) {
    host.Send2Serv("PART " + ChannelName(Tail(P)));
}

void Raw(ClientHost& host, const std::string& P) {
    Echo(host, "PICTS\\SERVMSG", 0, 0, 0, "Sent to server: " + P);
    host.Send2Serv(P);
}

void Quit(ClientHost& host, const std::string& P) {
    host.Send2Serv("QUIT :" + Tail(P));
}

void Nick(ClientHost& host, const std::string& P) {
    host.Send2Serv("NICK" + P);
}

// The text keeps the blank that followed the target.
void Notice(ClientHost& host, const std::string& P) {
    const std::string target = FirstWord(Tail(P));
    host.Send2Serv("NOTICE " + target + " :" + DropFront(P, target.size() + 1));
}

void Ctcp(ClientHost& host, const std::string& P) {
    const std::string words = Tail(P);
    host.Send2Serv("PRIVMSG " + FirstWord(words) + " :" + CtcpMark + AfterFirstWord(words) +
                   CtcpMark);
}

void Me(ClientHost& host, const std::string& P) {
    host.Send2Serv("PRIVMSG " + CurrentWindowName(host) + " :" + CtcpMark + "ACTION " + Tail(P) +
                   CtcpMark);
    Echo(host, "PICTS\\EVACTION", 128, 64, 0, host.settings().NickName + " " + P);
}

// Brings the private pane of a nick forward, opening it (and its log) when there is none.
void Query(ClientHost& host, const std::string& P) {
    const std::string nick = FirstWord(Tail(P));
    if (nick.empty()) {
        return; // a pane without a name could never be addressed or found again
    }
    if (const int slot = host.FindChanWin(nick); slot > 0) {
        host.MakeVisible(slot);
        return;
    }
    const int slot = host.OpenChanWin(nick, true);
    if (slot > 0 && host.settings().LogPrivChat && !host.LogOpen(slot)) {
        host.OpenLog(slot);
    }
}

// Lines record the picture names PrintCoul drew them with, so the typed name is made into one.
void UpdatePict(ClientHost& host, const std::string& P) {
    host.RefreshPict(LinePictureName(FirstWord(Tail(P))));
}

// The text starts after the target and the blank behind it; with nothing after the target the
// whole parameter text goes (so "/MSG bob" sends " bob" to bob).
void Msg(ClientHost& host, const std::string& P) {
    const std::string target = FirstWord(Tail(P));
    const std::size_t skip = target.size() + 2;
    const std::string text = P.size() > skip ? P.substr(skip) : P;
    host.Send2Serv("PRIVMSG " + target + " :" + text);
}

// Without a port the one shown in the server window is kept.
void Server(ClientHost& host, const std::string& P) {
    const std::string port = irc::GetNumWords(P) >= 3 ? irc::GetWord(3, P) : "";
    host.ConnectToServer(irc::GetWord(2, P), port);
}

void Display(ClientHost& host, const std::string& P) {
    Echo(host, "", 0, 0, 0, P);
}

void DisPict(ClientHost& host, const std::string& P) {
    const std::string words = Tail(P);
    Echo(host, FirstWord(words), 0, 0, 0, LaterWords(words));
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
