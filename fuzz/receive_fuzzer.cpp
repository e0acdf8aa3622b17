// The receive path as the server window drives it: arrivals of arbitrary bytes, cut at
// arbitrary places, go through the line framer into the dispatcher, over a host that keeps
// its panes and nick lists as the windows would.
//
// Input: a first line of options, then the bytes the server sends. Option byte 0 switches
// settings (bit 0 debug mode, 1 show address, 2 display ignores, 3 log channels, 4 log private
// chats, 5 logged on, 6 large arrivals); the rest of the line is added to the ignore masks, and
// the whole line seeds the arrival sizes.
#include "checking_host.h"
#include "fuzz_support.h"
#include "session/dispatcher.h"
#include "session/line_framer.h"

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
            const std::size_t end = cr + 1 == m_pending.size() ? cr + 1 : cr + 2;
            m_orphanLineFeed = end == cr + 1;
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

// Whether a received line holds no line feed or NUL before the carriage return that ends it.
// The byte after that carriage return only travels along: "PING x\n\r" carries a line feed of
// the server's own, which may go back in the answer ("PONG x\n\r\n").
bool NoBreakBeforeItsEnd(std::string_view line, std::size_t cr) {
    return line.substr(0, cr).find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos;
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

    korbi::fuzz::CheckingHost host;
    host.checkPeerFiles = true;
    host.checkSentLines = true;
    Configure(host, options);
    std::int64_t now = 0;
    korbi::session::Dispatcher dispatcher(host, [&now] { return now; });
    korbi::session::LineFramer framer(kMaxPending);
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
        Require(cr != std::string::npos && cr + 2 >= line.size(),
                "a line ends at its first carriage return");
        host.ForgetRecords();
        // A line break the server put inside a line (a name, a topic) may go back to it, then
        // or later; until the server sends one, the client must add none.
        host.checkSentLines = host.checkSentLines && NoBreakBeforeItsEnd(line, cr);
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
