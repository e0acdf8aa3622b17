#pragma once
// Every setting the preferences file carries, plus the run-time flags of the main frame.
// The main frame owns one Settings value and hands it by reference to the windows that use
// it; dialogs change it only on OK. Members keep the names the whole program uses.
#include "core/extra_settings.h"

#include <array>
#include <cstddef>
#include <string>

namespace korbi::core {

inline constexpr std::size_t kCommandTableSlots = 51; // ExecOnConnect, AliasTable: slots 0..50
inline constexpr std::size_t kPopupTableSlots = 31;   // PopupTable: slots 0..30

using CommandTable = std::array<std::string, kCommandTableSlots>;
using PopupTableSlots = std::array<std::string, kPopupTableSlots>;

struct Settings {
    // Server window: personal information, user modes and people.
    std::string NickName = "__NoNick";
    std::string BackName = "_NoNick_";
    std::string RealName = "--=== KorBi Beta Tester ===--";
    std::string MyUserName = "korbi.user@example.net";
    std::string HostName = "default";
    bool ClientW = false;
    bool ClientS = false;
    bool ClientI = false;
    bool ShowAddress = false;
    bool CheckMail = true;
    std::string Notifys;
    std::string Silences = " *!*@*.example.org";
    int FloodProtDelay = 15;
    std::string QuitMsg = "KorBis blues sur KorBi";
    std::string versionstr = "KorBi 1.0 Official Beta 4 -- Win95/NT";
    bool DisplayIgnores = false;

    // Main frame.
    std::string TitleBarText;
    std::string ServList;
    std::string ServPort = "6660";
    std::string PhotoPict;
    std::string YourDefaultPict;
    std::string OtherDefaultPict;
    bool FetchPics = true;
    bool SendPics = true;
    bool LogServer = false;
    bool LogChan = false;
    bool LogPrivChat = false;
    int Font2Use = 0;
    int NickStyle = 0;

    // Mail checker.
    std::string MailServer = "your.mail.server";
    std::string UserName = "your.username";
    std::string UserPass;
    std::string Sound2Play = "sounds\\horn.wav";

    // Tables: a table ends at its first empty slot.
    CommandTable ExecOnConnect{};
    CommandTable AliasTable{};
    PopupTableSlots PopupTable{};

    // What lies beyond the positional layout.
    ExtraSettings Extras;
};

// Run-time flags of the main frame; never stored.
struct FrameFlags {
    bool IsActive = false;   // the frame is the foreground window
    bool LoggedOn = false;   // from the end of the message of the day until the session ends
    bool ShouldJoin = false; // the preferences file was created with defaults at this start
    bool DebugMode = false;  // the "Debug Mode" check item of the Special menu
    bool Secure = false;     // the connection to the server is encrypted (TLS)
    // The user's "nick!user@host" as the server last showed it (the own JOIN); "" until then.
    // A server relays messages behind it, so it decides how long a message line may be.
    std::string OwnSource;
};

} // namespace korbi::core
