// The receive path as the server window drives it: arrivals of arbitrary bytes, cut at
// arbitrary places, go through the line framer into the dispatcher, over a host that keeps
// its panes and nick lists as the windows would.
//
// Input: a first line of options, then the bytes the server sends. Option byte 0 switches
// settings (bit 0 debug mode, 1 show address, 2 display ignores, 3 log channels, 4 log private
// chats, 5 logged on, 6 large arrivals, 7 the framer against the oracle alone); the rest of the
// line is added to the ignore masks, and the whole line seeds the arrival sizes.
//
// Two modes. The first runs everything on arbitrary bytes and checks for crashes and broken
// rules. The second holds the framer to an oracle: the whole stream cut into lines the obvious
// way, independently of how it arrives; every line the oracle finds must come out of the framer,
// in order and with the same bytes, whatever the arrival sizes. A line that loses a byte, or is
// lost whole, is caught there.
#include "checking_host.h"
#include "fuzz_support.h"
#include "irc/line_framer.h"
#include "irc/server_line.h"
#include "irc/words.h"
#include "session/dispatcher.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using korbi::fuzz::Require;

constexpr std::size_t kMaxPending = 512;

// The framer's rules written the slow, obvious way, to compare the fast one against.
class ReferenceFramer {
  public:
    void Feed(std::string_view arrival, std::vector<std::string>& lines) {
        if (m_orphanLineFeed && !arrival.empty()) {
            if (arrival.front() == '\n') {
                arrival.remove_prefix(1);
            }
            m_orphanLineFeed = false;
        }
        m_pending += arrival;
        for (std::size_t cr = m_pending.find('\r'); cr != std::string::npos;
             cr = m_pending.find('\r')) {
            const bool lineFeedFollows = cr + 1 < m_pending.size() && m_pending[cr + 1] == '\n';
            const std::size_t end = lineFeedFollows ? cr + 2 : cr + 1;
            m_orphanLineFeed = cr + 1 == m_pending.size();
            if (!m_skipping) {
                lines.push_back(m_pending.substr(0, end));
            }
            m_skipping = false;
            m_pending.erase(0, end);
        }
        if (m_skipping || m_pending.size() > kMaxPending) {
            m_skipping = true;
            m_pending.clear();
        }
    }

  private:
    std::string m_pending;
    bool m_orphanLineFeed = false;
    bool m_skipping = false;
};

// The oracle: a stream cut into lines without regard to arrivals. A line ends at each carriage
// return, and a line feed right after it belongs to it. Bytes after the last one wait.
struct SplitStream {
    std::vector<std::string> lines;
    std::vector<std::size_t> carriageReturns; // where the carriage return of each line stands
    std::string rest;
};

SplitStream SplitIntoLines(std::string_view stream) {
    SplitStream split;
    std::size_t start = 0;
    for (std::size_t cr = stream.find('\r'); cr != std::string_view::npos;
         cr = stream.find('\r', start)) {
        const std::size_t end = cr + 1 < stream.size() && stream[cr + 1] == '\n' ? cr + 2 : cr + 1;
        split.lines.emplace_back(stream.substr(start, end - start));
        split.carriageReturns.push_back(cr);
        start = end;
    }
    split.rest = stream.substr(start);
    return split;
}

// Feeds the stream to the framer in arrivals of sizes from sizes and holds what it hands on to
// the oracle. The one allowed difference: a carriage return that ended an arrival ends its line
// at once, and the line feed that starts the next arrival is dropped.
void CheckFramerAgainstOracle(std::string_view stream, korbi::fuzz::Sequence& sizes) {
    korbi::irc::LineFramer framer(std::max(korbi::irc::LineFramer::kMaxPending, stream.size() + 1));
    const SplitStream oracle = SplitIntoLines(stream);
    std::vector<std::string> framed;
    std::vector<bool> endsArrival(stream.size() + 1, false);
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t take = std::min(stream.size() - at, 1 + sizes.Below(40));
        framer.Feed(stream.substr(at, take),
                    [&](const std::string& line) { framed.push_back(line); });
        at += take;
        endsArrival[at] = true;
    }
    Require(framed.size() == oracle.lines.size(), "the framer hands on every line of the stream");
    for (std::size_t i = 0; i < framed.size(); ++i) {
        const std::string& expected = oracle.lines[i];
        const bool lineFeedDropped = endsArrival[oracle.carriageReturns[i] + 1] &&
                                     expected.ends_with("\r\n") && framed[i] + "\n" == expected;
        Require(framed[i] == expected || lineFeedDropped,
                "the framer hands on each line with its bytes", framed[i]);
    }
    Require(framer.Pending() == oracle.rest, "the framer keeps what follows the last line");
}

// Whether a received line holds no line feed or NUL before the carriage return that ends it.
// The dispatcher is checked on its own here: the server window cuts any such byte out of what
// it sends, but the handlers pass received words on as they are ("PING x\n\r" gives
// "PONG x\n\r\n").
bool NoBreakBeforeItsEnd(std::string_view line, std::size_t cr) {
    return line.substr(0, cr).find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos;
}

// The words a parsed line carries are the words GetWord finds in its parameters.
void CheckParsedWords(std::string_view received) {
    const korbi::irc::ServerLine line = korbi::irc::ParseServerLine(received);
    for (long n = -1; n <= line.NumWords() + 1; ++n) {
        Require(line.Word(n) == korbi::irc::GetWord(n, line.params),
                "a parsed line's word is the word of its parameters", line.line);
    }
}

void Configure(korbi::fuzz::CheckingHost& host, std::string_view options) {
    const auto bits = options.empty() ? 0u : static_cast<unsigned char>(options.front());
    auto& settings = host.settingsValue;
    settings.NickName = "Me";
    settings.BackName = "Me_";
    settings.Notifys = " ann bob";
    settings.Silences = " *!*@*.evil " + std::string(options.substr(options.empty() ? 0 : 1));
    settings.ExecOnConnect[0] = "/join #x";
    settings.ExecOnConnect[1] = "/msg $chan hello $me";
    settings.AliasTable[0] = "hop /part $chan|/join $chan";
    host.flagsValue.DebugMode = (bits & 1) != 0;
    settings.ShowAddress = (bits & 2) != 0;
    settings.DisplayIgnores = (bits & 4) != 0;
    settings.LogChan = (bits & 8) != 0;
    settings.LogPrivChat = (bits & 16) != 0;
    host.flagsValue.LoggedOn = (bits & 32) != 0;
    host.files.insert("PICTS\\HAVE.BMP");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view stream = korbi::fuzz::AsText(data, size);
    const std::string_view options = korbi::fuzz::TakeLine(stream);

    if (!options.empty() && (options.front() & 128) != 0) {
        korbi::fuzz::Sequence sizes(options);
        CheckFramerAgainstOracle(stream, sizes);
        return 0;
    }

    korbi::fuzz::CheckingHost host;
    host.checkPeerFiles = true;
    host.checkSentLines = true;
    Configure(host, options);
    std::int64_t now = 0;
    korbi::session::Dispatcher dispatcher(host.Roles(), [&now] { return now; });
    korbi::irc::LineFramer framer(kMaxPending);
    ReferenceFramer reference;
    korbi::fuzz::Sequence sizes(options);
    const bool large = !options.empty() && (options.front() & 64) != 0;

    std::vector<std::string> expected;
    std::size_t handed = 0;
    const auto onLine = [&](const std::string& line) {
        Require(handed < expected.size() && line == expected[handed],
                "the framer hands on the lines of the plain reading");
        ++handed;
        const std::size_t cr = line.find('\r');
        Require(cr != std::string::npos &&
                    (cr + 1 == line.size() || (cr + 2 == line.size() && line.back() == '\n')),
                "a line ends at its first carriage return, with the line feed after it");
        host.ForgetRecords();
        // A line break the server put inside a line (a name, a topic) may go back to it, then
        // or later; until the server sends one, the client must add none.
        host.checkSentLines = host.checkSentLines && NoBreakBeforeItsEnd(line, cr);
        CheckParsedWords(line);
        dispatcher.Process_MSG(line);
        host.CheckPanes();
    };
    while (!stream.empty()) {
        const std::size_t take = std::min(stream.size(), 1 + sizes.Below(large ? 700 : 40));
        const std::string_view arrival = stream.substr(0, take);
        stream.remove_prefix(take);
        expected.clear();
        handed = 0;
        reference.Feed(arrival, expected);
        framer.Feed(arrival, onLine);
        Require(handed == expected.size(), "the framer hands on every complete line");
        Require(framer.PendingSize() <= kMaxPending, "the receive buffer stays bounded");
        now += static_cast<std::int64_t>(sizes.Below(1500));
        dispatcher.FloodCheck_Timer();
    }
    return 0;
}
