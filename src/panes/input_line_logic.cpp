#include "panes/input_line_logic.h"

#include "commands/builtins.h"
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

void SayInPane(core::ClientHost& host, int slot, const std::string& T) {
    const core::Settings& settings = host.settings();
    if (!settings.YourDefaultPict.empty()) {
        host.SendCommand2Serv("/PICT " + settings.YourDefaultPict + " " + T);
        return;
    }
    host.PrintCoul(slot, "", 20, 50, 50,
                   commands::OwnEchoPrefix(settings.NickName, settings.NickStyle) + T);
    host.Send2Serv("PRIVMSG " + host.WinName(slot) + " :" + T);
}

// A raw line cannot go anywhere without a connection: it is shown instead, so the user sees it
// was not sent, and the socket is not touched.
void SendRawLine(core::ClientHost& host, const std::string& T) {
    if (host.SocketState() != SocketConnected) {
        host.SendCommand2Serv("/DISPLAY " + T);
        return;
    }
    host.SendRaw(T + "\r\n");
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

void EnterLine(core::ClientHost& host, int slot, const std::string& typed) {
    const std::string T = OneLine(typed);
    if (!T.empty() && T.front() == '/') {
        host.SendCommand2Serv(T);
    } else if (slot > 0) {
        SayInPane(host, slot, T);
    } else {
        SendRawLine(host, T);
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

void TextViewWin_OLEDragDrop(core::ClientHost& host, int slot,
                             const std::vector<std::string>& files) {
    if (files.empty()) {
        return;
    }
    const std::string& F = files.front();
    const std::string extension = Extension(F);
    if (extension == ".TXT") {
        host.PlayTextFile(F, slot);
    } else if (extension == ".WAV") {
        host.PrintCoul(slot, "PICTS\\EVSOUND", 96, 64, 192, host.settings().NickName);
        host.Send2Serv("PRIVMSG " + host.WinName(slot) + " :\x01SOUND " +
                       F.substr(0, F.size() - 4) + "\x01");
        host.PlaySound(F);
    }
}

} // namespace korbi::panes
