// Arbitrary bytes from the server must never crash the client, hang it, or make a handler
// address a pane that does not exist. The lines are built from pieces of real protocol lines
// and random bytes so that they reach deep into the handlers; the seed is fixed, so a failure
// repeats.
#include "session/dispatcher.h"
#include "session/line_framer.h"
#include "support/fake_client_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace korbi::session {
namespace {

using namespace std::string_view_literals;
using testing::FakeClientHost;

class RandomLines {
  public:
    explicit RandomLines(std::uint32_t seed) : m_random(seed) {}

    std::string Line() {
        std::string line = Pick(kSources);
        const int words = Below(8);
        line += Pick(kCommands);
        for (int i = 0; i < words; ++i) {
            line += Below(4) == 0 ? std::string(" ") : " " + Token();
        }
        return line + Pick(kEnds);
    }

    std::string Token() {
        if (Below(5) == 0) {
            std::string bytes;
            for (int n = Below(12); n > 0; --n) {
                bytes += static_cast<char>(Below(256));
            }
            return bytes;
        }
        const std::string_view tokens = kTokens;
        const auto count = static_cast<int>(std::count(tokens.begin(), tokens.end(), '|'));
        std::size_t start = 0;
        for (int skip = Below(count); skip > 0; --skip) {
            start = tokens.find('|', start) + 1;
        }
        return std::string(tokens.substr(start, tokens.find('|', start) - start));
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

  private:
    template <std::size_t N> std::string Pick(const std::array<std::string_view, N>& from) {
        return std::string(from[static_cast<std::size_t>(Below(static_cast<int>(N)))]);
    }

    static constexpr std::array<std::string_view, 9> kSources = {
        "", ":", ":Me!m@h ", ":bob!b@h.net ", ":srv ", ":!@ ", ": ", ":ann ", ":Op!o@h "};
    static constexpr std::array<std::string_view, 38> kCommands = {
        "PING", "ERROR", "WALLOPS", "001",  "311",     "312",  "321",   "322",     "323",    "332",
        "353",  "372",   "376",     "421",  "433",     "471",  "473",   "474",     "475",    "513",
        "JOIN", "PART",  "KICK",    "QUIT", "NICK",    "MODE", "TOPIC", "PRIVMSG", "NOTICE", "303",
        "999",  "",      "JOIN",    "PART", "PRIVMSG", "KICK", "NICK",  "\x01"};
    // Words that mean something to some handler, separated by "|".
    static constexpr std::string_view kTokens =
        "Me|:Me|#chan|:#chan|#two|bob|:bob|@bob|+bob|:|::|\x01|:\x01VERSION\x01|:\x01PING|"
        ":\x01PICT ..\\x|:\x01SOUND a|:\x01"
        "ACTION|*|=|\r|\n|\0|"sv;
    static constexpr std::array<std::string_view, 5> kEnds = {"\r\n", "\r", "", "\rX", "\n"};

    std::mt19937 m_random;
};

void Configure(FakeClientHost& host, RandomLines& random) {
    host.settingsValue.NickName = "Me";
    host.settingsValue.BackName = "Me_";
    host.settingsValue.Silences = " *!*@*.evil *!bot*@*";
    host.settingsValue.Notifys = " ann bob";
    host.settingsValue.LogChan = host.settingsValue.LogPrivChat = true;
    host.settingsValue.ExecOnConnect[0] = "/join #x";
    host.flagsValue.DebugMode = random.Below(2) == 0;
    host.settingsValue.ShowAddress = random.Below(2) == 0;
    host.settingsValue.DisplayIgnores = random.Below(2) == 0;
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

TEST(DispatcherRandomTest, ArbitraryLinesInArbitraryChunksNeverBreakTheDispatcher) {
    RandomLines random(20240917);
    int mostPanes = 0;
    std::size_t lines = 0;
    std::size_t sent = 0;
    for (int round = 0; round < 12; ++round) {
        FakeClientHost host;
        Configure(host, random);
        std::int64_t now = 0;
        Dispatcher dispatcher(host, [&now] { return now; });
        LineFramer framer(4096);
        std::string stream;
        for (int i = 0; i < 2500; ++i) {
            stream += random.Line();
        }
        bool sane = true;
        const auto handle = [&](const std::string& line) {
            host.printed.clear();
            dispatcher.Process_MSG(line);
            ++lines;
            sane = sane && InRange(host.nextChan, 1, FakeClientHost::kSlots) &&
                   InRange(host.curVisible, 0, FakeClientHost::kSlots - 1);
            for (const auto& printed : host.printed) {
                sane = sane && InRange(printed.slot, 0, FakeClientHost::kSlots - 1);
            }
            mostPanes = std::max(mostPanes, host.nextChan - 1);
        };
        for (std::size_t at = 0; at < stream.size() && sane;) {
            const auto size = static_cast<std::size_t>(random.Below(300)) + 1;
            framer.Feed(std::string_view(stream).substr(at, size), handle);
            at += size;
            now += 700;
            dispatcher.FloodCheck_Timer();
        }
        ASSERT_TRUE(sane) << "round " << round;
        sent += host.sent.size();
    }
    // The lines reached the handlers: panes were opened and answers sent.
    EXPECT_GT(lines, 20000u);
    EXPECT_GE(mostPanes, 3);
    EXPECT_GT(sent, 100u);
}

} // namespace
} // namespace korbi::session
