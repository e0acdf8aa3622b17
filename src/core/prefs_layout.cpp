#include "core/prefs_layout.h"

#include <array>

namespace korbi::core {
namespace {

constexpr std::array<std::string_view, 5> kDefaultExecOnConnect = {
    "/JOIN #KorBi",
    "/JOIN #Chat",
    "/pict infomark $me , You are now connected to $server . Enjoy !",
    "/display ---",
    "",
};

constexpr std::array<std::string_view, 3> kDefaultAliases = {
    "HOP /part $chan | /join $chan",
    "BAN /mode $chan +b $$2 | /kick $chan $$1",
    "",
};

// The new file lists five popups and no empty end entry; the two empty lines that close the
// file follow them. "\002" switches bold, "\003" and a number set a palette colour.
constexpr std::array<std::string_view, 5> kDefaultPopups = {
    "Slap! /me slaps $$1 around with a large ball with bloody spikes on them..",
    "Slam! /me slams a 500 lb unix manual on $$1 's head. That gotta hurt... but then again... "
    "where there's no sense... there's no feeling!",
    "- ",
    "Hugs! /say {{{{{{{{{{{{{{{{ $*1 }}}}}}}}}}}}}}}",
    "SuperHug! /say \00313.:*~*:._.:*~*:._.:*~*:._.:*~*:. | /say \00313:                   : | "
    "/say \00313:   \002\0034{{{ $$1 }}}\002\00313   : | /say \00313:                   : | "
    "/say \00313':*~*:._.:*~*:._.:*~*:._.:*~*:.'",
};

constexpr PrefsLine Comment(std::string_view text) {
    return {LineKind::Comment, text, text};
}
constexpr PrefsLine Header(std::string_view text) {
    return {LineKind::Header, text, text};
}
constexpr PrefsLine Header(std::string_view newText, std::string_view savedText) {
    return {LineKind::Header, newText, savedText};
}
constexpr PrefsLine Empty() {
    return {LineKind::Empty, "", ""};
}

constexpr PrefsLine Text(std::string Settings::*member, std::string_view defaultText) {
    PrefsLine line{LineKind::Text, defaultText, ""};
    line.text = member;
    return line;
}

constexpr PrefsLine List(std::string Settings::*member, std::string_view defaultText) {
    PrefsLine line = Text(member, defaultText);
    line.isList = true;
    return line;
}

constexpr PrefsLine Flag(bool Settings::*member, std::string_view defaultText) {
    PrefsLine line{LineKind::Flag, defaultText, ""};
    line.flag = member;
    return line;
}

constexpr PrefsLine Number(int Settings::*member, std::string_view defaultText) {
    PrefsLine line{LineKind::Number, defaultText, ""};
    line.number = member;
    return line;
}

constexpr PrefsLine Commands(CommandTable Settings::*member,
                             std::span<const std::string_view> entries) {
    PrefsLine line{LineKind::Table, "", ""};
    line.commands = member;
    line.defaultEntries = entries;
    return line;
}

constexpr PrefsLine Popups(PopupTableSlots Settings::*member,
                           std::span<const std::string_view> entries) {
    PrefsLine line{LineKind::Table, "", ""};
    line.popups = member;
    line.defaultEntries = entries;
    return line;
}

constexpr PrefsLine ServerLine(LineKind kind, std::string Settings::*member,
                               std::string_view defaultText) {
    PrefsLine line{kind, defaultText, ""};
    line.text = member;
    line.isList = kind == LineKind::ServerList;
    return line;
}

using S = Settings;

constexpr auto kLayout = std::to_array<PrefsLine>({
    Comment(";Preferences File .. Do not delete any lines or KorBi won't work anymore !"), // 1
    {LineKind::Created, ";Created ", ""},                                                  // 2
    Header("[Personnal Info Info (nick,name,email)]"),
    Text(&S::NickName, "__NoNick"),
    Text(&S::BackName, "_NoNick_"),
    Text(&S::RealName, "--=== KorBi Beta Tester ===--"),
    Text(&S::MyUserName, "korbi.user@example.net"),
    Flag(&S::ClientW, "0"),
    Flag(&S::ClientS, "0"),
    Flag(&S::ClientI, "0"), // 10
    Empty(),
    Header("[Server List and Port]"),
    ServerLine(LineKind::ServerList, &S::ServList,
               "irc.dal.net us.dal.net broadway.ny.us.dal.net rumble.fl.us.dal.net "
               "powertech.no.eu.dal.net hotspeed.sg.as.dal.net mesra.kl.my.dal.net"),
    ServerLine(LineKind::ServerPort, &S::ServPort, "6660"),
    Empty(),
    Header("[People (notify and ignore list)]", "[People (notify list)]"),
    List(&S::Notifys, ""),
    List(&S::Silences, " *!*@*.example.org"),
    Empty(),
    Header("[Misc Prefs]"), // 20
    Text(&S::PhotoPict, ""),
    Text(&S::YourDefaultPict, ""),
    Text(&S::OtherDefaultPict, ""),
    Flag(&S::FetchPics, "1"),
    Flag(&S::SendPics, "1"),
    Flag(&S::LogServer, "0"),
    Flag(&S::LogChan, "0"),
    Flag(&S::LogPrivChat, "0"),
    Number(&S::Font2Use, "0"),
    Number(&S::NickStyle, "0"), // 30
    Number(&S::FloodProtDelay, "15"),
    Text(&S::TitleBarText, ""),
    Flag(&S::ShowAddress, "0"),
    Empty(),
    Header("[Mail Prefs]"),
    Text(&S::MailServer, "your.mail.server"),
    Text(&S::UserName, "your.username"),
    Text(&S::UserPass, ""),
    Text(&S::Sound2Play, "sounds\\horn.wav"),
    Flag(&S::CheckMail, "1"), // 40
    Empty(),
    Header("[Execute On Connect]"),
    Commands(&S::ExecOnConnect, kDefaultExecOnConnect), // 43 and the lines it counts
    Empty(),
    Header("[Aliases]"),
    Commands(&S::AliasTable, kDefaultAliases),
    Empty(),
    Header("[PopUps]"),
    Popups(&S::PopupTable, kDefaultPopups),
    {LineKind::Tail, "", ""},
    {LineKind::NewFileTail, "", ""},
});

} // namespace

std::span<const PrefsLine> PrefsLayout() {
    return kLayout;
}

std::span<std::string> TableSlots(Settings& settings, const PrefsLine& line) {
    if (line.commands != nullptr) {
        return settings.*line.commands;
    }
    if (line.popups != nullptr) {
        return settings.*line.popups;
    }
    return {};
}

std::span<const std::string> TableSlots(const Settings& settings, const PrefsLine& line) {
    if (line.commands != nullptr) {
        return settings.*line.commands;
    }
    if (line.popups != nullptr) {
        return settings.*line.popups;
    }
    return {};
}

} // namespace korbi::core
