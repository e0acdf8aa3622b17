#include "pictx/exchange_rules.h"

#include "platform/program_folder.h"
#include "platform/text_values.h"

#include <algorithm>

namespace korbi::pictx {
namespace {

constexpr std::string_view PictsFolder = "PICTS";
constexpr std::string_view RequestKeyword = "FILE";

} // namespace

std::optional<std::string> PictsFileName(std::string_view path) {
    const std::size_t folderEnd = PictsFolder.size();
    if (path.size() <= folderEnd || path[folderEnd] != '\\' ||
        !platform::EqualsNoCase(path.substr(0, folderEnd), PictsFolder)) {
        return std::nullopt;
    }
    const std::string_view name = path.substr(folderEnd + 1);
    if (!platform::IsBareFileName(name)) {
        return std::nullopt;
    }
    return std::string(name);
}

std::optional<std::string> ParseFileRequest(std::string_view chunk) {
    if (chunk.size() < RequestKeyword.size() ||
        platform::UpperAscii(chunk.substr(0, RequestKeyword.size())) != RequestKeyword) {
        return std::nullopt;
    }
    const std::size_t pathStart = RequestKeyword.size() + 1;
    return std::string(chunk.size() > pathStart ? chunk.substr(pathStart) : "");
}

std::optional<std::string> RequestedPictName(std::string_view firstChunk) {
    const std::optional<std::string> path = ParseFileRequest(firstChunk);
    if (!path) {
        return std::nullopt;
    }
    return PictsFileName(*path);
}

std::size_t ChooseServingSocket(std::span<const bool> busy) {
    const auto free = std::find(busy.begin(), busy.end(), false);
    if (free != busy.end()) {
        return static_cast<std::size_t>(free - busy.begin()) + 1;
    }
    if (busy.size() >= static_cast<std::size_t>(MaxServing)) {
        return 0;
    }
    return busy.size() + 1;
}

std::uint64_t RecordCount(std::uint64_t fileSize) {
    return fileSize / RecordSize + 1;
}

std::vector<std::string> SendFileRecords(std::string_view fileBytes) {
    std::vector<std::string> records;
    const std::uint64_t count = RecordCount(fileBytes.size());
    records.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string record(
            fileBytes.substr(std::min<std::size_t>(i * RecordSize, fileBytes.size()), RecordSize));
        record.resize(RecordSize, '\0');
        records.push_back(std::move(record));
    }
    return records;
}

bool IsFetchable(std::string_view host, std::string_view path) {
    return !platform::TrimBlanks(host).empty() && PictsFileName(path).has_value();
}

std::string FetchRequest(std::string_view FileFetching) {
    return "FILE " + std::string(FileFetching);
}

FetchChunk AcceptFetchChunk(std::uint32_t RecvsGot, std::size_t chunkLength) {
    const std::uint64_t total = std::uint64_t{RecvsGot} + chunkLength;
    if (total > MaxFetchBytes) {
        return FetchChunk{.Abandon = true, .RecvsGot = RecvsGot};
    }
    return FetchChunk{.Abandon = false, .RecvsGot = static_cast<std::uint32_t>(total)};
}

bool KeepFetchedFile(bool peerClosed, std::uint32_t RecvsGot) {
    return peerClosed && RecvsGot > 0;
}

} // namespace korbi::pictx
