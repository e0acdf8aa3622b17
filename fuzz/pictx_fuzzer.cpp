// The picture exchange's wire rules on what peers send: the request a serving connection
// receives first, the picture a fetch asks for, the sizes of the chunks a fetch receives, and
// the records a served file is cut into.
//
// Input lines: the first chunk of a serving connection; the host and the path of a fetch; the
// fetch's chunk sizes as numbers between blanks, "close" for the peer closing; the busy flags
// of the serving sockets as "0" and "1"; then the bytes of a file to serve.
#include "fuzz_support.h"
#include "pictx/exchange_rules.h"
#include "platform/program_folder.h"
#include "platform/text_values.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using korbi::fuzz::Require;
using namespace korbi::pictx;

void CheckRequest(std::string_view firstChunk) {
    const auto name = RequestedPictName(firstChunk);
    if (!name) {
        return;
    }
    Require(korbi::platform::IsBareFileName(*name), "a served name is a bare file name");
    // The folder does not exist, so no letter case is looked up: the path is exactly this.
    const korbi::platform::ProgramFolder folder("/nonexistent-korbi-fuzz");
    Require(folder.Resolve("PICTS\\" + *name) == folder.Root() / "PICTS" / *name,
            "a served file lies directly inside PICTS");
}

void CheckFetch(std::string_view host, std::string_view path) {
    if (!IsFetchable(host, path)) {
        return;
    }
    // What one side asks for is what the other side serves.
    Require(RequestedPictName(FetchRequest(path)) == PictsFileName(path),
            "a fetch request names the picture fetched");
}

void CheckChunks(std::string_view sizes) {
    std::uint32_t got = 0;
    std::uint64_t total = 0;
    bool closed = false;
    for (const std::string_view word : korbi::fuzz::SplitAt(sizes, ' ')) {
        if (word == "close") {
            closed = true;
            break;
        }
        const auto length =
            static_cast<std::size_t>(korbi::platform::RoundedValue(word, 0, 1 << 30));
        const FetchChunk chunk = AcceptFetchChunk(got, length);
        total += length;
        Require(chunk.Abandon == (total > MaxFetchBytes), "a fetch stops past its byte limit");
        if (chunk.Abandon) {
            Require(chunk.RecvsGot == got, "an abandoned chunk is not counted");
            return;
        }
        Require(chunk.RecvsGot == total, "every byte received is counted");
        got = chunk.RecvsGot;
    }
    Require(KeepFetchedFile(closed, got) == (closed && got > 0),
            "a picture is kept only when the peer closed after sending");
}

void CheckServingChoice(std::string_view flags) {
    bool busy[40] = {};
    const std::size_t count = std::min<std::size_t>(flags.size(), std::size(busy));
    for (std::size_t i = 0; i < count; ++i) {
        busy[i] = flags[i] == '1';
    }
    const std::size_t chosen = ChooseServingSocket(std::span<const bool>(busy, count));
    if (chosen == 0) {
        Require(count >= static_cast<std::size_t>(MaxServing), "refused only when full");
        return;
    }
    Require(chosen <= count + 1, "a chosen socket exists or comes next");
    Require(chosen == count + 1 || !busy[chosen - 1], "a chosen socket is free");
}

void CheckRecords(std::string_view file) {
    const std::vector<std::string> records = SendFileRecords(file);
    Require(records.size() == RecordCount(file.size()), "the records counted are sent");
    std::string joined;
    for (const std::string& record : records) {
        Require(record.size() == RecordSize, "every record is full size");
        joined += record;
    }
    Require(joined.starts_with(file) &&
                joined.find_first_not_of('\0', file.size()) == std::string::npos,
            "the records are the file, padded with NUL bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = korbi::fuzz::AsText(data, size);
    CheckRequest(korbi::fuzz::TakeLine(input));
    const std::string_view host = korbi::fuzz::TakeLine(input);
    CheckFetch(host, korbi::fuzz::TakeLine(input));
    CheckChunks(korbi::fuzz::TakeLine(input));
    CheckServingChoice(korbi::fuzz::TakeLine(input));
    CheckRecords(input);
    return 0;
}
