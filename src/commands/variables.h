#pragma once
// "$" variables: the words of an alias, popup or execute-on-connect line that are replaced by
// the nick, the current window, the parameters and a few other values before the line runs.
// Pure text work: everything that comes from windows, sockets or the clock is handed in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::commands {

// A reading of the local clock, so that callers (and tests) decide what "now" is.
struct DateTime {
    int year = 1970;
    int month = 1; // 1 to 12
    int day = 1;   // 1 to 31
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;
};

// The local time of day and date as the clock of this machine reads them now.
DateTime CurrentDateTime();

// "hh:mm:ss" on a 24-hour clock and "mm-dd-yyyy", never the locale's formats.
std::string TimeText(const DateTime& when);
std::string DateText(const DateTime& when);

// The values the variables stand for, gathered by the caller at the moment of expansion.
struct VariableContext {
    std::string params{};    // parameter text: each parameter preceded by one blank
    std::string nick{};      // $NICK; the alias, popup and command-line runners leave it empty
    std::string chan{};      // $CHAN: WinName(CurVisible)
    std::string NickName{};  // $ME
    std::string PhotoPict{}; // $PHOTO
    std::string YourDefaultPict{};  // $YOURDEFPICT
    std::string OtherDefaultPict{}; // $OTHERDEFPICT
    std::string serverName{};       // $SERVER: the caption of TopicBar(0)
    std::string topic{};            // $TOPIC: the caption of TopicBar(CurVisible)
    std::string localIp{};          // $IP: local address of the server connection's socket
    std::string localHost{};        // $HOST: local host name of that socket
    long numUsers = 0;              // $NUMUSER, $MEMBERS: entries of NickList(CurVisible)
    DateTime now{};                 // $TIME, $DATE
};

// Looks up the value of single words; the parameter text is split once, up front.
class VariableExpander {
  public:
    explicit VariableExpander(const VariableContext& context);
    VariableExpander(VariableContext&&) = delete; // it keeps views into the context's texts

    // The value of word when it is a variable (matched without regard to case), else nothing.
    std::optional<std::string> ValueOf(std::string_view word) const;

  private:
    std::string Parameter(std::string_view number) const;
    std::string ParametersFrom(std::string_view number) const;

    const VariableContext& m_context;
    std::vector<std::string_view> m_paramWords;
};

// Replaces every variable word of text. Words are cut at single blanks like GetWord does, and
// each word, replaced or not, is followed by exactly one blank in the result. Values are not
// expanded again, so the result is at most the text plus one value per word.
std::string ExpandVars(std::string_view text, const VariableContext& context);

} // namespace korbi::commands
