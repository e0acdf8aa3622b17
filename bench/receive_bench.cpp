// Receive-path benchmark: typical server lines arrive in chunks of random sizes (1 byte to
// 64 KiB), are cut into lines and parsed into source, command and parameters.
// Run: build/bench/receive_bench
#include "irc/line_framer.h"
#include "irc/message_parsing.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using korbi::irc::GetMsgCommand;
using korbi::irc::GetMsgParams;
using korbi::irc::GetMsgSource;
using korbi::irc::LineFramer;

std::string MakeStream(std::size_t lines) {
    const char* templates[] = {
        ":nick%zu!user@host.example.net PRIVMSG #channel :hello there, this is message %zu\r\n",
        ":irc.example.net 372 me :- message of the day line %zu %zu\r\n",
        ":nick%zu!user@host.example.net JOIN :#channel%zu\r\n",
        "PING :irc.example.net%zu%zu\r\n",
        ":nick%zu!u@h NOTICE me :a notice with some words in it %zu\r\n",
    };
    std::string stream;
    char line[256];
    for (std::size_t i = 0; i < lines; ++i) {
        const int n = std::snprintf(line, sizeof line, templates[i % 5], i % 97, i);
        stream.append(line, static_cast<std::size_t>(n));
    }
    return stream;
}

struct Result {
    double seconds;
    std::size_t lines;
    std::size_t checksum;
};

// Feeds the stream in random chunks, or as one arrival when wholeArrival is set.
Result Run(const std::string& stream, bool wholeArrival) {
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> chunkSize(1, 64 * 1024);
    LineFramer framer(wholeArrival ? stream.size() + 1 : LineFramer::kMaxPending);
    std::size_t lines = 0;
    std::size_t checksum = 0;
    const auto onLine = [&](const std::string& line) {
        ++lines;
        checksum +=
            GetMsgSource(line).size() + GetMsgCommand(line).size() + GetMsgParams(line).size();
    };
    const auto start = std::chrono::steady_clock::now();
    if (wholeArrival) {
        framer.Feed(stream, onLine);
    } else {
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t size = std::min(chunkSize(random), stream.size() - at);
            framer.Feed(std::string_view(stream).substr(at, size), onLine);
            at += size;
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), lines, checksum};
}

} // namespace

int main() {
    const std::string stream = MakeStream(1'000'000);
    const Result chunked = Run(stream, false);
    std::printf("1,000,000 lines in random chunks (1 B .. 64 KiB): %.3f s, %.0f lines/s, %.1f MB/s "
                "(checksum %zu)\n",
                chunked.seconds, chunked.lines / chunked.seconds,
                stream.size() / chunked.seconds / 1e6, chunked.checksum);

    // One huge arrival must cost per line what a smaller one costs (no quadratic cutting).
    const std::string small = stream.substr(0, 10'000'000);
    std::string large;
    while (large.size() < 100'000'000) {
        large += stream;
    }
    const Result smallRun = Run(small, true);
    const Result largeRun = Run(large, true);
    const double smallPerLine = smallRun.seconds / smallRun.lines;
    const double largePerLine = largeRun.seconds / largeRun.lines;
    std::printf("single arrival of %.0f MB: %.0f lines/s; of %.0f MB: %.0f lines/s; "
                "cost per line ratio 100 MB / 10 MB = %.2f\n",
                small.size() / 1e6, smallRun.lines / smallRun.seconds, large.size() / 1e6,
                largeRun.lines / largeRun.seconds, largePerLine / smallPerLine);
    return 0;
}
