#pragma once
// The picture exchange's wire rules: how a serving connection's request is read and checked,
// how a served file is cut into records, and how the fetching side forms its request and
// decides whether to keep, abandon or commit what it receives. Only files directly inside the
// "PICTS" folder are ever served or written.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::pictx {

inline constexpr std::uint16_t FetchPort = 10000; // a fetch always connects here
inline constexpr std::uint16_t FirstListenPort = 10000;
inline constexpr std::uint16_t ListenPortLimit = 10050; // first port no longer tried
inline constexpr std::size_t RecordSize = 256;
inline constexpr std::uint32_t MaxFetchBytes = 10000;
inline constexpr int FetchTimeoutMs = 30000;
inline constexpr int MaxServing = 16; // connections served at once

// The bare file name of a path "PICTS\" + name (the folder in any case), or nothing when the
// path names anything else.
std::optional<std::string> PictsFileName(std::string_view path);

// The path a chunk requests when its first four bytes are "FILE" in any case: everything after
// its first five bytes. Nothing when the chunk is no request.
std::optional<std::string> ParseFileRequest(std::string_view chunk);

// The bare picture name a serving connection's first chunk asks for, or nothing when the chunk
// is not a request for a file inside "PICTS" (the connection is then closed without data).
std::optional<std::string> RequestedPictName(std::string_view firstChunk);

// Which serving socket takes a new connection: busy[i - 1] tells whether `Socket2(i)` is
// connected. Gives the first free i, else busy.size() + 1 for a new socket, or 0 when
// MaxServing connections are already being served (the request is refused).
std::size_t ChooseServingSocket(std::span<const bool> busy);

// How many records `SendFile` sends for a file of that size. Reading stops only after a read
// came up short, so a file whose size is a multiple of 256 (0 included) gets one more record.
std::uint64_t RecordCount(std::uint64_t fileSize);

// The records `SendFile` sends for a file's bytes, each exactly RecordSize bytes; the last one
// is padded with NUL bytes.
std::vector<std::string> SendFileRecords(std::string_view fileBytes);

// Whether a fetch of path from host may start: the trimmed host is not empty and the path is a
// file inside "PICTS".
bool IsFetchable(std::string_view host, std::string_view path);

// The request a fetch sends once connected, without any terminator.
std::string FetchRequest(std::string_view FileFetching);

// The outcome of one arrival on the fetching socket, decided before anything is written.
struct FetchChunk {
    bool Abandon = false;       // more than MaxFetchBytes in all: drop the chunk and the fetch
    std::uint32_t RecvsGot = 0; // the byte count after this chunk (unchanged when abandoned)
};
FetchChunk AcceptFetchChunk(std::uint32_t RecvsGot, std::size_t chunkLength);

// Whether the fetched bytes (written under a temporary name) replace the picture: only when the
// peer closed the connection itself after sending at least one byte.
bool KeepFetchedFile(bool peerClosed, std::uint32_t RecvsGot);

} // namespace korbi::pictx
