#pragma once
// The picture exchange's files on disk. A peer names the file it wants and the file it sends,
// so neither side may ever go through a link: a link in PICTS could hand out the preferences
// file (with the mail password) or any other file, and a dangling one would have a peer's
// bytes written wherever it points. Served files are read a slice at a time.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace korbi::pictx {

// Far above the 10,000 bytes a fetch accepts: no picture is larger, and a peer cannot make the
// program send a file of hundreds of megabytes.
inline constexpr std::uint64_t MaxServeBytes = 10 * 1024 * 1024;

// A file being served, cut into the records SendFileRecords gives, read as they are sent.
class ServedFile {
  public:
    // Opens path for serving: only a regular file that is no link (symbolic or hard) and holds
    // at most MaxServeBytes. Nothing otherwise.
    static std::unique_ptr<ServedFile> Open(const std::filesystem::path& path);
    ~ServedFile();
    ServedFile(const ServedFile&) = delete;
    ServedFile& operator=(const ServedFile&) = delete;

    // The next whole records, about maxBytes of them (at least one); "" once all were given.
    // A file that shrinks meanwhile is padded with NUL bytes to the records it had when opened.
    std::string NextRecords(std::size_t maxBytes);
    bool Finished() const { return m_nextRecord >= m_recordCount; }

  private:
    ServedFile(int fd, std::uint64_t size);

    int m_fd;
    std::uint64_t m_size; // as opened
    std::uint64_t m_recordCount;
    std::uint64_t m_nextRecord = 0;
};

// A fetched picture: written into a new file of its own in the folder, and moved to its name
// only when complete. Dropped without a commit, it leaves nothing behind.
class FetchedFile {
  public:
    // A new, empty temporary file in folder; nothing when it cannot be made.
    static std::unique_ptr<FetchedFile> Create(const std::filesystem::path& folder);
    ~FetchedFile();
    FetchedFile(const FetchedFile&) = delete;
    FetchedFile& operator=(const FetchedFile&) = delete;

    bool Write(std::string_view bytes);
    // Gives the file the name target, unless target is a link or anything but a regular file
    // (the fetch is then refused and the temporary file removed).
    bool CommitAs(const std::filesystem::path& target);

  private:
    FetchedFile(int fd, std::filesystem::path path);

    int m_fd;
    std::filesystem::path m_path;
    bool m_failed = false;
};

} // namespace korbi::pictx
