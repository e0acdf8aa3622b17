#include "pictx/exchange_rules.h"

#include <gtest/gtest.h>

#include <array>

namespace korbi::pictx {
namespace {

using std::nullopt;
using std::optional;
using std::string;

struct RequestCase {
    const char* name;
    string chunk;
    optional<string> pict; // the bare name served, or nothing when refused
};

TEST(ExchangeRules, RequestServesOnlyBareNamesInsidePictsKeepingThePathAsSent) {
    const RequestCase cases[] = {
        {"plain request, blank kept", "FILE PICTS\\Dog Face.BMP", "Dog Face.BMP"},
        {"keyword and folder in lower case", "file picts\\cat.bmp", "cat.bmp"},
        {"fifth byte is skipped whatever it is", "FILExPICTS\\a.bmp", "a.bmp"},
        {"preferences file", "FILE Prefs File.INI", nullopt},
        {"another folder", "FILE LOGS\\#chan.LOG", nullopt},
        {"parent folder behind PICTS", "FILE PICTS\\..\\Prefs File.INI", nullopt},
        {"PICTS itself", "FILE PICTS\\..", nullopt},
        {"current folder", "FILE PICTS\\.", nullopt},
        {"absolute path", "FILE /etc/passwd", nullopt},
        {"forward slash as folder separator", "FILE PICTS/cat.bmp", nullopt},
        {"sub-folder", "FILE PICTS\\sub\\cat.bmp", nullopt},
        {"doubled separator", "FILE PICTS\\\\cat.bmp", nullopt},
        {"folder without name", "FILE PICTS\\", nullopt},
        {"longer folder name", "FILE PICTSX\\cat.bmp", nullopt},
        {"line end after the name", "FILE PICTS\\cat.bmp\r\n", nullopt},
        {"NUL inside the name", string("FILE PICTS\\cat\0.bmp", 19), nullopt},
        {"other keyword", "GET PICTS\\cat.bmp", nullopt},
        {"too short", "FIL", nullopt},
        {"empty chunk", "", nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RequestedPictName(c.chunk), c.pict) << c.name;
    }
    // The request itself keeps the path as sent.
    EXPECT_EQ(ParseFileRequest("fIlE ..\\x"), optional<string>("..\\x"));
    EXPECT_EQ(ParseFileRequest("FILE"), optional<string>(""));
    EXPECT_EQ(ParseFileRequest("FOLE x"), nullopt);
}

TEST(ExchangeRules, FetchNeedsAHostAndAPictureName) {
    EXPECT_TRUE(IsFetchable(" host.example ", "PICTS\\cat.BMP"));
    EXPECT_FALSE(IsFetchable("   ", "PICTS\\cat.BMP"));
    EXPECT_FALSE(IsFetchable("host", "PICTS\\..\\Prefs File.INI.BMP"));
    EXPECT_FALSE(IsFetchable("host", "PICTS\\../../.bashrc.BMP"));
}

struct ChunkCase {
    const char* name;
    std::uint32_t got;
    std::size_t chunk;
    bool abandon;
    std::uint32_t after;
};

TEST(ExchangeRules, FetchIsAbandonedBeforeWritingPastTheLimit) {
    const ChunkCase cases[] = {
        {"exactly the limit", 9000, 1000, false, 10000},
        {"one byte over in one chunk", 0, 10001, true, 0},
        {"one byte over after earlier chunks", 10000, 1, true, 10000},
        {"a count a 16-bit field would wrap", 9000, 65536, true, 9000},
        {"huge chunk", 0, std::size_t{1} << 33, true, 0},
        {"empty arrival", 500, 0, false, 500},
    };
    for (const auto& c : cases) {
        const FetchChunk result = AcceptFetchChunk(c.got, c.chunk);
        EXPECT_EQ(result.Abandon, c.abandon) << c.name;
        EXPECT_EQ(result.RecvsGot, c.after) << c.name;
    }
}

TEST(ExchangeRules, ServingSocketIsReusedOrAddedUpToTheLimit) {
    EXPECT_EQ(ChooseServingSocket({}), 1u);
    EXPECT_EQ(ChooseServingSocket(std::array{false}), 1u);
    EXPECT_EQ(ChooseServingSocket(std::array{true}), 2u);
    EXPECT_EQ(ChooseServingSocket(std::array{true, false, true}), 2u);
    std::array<bool, MaxServing> allBusy{};
    allBusy.fill(true);
    EXPECT_EQ(ChooseServingSocket(allBusy), 0u);
}

} // namespace
} // namespace korbi::pictx
