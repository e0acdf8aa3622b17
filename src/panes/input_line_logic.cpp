#include "panes/input_line_logic.h"

#include "commands/builtins.h"
#include "irc/message_split.h"
#include "platform/text_values.h"

#include <algorithm>
#include <utility>

namespace korbi::panes {

namespace {

constexpr int SocketConnected = 7;

// The last four bytes of a path, upper-cased (the whole path when it is shorter).
std::string Extension(const std::string& path) {
    return platform::UpperAscii(path.size() > 4 ? path.substr(path.size() - 4) : path);
}

void SayInPane(const InputLineRoles& roles, int slot, const std::string& T) {
    const core::Settings& settings = roles.config.settings();
    if (!settings.YourDefaultPict.empty()) {
        roles.runner.SendCommand2Serv("/PICT " + settings.YourDefaultPict + " " + T);
        return;
    }
    const std::string target = roles.panes.WinName(slot);
    for (const std::string& part : irc::SplitMessage(
             "PRIVMSG", target, T, irc::RelayPrefixBytes(roles.config.flags().OwnSource))) {
        roles.output.Print(slot, core::LineStyle::OwnText,
                           commands::OwnEchoPrefix(settings.NickName, settings.NickStyle) + part);
        roles.link.Send2Serv("PRIVMSG " + target + " :" + part);
    }
}

// A raw line cannot go anywhere without a connection: it is shown instead, so the user sees it
// was not sent, and the socket is not touched.
void SendRawLine(const InputLineRoles& roles, const std::string& T) {
    if (roles.link.SocketState() != SocketConnected) {
        roles.runner.SendCommand2Serv("/DISPLAY " + T);
        return;
    }
    roles.link.SendRaw(T + "\r\n");
}

// The input line is one line, but a paste can bring line breaks into it: they become blanks,
// so that no part of a pasted text reaches the server as a protocol line of its own.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

char FormattingCode(int key) {
    switch (key) {
    case 2:
        return 2;
    case 11:
        return 3;
    case 21:
        return 31;
    case 9:
        return 22;
    default:
        return 0;
    }
}

InputLineText InsertAtCaret(const InputLineText& line, char code) {
    const std::size_t caret = std::min(line.caret, line.text.size());
    std::string text = line.text;
    text.insert(caret, 1, code);
    return {std::move(text), caret + 1};
}

void EnterLine(const InputLineRoles& roles, int slot, const std::string& typed) {
    const std::string T = OneLine(typed);
    if (!T.empty() && T.front() == '/') {
        roles.runner.SendCommand2Serv(T);
    } else if (slot > 0) {
        SayInPane(roles, slot, T);
    } else {
        SendRawLine(roles, T);
    }
}

std::optional<std::string> InputBox_KeyPress(int& key, InputLineText& line) {
    if (const char code = FormattingCode(key); code != 0) {
        line = InsertAtCaret(line, code);
        key = 0;
        return std::nullopt;
    }
    if (key != KeyEnter) {
        return std::nullopt;
    }
    key = 0;
    line.caret = 0;
    return std::exchange(line.text, {});
}

void TextViewWin_OLEDragDrop(const InputLineRoles& roles, int slot,
                             const std::vector<std::string>& files) {
    if (files.empty()) {
        return;
    }
    const std::string& F = files.front();
    const std::string extension = Extension(F);
    if (extension == ".TXT") {
        roles.media.PlayTextFile(F, slot);
    } else if (extension == ".WAV") {
        roles.output.Print(slot, core::LineStyle::Sound, roles.config.settings().NickName);
        roles.link.Send2Serv("PRIVMSG " + roles.panes.WinName(slot) + " :\x01SOUND " +
                             F.substr(0, F.size() - 4) + "\x01");
        roles.media.PlaySound(F);
    }
}

} // namespace korbi::panes
