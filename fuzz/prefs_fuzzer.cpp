// The preferences reader on arbitrary file contents. Whatever it accepts, the file the program
// writes back at exit must read again, to the same values: otherwise one save would stop every
// later start.
#include "core/prefs_file.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using korbi::fuzz::Require;

std::string Joined(const std::vector<std::string>& entries) {
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        text += (i == 0 ? "" : " ") + entries[i];
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korbi::core;
    const PrefsReadResult first =
        ReadPrefsFile(korbi::fuzz::AsText(data, size), ProvisionalSettings());
    if (!first.Ok()) {
        Require(first.ErrorNumber == kErrOverflow || first.ErrorNumber == kErrSubscriptOutOfRange ||
                    first.ErrorNumber == kErrInputPastEndOfFile,
                "a failed read names one of the reader's errors");
        Require(first.FailureLine >= 1, "a failed read names its line");
        return 0;
    }
    Require(Joined(first.ServerNameEntries) == first.settings.ServList,
            "the server box entries are the server list line");

    const std::string saved = RewrittenPrefsFile(first.settings);
    const PrefsReadResult again = ReadPrefsFile(saved, ProvisionalSettings());
    Require(again.Ok(), "a saved file reads again");
    Require(RewrittenPrefsFile(again.settings) == saved, "a saved file reads to the same values");
    return 0;
}
